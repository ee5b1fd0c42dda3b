#include "batch/plan_source.h"

#include "batch/fit_file_plan.h"
#include "batch/plan_file.h"

PlanRead readRegions(const FitOptions& options) {
    if (!options.fromFitFile.empty()) return readFitBlocksFile(options.fromFitFile);
    return readPlanFile(options.planFile);
}
