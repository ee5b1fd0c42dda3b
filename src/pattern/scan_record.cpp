#include "pattern/scan_record.h"

#include <array>
#include <cstdio>

#include "console/console.h"
#include "pattern/line_conversion.h"

namespace {

bool holdsPatternValues(const ScanRecord& record) {
    return isPatternValue(record.tth) && isPatternValue(record.cts) && isPatternValue(record.mon) &&
           isPatternValue(record.tim);
}

}  // namespace

void refuseRecord(Console& console, const char* message) {
    console.print("%s\n", message);
    console.print(
        "Hit any key to continue - Up to previous record results will be processed/saved; ^C "
        "to halt program now.\n");
    console.readChar();
}

std::optional<ScanRecord> parseScanRecord(const std::string& line, const ScanColumns& columns,
                                          Console& console) {
    std::array<float, kMaxScanColumns> values{};
    // EOF (-1) for a line of white space only, which counts as too short.
    const int converted =
        std::sscanf(line.c_str(), "%f %f %f %f %f %f %f %f", &values[0], &values[1], &values[2],
                    &values[3], &values[4], &values[5], &values[6], &values[7]);
    if (converted == 0) {
        refuseRecord(console, "There is(are) blank line(s) in this SUPER file...");
        return std::nullopt;
    }
    if (converted < columns.count) {
        refuseRecord(console, "Error in current SUPER file...");
        return std::nullopt;
    }
    const ScanRecord record{values[columns.tth], values[columns.cts], values[columns.mon],
                            values[columns.tim]};
    // "nan", "inf" or a huge number would poison every sum it enters, or the plot's window.
    if (!holdsPatternValues(record)) {
        refuseRecord(console, "Error in current SUPER file...");
        return std::nullopt;
    }
    return record;
}
