#include "import/radiation.h"

#include <xylib/xylib.h>

#include <initializer_list>

namespace {

// The first non-empty value of the keys, range before file; quotes removed. A zero is left
// out unless it is a value (zeroCounts): a wavelength of 0 means "unknown", while a Kalpha2
// ratio of 0 states single lines (a Kalpha1 monochromator).
std::string firstValue(const xylib::MetaData& file, const xylib::MetaData& range,
                       std::initializer_list<const char*> keys, bool zeroCounts = false) {
    for (const xylib::MetaData* meta : {&range, &file}) {
        for (const char* key : keys) {
            if (!meta->has_key(key)) continue;
            std::string value = meta->get(key);
            std::erase(value, '\'');
            std::erase(value, '"');
            const std::size_t first = value.find_first_not_of(" \t\r");
            if (first == std::string::npos) continue;
            value = value.substr(first, value.find_last_not_of(" \t\r") - first + 1);
            if (!zeroCounts && value.find_first_not_of("0.") == std::string::npos) continue;
            return value;
        }
    }
    return "";
}

void add(std::string& line, const char* label, const std::string& value) {
    if (value.empty()) return;
    if (!line.empty()) line += ", ";
    line += label;
    line += ' ';
    line += value;
}

}  // namespace

std::string statedRadiation(const xylib::MetaData& file, const xylib::MetaData& range) {
    std::string line;
    add(line, "anode",
        firstValue(file, range, {"ANODE_MATERIAL", "ANODE", "CEMICAL SYMBOL FOR TUBE ANODE"}));
    add(line, "alpha1", firstValue(file, range, {"ALPHA1", "K_ALPHA1", "LAMDA1", "WL1"}));
    add(line, "alpha2", firstValue(file, range, {"ALPHA2", "K_ALPHA2", "LAMDA2", "WL2"}));
    add(line, "ratio", firstValue(file, range, {"ALPHA_RATIO", "WLRATIO"}, true));
    if (line.empty())
        add(line, "wavelength",
            firstValue(file, range, {"USED_LAMBDA", "pd_proc_wavelength", "wavelength"}));
    return line;
}
