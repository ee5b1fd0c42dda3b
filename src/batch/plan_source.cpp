#include "batch/plan_source.h"

#include "batch/cdt_plan.h"
#include "batch/fit_file_plan.h"
#include "batch/plan_file.h"
#include "batch/plan_text.h"

PlanRead readRegions(const FitOptions& options) {
    if (!options.fromFitFile.empty()) return readPlanSource(options.fromFitFile, readFitBlocks);
    if (!options.cdtFile.empty())
        return readCdtSource(options.cdtFile, options.patterns, options.input);
    return readPlanSource(options.planFile, readPlan);
}
