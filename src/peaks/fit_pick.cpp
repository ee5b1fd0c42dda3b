#include "peaks/fit_pick.h"

#include <cmath>

#include "console/console.h"
#include "fit/click_index.h"

namespace {

float selectedTth(const FitSelection& selection, const PatternStore& pattern, int entry) {
    return pattern.tth[selection.sel[entry]];
}

bool tooClose(const FitSelection& selection, const PatternStore& pattern, const PlotWindow& win,
              float x, int index) {
    for (int i = 0; i <= selection.sellast; ++i) {
        // Two picks within one pattern step would select the same point twice.
        if (selection.sel[i] == index) return true;
        if (std::fabs(x - selectedTth(selection, pattern, i)) < 0.005 * win.dx) return true;
    }
    return false;
}

// The entry a pick of pattern point `index` takes in index order: between two neighbours,
// before the first point or after the last; -1 when it is selected already.
int insertionEntry(const FitSelection& selection, int index) {
    for (int i = 0; i < selection.sellast; ++i)
        if ((index - selection.sel[i]) * (index - selection.sel[i + 1]) < 0) return i + 1;
    if (index < selection.sel[0]) return 0;
    if (index > selection.sel[selection.sellast]) return selection.sellast + 1;
    return -1;
}

void insertAt(FitSelection& selection, int entry, int index) {
    ++selection.sellast;
    for (int i = selection.sellast; i > entry; --i) selection.sel[i] = selection.sel[i - 1];
    selection.sel[entry] = index;
}

}  // namespace

FitMessage pickPoint(Console& console, FitSelection& selection, const PatternStore& pattern,
                     const PlotWindow& win, float x, float y) {
    if (selection.sellast >= kMaxSelection - 1) return FitMessage::FitTooMany;
    const int index = clickIndex(pattern, x);
    if (selection.sellast < 0) {
        insertAt(selection, 0, index);
        return FitMessage::FitHint;
    }
    if (tooClose(selection, pattern, win, x, index)) return FitMessage::FitTooClose;

    // The place follows the point picked, not the click: where the step does not match the
    // angles (unequal .xy angles) a click and its point can lie on two sides of a selected
    // point.
    const int entry = insertionEntry(selection, index);
    if (entry < 0) return FitMessage::FitHint;
    if (entry > selection.sellast) {
        insertAt(selection, entry, index);
        console.print("ASFIT:Appending a bg point to last(%dth) @ x:%f , y:%f\n",
                      selection.sellast + 1, x, y);
        return FitMessage::FitHint;
    }
    if (entry == 0) {
        console.print("Inserting a bg point to %dth @ x:%f , y:%f\n", 1, x, y);
    } else {
        console.print("Inserting a peak point to %dth @ x:%f , y:%f\n", entry + 1, x, y);
    }
    insertAt(selection, entry, index);
    return FitMessage::FitHint;
}

FitMessage deselectPoint(Console& console, FitSelection& selection, const PatternStore& pattern,
                         const PlotWindow& win, float x) {
    if (selection.sellast < 0) return FitMessage::FitNoPoints;
    int target = -1;
    for (int i = 0; i <= selection.sellast; ++i) {
        if (!(std::fabs(x - selectedTth(selection, pattern, i)) < 0.003 * win.dx)) continue;
        if (target < 0) {
            target = i;
        } else {
            console.print("ERROR!!! THERE ARE POINTS TOO CLOSE!!!\n");
        }
    }
    if (target < 0) return FitMessage::FitNotFound;

    const int index = selection.sel[target];
    console.print("Deleting a point from %dth @ x:%f , y:%f\n", target + 1, pattern.tth[index],
                  pattern.cts[index]);
    for (int i = target; i < selection.sellast; ++i) selection.sel[i] = selection.sel[i + 1];
    selection.sel[selection.sellast] = 0;
    --selection.sellast;
    return FitMessage::FitHint;
}
