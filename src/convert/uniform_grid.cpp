#include "convert/uniform_grid.h"

#include "convert/file_messages.h"
#include "pattern/pattern_checks.h"
#include "pattern/regrid.h"

bool onUniformGrid(const ConvertContext& context, PatternStore& store, const std::string& name) {
    FileMessages messages(context.err, name);
    Console& console = messages.console();
    if (const std::optional<double> step = context.options.regrid) {
        const int before = store.ilast + 1;
        if (!regridPattern(store, *step, console)) return false;
        console.print("regridded to step %g: %d points from %d.\n", *step, store.ilast + 1, before);
        return true;
    }
    const int off = firstOffGrid(store);
    if (off < 0) return true;
    console.print(
        "the steps are not uniform: point %d (%g) lies off the grid of tthmin %g and tthstep "
        "%g; nothing written. xrdconvert --regrid STEP puts the pattern on a uniform grid of "
        "step STEP.\n",
        off + 1, store.tth[off], store.tthmin, store.tthstep);
    return false;
}
