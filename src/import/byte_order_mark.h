#pragma once
// The UTF-8 byte-order mark that some editors and Windows programs write before the first
// line of a text file: it is no part of the first line.

#include <string_view>

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

inline bool startsWithByteOrderMark(std::string_view text) {
    return text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
}

// The text after a leading byte-order mark; the text itself when it has none.
inline std::string_view withoutByteOrderMark(std::string_view text) {
    return startsWithByteOrderMark(text) ? text.substr(kUtf8ByteOrderMark.size()) : text;
}
