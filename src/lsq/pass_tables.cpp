#include "lsq/pass_tables.h"

#include "lsq/model.h"
#include "lsq/numeric_step.h"
#include "lsq/point_terms.h"

namespace {

bool reshapes(const LsqState& lsq, int k, int j) {
    if (k == kWor) return true;
    if (k == kCfwhm) return !lsq.individualFwhm();
    if (k == peakFwhm(j)) return lsq.individualFwhm();
    return k == peakPosition(j);
}

void addTable(PassTables& pass, PeakShape shape, double wor) {
    pass.tables.emplace_back();
    buildProfileTable(pass.tables.back(), shape.P, shape.h, wor);
}

// Peak j's lines at the parameters `params`.
void addPeakTables(PassTables& pass, const ParamVector& params, int j, const LsqState& lsq) {
    const PeakShape shape = peakShape(params, j, lsq.individualFwhm());
    addTable(pass, shape, params[kWor].b);
    if (lsq.kalpha2) addTable(pass, companionShape(shape, *lsq.kalpha2), params[kWor].b);
}

}  // namespace

void buildPeakTables(PassTables& pass, const LsqState& lsq) {
    pass.peaks = presentPeaks(lsq.params);
    pass.lines = lsq.kalpha2 ? 2 : 1;
    pass.companionRatio = lsq.kalpha2 ? lsq.kalpha2->intensityRatio : 0.0;
    pass.tables.clear();
    for (auto& peaksOfParam : pass.stepped) peaksOfParam.fill(-1);
    for (int j = 1; j <= pass.peaks; ++j) addPeakTables(pass, lsq.params, j, lsq);
}

void buildDerivativeTables(PassTables& pass, const LsqState& lsq) {
    buildPeakTables(pass, lsq);
    ParamVector stepped = lsq.params;
    const NumericParams numeric = numericParams(lsq.params);
    for (int a = 0; a < numeric.count; ++a) {
        const int k = numeric.index[a];
        FitParam& p = stepped[k];
        const double saved = p.b;
        p.b = saved + numericStep(saved);
        for (int j = 1; j <= pass.peaks; ++j) {
            if (!reshapes(lsq, k, j)) continue;
            pass.stepped[k][j - 1] = static_cast<int>(pass.tables.size());
            addPeakTables(pass, stepped, j, lsq);
        }
        p.b = saved;
    }
}
