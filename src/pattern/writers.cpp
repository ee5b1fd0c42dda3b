#include "pattern/writers.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "driver/console.h"
#include "pattern/data_file_name.h"
#include "pattern/format_writers.h"
#include "pattern/typed_line.h"

namespace {

constexpr std::size_t kNameMax = kNameBufferSize - 1;
// The title line must fit the 100-character line buffer of the .gda reader, line end included.
constexpr std::size_t kTitleMax = 98;

using WriteFormat = int (*)(std::FILE*, Console&, const PatternStore&);

struct OutputFormat {
    const char* prompt;
    int failCode;           // returned when the file cannot be created
    double stepResolution;  // degrees in which the header gives tthstep; 0: angles are listed
    WriteFormat write;
};

const std::array<OutputFormat, 4> kFormats = {{
    {"To get XRS82 output file with stdev, enter file name: (.xy) ", -2, 0.0,
     [](std::FILE* out, Console&, const PatternStore& store) { return writeXy(out, store); }},
    {"To get Wyriet output file, enter file name: (.wyr) ", -3, 0.001,
     [](std::FILE* out, Console&, const PatternStore& store) { return writeWyr(out, store); }},
    {"To get .PROFIN output file with weights, enter file name: (.dat) ", -4, 0.001,
     [](std::FILE* out, Console&, const PatternStore& store) { return writeDat(out, store); }},
    {"To get .GDAT output file with weights, enter file name: (.gda) ", -5, 0.0001,
     [](std::FILE* out, Console& console, const PatternStore& store) {
         return writeGda(out, store, askBoundedLine(console, "Enter title: ", kTitleMax, "Title"));
     }},
}};

// A header that gives tthstep with fewer decimals than it has moves the angles read back
// from it, the more the further the point: the user must hear of it.
void warnStepRounding(Console& console, const std::string& name, const PatternStore& store,
                      double resolution) {
    if (resolution <= 0.0) return;
    const double written = std::round(store.tthstep / resolution) * resolution;
    const double drift = std::fabs(written - store.tthstep) * store.ilast;
    if (drift <= resolution / 2) return;
    console.print(
        "Warning: %s cannot hold tthstep = %.6f exactly; angles read back from it will be up "
        "to %.4f degrees off.\n",
        name.c_str(), store.tthstep, drift);
}

// 0 when the format was written or skipped; its code after the message when its file
// cannot be created or fully written.
int writeFormat(Console& console, const PatternStore& store, const OutputFormat& format) {
    const std::string name = askBoundedLine(console, format.prompt, kNameMax, "File name");
    if (name.empty()) return 0;
    std::FILE* out = std::fopen(name.c_str(), "w");
    if (!out) {
        console.print("Couldn't open file.  I die.\n");
        return format.failCode;
    }
    const int overflows = format.write(out, console, store);
    const bool writeFailed = std::ferror(out) != 0;
    const bool closed = std::fclose(out) == 0;
    if (writeFailed || !closed) {
        console.print("Couldn't write file %s completely.  I die.\n", name.c_str());
        return format.failCode;
    }
    if (overflows > 0) {
        console.print(
            "Warning: %d value(s) do not fit their fixed field in %s and will not read back "
            "correctly.\n",
            overflows, name.c_str());
    }
    warnStepRounding(console, name, store, format.stepResolution);
    return 0;
}

}  // namespace

int writeAllFormats(Console& console, const PatternStore& store) {
    console.print(
        "# of data points(from 1 to #), tthmin, tthstep, tthmax = %ld, %.3lf, %.3lf, %.4lf\n",
        static_cast<long>(store.ilast) + 1, store.tthmin, store.tthstep, store.tthmax);
    for (const OutputFormat& format : kFormats) {
        const int result = writeFormat(console, store, format);
        if (result != 0) return result;
    }
    return 0;
}
