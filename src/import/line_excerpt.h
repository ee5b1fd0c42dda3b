#pragma once
// A line of a file as a message quotes it: in double quotes, cut short when long, control
// bytes shown as '?' so that the message stays one readable line.

#include <string>
#include <string_view>

inline std::string lineExcerpt(std::string_view line) {
    constexpr std::size_t kLongest = 40;
    std::string shown = "\"";
    for (const char c : line.substr(0, kLongest)) {
        const auto byte = static_cast<unsigned char>(c);
        shown.push_back(byte < 0x20 || byte == 0x7f ? '?' : c);
    }
    return shown + (line.size() > kLongest ? "...\"" : "\"");
}
