#include "import/instrument_scan.h"

#include "import/uxd_scan.h"
#include "import/xylib_scan.h"

InstrumentScan readInstrumentScan(const std::string& bytes, const std::string& format, int range) {
    // xylib 1.6 frees a range twice on some malformed UXD files: those are read by our own.
    return format == "uxd" ? readUxdScan(bytes, range) : readXylibScan(bytes, format, range);
}
