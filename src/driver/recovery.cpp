#include "driver/recovery.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console.h"
#include "driver/fixed_text.h"
#include "driver/run_state.h"
#include "pattern/format_writers.h"

namespace {

constexpr const char* kRecoveredSuffix = ".recovered";
constexpr char kMaxAlternative = '9';       // NAME.recovered.2 .. .9 when NAME.recovered exists
constexpr float kLastWrittenPeak = 350.0f;  // as the .cdt save
constexpr int kExitStatus = 1;

enum Side : int { kNoSide, kBackgroundSide, kPeakSide };

// What a cut-off run saves, prepared while the run goes on.
struct WatchedRun {
    const PointList* points = nullptr;
    std::atomic<int> side{kNoSide};
    std::string backgroundName;  // NAME.fbg.recovered
    std::string peakName;        // NAME.cdt.recovered
    std::string patternName;     // NAME.xy.recovered
    std::string mergedPattern;   // the .xy text of a pattern merged from raw scans, or empty
};

// A signal handler reaches the run only through a variable of its own. The run is never
// freed, so that a handler never meets one half taken down; it is published only once
// complete.
WatchedRun watchedRun;
std::atomic<WatchedRun*> watched{nullptr};
volatile std::sig_atomic_t recovering = 0;
volatile std::sig_atomic_t waitingForUser = 0;
volatile std::sig_atomic_t pendingSignal = 0;  // a signal that came while the lists changed

// The .xy text of the pattern, as the writer writes it: the pattern never changes during
// the run, so it is written out once ahead of time.
std::string xyText(const PatternStore& store) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* memory = open_memstream(&text, &size);
    if (!memory) return {};
    writeXy(memory, store);
    std::fclose(memory);
    std::string copy(text, size);
    std::free(text);
    return copy;
}

// A new file for recovered work: never one already there, which may hold the work of an
// earlier run. Writes with write(2) alone; a file that cannot be written whole is removed.
class RecoveryFile {
  public:
    // name, or the first free of name.2 .. name.9; `chosen` receives the name used.
    RecoveryFile(const char* name, FixedText& chosen) {
        for (char alternative = '1'; alternative <= kMaxAlternative; ++alternative) {
            chosen.clear();
            chosen.append(name);
            if (alternative != '1') {
                chosen.append('.');
                chosen.append(alternative);
            }
            chosen.append('\0');
            fd_ = open(chosen.data(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST) break;
        }
        name_ = chosen.data();
    }

    void write(const char* data, std::size_t size) {
        while (fd_ >= 0 && whole_ && size > 0) {
            const ssize_t done = ::write(fd_, data, size);
            if (done < 0 && errno == EINTR) continue;
            if (done <= 0) {
                whole_ = false;
                break;
            }
            data += done;
            size -= static_cast<std::size_t>(done);
        }
    }
    void write(const FixedText& text) { write(text.data(), text.size()); }

    // True when the file holds everything written.
    bool finish() {
        if (fd_ < 0) return false;
        const bool saved = close(fd_) == 0 && whole_;
        if (!saved) unlink(name_);
        return saved;
    }

  private:
    int fd_ = -1;
    bool whole_ = true;
    const char* name_ = nullptr;
};

void writeBackgroundPoints(RecoveryFile& file, const PointList& points, int last) {
    for (int i = 0; i <= last; ++i) {
        FixedText line;
        line.appendFixed(points.x[i], 6);
        line.append('\t');
        line.appendFixed(points.y[i], 6);
        line.append("\t0.0\n");
        file.write(line);
    }
}

// Ascending, equal values in list order, those above 350 left out: as the .cdt save.
void writePeakPositions(RecoveryFile& file, const PointList& points, int last) {
    float sorted[kPointListCapacity];
    int count = 0;
    for (int i = 0; i <= last; ++i) {
        const float tth = points.x[i];
        if (!(tth <= kLastWrittenPeak)) continue;
        int at = count++;
        for (; at > 0 && sorted[at - 1] > tth; --at) sorted[at] = sorted[at - 1];
        sorted[at] = tth;
    }
    for (int i = 0; i < count; ++i) {
        FixedText line;
        line.appendFixed(sorted[i], 4, 8);
        line.append('\n');
        file.write(line);
    }
}

void noteFile(FixedText& list, const FixedText& name) {
    if (list.size() > 0) list.append(", ");
    list.append(name.data());
}

template <typename Write>
void recover(const std::string& name, FixedText& written, FixedText& failed, Write write) {
    FixedText chosen;
    RecoveryFile file(name.c_str(), chosen);
    write(file);
    noteFile(file.finish() ? written : failed, chosen);
}

[[noreturn]] void recoverAndExit(const char* cause) {
    if (recovering) _exit(kExitStatus);
    recovering = 1;
    FixedText written;
    FixedText failed;
    writeRecoveryFiles(written, failed);
    FixedText line;
    line.append("xrdpick: ");
    line.append(cause);
    if (written.size() > 0) {
        line.append("; unsaved work saved in ");
        line.append(written);
    }
    if (failed.size() > 0) {
        line.append("; could not save unsaved work in ");
        line.append(failed);
    }
    line.append('\n');
    [[maybe_unused]] const ssize_t said = write(STDERR_FILENO, line.data(), line.size());
    _exit(kExitStatus);
}

const char* causeOf(int signal) {
    return signal == SIGHUP ? "hung up (SIGHUP)" : "terminated (SIGTERM)";
}

void onSignal(int signal) {
    if (waitingForUser || pendingSignal) recoverAndExit(causeOf(signal));
    pendingSignal = signal;
}

// Xlib calls this when the connection is gone; it must not return.
int onDisplayLost(Display*) {
    recoverAndExit("the connection to the display is lost");
}

// Xlib calls this when the display refused a request: the window or its drawing is gone
// (destroyed by another client), and a cursor read on it would wait forever.
int onRequestRefused(Display*, XErrorEvent*) {
    recoverAndExit("the display refused a request");
}

}  // namespace

