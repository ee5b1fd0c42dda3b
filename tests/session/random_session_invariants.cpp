#include "random_session_invariants.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace {

void require(bool holds, const std::string& what) {
    if (!holds) throw InvariantBroken(what);
}

bool sameColumn(const std::array<float, MAXBUF>& a, const std::array<float, MAXBUF>& b) {
    return std::memcmp(a.data(), b.data(), sizeof(float) * MAXBUF) == 0;
}

void checkPointList(const PointList& list, Side side) {
    require(list.last >= -1 && list.last < kPointListCapacity,
            "the point list holds 0 to 200 points (last = " + std::to_string(list.last) + ")");
    for (int i = 0; i <= list.last; ++i) {
        require(!std::isnan(list.x[i]) && !std::isnan(list.y[i]),
                "no point of the list is NaN (entry " + std::to_string(i) + ")");
        if (side == Side::Background && i > 0)
            require(list.x[i - 1] < list.x[i],
                    "the background list ascends in two-theta (entry " + std::to_string(i) + ")");
    }
}

// The points picked for a fit: at most 11 pattern indices, in index order (ascending
// two-theta unless the angles decrease).
void checkSelection(const FitSelection& selection, const PatternStore& pattern) {
    require(
        selection.sellast >= -1 && selection.sellast < kMaxSelection,
        "the selection holds 0 to 11 points (sellast = " + std::to_string(selection.sellast) + ")");
    for (int i = 0; i <= selection.sellast; ++i) {
        const int index = selection.sel[i];
        require(index >= 0 && index <= pattern.ilast, "the selection holds pattern indices");
        if (i > 0)
            require(selection.sel[i - 1] < index,
                    "the selection is in index order (entry " + std::to_string(i) + ")");
    }
}

}  // namespace

void checkWindow(float xmin, float xmax, float ymin, float ymax) {
    std::ostringstream bounds;
    bounds.precision(9);
    bounds << " (" << xmin << " .. " << xmax << " by " << ymin << " .. " << ymax << ")";
    require(
        std::isfinite(xmin) && std::isfinite(xmax) && std::isfinite(ymin) && std::isfinite(ymax),
        "the window is finite" + bounds.str());
    require(xmin < xmax && ymin < ymax, "the window is not empty" + bounds.str());
    require(std::isfinite(xmax - xmin) && std::isfinite(ymax - ymin),
            "the window's width and height are finite" + bounds.str());
}

void checkRunInvariants(const RunState& state, Side side, const PatternStore& loaded) {
    const PlotWindow& win = state.view.win;
    checkWindow(win.xmin, win.xmax, win.ymin, win.ymax);
    checkPointList(state.points, side);
    checkSelection(state.peaks.selection, state.pattern);
    for (const FitParam& param : state.lsq.params)
        require(!std::isnan(param.b), std::string("no fit parameter is NaN (") + param.name + ")");
    for (const double entry : state.peaks.fitBlock)
        require(!std::isnan(entry), "no FitBlock entry is NaN");
    const PatternStore& pattern = state.pattern;
    require(pattern.ilast == loaded.ilast && sameColumn(pattern.tth, loaded.tth) &&
                sameColumn(pattern.cts, loaded.cts) && sameColumn(pattern.sig, loaded.sig),
            "the pattern never changes after the load");
}

void checkNoUnaskedFiles(const std::set<std::string>& allowed) {
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        require(allowed.count(name) > 0, "no file appears that the user did not ask for: " + name);
    }
}
