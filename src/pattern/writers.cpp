#include "pattern/writers.h"

#include <array>
#include <cstdio>
#include <functional>
#include <string>

#include "console/console.h"
#include "pattern/data_file_name.h"
#include "pattern/format_writers.h"
#include "pattern/safe_file.h"
#include "pattern/typed_line.h"

namespace {

constexpr std::size_t kNameMax = kNameBufferSize - 1;

// The GSAS title, asked only once its file is open, as the dialogue does.
using TitleSource = std::function<std::string()>;
using WriteFormat = int (*)(std::FILE*, const PatternStore&, const TitleSource&);

struct OutputFormat {
    char code;  // the format code of the data file name
    const char* prompt;
    int failCode;  // returned when the file cannot be created
    WriteFormat write;
};

const std::array<OutputFormat, 4> kFormats = {{
    {'x', "To get XRS82 output file with stdev, enter file name: (.xy) ", -2,
     [](std::FILE* out, const PatternStore& store, const TitleSource&) {
         return writeXy(out, store);
     }},
    {'w', "To get Wyriet output file, enter file name: (.wyr) ", -3,
     [](std::FILE* out, const PatternStore& store, const TitleSource&) {
         return writeWyr(out, store);
     }},
    {'d', "To get .PROFIN output file with weights, enter file name: (.dat) ", -4,
     [](std::FILE* out, const PatternStore& store, const TitleSource&) {
         return writeDat(out, store);
     }},
    {'g', "To get .GDAT output file with weights, enter file name: (.gda) ", -5,
     [](std::FILE* out, const PatternStore& store, const TitleSource& title) {
         return writeGda(out, store, title());
     }},
}};

// 0 when the file was written; the format's code after the message when it cannot be
// created or fully written.
int writeFile(Console& console, const PatternStore& store, const OutputFormat& format,
              const std::string& name, const TitleSource& title) {
    SafeFile out = SafeFile::replacing(name);
    if (!out.file()) {
        console.print("Couldn't open file.  I die.\n");
        return format.failCode;
    }
    // A file that would read back other values than the pattern's is no output: it is not
    // committed, and an old file of that name stays as it was.
    if (const int overflows = format.write(out.file(), store, title); overflows > 0) {
        console.print(
            "%d value(s) do not fit their fixed field in %s and would not read back correctly: "
            "not written.\n",
            overflows, name.c_str());
        return format.failCode + kUnfaithfulWrite;
    }
    if (!out.commit()) {
        console.print("Couldn't write file %s completely.  I die.\n", name.c_str());
        return format.failCode + kIncompleteWrite;
    }
    return 0;
}

// 0 when the format was written or skipped; its code when its file failed.
int askAndWrite(Console& console, const PatternStore& store, const OutputFormat& format) {
    const std::string name = askBoundedLine(console, format.prompt, kNameMax, "File name");
    if (name.empty()) return 0;
    return writeFile(console, store, format, name, [&console] {
        return askBoundedLine(console, "Enter title: ", kGdaTitleMax, "Title");
    });
}

}  // namespace

int writeAllFormats(Console& console, const PatternStore& store) {
    console.print(
        "# of data points(from 1 to #), tthmin, tthstep, tthmax = %ld, %.3lf, %.3lf, %.4lf\n",
        static_cast<long>(store.ilast) + 1, store.tthmin, store.tthstep, store.tthmax);
    for (const OutputFormat& format : kFormats) {
        const int result = askAndWrite(console, store, format);
        if (result != 0) return result;
    }
    return 0;
}

int writePatternFile(Console& console, const PatternStore& store, char format,
                     const std::string& name, const std::string& title) {
    for (const OutputFormat& candidate : kFormats) {
        if (candidate.code == format)
            return writeFile(console, store, candidate, name, [&title] { return title; });
    }
    return -1;
}
