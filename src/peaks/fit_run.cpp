#include "peaks/fit_run.h"

#include <cmath>
#include <memory>
#include <optional>

#include "driver/run_state.h"
#include "fit/ascending_twin.h"
#include "fit/fit_file.h"
#include "fit/fit_result.h"
#include "fit/fit_setup.h"
#include "lsq/lsq_fit.h"
#include "peaks/evaluation_mode.h"
#include "peaks/fit_acceptance.h"
#include "peaks/fit_prompts.h"

namespace {

constexpr float kWorAskAbove = 50.0f;

bool insidePattern(const FitSelection& selection, const PatternStore& pattern) {
    for (int i = 0; i <= selection.sellast; ++i)
        if (selection.sel[i] < 0 || selection.sel[i] > pattern.ilast) return false;
    return selection.sel[0] < selection.sel[selection.sellast];
}

// The last point before the unset fill that follows the data.
int findLastPatternIndex(const PatternStore& pattern) {
    for (int i = 0; i < MAXBUF; ++i)
        if (pattern.tth[i] < -100.0f) return i - 1;
    return MAXBUF - 1;
}

// W/R and the *.fit file, settled together: an unanswered prompt or a file that cannot be
// created leaves `wor` asking, so that the next fit asks again. 0 when settled, else the
// negative result of the fit run.
int settleWorAndFitFile(RunState& state) {
    PeakSideState& peaks = state.peaks;
    const std::optional<FitPromptAnswers> answers = askWorAndFitFile(state.console);
    if (!answers) return kFitInputEnded;
    if (!prepareFitFile(state.console, answers->fileName)) return kFitFileNotCreated;
    peaks.wor = answers->wor;
    peaks.fitFileName = answers->fileName;
    peaks.lastPatternIndex = findLastPatternIndex(state.pattern);
    state.lsq.params[kWor].b = std::fabs(answers->wor);
    return 0;
}

// The window the fitting mode passed in FitBlock[1..4].
PlotWindow passedWindow(const FitBlock& block) {
    PlotWindow win;
    win.xmin = static_cast<float>(block[1]);
    win.xmax = static_cast<float>(block[2]);
    win.ymin = static_cast<float>(block[3]);
    win.ymax = static_cast<float>(block[4]);
    win.updateSize();
    return win;
}

// The points a fit runs on, and the grid that places the fitted positions among them.
struct FitRegion {
    const PatternStore& pattern;
    const FitSelection& selection;
    double tthmin, tthstep;
};

void runEngine(RunState& state, const FitRegion& region, bool refineWor) {
    LsqState& lsq = state.lsq;
    setUpFit(lsq, region.pattern, region.selection, {!lsq.individualFwhm(), refineWor});
    lsq.mesg = 1;
    lsq_fit(lsq, state.console);
}

int fitAndEvaluate(RunState& state, const FitRegion& region, bool refineWor) {
    FitBlock& block = state.peaks.fitBlock;
    const float maxcts = static_cast<float>(block[6]);
    state.view.win = passedWindow(block);

    runEngine(state, region, refineWor);
    const FitSelection& selection = region.selection;
    const int first = selection.sel[0];
    const FitResult result =
        readFitResult(state.lsq, selection.sellast - 1, first, region.tthmin, region.tthstep);
    block[0] = result.meanBackground();
    for (int j = 1; j <= selection.sellast; ++j) block[j] = kUnset;

    const int lastIndex = state.peaks.lastPatternIndex;
    const FitScene scene{region.pattern, lastIndex, first, result};
    const ScrollLimits limits{region.tthmin, region.tthmin + lastIndex * region.tthstep, maxcts,
                              ScrollEdge::StayAtLimit};
    switch (runEvaluation(state, scene, limits)) {
        case Verdict::Accept:
            storeAcceptedPeaks(state.console, state.points, block, result);
            appendFitBlock(state.console, state.peaks.fitFileName, result);
            return 1;
        case Verdict::Reject:
            return 0;
        case Verdict::DeviceLost:
            break;
    }
    return kFitDeviceLost;
}

// Decreasing angles are fitted on the ascending twin, so that the data, the start values
// and with them every fitted number and file line are those of the twin.
int fitInAscendingOrder(RunState& state, const FitSelection& selection, bool refineWor) {
    if (!anglesDecrease(state.pattern)) {
        const FitBlock& block = state.peaks.fitBlock;
        return fitAndEvaluate(state, {state.pattern, selection, block[5], block[0]}, refineWor);
    }
    const std::unique_ptr<PatternStore> twin = ascendingTwin(state.pattern);
    const FitSelection twinPoints = twinSelection(state.pattern, selection);
    return fitAndEvaluate(state, {*twin, twinPoints, twin->tthmin, twin->tthstep}, refineWor);
}

}  // namespace

int ASFIT(RunState& state, const FitSelection& selection, char fwhmMode) {
    if (selection.sellast <= 1) return kFitTooFewPoints;
    if (selection.sellast >= kMaxSelection) return kFitTooManyPoints;
    if (!insidePattern(selection, state.pattern)) return kFitOutsidePattern;

    bool refineWor = false;  // W/R keeps its value from the last fit and is held
    if (state.peaks.wor > kWorAskAbove) {
        if (const int settled = settleWorAndFitFile(state); settled < 0) return settled;
        refineWor = state.peaks.wor < 0.0f;
    }
    state.lsq.fwhmMode = fwhmMode;
    const int result = fitInAscendingOrder(state, selection, refineWor);
    state.lsq.fwhmMode = 'n';
    return result;
}
