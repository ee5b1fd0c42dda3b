#include "driver/run.h"

#include <memory>
#include <new>

#include "background/background_side.h"
#include "console/console.h"
#include "driver/recovery.h"
#include "driver/run_arguments.h"
#include "driver/run_state.h"
#include "driver/side_outcome.h"
#include "open/load.h"
#include "pattern/writers.h"
#include "peaks/peak_side.h"
#include "view/graphics.h"
#include "view/screen.h"

namespace {

const char* const kUsage =
    "Usage: xrdpick [--from FORMAT] [DATAFILE]\n"
    "Picks background points and fits peaks of one powder X-ray diffraction pattern.\n"
    "DATAFILE is a processed pattern (.xy, .wyr, .dat, .gda), a two- or three-column text\n"
    "pattern (.xy), a diffractometer file (.raw, .uxd, .xrdml, .rd, .sd, .udf, .cpi, .dbw,\n"
    ".rit, .neu, .cif, .csv, .tsv, .tab, in any case) or the first of a set of raw scan files\n"
    "(an extension of three digits, such as scan.001). Without it the program asks for a\n"
    "name. Patterns from text or diffractometer files are offered in the four processed\n"
    "formats when the run ends (xrdconvert --help lists the formats).\n"
    "  --from FORMAT  read DATAFILE as this diffractometer format whatever its extension\n"
    "                 (needed for the Rigaku and RIET7 .dat files: rigaku_dat, riet7)\n"
    "  --help         print this text and exit\n"
    "  --version      print the version and exit\n";

// Patterns the user brought in a form no Rietveld program reads: merged raw scans,
// instrument files and text patterns.
bool offeredForConversion(char format) {
    return format == 's' || format == 'v' || format == 't';
}

// Closes the device and, for a lower-case x or a pattern offered for conversion, offers the
// pattern in the four processed formats. A file that could not be written whole ends the run
// with status 1, so that a script notices.
int endRun(RunState& state, char key) {
    state.gfx.end();
    if (key != 'x' && !offeredForConversion(state.dataFile.format)) return 0;
    const int written = writeAllFormats(state.console, state.pattern);
    if (written == 0) {
        state.console.print(
            "SUPER/DATA file(s) converting to other data file(s) is successfully done...\n");
    }
    return written <= kIncompleteWrite ? 1 : 0;
}

// Enters a side afresh: full scale, no corner, the shared list emptied by its first page.
SideOutcome enterSide(RunState& state, bool backgroundSide) {
    state.view.flag = ViewFlag::FullScaleReset;
    state.view.roi = RoiState::NoCorner;
    return backgroundSide ? runBackgroundSide(state) : runPeakSide(state);
}

}  // namespace

int run(const std::vector<std::string>& args, Console& console, Graphics& graphics) {
    if (!args.empty() && args[0] == "--help") {
        console.print("%s", kUsage);
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        console.print("xrdpick %s\n", XRDPICK_VERSION);
        return 0;
    }

    // The pattern arrays alone are over 200 KB: the state lives on the heap.
    std::unique_ptr<RunState> state(new (std::nothrow) RunState(console, graphics));
    if (!state) {
        console.print("Memory allocation error\n");
        return 0;
    }
    return run(args, *state);
}

int run(const std::vector<std::string>& args, RunState& state) {
    const RunArguments command = parseRunArguments(args);
    if (!command.error.empty()) {
        state.console.print("%s\n", command.error.c_str());
        return 0;
    }
    if (!loadPattern(command.files, state.console, state.pattern, state.dataFile, command.from))
        return 0;

    state.view.screen = readScreenColours(state.console);
    if (!openScreen(state.console, state.gfx, state.view.screen)) return 1;

    RecoveryWatch watch(state);
    bool backgroundSide = true;
    for (;;) {
        watch.enterSide(backgroundSide);
        const SideOutcome outcome = enterSide(state, backgroundSide);
        switch (outcome.exit) {
            case SideExit::ToOtherSide:
                backgroundSide = !backgroundSide;
                break;
            case SideExit::Quit:
                watch.dropPoints();
                return endRun(state, outcome.key);
            case SideExit::DeviceFailed:
                // A file device left open would never be finished.
                state.gfx.end();
                watch.saveNow(state.console);
                return 1;
        }
    }
}
