#pragma once
// The progress of a series on a terminal: one line, rewritten in place, with the patterns
// done of all, the fits failed so far and the time left.

#include <chrono>
#include <cstddef>
#include <iosfwd>

class ProgressLine {
  public:
    // Shows nothing unless `shown` (standard error is a terminal).
    ProgressLine(std::ostream& err, std::size_t total, bool shown);

    void update(std::size_t done, int failed);

    // Ends the line, so that later messages start on their own.
    void finish();

    // Wipes the line, so that other output to the same terminal starts at its left; the
    // next update draws it again.
    void clear();

  private:
    using Clock = std::chrono::steady_clock;

    std::ostream& err_;
    std::size_t total_;
    bool shown_;
    bool drawn_ = false;
    std::size_t drawnLength_ = 0;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastDrawn_{};
};
