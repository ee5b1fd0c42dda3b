#pragma once
// Text built in a fixed buffer without the C library's formatting, for the moments when that
// cannot be used: inside a signal handler or Xlib's I/O error handler, where stdio and the
// heap may be in the middle of a change. Numbers come out as printf's "%W.Df" writes them.

#include <cstddef>

class FixedText {
  public:
    static constexpr std::size_t kCapacity = 1024;

    // Appends as much of text as fits.
    void append(const char* text);
    void append(char c);
    void append(const FixedText& text);
    // value as "%*.*f" with the given width and decimals (1 to 9): the exact value of the
    // double, rounded half to even, as glibc's printf does.
    void appendFixed(double value, int decimals, int width = 0);

    const char* data() const { return text_; }
    std::size_t size() const { return size_; }
    void clear() { size_ = 0; }

  private:
    char text_[kCapacity];
    std::size_t size_ = 0;
};
