#include "pattern/data_file_name.h"

std::size_t DataFileName::extensionPos() const {
    const std::size_t slash = name.find_last_of('/');
    const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = firstDot ? name.find('.', base) : name.rfind('.');
    return dot == std::string::npos || dot < base ? std::string::npos : dot + 1;
}

std::string DataFileName::withExtension(const std::string& extension) const {
    const std::size_t pos = extensionPos();
    if (pos == std::string::npos) return extension;
    return name.substr(0, pos) + extension;
}

void DataFileName::restoreExtension() {
    const bool ownOnly = format == 'v' || format == 't';
    name = withExtension(ownOnly ? ownExtension : formatExtension(format));
}

const char* formatExtension(char format) {
    switch (format) {
        case 'x':
            return "xy";
        case 'w':
            return "wyr";
        case 'd':
            return "dat";
        case 'g':
            return "gda";
        case 's':
            return "super";
        default:
            return "";
    }
}
