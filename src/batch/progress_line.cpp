#include "batch/progress_line.h"

#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

namespace {

// A terminal line redrawn more often than this only flickers.
constexpr std::chrono::milliseconds kRedrawEvery{200};

void formatDuration(char* text, std::size_t size, long seconds) {
    if (seconds >= 3600) {
        std::snprintf(text, size, "%ldh%02ldm", seconds / 3600, seconds % 3600 / 60);
    } else if (seconds >= 60) {
        std::snprintf(text, size, "%ldm%02lds", seconds / 60, seconds % 60);
    } else {
        std::snprintf(text, size, "%lds", seconds);
    }
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& err, std::size_t total, bool shown)
    : err_(err), total_(total), shown_(shown) {}

void ProgressLine::update(std::size_t done, int failed) {
    if (!shown_ || done == 0) return;
    const Clock::time_point now = Clock::now();
    if (done < total_ && drawn_ && now - lastDrawn_ < kRedrawEvery) return;
    lastDrawn_ = now;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    char left[32];
    formatDuration(
        left, sizeof left,
        static_cast<long>(elapsed / static_cast<double>(done) * static_cast<double>(total_ - done) +
                          0.5));
    char line[160];
    std::snprintf(line, sizeof line, "\rxrdfit: %zu of %zu patterns, %d fit(s) failed, %s left  ",
                  done, total_, failed, left);
    err_ << line << std::flush;
    drawn_ = true;
    drawnLength_ = std::strlen(line) - 1;
}

void ProgressLine::clear() {
    if (!drawn_) return;
    err_ << '\r' << std::string(drawnLength_, ' ') << '\r' << std::flush;
    drawn_ = false;
}

void ProgressLine::finish() {
    if (drawn_) err_ << '\n' << std::flush;
    drawn_ = false;
}
