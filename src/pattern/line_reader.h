#pragma once
// Reads a text file line by line through a fixed-size buffer, as the file formats expect:
// a line longer than the buffer holds is handed over in pieces, each piece counting as a
// line of its own (at most size - 1 characters per piece, the line end included).

#include <cstdio>
#include <string>

class LineReader {
  public:
    LineReader(std::FILE* file, int bufferSize) : file_(file), size_(bufferSize) {}

    // The next piece with its line end if it fits; false at end of file.
    bool next(std::string& line);

  private:
    std::FILE* file_;
    int size_;
};
