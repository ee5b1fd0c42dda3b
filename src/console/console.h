#pragma once
// The text console of a run: every prompt, message and typed answer passes through here,
// so that a whole run can be driven from strings in tests exactly as from a terminal.

#include <iosfwd>
#include <string>

class Console {
  public:
    Console(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    // Formats with the C library's printf rules; the program's messages are printf formats.
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Reads one whole line without its line end. False at end of input with nothing read.
    bool readLine(std::string& line);

    // Waits for one key of a "hit any key" pause or a one-letter answer. A terminal hands
    // over whole lines, so the first character of the next line is the key and the rest of
    // that line is consumed with it; an empty line gives '\n'. EOF at end of input.
    int readChar();

    void flush();

  private:
    std::istream& in_;
    std::ostream& out_;
};
