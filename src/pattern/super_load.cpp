#include <cmath>

#include "console/console.h"
#include "pattern/pattern_checks.h"
#include "pattern/readers.h"
#include "pattern/super_reader.h"

bool readSuper(std::FILE* first, Console& console, PatternStore& store, Console& names,
               std::vector<int>* refused) {
    console.print("This is SUPER file. Please give me some information to proceed.\n");
    if (readSuperScans(first, console, store, names, refused) == 0) {
        console.print("SUPER file(s) reading is successfully done...\n");
        console.print("You can convert them to other data file format(s) later.\n");
    }
    if (store.ilast >= MAXBUF) {
        console.print("Too many data points!!! Change the MAXBUF...\n");
        return false;
    }
    if (!hasEnoughPoints(console, store.ilast)) return false;

    computeTth(store, 0, store.ilast);
    if (std::fabs(store.tthmax - store.tth[store.ilast]) > 0.001) {
        console.print("Please, check SUPER file(s)...\n");
    } else {
        reportPointsRead(console, store.ilast);
    }
    return true;
}
