#include "convert/uniform_grid.h"

#include "convert/file_messages.h"
#include "pattern/pattern_checks.h"
#include "pattern/regrid.h"

bool regridAndReport(PatternStore& store, double step, Console& console) {
    const int before = store.ilast + 1;
    if (!regridPattern(store, step, console)) return false;
    console.print(
        "regridded to step %g: %d points from %d, counts interpolated linearly and sig "
        "propagated.\n",
        step, store.ilast + 1, before);
    return true;
}

bool onUniformGrid(const ConvertContext& context, PatternStore& store, const std::string& name) {
    FileMessages messages(context.err, name);
    Console& console = messages.console();
    if (const std::optional<double> step = context.options.regrid)
        return regridAndReport(store, *step, console);
    const std::string offGrid = offGridReason(store);
    if (offGrid.empty()) return true;
    console.print("%s; nothing written.\n", offGrid.c_str());
    return false;
}
