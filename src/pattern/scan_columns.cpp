#include "pattern/scan_columns.h"

#include <sstream>

#include "console/console.h"
#include "pattern/line_reader.h"

namespace {

constexpr int kHeaderLines = 14;  // the last of them names the columns
constexpr int kFirstEchoedLine = 11;
constexpr int kLastEchoedLine = 12;

bool hasKey(const std::string& name, const char* lower, const char* upper) {
    const std::string key = name.substr(0, 3);
    return key == lower || key == upper;
}

}  // namespace

ScanColumns columnsFromNames(const std::string& columnLine) {
    ScanColumns columns;
    std::istringstream names(columnLine);
    std::string name;
    while (columns.count < kMaxScanColumns && names >> name) {
        const int position = columns.count++;
        if (hasKey(name, "tth", "TTH")) columns.tth = position;
        if (hasKey(name, "cts", "CTS")) columns.cts = position;
        if (hasKey(name, "mon", "MON")) columns.mon = position;
        if (hasKey(name, "tim", "TIM")) columns.tim = position;
    }
    return columns;
}

std::optional<ScanColumns> decodeScanColumns(LineReader& lines, Console& console) {
    std::string line;
    std::string columnLine;
    for (int number = 1; number <= kHeaderLines && lines.next(line); ++number) {
        if (number >= kFirstEchoedLine && number <= kLastEchoedLine)
            console.print("%s", line.c_str());
        if (number == kHeaderLines) columnLine = line;
    }
    const ScanColumns columns = columnsFromNames(columnLine);
    if (columns.complete()) return columns;
    console.print("HELP!!! I can't decode columns of this file.%s\n", columnLine.c_str());
    console.print(
        "Hit any key to continue - Up to previous file results will be processed/saved; ^C to "
        "halt program now.\n");
    console.readChar();
    return std::nullopt;
}
