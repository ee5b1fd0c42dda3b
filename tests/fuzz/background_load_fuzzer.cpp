// Fuzzes the loading of background points. The input begins with three bytes: which name the
// point file gets (FBG, GBG, or a name the load refuses), the pattern's step (the merge
// tolerance is twice that), and how many times in a row the file is loaded (1 to 3, so
// that loaded points meet the points of the earlier loads). Then, cut by kSectionMark, come
// the console answers to the merge questions and the point file itself. After every load the
// list must hold at most 200 points in strictly ascending two-theta, all finite.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "background/background_load.h"
#include "fuzz_support.h"

namespace {

const char* const kFileNames[] = {"points.fbg", "points.gbg",   "points.FBG", "points.G",
                                  "points.txt", "./points.fbg", "points"};
const double kSteps[] = {0.02, 0.0, 1.0, -0.02, 1.0e30, 1.0e-30, NAN};
constexpr int kMaxLoads = 3;
constexpr std::size_t kSettingBytes = 3;

template <typename T, std::size_t N>
const T& pick(const T (&table)[N], std::uint8_t byte) {
    return table[byte % N];
}

void requireSoundList(const PointList& list) {
    require(list.last >= -1 && list.last < kPointListCapacity,
            "the background list holds 0 to 200 points");
    for (int i = 0; i <= list.last; ++i) {
        require(std::isfinite(list.x[i]) && std::isfinite(list.y[i]),
                "every background point is finite");
        require(i == 0 || list.x[i - 1] < list.x[i],
                "the background list is strictly ascending in two-theta");
    }
    for (int i = list.last + 1; i < kPointListCapacity; ++i) {
        require((list.x[i] == kUnset || list.x[i] == 0.0f) &&
                    (list.y[i] == kUnset || list.y[i] == 0.0f),
                "past the last point the list holds unset or vacated entries only");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterScratchDirectory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kSettingBytes) return 0;
    const std::string fileName = pick(kFileNames, data[0]);
    static PatternStore pattern;  // only its step matters to the load
    pattern.tthstep = pick(kSteps, data[1]);
    const int loads = 1 + data[2] % kMaxLoads;
    const std::vector<std::string> parts =
        splitSections(data + kSettingBytes, size - kSettingBytes, 2);
    writeScratchFile(fileName, parts[1]);

    PointList list;
    ViewState view;
    for (int load = 0; load < loads; ++load) {
        ScriptedConsole user(fileName + "\n" + parts[0]);
        require(loadBackgroundPoints(user.console, list, pattern, view) == LoadResult::Done,
                "a load with a file name is never taken as cancelled");
        requireSoundList(list);
    }
    return 0;
}
