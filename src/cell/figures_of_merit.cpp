#include "cell/figures_of_merit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "cell/reflections.h"

namespace {

double qOfTth(double tth, double lambda) {
    const double s = 2 * std::sin(tth / 2 * std::numbers::pi / 180.0) / lambda;
    return s * s;
}

}  // namespace

Figures figuresOfMerit(const std::vector<double>& tth, double lambda, const Cell& cell, double zero,
                       double tolerance) {
    Figures figures;
    figures.used = static_cast<int>(tth.size());
    if (tth.empty()) return figures;
    const double qLast = qOfTth(tth.back() - zero, lambda);
    const double qReach = qOfTth(std::min(tth.back() - zero + tolerance, 179.9), lambda);
    const std::vector<CalculatedLine> calc = calculatedLines(cell, qReach);
    std::vector<double> calcTth;
    for (const CalculatedLine& line : calc) {
        calcTth.push_back(tthOfD(1 / std::sqrt(line.q), lambda));
        if (line.q <= qLast) ++figures.possible;
    }
    double sumQ = 0.0, sumTth = 0.0;
    for (const double observed : tth) {
        const double corrected = observed - zero;
        const auto above = std::lower_bound(calcTth.begin(), calcTth.end(), corrected);
        double best = INFINITY;
        std::size_t at = 0;
        for (auto it : {above, above - 1}) {
            if (it < calcTth.begin() || it >= calcTth.end()) continue;
            if (std::fabs(*it - corrected) < best) {
                best = std::fabs(*it - corrected);
                at = static_cast<std::size_t>(it - calcTth.begin());
            }
        }
        if (best > tolerance) continue;
        ++figures.indexed;
        sumTth += best;
        sumQ += std::fabs(qOfTth(corrected, lambda) - calc[at].q);
    }
    if (figures.indexed == 0 || figures.possible == 0) return figures;
    figures.meanDelta = sumTth / figures.indexed;
    // Exact agreement has no finite figure: a floor of a millionth of a degree keeps it finite.
    const double meanQ = std::max(sumQ / figures.indexed, 1e-12);
    figures.m = qLast / (2 * meanQ * figures.possible);
    figures.f = figures.used / (figures.possible * std::max(figures.meanDelta, 1e-6));
    return figures;
}
