#include "import/xylib_scan.h"

#include <xylib/xylib.h>

#include <memory>
#include <sstream>

#include "import/byte_order_mark.h"
#include "import/instrument_formats.h"
#include "import/radiation.h"
#include "import/xrdml_text.h"

namespace {

const xylib::FormatInfo* formatInfo(const std::string& name) {
    return static_cast<const xylib::FormatInfo*>(xylib_get_format_by_name(name.c_str()));
}

// xylib's own check of the first bytes chooses between the two formats that use .raw.
// Guessing from the whole list would misjudge files shorter than xylib's look-ahead.
const xylib::FormatInfo* rawFormat(const std::string& bytes, std::string& details) {
    for (const char* name : {"bruker_raw", "philips_rd"}) {
        std::istringstream head(bytes);
        const xylib::FormatInfo* info = formatInfo(name);
        if (info && xylib::check_format(info, head, &details)) return info;
    }
    return nullptr;
}

std::string unreadableRaw(const std::string& bytes) {
    if (bytes.compare(0, 7, "RAW4.00") == 0)
        return std::string("a Bruker RAW file of version 4 (RAW4.00), which xylib ") +
               xylib_get_version() + " does not read; export it as UXD or XRDML";
    return "neither a Bruker nor a Philips RAW file";
}

ImportedScan scanOfBlock(const xylib::Block& block) {
    ImportedScan scan;
    const int count = block.get_point_count();
    const xylib::Column& x = block.get_column(1);
    const xylib::Column& y = block.get_column(2);
    scan.xName = x.get_name();
    scan.x.reserve(count);
    scan.y.reserve(count);
    for (int i = 0; i < count; ++i) {
        scan.x.push_back(x.get_value(i));
        scan.y.push_back(y.get_value(i));
    }
    // A StepColumn states its step (RAW headers, XRDML start and end); any other says 0.
    if (x.get_step() != 0.0) scan.step = x.get_step();
    return scan;
}

bool isFormat(const xylib::DataSet& data, const char* name) {
    return data.fi->name == std::string(name);
}

void takeRange(const xylib::DataSet& data, const std::string& bytes, int range,
               InstrumentScan& result) {
    if (range < 1 || range > result.rangeCount) {
        result.error = noSuchRange(result.rangeCount, range);
        return;
    }
    const xylib::Block& block = *data.get_block(range - 1);
    if (block.get_column_count() < 2 || block.get_point_count() < 0) {
        result.error = "range " + std::to_string(range) + " holds no intensities";
        return;
    }
    ImportedScan scan = scanOfBlock(block);
    // A third column of a CSV file is the esd, as in a text pattern.
    if (isFormat(data, "csv") && block.get_column_count() == 3) {
        const xylib::Column& esd = block.get_column(3);
        for (std::size_t i = 0; i < scan.x.size(); ++i)
            scan.esd.push_back(esd.get_value(static_cast<int>(i)));
    }
    scan.wavelength = isFormat(data, "xrdml") ? xrdmlRadiation(bytes, range)
                                              : statedRadiation(data.meta, block.meta);
    if (isFormat(data, "xrdml") && xrdmlGivesRate(bytes, range)) {
        scan.countRate = true;
        scan.countingTime = xrdmlCountingTime(bytes, range);
    }
    result.scan = std::move(scan);
}

// xylib reports a file it cannot read by throwing, its format checks included.
void read(const std::string& bytes, const std::string& format, int range, InstrumentScan& result) {
    std::string details;
    const xylib::FormatInfo* info =
        format == kGuessRaw ? rawFormat(bytes, details) : formatInfo(format);
    if (!info) {
        result.error = format == kGuessRaw ? unreadableRaw(bytes) : "no reader for " + format;
        return;
    }
    result.format = info->desc;
    if (!details.empty()) result.format += ", " + details;
    const bool xrdml = info->name == std::string("xrdml");
    if (xrdml && !hasXrdmlCounts(bytes)) {
        result.error = "the scan holds no counts (no <intensities> or <counts> element)";
        return;
    }
    // A byte-order mark would hide the first line of a text format from xylib.
    const std::string text(info->binary ? bytes : std::string(withoutByteOrderMark(bytes)));
    std::unique_ptr<xylib::DataSet> data(
        xylib::load_string(xrdml ? withIntensities(text) : text, info->name));
    result.rangeCount = data->get_block_count();
    takeRange(*data, bytes, range, result);
}

}  // namespace

InstrumentScan readXylibScan(const std::string& bytes, const std::string& format, int range) {
    InstrumentScan result;
    try {
        read(bytes, format, range, result);
    } catch (const std::exception& error) {
        result.error = error.what();
    }
    return result;
}
