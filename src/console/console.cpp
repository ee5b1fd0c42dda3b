#include "console/console.h"

#include <cstdarg>
#include <cstdio>
#include <istream>
#include <ostream>
#include <vector>

void Console::print(const char* format, ...) {
    // Nearly every line fits the buffer on the stack; a longer one is formatted again into
    // one of its length.
    char line[256];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(line, sizeof line, format, copy);
    va_end(copy);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof line) {
        out_.write(line, length);
    } else if (length > 0) {
        std::vector<char> text(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        out_.write(text.data(), length);
    }
    va_end(args);
}

bool Console::readLine(std::string& line) {
    line.clear();
    flush();
    if (!std::getline(in_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

int Console::readChar() {
    std::string line;
    if (!readLine(line)) return EOF;
    return line.empty() ? '\n' : static_cast<unsigned char>(line[0]);
}

void Console::flush() {
    out_.flush();
}
