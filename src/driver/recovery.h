#pragma once
// No work lost when the run is cut off. When the connection to the display breaks (the X
// server dies, an ssh session drops, a write meets a closed connection), the display refuses
// a request (another client destroyed the window) or the process gets SIGHUP or SIGTERM, the
// run ends
// with status 1 as before, but first the work not yet in a file goes to recovery files next
// to the data file: the background points (NAME.fbg.recovered, in the .fbg format), the peak
// positions (NAME.cdt.recovered, as a .cdt file) and a pattern merged from raw scans
// (NAME.xy.recovered, as an .xy file). One line on standard error says what was written.
//
// That happens inside a signal handler or Xlib's error handlers, where neither stdio nor
// the heap may be used: everything is prepared while the run goes on, and the files are
// written with open, write and close alone.

#include <cstddef>

class Console;
class FixedText;
struct RunState;

// Installs the handlers for SIGHUP, SIGTERM and the loss of the display (its connection
// broken, or a request refused), and ignores SIGPIPE so that a broken connection is seen as
// such. Called once by the program's main; the handlers find nothing to save until a run is
// watched.
void installRecoveryHandlers();

// While it lives, the run's unsaved work is what a cut-off run saves.
class RecoveryWatch {
  public:
    explicit RecoveryWatch(const RunState& state);
    ~RecoveryWatch();
    RecoveryWatch(const RecoveryWatch&) = delete;
    RecoveryWatch& operator=(const RecoveryWatch&) = delete;

    // Which side's list the shared point list holds from now on.
    void enterSide(bool backgroundSide);
    // The user ended the run: the points still in the list are left by choice.
    void dropPoints();
    // The run ends for want of a device: the unsaved work is saved as a cut-off run saves
    // it, and the console says where.
    void saveNow(Console& console);
};

// The lists change only while the program works between two waits for the user, so a
// signal is acted on while the program waits (for the cursor or a console line): at once
// when it comes then, at the next wait when it comes while the program works, or at once
// when it comes a second time. One of these marks every such wait while it lasts.
class UserWait {
  public:
    UserWait();
    ~UserWait();
    UserWait(const UserWait&) = delete;
    UserWait& operator=(const UserWait&) = delete;
};

// Writes the recovery files of the watched run, naming each in `written` (separated by
// ", ") or, when it could not be written, in `failed`. Safe in a signal handler.
void writeRecoveryFiles(FixedText& written, FixedText& failed);
