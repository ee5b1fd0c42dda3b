#pragma once
// What the counts say about one minimum of the curvature ladder: the peak there, with its
// apex, width, height and significance against a background, and how far it stands above
// the counts beside it.

#include <vector>

#include "suggest/curvature_ladder.h"
#include "suggest/pattern_samples.h"
#include "suggest/peak_search.h"

class PeakMeasure {
  public:
    PeakMeasure(const PatternSamples& samples, const CurvatureLadder& ladder);

    // The peak of a candidate: the observed apex when the counts, blurred over the rung's
    // width, have a maximum within half that width, else (a shoulder on a stronger peak) the
    // curvature minimum itself; its width measured there, and the apex refined over a quarter
    // of that width. The blur keeps a narrow peak on a broad one's flank from passing for the
    // broad one's apex. width.fwhm 0: no width to measure, not a peak.
    FoundPeak peakAt(const CurvatureMinimum& candidate,
                     const std::vector<double>& background) const;

    // The apex's height above the lower of the lowest counts on either side within two of
    // its own widths (bothSides: above the higher), in counting deviations
    // there: a bump of noise on a broad peak stands no higher above its surroundings than the
    // noise, and one on a steep flank no higher above the flank's upper side.
    double localSignificance(const FoundPeak& peak, int rung, bool bothSides) const;

    // The mean counts within half the rung's FWHM of the apex above those from one to two
    // FWHMs out on both sides, in standard errors of that difference: a broad weak peak,
    // judged over its width, where its apex alone stands within the noise. The flanks, not
    // the background estimate, are the base: a slope or a background set a little low
    // raises no area.
    double areaSignificance(const FoundPeak& peak, int rung) const;

  private:
    const PatternSamples& samples_;
    const CurvatureLadder& ladder_;
    std::vector<std::vector<double>> smoothed_;  // per rung, for the height and width
    std::vector<std::vector<double>> blurred_;   // per rung, over its width, for the apex
};

// Least-squares parabola through values[centre-half .. centre+half]: the offset of its
// vertex from centre, kept within `half` points.
double vertexOffset(const std::vector<double>& values, int centre, int half);
