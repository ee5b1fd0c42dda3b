#include "convert/merge_scans.h"

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "convert/file_messages.h"
#include "convert/open_input.h"
#include "convert/pattern_output.h"
#include "convert/scan_merge.h"
#include "convert/uniform_grid.h"
#include "open/format_recognition.h"
#include "open/load.h"
#include "pattern/bin_points.h"
#include "pattern/data_file_name.h"
#include "pattern/pattern_store.h"
#include "pattern/readers.h"
#include "pattern/super_reader.h"

namespace {

bool binnedAsAsked(const ConvertContext& context, PatternStore& store, const std::string& name) {
    if (context.options.input.bin <= 1) return true;
    FileMessages messages(context.err, name);
    return binPattern(store, context.options.input.bin, messages.console());
}

}  // namespace

bool mergeScans(const ConvertContext& context) {
    const std::vector<std::string>& scans = context.options.files;
    const std::string& first = scans.front();
    if (!rawScanName(first, context.err)) return false;
    {
        FileMessages messages(context.err, first);
        if (!holdsRange(context.options.input.range, messages.console())) return false;
    }
    auto store = std::make_unique<PatternStore>();
    RefusedRecords refused;
    if (!readScanMerge(scans, context.err, *store, refused) ||
        !binnedAsAsked(context, *store, first) || !onUniformGrid(context, *store, first))
        return false;
    const bool written = writePatternOutputs(context, *store, first, 's');
    return reportRefused(scans, refused, context.err) && written;
}
