#include "peaks/peak_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "driver/run_state.h"
#include "pattern/line_reader.h"
#include "pattern/safe_file.h"
#include "pattern/typed_line.h"
#include "peaks/peak_list.h"

namespace {

constexpr float kLastWrittenTth = 350.0f;  // positions above it are dropped by a save
constexpr int kLineBufferSize = 200;

// The positions a save writes, in ascending order; equal values keep their list order.
std::vector<float> positionsToWrite(const PointList& list) {
    std::vector<float> tth;
    for (int i = 0; i <= list.last; ++i)
        if (list.x[i] <= kLastWrittenTth) tth.push_back(list.x[i]);
    std::stable_sort(tth.begin(), tth.end());
    return tth;
}

// Why the file cannot be written completely (an existing file is then left as it was);
// nothing when it was written.
std::optional<std::string> writePositions(const std::string& name, const std::vector<float>& tth) {
    SafeFile file = SafeFile::replacing(name);
    if (file.file())
        for (const float position : tth) std::fprintf(file.file(), "%8.4f\n", position);
    if (file.commit()) return std::nullopt;
    return file.failure();
}

// The first number of a line ("%f", followed by up to five more that are not used); false
// for a comment or a line that does not begin with a number.
bool positionOnLine(const std::string& line, float& tth) {
    if (!line.empty() && line[0] == '#') return false;
    return std::sscanf(line.c_str(), "%f %*f %*f %*f %*f %*f", &tth) == 1 && std::isfinite(tth);
}

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
    if (writePositions(name, positionsToWrite(state.points))) {
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

std::optional<std::string> writePeakPositionFile(const std::string& name, const PointList& list) {
    return writePositions(name, positionsToWrite(list));
}
