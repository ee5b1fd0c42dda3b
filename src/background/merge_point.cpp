#include "background/merge_point.h"

#include <cmath>

#include "background/insert_point.h"
#include "console/console.h"

namespace {

int firstClosePoint(const PointList& list, float x, float y, double tolerance) {
    for (int i = 0; i <= list.last; ++i)
        if (std::fabs(x - list.x[i]) < tolerance && std::fabs(y - list.y[i]) < tolerance) return i;
    return -1;
}

// The index of a point other than `except` with exactly two-theta x, or -1.
int pointAtTth(const PointList& list, float x, int except) {
    for (int i = 0; i <= list.last; ++i)
        if (i != except && list.x[i] == x) return i;
    return -1;
}

// The point in memory takes the loaded values. Where they would break the ascending order
// (the loaded two-theta passes a neighbour), the point moves to its place by the insertion
// rule instead. A loaded two-theta that another point already has cannot go in beside it:
// then the point in memory stays as it was, as the list may not lose a point it kept.
void replacePoint(Console& console, PointList& list, int index, float x, float y) {
    if (const int holder = pointAtTth(list, x, index); holder >= 0) {
        console.print(
            "BG:The %dth point is kept: the loaded point @ x:%f , y:%f has the tth of "
            "the %dth point\n",
            index + 1, x, y, holder + 1);
        return;
    }
    const bool staysInOrder =
        (index == 0 || list.x[index - 1] < x) && (index == list.last || x < list.x[index + 1]);
    if (staysInOrder) {
        list.x[index] = x;
        list.y[index] = y;
        return;
    }
    removePoint(list, index);
    insertPoint(console, list, x, y);
}

// Added by the insertion rule, which refuses a two-theta already in the list without a
// word: a loaded point is not to vanish unseen.
void addPoint(Console& console, PointList& list, float x, float y) {
    if (insertPoint(console, list, x, y) == InsertResult::SameTth) {
        console.print(
            "BG:The loaded point @ x:%f , y:%f is not added: the %dth point has that tth\n", x, y,
            pointAtTth(list, x, -1) + 1);
    }
}

}  // namespace

void mergeLoadedPoint(Console& console, PointList& list, float x, float y, double tolerance) {
    const int close = firstClosePoint(list, x, y, tolerance);
    if (close < 0) {
        addPoint(console, list, x, y);
        return;
    }
    console.print("Saved/Loaded BG Point is too close with current one... \n");
    console.print("Do you want to keep all of them or ignore one of them? \n");
    console.print("(K=keep all, I=ignore current one, blank=ignore saved one) ");
    switch (console.readChar()) {
        case 'K':
        case 'k':
            console.print("Keep all of them...\n");
            addPoint(console, list, x, y);
            break;
        case 'I':
        case 'i':
            console.print("Ignore current one, replaced by saved one...\n");
            replacePoint(console, list, close, x, y);
            break;
        default:  // a blank answer, or none at the end of input: the loaded point is dropped
            break;
    }
}
