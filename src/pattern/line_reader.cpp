#include "pattern/line_reader.h"

bool LineReader::next(std::string& line) {
    line.clear();
    int c = 0;
    // A file is read by the one thread that opened it, so the stream's lock, taken by fgetc
    // for every character, buys nothing; it was a tenth of a series fit's time.
    while (static_cast<int>(line.size()) < size_ - 1 && (c = getc_unlocked(file_)) != EOF) {
        line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !line.empty();
}
