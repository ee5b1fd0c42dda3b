#include "fit/fit_setup.h"

#include "fit/fit_data.h"
#include "lsq/param_names.h"

void setUpFit(LsqState& lsq, const PatternStore& pattern, const FitSelection& selection,
              FitModel model) {
    lsq.data = regionData(pattern, selection.sel[0], selection.sel[selection.sellast]);
    setStartValues(lsq.params, pattern, selection, model);
    copyNameTable(lsq.params);
    lsq.miter = kFitIterations;
}
