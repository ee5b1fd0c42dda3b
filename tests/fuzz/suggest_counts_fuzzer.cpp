// Fuzzes the suggestions on arbitrary counts. The input: a byte that sets the step, whether
// the pattern runs downwards, states no sig, holds a Cu doublet or asks for a number of
// points; a byte that scales the counts (and sets that number); then the counts, two bytes
// each, at most kMostCounts: the search is the same at any length, and a full pattern takes
// seconds under the sanitizers. Every suggestion must be finite and lie inside the
// pattern, and the lists within their limits.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "fuzz_support.h"
#include "pattern/pattern_store.h"
#include "suggest/suggestions.h"

namespace {

constexpr std::size_t kMostCounts = 4096;

void fill(PatternStore& store, const std::uint8_t* data, std::size_t size) {
    const std::uint8_t shape = data[0];
    const double step = 0.005 * (1 + shape % 8) * ((shape & 0x10) ? -1.0 : 1.0);
    const double scale = std::ldexp(1.0, data[1] % 24) / 256.0;
    const int n = static_cast<int>(std::min<std::size_t>((size - 2) / 2, kMostCounts));
    store.fillUnset();
    for (int i = 0; i < n; ++i) {
        const double counts = scale * (data[2 + 2 * i] | (data[3 + 2 * i] << 8));
        store.tth[i] = static_cast<float>(60.0 + step * i);
        store.cts[i] = static_cast<float>(counts);
        store.sig[i] = (shape & 0x20) ? 0.0f : static_cast<float>(std::sqrt(std::max(counts, 1.0)));
    }
    store.ilast = n - 1;
    store.tthmin = 60.0;
    store.tthstep = step;
    store.tthmax = 60.0 + step * (n - 1);
    store.radiation.reset();
    if (shape & 0x40) store.radiation = Radiation{1.5405929, 1.5444140, 0.5, "fuzz"};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    static const std::unique_ptr<PatternStore> store = std::make_unique<PatternStore>();
    fill(*store, data, size);
    SuggestSettings settings;
    if (data[0] & 0x80) settings.points = 2 + data[1] % 40;
    const Suggestions found = suggest(*store, settings);
    const double first = store->tth[0], last = store->tth[store->ilast];
    const double low = std::min(first, last), high = std::max(first, last);
    const auto inside = [&](double tth) { return std::isfinite(tth) && tth >= low && tth <= high; };
    require(static_cast<int>(found.peaks.size()) <= kMaxSuggested, "at most 200 peaks");
    require(static_cast<int>(found.background.size()) <= kMaxSuggested, "at most 200 points");
    for (const FoundPeak& peak : found.peaks) {
        require(inside(peak.tth), "each peak lies inside the pattern");
        require(std::isfinite(peak.height) && std::isfinite(peak.fwhm) && peak.fwhm > 0.0,
                "each peak has a finite height and a positive width");
    }
    for (const SuggestedPoint& point : found.background) {
        require(inside(point.tth), "each background point lies inside the pattern");
        require(std::isfinite(point.cts), "each background point has finite counts");
    }
    for (std::size_t k = 1; k < found.background.size(); ++k)
        require(found.background[k - 1].tth < found.background[k].tth,
                "the background points ascend");
    return 0;
}
