// Fuzzes the loading of peak positions from a .cdt or *.fit file. The input begins with two
// bytes: how many positions the list holds already (0 to 200) and how many times in a row
// the file is loaded (1 to 3); the rest is the file. After every load the list holds at most
// 200 entries, the earlier entries are untouched, every loaded position is finite with height
// 0.0, and nothing past the last entry is set.

#include <cmath>
#include <cstdint>
#include <string>

#include "driver/run_state.h"
#include "fuzz_support.h"
#include "peaks/peak_files.h"
#include "support/scripted_graphics.h"

namespace {

constexpr int kMaxLoads = 3;
constexpr std::size_t kSettingBytes = 2;
const char* const kFileName = "peaks.cdt";

// One run state for the whole process (it holds the pattern arrays and the fit engine).
struct PeakRun {
    ScriptedConsole user{""};
    ScriptedGraphics gfx;
    RunState state{user.console, gfx};
};

PeakRun& peakRun() {
    static PeakRun run;
    return run;
}

void fillList(PointList& list, int count) {
    list.empty();
    for (int i = 0; i < count; ++i) {
        list.x[i] = 20.0f + 0.1f * static_cast<float>(i);
        list.y[i] = 100.0f;
    }
    list.last = count - 1;
}

void requireLoadedAfter(const PointList& before, const PointList& after) {
    require(after.last >= before.last && after.last < kPointListCapacity,
            "a load only adds, up to 200 entries");
    for (int i = 0; i <= before.last; ++i)
        require(after.x[i] == before.x[i] && after.y[i] == before.y[i],
                "a load leaves the entries already listed alone");
    for (int i = before.last + 1; i <= after.last; ++i)
        require(std::isfinite(after.x[i]) && after.y[i] == 0.0f,
                "a loaded position is finite, with height 0.0");
    for (int i = after.last + 1; i < kPointListCapacity; ++i)
        require(after.x[i] == kUnset && after.y[i] == kUnset, "nothing past the list is set");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterScratchDirectory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kSettingBytes) return 0;
    writeScratchFile(kFileName, std::string(reinterpret_cast<const char*>(data) + kSettingBytes,
                                            size - kSettingBytes));
    PeakRun& run = peakRun();
    fillList(run.state.points, data[0] % (kPointListCapacity + 1));
    const int loads = 1 + data[1] % kMaxLoads;
    for (int load = 0; load < loads; ++load) {
        run.user.in.clear();
        run.user.in.str(std::string(kFileName) + "\n");
        run.user.out.str("");
        run.state.view.flag = ViewFlag::FullScale;
        const PointList before = run.state.points;
        require(loadPeakPositions(run.state) == PeakLoad::Done,
                "a load with a file name is never taken as cancelled");
        require(run.state.view.flag == ViewFlag::KeepShown, "a load keeps the window shown");
        requireLoadedAfter(before, run.state.points);
    }
    return 0;
}
