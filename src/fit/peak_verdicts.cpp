#include "fit/peak_verdicts.h"

#include <cmath>

FitStatus peakVerdict(const FittedPeak& peak, const PeakErrors& se, const RegionSpan& span) {
    if (!std::isfinite(peak.position) || !std::isfinite(peak.intensity) ||
        !(peak.fwhm > 0.0 && std::isfinite(peak.fwhm)) ||
        !(peak.position >= span.low && peak.position <= span.high))
        return FitStatus::Diverged;
    if (!(peak.intensity > 0.0)) return FitStatus::NoPeak;
    // An error that cannot be told (not finite) holds nothing up either.
    if (!(std::isfinite(se.position) && std::isfinite(se.fwhm) &&
          peak.intensity >= kSignificance * se.intensity))
        return FitStatus::NotSignificant;
    if (peak.fwhm < std::fabs(span.step)) return FitStatus::TooNarrow;
    return FitStatus::Ok;
}

int verdictWeight(FitStatus verdict) {
    switch (verdict) {
        case FitStatus::Diverged:
            return 4;
        case FitStatus::NoPeak:
            return 3;
        case FitStatus::TooNarrow:
            return 2;
        case FitStatus::NotSignificant:
            return 1;
        default:
            return 0;
    }
}

unsigned peakFlags(const FittedPeak& peak, const RegionSpan& span,
                   const std::optional<Kalpha2>& kalpha2) {
    unsigned flags = 0;
    if (peak.position - span.low < peak.fwhm || span.high - peak.position < peak.fwhm)
        flags |= kNearEnd;
    // A diverged peak's values may be past any float: it has no companion worth placing.
    const bool placeable = std::fabs(peak.position) < 1e4 && std::fabs(peak.fwhm) < 1e4;
    if (kalpha2 && placeable) {
        const PeakShape line{static_cast<float>(peak.position), static_cast<float>(peak.fwhm / 2)};
        const PeakShape companion = companionShape(line, *kalpha2);
        if (!(companion.h > 0.0f) || companion.P > span.high) flags |= kKa2Outside;
    }
    return flags;
}
