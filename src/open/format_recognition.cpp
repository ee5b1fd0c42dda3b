#include "open/format_recognition.h"

#include <cctype>
#include <initializer_list>
#include <string>

#include "import/instrument_formats.h"

namespace {

bool beginsWithDigits(const std::string& extension, std::size_t count) {
    if (extension.size() < count) return false;
    for (std::size_t k = 0; k < count; ++k)
        if (!std::isdigit(static_cast<unsigned char>(extension[k]))) return false;
    return true;
}

// Only the leading characters count, in one case throughout.
bool beginsWith(const std::string& extension, const std::string& lower, const std::string& upper) {
    return extension.compare(0, lower.size(), lower) == 0 ||
           extension.compare(0, upper.size(), upper) == 0;
}

char formatByLeadingCharacters(const std::string& extension) {
    if (beginsWithDigits(extension, 3)) return 's';
    if (beginsWith(extension, "xy", "XY")) return 'x';
    if (beginsWith(extension, "wyr", "WYR")) return 'w';
    if (beginsWith(extension, "dat", "DAT")) return 'd';
    if (beginsWith(extension, "gda", "GDA")) return 'g';
    return 0;
}

bool isOneOf(const std::string& extension, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (extension == name) return true;
    return false;
}

char formatByWholeExtension(const std::string& extension) {
    if (beginsWithDigits(extension, extension.size()) && extension.size() >= 3) return 's';
    if (isOneOf(extension, {"xy", "XY", "xye", "XYE"})) return 'x';
    if (isOneOf(extension, {"wyr", "WYR"})) return 'w';
    if (isOneOf(extension, {"dat", "DAT"})) return 'd';
    if (isOneOf(extension, {"gda", "GDA"})) return 'g';
    return 0;
}

}  // namespace

char recogniseFormat(const DataFileName& file) {
    const std::size_t pos = file.extensionPos();
    if (pos == std::string::npos) return 0;
    const std::string extension = file.name.substr(pos);
    if (const char format = file.firstDot ? formatByLeadingCharacters(extension)
                                          : formatByWholeExtension(extension))
        return format;
    if (!instrumentFormatForExtension(extension).empty()) return 'v';
    return 0;
}

char recogniseTypedFormat(DataFileName& file) {
    file.firstDot = true;
    if (const char format = recogniseFormat(file)) return format;
    file.firstDot = false;
    return recogniseFormat(file);
}
