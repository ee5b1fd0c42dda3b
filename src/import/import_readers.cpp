#include "import/import_readers.h"

#include "console/console.h"
#include "import/instrument_scan.h"
#include "import/scan_to_pattern.h"
#include "import/text_scan.h"
#include "pattern/line_conversion.h"
#include "pattern/line_reader.h"
#include "pattern/readers.h"

namespace {

// No diffraction pattern file comes near this; a larger file is not read into memory.
constexpr std::size_t kLargestFile = 64u << 20;

bool readAll(std::FILE* file, std::string& bytes) {
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + got > kLargestFile) return false;
        bytes.append(buffer, got);
    }
    return true;
}

void reportRanges(const InstrumentScan& read, int range, Console& console) {
    if (read.rangeCount > 1)
        console.print(
            "This file holds %d ranges: range %d is read (xrdconvert --block N reads "
            "another).\n",
            read.rangeCount, range);
}

// A file with a first line that is not three numbers; an empty file stays with the .xy
// reader and its message about too few points.
bool isTextPattern(std::FILE* file) {
    LineReader lines(file, kDataLineBufferSize);
    std::string line;
    LineValues values;
    const bool text = lines.next(line) && convertValues(line, "%f %f %f", values) != 3;
    std::rewind(file);
    return text;
}

}  // namespace

bool readInstrumentFile(std::FILE* file, const ImportRequest& request, Console& console,
                        PatternStore& store) {
    std::string bytes;
    if (!readAll(file, bytes)) {
        console.print("This file is larger than %zu MB: no pattern file is.\n", kLargestFile >> 20);
        return false;
    }
    const InstrumentScan read = readInstrumentScan(bytes, request.format, request.range);
    if (!read.scan) {
        console.print("Cannot read this file%s%s: %s.\n", read.format.empty() ? "" : " as ",
                      read.format.c_str(), read.error.c_str());
        return false;
    }
    reportRanges(read, request.range, console);
    if (!read.scan->wavelength.empty())
        console.print("Radiation: %s.\n", read.scan->wavelength.c_str());
    if (!fillPatternFromScan(*read.scan, request.bin, console, store)) return false;
    store.radiation = statedValues(read.scan->wavelength);
    return true;
}

bool readTextPattern(std::FILE* file, int bin, Console& console, PatternStore& store) {
    const TextScan read = readTextScan(file);
    if (!read.scan) {
        console.print("Not a text pattern: %s.\n", read.error.c_str());
        console.print("Error in *.xy file\n");
        return false;
    }
    console.print(read.columns == 2 ? "Read as two columns: 2theta, counts; sig = sqrt(counts).\n"
                                    : "Read as three columns: 2theta, counts, esd; sig = esd.\n");
    return fillPatternFromScan(*read.scan, bin, console, store);
}

XyReading readXyOrText(std::FILE* file, int bin, Console& console, PatternStore& store) {
    if (isTextPattern(file))
        return readTextPattern(file, bin, console, store) ? XyReading::AsText : XyReading::Failed;
    return readXy(file, bin, console, store) ? XyReading::AsXy : XyReading::Failed;
}