void installRecoveryHandlers() {
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGHUP);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaction(SIGHUP, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A write to a display whose server is gone (or to a closed standard output) must fail
    // with EPIPE, so that Xlib calls onDisplayLost, rather than end the run unsaved.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
    XSetIOErrorHandler(onDisplayLost);
    XSetErrorHandler(onRequestRefused);
}

UserWait::UserWait() {
    waitingForUser = 1;
    if (pendingSignal) recoverAndExit(causeOf(pendingSignal));
}

UserWait::~UserWait() {
    waitingForUser = 0;
}

RecoveryWatch::RecoveryWatch(const RunState& state) {
    watched.store(nullptr);
    watchedRun.points = &state.points;
    watchedRun.side.store(kNoSide);
    watchedRun.backgroundName = state.dataFile.withExtension("fbg") + kRecoveredSuffix;
    watchedRun.peakName = state.dataFile.withExtension("cdt") + kRecoveredSuffix;
    watchedRun.patternName = state.dataFile.withExtension("xy") + kRecoveredSuffix;
    watchedRun.mergedPattern = state.dataFile.format == 's' ? xyText(state.pattern) : "";
    watched.store(&watchedRun);
}

RecoveryWatch::~RecoveryWatch() {
    watched.store(nullptr);
}

void RecoveryWatch::enterSide(bool backgroundSide) {
    watchedRun.side.store(backgroundSide ? kBackgroundSide : kPeakSide);
}

void RecoveryWatch::dropPoints() {
    watchedRun.side.store(kNoSide);
}

void RecoveryWatch::saveNow(Console& console) {
    FixedText written;
    FixedText failed;
    writeRecoveryFiles(written, failed);
    written.append('\0');
    failed.append('\0');
    if (written.size() > 1) console.print("Unsaved work saved in %s\n", written.data());
    if (failed.size() > 1) console.print("Could not save unsaved work in %s\n", failed.data());
}

void writeRecoveryFiles(FixedText& written, FixedText& failed) {
    const WatchedRun* run = watched.load();
    if (!run) return;
    const PointList& points = *run->points;
    // The list may be changing under a signal: its count is taken once, within bounds.
    const int last = points.last < kPointListCapacity ? points.last : kPointListCapacity - 1;
    const int side = run->side.load();
    if (last >= 0 && side == kBackgroundSide) {
        recover(run->backgroundName, written, failed,
                [&](RecoveryFile& file) { writeBackgroundPoints(file, points, last); });
    }
    if (last >= 0 && side == kPeakSide) {
        recover(run->peakName, written, failed,
                [&](RecoveryFile& file) { writePeakPositions(file, points, last); });
    }
    if (!run->mergedPattern.empty()) {
        recover(run->patternName, written, failed, [&](RecoveryFile& file) {
            file.write(run->mergedPattern.data(), run->mergedPattern.size());
        });
    }
}
