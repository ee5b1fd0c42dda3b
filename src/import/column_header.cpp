#include "import/column_header.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

// The words of a line, comment marks at its start and units in brackets left out,
// separated by blanks, commas or semicolons.
std::vector<std::string> headerWords(const std::string& line) {
    std::string text;
    int depth = 0;  // inside brackets
    const std::size_t start = line.find_first_not_of("#!;* \t");
    for (std::size_t i = start == std::string::npos ? line.size() : start; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '(' || c == '[') ++depth;
        text.push_back(depth > 0 ? ' ' : c);
        if ((c == ')' || c == ']') && depth > 0) --depth;
    }
    std::vector<std::string> words;
    constexpr const char* kSeparators = " \t\r\n,;";
    for (std::size_t first = text.find_first_not_of(kSeparators); first != std::string::npos;) {
        const std::size_t end = text.find_first_of(kSeparators, first);
        words.push_back(text.substr(first, end - first));
        first = text.find_first_not_of(kSeparators, end);
    }
    return words;
}

std::string lowerLetters(const std::string& word) {
    std::string plain;
    for (const char c : word) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) plain.push_back(static_cast<char>(std::tolower(u)));
    }
    return plain;
}

bool isNumber(const std::string& word) {
    char* end = nullptr;
    std::strtod(word.c_str(), &end);
    return end != word.c_str() && *end == '\0';
}

bool namesIntensity(const std::string& word) {
    const std::string w = lowerLetters(word);
    constexpr std::array<const char*, 6> kWhole{"y", "i", "io", "int", "yobs", "iobs"};
    constexpr std::array<const char*, 5> kPart{"count", "cts", "cps", "intens", "obs"};
    for (const char* name : kWhole)
        if (w == name) return true;
    for (const char* part : kPart)
        if (w.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

std::optional<std::string> columnHeaderAxis(const std::string& line, int columns) {
    const std::vector<std::string> words = headerWords(line);
    if (static_cast<int>(words.size()) != columns || columns < 2) return std::nullopt;
    for (const std::string& word : words)
        if (isNumber(word)) return std::nullopt;
    if (!namesIntensity(words[1])) return std::nullopt;
    return words[0];
}
