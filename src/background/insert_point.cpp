#include "background/insert_point.h"

#include "console/console.h"

namespace {

// The index at which x goes in before an existing point, or -1 when it belongs after them
// all (or equals one of them).
int insertPosition(const PointList& list, float x) {
    for (int i = 0; i < list.last; ++i)
        if ((x - list.x[i]) * (x - list.x[i + 1]) < 0.0f) return i + 1;
    return x < list.x[0] ? 0 : -1;
}

bool refuseWhenFull(Console& console, const PointList& list, float x, float y) {
    if (!list.full()) return false;
    console.print("BG:The list is full (%d points); the point @ x:%f , y:%f is not added\n",
                  kPointListCapacity, x, y);
    return true;
}

}  // namespace

InsertResult insertPoint(Console& console, PointList& list, float x, float y) {
    const int p = list.last < 0 ? -1 : insertPosition(list, x);
    if (p < 0 && list.last >= 0 && !(x > list.x[list.last])) return InsertResult::SameTth;
    if (refuseWhenFull(console, list, x, y)) return InsertResult::ListFull;
    ++list.last;
    if (p < 0) {
        console.print("BG:Appending a bg point to last(%dth) @ x:%f , y:%f\n", list.last + 1, x, y);
        list.x[list.last] = x;
        list.y[list.last] = y;
        return InsertResult::Appended;
    }
    console.print("Inserting a bg point to %dth @ x:%f , y:%f\n", p + 1, x, y);
    for (int i = list.last; i > p; --i) {
        list.x[i] = list.x[i - 1];
        list.y[i] = list.y[i - 1];
    }
    list.x[p] = x;
    list.y[p] = y;
    return InsertResult::Inserted;
}

void removePoint(PointList& list, int index) {
    for (int i = index; i < list.last; ++i) {
        list.x[i] = list.x[i + 1];
        list.y[i] = list.y[i + 1];
    }
    list.x[list.last] = 0.0f;
    list.y[list.last] = 0.0f;
    --list.last;
}
