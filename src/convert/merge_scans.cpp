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
#include "pattern/data_file_name.h"
#include "pattern/format_recognition.h"
#include "pattern/pattern_store.h"
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
// pattern loaded from every scan.
bool readAllScans(const std::vector<std::string>& scans, std::ostream& err, PatternStore& store) {
    const std::string& first = scans.front();
    std::FILE* file = openInput(first, err);
    if (!file) return false;
    FileMessages messages(err, first);
    ScanNameFeed feed(scans, messages);
    std::istream typedNames(&feed);
    Console names(typedNames, messages.stream());
    if (!readSuper(file, messages.console(), store, names)) return false;  // closes the file
    if (feed.exhausted()) return true;
    messages.concern(first);
    messages.stream() << "the merge ended before its last scan; nothing written\n";
    return false;
}

}  // namespace

bool mergeScans(const ConvertContext& context) {
    const std::vector<std::string>& scans = context.options.files;
    const std::string& first = scans.front();
    if (recogniseFormat(DataFileName{first}) != 's') {
        context.err << first << ": not a raw scan file (its extension begins with three digits)\n";
        return false;
    }
    if (!allScansOpen(scans, context.err)) return false;
    auto store = std::make_unique<PatternStore>();
    return readAllScans(scans, context.err, *store) &&
           writePatternOutputs(context, *store, first, 's');
}
