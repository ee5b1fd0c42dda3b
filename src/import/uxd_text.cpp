#include "import/uxd_text.h"

#include <sstream>

namespace {

enum class Keyword { Other, Drive, Counts, Rate };

// What a line starts with, after leading blanks, as xylib tells its keywords apart.
Keyword keywordOf(const std::string& line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] != '_') return Keyword::Other;
    const auto startsWith = [&](const char* keyword) {
        return line.compare(start, std::char_traits<char>::length(keyword), keyword) == 0;
    };
    if (startsWith("_DRIVE")) return Keyword::Drive;
    if (startsWith("_CPS") || startsWith("_2THETACPS")) return Keyword::Rate;
    if (startsWith("_COUNT") || startsWith("_2THETACOUNTS")) return Keyword::Counts;
    return Keyword::Other;
}

}  // namespace

bool uxdRangeIsRate(const std::string& text, int range) {
    std::istringstream lines(text);
    std::string line;
    int seen = 0;
    while (std::getline(lines, line)) {
        const Keyword keyword = keywordOf(line);
        if (keyword != Keyword::Counts && keyword != Keyword::Rate) continue;
        if (++seen == range) return keyword == Keyword::Rate;
    }
    return false;
}

bool uxdRangesAreSeparate(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    bool driveOpen = false;
    while (std::getline(lines, line)) {
        switch (keywordOf(line)) {
            case Keyword::Drive:
                driveOpen = true;
                break;
            case Keyword::Counts:
            case Keyword::Rate:
                if (!driveOpen) return false;
                driveOpen = false;
                break;
            case Keyword::Other:
                break;
        }
    }
    return true;
}
