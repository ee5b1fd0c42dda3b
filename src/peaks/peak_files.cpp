#include "peaks/peak_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "driver/run_state.h"
#include "pattern/line_reader.h"
#include "pattern/typed_line.h"
#include "peaks/peak_list.h"
#include "points/peak_position_files.h"

namespace {

constexpr int kLineBufferSize = 200;

void readPositions(RunState& state, std::FILE* file) {
    PointList& list = state.points;
    LineReader reader(file, kLineBufferSize);
    std::string line;
    int notLoaded = 0;
    while (reader.next(line)) {
        float tth = 0.0f;
        if (!positionOnLine(line, tth)) continue;
        if (list.full()) {
            ++notLoaded;
            continue;
        }
        ++list.last;
        list.x[list.last] = tth;
        list.y[list.last] = 0.0f;
    }
    if (notLoaded > 0)
        state.console.print("The peak list is full (%d positions): %d position(s) not loaded\n",
                            kPointListCapacity, notLoaded);
}

}  // namespace

PeakSave savePeakPositions(RunState& state) {
    if (state.points.last < 0) return PeakSave::Empty;
    const std::string name = state.dataFile.withExtension("cdt");
    state.console.print("Fitting results file saving... Filename : %s\n", name.c_str());
    if (writePeakPositionFile(name, state.points)) {
        state.console.print("Error!!! - Fitting results file opening\n");
        return PeakSave::Failed;
    }
    emptyPeakList(state.points, state.peaks);
    state.view.flag = ViewFlag::FullScaleReset;
    return PeakSave::Saved;
}

PeakLoad loadPeakPositions(RunState& state) {
    Console& console = state.console;
    std::string name;
    std::FILE* file = nullptr;
    switch (openTypedFile(console, "CDT/FIT file name(blank to cancel)...? ", name, file)) {
        case TypedFile::Cancelled:
            return PeakLoad::Cancelled;
        case TypedFile::Refused:
            return PeakLoad::Done;
        case TypedFile::Opened:
            break;
    }
    console.print("%s file is opened, and read...\n", name.c_str());
    readPositions(state, file);
    std::fclose(file);
    state.view.flag = ViewFlag::KeepShown;
    return PeakLoad::Done;
}
