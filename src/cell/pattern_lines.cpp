#include "cell/pattern_lines.h"

#include <algorithm>
#include <memory>

#include "batch/cdt_plan.h"
#include "batch/pattern_input.h"
#include "batch/series_messages.h"
#include "batch/series_run.h"
#include "import/radiation_choice.h"
#include "suggest/suggestions.h"

bool patternLines(const std::string& name, const ImportRequest& input, LineSet& set,
                  std::string& error) {
    auto store = std::make_shared<PatternStore>();
    std::string why;
    if (!readPattern(name, input, *store, why)) {
        error = name + ": " + why;
        return false;
    }
    std::vector<double> positions;
    for (const FoundPeak& peak : suggest(*store, SuggestSettings{}).peaks)
        positions.push_back(peak.tth);
    const std::vector<FoundPeak> widths = peaksForRegions(*store);
    if (positions.empty() || widths.empty()) {
        error = name + ": no peaks found in the pattern";
        return false;
    }
    const Plan plan =
        planFromPositions(positions, widths, PatternSpan{store->tth[0], store->tth[store->ilast]});
    SeriesSettings settings;
    settings.input = input;
    settings.jobs = availableCores();
    const std::vector<SeriesInput> series{
        {name, [store](PatternStore& thread) { thread = *store; }}};
    runSeries(series, plan, settings, [&](PatternOutcome&& outcome) {
        for (std::size_t r = 0; r < outcome.fits.size(); ++r) {
            const RegionFit& fit = outcome.fits[r];
            for (std::size_t j = 0; j < plan[r].positions.size(); ++j)
                if (fit.statusOf(static_cast<int>(j)) == FitStatus::Ok)
                    set.lines.push_back({fit.result.peaks[j].position, fit.se[j].position});
        }
    });
    std::sort(set.lines.begin(), set.lines.end(),
              [](const ObservedLine& x, const ObservedLine& y) { return x.tth < y.tth; });
    if (store->radiation) set.lambda = store->radiation->lambda1;
    set.radiation = describeRadiation(store->radiation);
    set.pattern = store;
    return true;
}
