#include "convert/merge_scans.h"

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "convert/file_messages.h"
#include "convert/open_input.h"
#include "convert/pattern_output.h"
#include "convert/scan_name_feed.h"
#include "convert/uniform_grid.h"
#include "open/format_recognition.h"
#include "open/load.h"
#include "pattern/bin_points.h"
#include "pattern/data_file_name.h"
#include "pattern/pattern_store.h"
#include "pattern/readers.h"
#include "pattern/super_reader.h"

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

// The pattern lacks the records the reader refused, each reported as it was met: one line
// sums them up, so that a script and a person scrolling back both notice. True when none.
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

bool binnedAsAsked(const ConvertContext& context, PatternStore& store, const std::string& name) {
    if (context.options.input.bin <= 1) return true;
    FileMessages messages(context.err, name);
    return binPattern(store, context.options.input.bin, messages.console());
}

}  // namespace

bool mergeScans(const ConvertContext& context) {
    const std::vector<std::string>& scans = context.options.files;
    const std::string& first = scans.front();
    if (recogniseFormat(DataFileName{first}) != 's') {
        context.err << first << ": not a raw scan file (its extension begins with three digits)\n";
        return false;
    }
    {
        FileMessages messages(context.err, first);
        if (!holdsRange(context.options.input.range, messages.console())) return false;
    }
    if (!allScansOpen(scans, context.err)) return false;
    auto store = std::make_unique<PatternStore>();
    RefusedRecords refused;
    if (!readAllScans(scans, context.err, *store, refused) ||
        !binnedAsAsked(context, *store, first) || !onUniformGrid(context, *store, first))
        return false;
    const bool written = writePatternOutputs(context, *store, first, 's');
    return reportRefused(scans, refused, context.err) && written;
}
