#include "pattern/super_reader.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "console/console.h"
#include "pattern/data_file_name.h"
#include "pattern/line_reader.h"
#include "pattern/pattern_file_open.h"
#include "pattern/scan_columns.h"
#include "pattern/scan_grid.h"
#include "pattern/scan_normalisation.h"
#include "pattern/scan_record.h"
#include "pattern/typed_line.h"

namespace {

constexpr int kScanLineBufferSize = 200;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ScanFile = std::unique_ptr<std::FILE, FileCloser>;

enum class FileOutcome {
    Read,         // every line read; the user may name another file
    Undecodable,  // the column line lacks one of the four columns
    Aborted,      // a record lay beyond the capacity: the whole read ends
};

FileOutcome readScanFile(std::FILE* file, int fileNumber, ScanGrid& grid, Console& console,
                         int& refused) {
    LineReader lines(file, kScanLineBufferSize);
    const std::optional<ScanColumns> columns = decodeScanColumns(lines, console);
    if (!columns) return FileOutcome::Undecodable;
    std::string line;
    while (lines.next(line)) {
        const std::optional<ScanRecord> record = parseScanRecord(line, *columns, console);
        const Placement placement =
            record ? grid.add(*record, line, fileNumber) : Placement::Rejected;
        if (placement == Placement::BeyondCapacity) return FileOutcome::Aborted;
        if (placement == Placement::Rejected) ++refused;
    }
    return FileOutcome::Read;
}

// The next file of the merge; empty when the names end with an empty name (or the names
// console's input ends).
ScanFile openNextFile(Console& names, int fileNumber) {
    names.print("Enter SUPER data file number %d. name (blank to end):", fileNumber);
    std::string name;
    while (names.readLine(name) && !name.empty()) {
        if (!answerFits(names, name, kNameBufferSize - 1, "File name")) continue;
        const PatternFileOpening opening = openPatternFile(name);
        if (opening.file) return ScanFile(opening.file);
        if (!opening.refusal.empty())
            names.print("%s: %s\n", name.c_str(), opening.refusal.c_str());
        names.print("Eh? I can not see that file, Try again...\n");
    }
    return nullptr;
}

void finishMerge(PatternStore& store, const ScanGrid& grid, Console& console) {
    store.ilast = grid.highestIndex();
    store.tthmax = store.ilast * store.tthstep + store.tthmin;
    normaliseToMonitor(store, console);
    // Past the pattern the store holds the unset value again, not the zeroed sums.
    std::fill(store.cts.begin() + store.ilast + 1, store.cts.end(), kUnset);
    std::fill(store.sig.begin() + store.ilast + 1, store.sig.end(), kUnset);
}

}  // namespace

int readSuperScans(std::FILE* first, Console& console, PatternStore& store, Console& names,
                   RefusedRecords* refused) {
    RefusedRecords counted(1, 0);
    ScanFile file(first);
    console.print("First file must have lowest angle.  Max %d points.\n", MAXBUF);
    console.print("Each scan must have same step.  Sums repeated points.\n");
    ScanGrid grid(store, console);
    store.ilast = 0;

    int fileNumber = 1;
    FileOutcome outcome = readScanFile(file.get(), fileNumber, grid, console, counted.back());
    if (outcome == FileOutcome::Undecodable) return -3;
    while (outcome == FileOutcome::Read) {
        file.reset();
        ++fileNumber;
        file = openNextFile(names, fileNumber);
        if (!file) {
            console.print("End of Input; Proceeding to NEXT step --------->\n");
            break;
        }
        counted.push_back(0);
        outcome = readScanFile(file.get(), fileNumber, grid, console, counted.back());
        if (outcome == FileOutcome::Undecodable) {
            console.print("You select to continue... Disregarding last SUPER file.\n");
            console.print("Be advised to check last SUPER file.\n");
            console.print("End of Input; Proceeding to OUTPUT step --------->\n");
        }
    }
    finishMerge(store, grid, console);
    if (refused) *refused = std::move(counted);
    return 0;
}
