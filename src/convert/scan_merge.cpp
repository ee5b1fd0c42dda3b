#include "convert/scan_merge.h"

#include <cstdio>
#include <istream>
#include <ostream>

#include "console/console.h"
#include "convert/file_messages.h"
#include "convert/open_input.h"
#include "convert/scan_name_feed.h"
#include "open/format_recognition.h"
#include "pattern/data_file_name.h"
#include "pattern/readers.h"

namespace {

// The raw reader takes each further name as one line of at most 199 characters; a name it
// would refuse or split would leave its scan out of the merge.
bool passableName(const std::string& name, std::ostream& err) {
    if (name.size() >= kNameBufferSize) {
        err << name << ": name too long for the merge: at most " << kNameBufferSize - 1
            << " characters\n";
        return false;
    }
    if (name.empty() || name.find_first_of("\r\n") != std::string::npos) {
        err << name << ": not a name the merge can pass on\n";
        return false;
    }
    return true;
}

// Every scan must open before the merge starts: a scan left out would change the pattern.
bool allScansOpen(const std::vector<std::string>& scans, std::ostream& err) {
    bool allOpen = true;
    for (const std::string& scan : scans) {
        if (!passableName(scan, err)) {
            allOpen = false;
            continue;
        }
        std::FILE* file = openInput(scan, err);
        if (!file) {
            allOpen = false;
            continue;
        }
        std::fclose(file);
    }
    return allOpen;
}

// Runs the raw reader on the first scan with the others as the typed names. True when the
// pattern loaded from every scan; `refused` counts the records left out, scan by scan.
bool readAllScans(const std::vector<std::string>& scans, std::ostream& err, PatternStore& store,
                  RefusedRecords& refused) {
    const std::string& first = scans.front();
    std::FILE* file = openInput(first, err);
    if (!file) return false;
    FileMessages messages(err, first);
    ScanNameFeed feed(scans, messages);
    std::istream typedNames(&feed);
    Console names(typedNames, messages.stream());
    // The reader closes the file.
    if (!readSuper(file, messages.console(), store, names, &refused)) return false;
    if (feed.exhausted()) return true;
    messages.concern(first);
    messages.stream() << "the merge ended before its last scan; nothing written\n";
    return false;
}

}  // namespace

bool rawScanName(const std::string& name, std::ostream& err) {
    if (recogniseFormat(DataFileName{name}) == 's') return true;
    err << name << ": not a raw scan file (its extension begins with three digits)\n";
    return false;
}

bool readScanMerge(const std::vector<std::string>& scans, std::ostream& err, PatternStore& store,
                   RefusedRecords& refused) {
    return allScansOpen(scans, err) && readAllScans(scans, err, store, refused);
}

bool reportRefused(const std::vector<std::string>& scans, const RefusedRecords& refused,
                   std::ostream& err) {
    int total = 0;
    std::string where;
    for (std::size_t k = 0; k < refused.size() && k < scans.size(); ++k) {
        if (refused[k] == 0) continue;
        total += refused[k];
        where += (where.empty() ? "" : ", ") + std::to_string(refused[k]) + " in " + scans[k];
    }
    if (total == 0) return true;
    err << scans.front() << ": " << total
        << " record(s) refused and left out of the merge: " << where << '\n';
    return false;
}
