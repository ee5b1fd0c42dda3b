#include "import/instrument_formats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

namespace {

struct InstrumentFormat {
    const char* name;        // xylib's name
    const char* extensions;  // lower case, space-separated; "" for --from only
};

// Powder diffraction formats only: xylib's spectroscopy formats hold no 2theta scans.
constexpr std::array<InstrumentFormat, 11> kFormats{{
    {"bruker_raw", ""},  // .raw: by check
    {"philips_rd", "rd sd"},
    {"uxd", "uxd"},
    {"xrdml", "xrdml"},
    {"philips_udf", "udf"},
    {"cpi", "cpi"},
    {"dbws", "dbw rit neu"},
    {"pdcif", "cif"},
    {"csv", "csv tsv tab"},
    {"rigaku_dat", ""},  // .dat is PROFIN's
    {"riet7", ""},
}};

std::string lowered(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

}  // namespace

std::string instrumentFormatForExtension(const std::string& extension) {
    const std::string lower = lowered(extension);
    if (lower == "raw") return kGuessRaw;
    for (const InstrumentFormat& format : kFormats) {
        std::istringstream extensions(format.extensions);
        std::string known;
        while (extensions >> known)
            if (known == lower) return format.name;
    }
    return "";
}

bool isFromFormatName(const std::string& name) {
    return std::any_of(kFormats.begin(), kFormats.end(),
                       [&](const InstrumentFormat& format) { return name == format.name; });
}

std::string fromFormatNames() {
    std::string names;
    for (const InstrumentFormat& format : kFormats) {
        if (!names.empty()) names += ", ";
        names += format.name;
    }
    return names;
}
