#include "pattern/line_reader.h"

bool LineReader::next(std::string& line) {
    line.clear();
    int c = 0;
    while (static_cast<int>(line.size()) < size_ - 1 && (c = std::fgetc(file_)) != EOF) {
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !line.empty();
}
