#include "pattern/data_line_layout.h"

#include "console/console.h"
#include "pattern/pattern_store.h"

int DataLineLayout::place(int points) {
    if (lastWasShort_) {
        reportLineError();
        return -1;
    }
    const int first = next_;
    if (first + points > MAXBUF) {
        console_.print("Too many data points!!! Change the MAXBUF\n");
        return -1;
    }
    next_ += pointsPerLine_;
    ilast_ = first + points - 1;
    lastWasShort_ = points < pointsPerLine_;
    return first;
}

void DataLineLayout::reportLineError() const {
    console_.print("%s", lineError_);
}
