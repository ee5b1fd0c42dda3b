#include "cell/cell_refinement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "cell/reflections.h"
#include "lsq/square_inverse.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr int kMaxIterations = 40;
constexpr int kMaxAssignments = 4;
constexpr int kWiderRounds = 3;  // rounds of a wider reach: 4, 3 and 2 tolerances

// The refined quantities: the free cell values, then the zero and the displacement as asked.
struct Model {
    Cell cell;
    bool zero, displacement;
    double zeroValue, displacementValue;

    std::vector<double> values() const {
        std::vector<double> v = freeValues(cell);
        if (zero) v.push_back(zeroValue);
        if (displacement) v.push_back(displacementValue);
        return v;
    }
    Model with(const std::vector<double>& v) const {
        Model next = *this;
        const int n = freeCount(cell.system);
        next.cell = withFreeValues(cell, std::vector<double>(v.begin(), v.begin() + n));
        int k = n;
        if (zero) next.zeroValue = v[k++];
        if (displacement) next.displacementValue = v[k];
        return next;
    }
    double tth(const Hkl& hkl, double lambda) const {
        const double q = qOf(reciprocalMetric(cell), hkl);
        return shiftedTth(1 / std::sqrt(q), lambda, zeroValue, displacementValue);
    }
};

struct Assigned {
    int line;
    std::vector<Hkl> hkls;
};

// Each line to the nearest calculated line within the tolerance.
std::vector<Assigned> assign(const LineSet& set, const Model& model, double tolerance,
                             std::vector<int>& unindexed) {
    const double lambda = *set.lambda;
    const double top = set.lines.back().tth + 2 * tolerance + std::fabs(model.zeroValue) +
                       std::fabs(model.displacementValue);
    const double qmax = std::pow(2 * std::sin(std::min(top, 179.9) / 2 * kDeg) / lambda, 2);
    const std::vector<CalculatedLine> calc = calculatedLines(model.cell, qmax);
    std::vector<double> tths;
    for (const CalculatedLine& line : calc)
        tths.push_back(
            shiftedTth(1 / std::sqrt(line.q), lambda, model.zeroValue, model.displacementValue));
    std::vector<Assigned> assigned;
    unindexed.clear();
    for (int i = 0; i < static_cast<int>(set.lines.size()); ++i) {
        int best = -1;
        for (int j = 0; j < static_cast<int>(calc.size()); ++j)
            if (best < 0 ||
                std::fabs(tths[j] - set.lines[i].tth) < std::fabs(tths[best] - set.lines[i].tth))
                best = j;
        if (best >= 0 && std::fabs(tths[best] - set.lines[i].tth) <= tolerance) {
            assigned.push_back({i, calc[best].hkls});
        } else {
            unindexed.push_back(i);
        }
    }
    return assigned;
}

struct Normal {
    SquareMatrix matrix;
    std::vector<double> right;
    double chi2;
};

Normal normalEquations(const LineSet& set, const std::vector<Assigned>& assigned,
                       const Model& model, const std::vector<double>& weights) {
    const std::vector<double> v = model.values();
    const std::size_t n = v.size();
    Normal normal{SquareMatrix(n, std::vector<double>(n, 0.0)), std::vector<double>(n, 0.0), 0.0};
    std::vector<Model> plus, minus;
    std::vector<double> steps(n);
    for (std::size_t k = 0; k < n; ++k) {
        steps[k] = 1e-6 * std::max(std::fabs(v[k]), 1.0);
        std::vector<double> up = v, down = v;
        up[k] += steps[k];
        down[k] -= steps[k];
        plus.push_back(model.with(up));
        minus.push_back(model.with(down));
    }
    const double lambda = *set.lambda;
    std::vector<double> row(n);
    for (std::size_t i = 0; i < assigned.size(); ++i) {
        const Hkl& hkl = assigned[i].hkls.front();
        const double r = set.lines[assigned[i].line].tth - model.tth(hkl, lambda);
        for (std::size_t k = 0; k < n; ++k)
            row[k] = (plus[k].tth(hkl, lambda) - minus[k].tth(hkl, lambda)) / (2 * steps[k]);
        for (std::size_t j = 0; j < n; ++j) {
            normal.right[j] += weights[i] * row[j] * r;
            for (std::size_t k = 0; k < n; ++k) normal.matrix[j][k] += weights[i] * row[j] * row[k];
        }
        normal.chi2 += weights[i] * r * r;
    }
    return normal;
}

double chi2Of(const LineSet& set, const std::vector<Assigned>& assigned, const Model& model,
              const std::vector<double>& weights) {
    double chi2 = 0.0;
    for (std::size_t i = 0; i < assigned.size(); ++i) {
        const double r =
            set.lines[assigned[i].line].tth - model.tth(assigned[i].hkls.front(), *set.lambda);
        chi2 += weights[i] * r * r;
    }
    return chi2;
}

bool physical(const Model& model) {
    const Cell& c = model.cell;
    return c.a > 0 && c.b > 0 && c.c > 0 && c.beta > 60 && c.beta < 150 && std::isfinite(c.a) &&
           std::isfinite(c.b) && std::isfinite(c.c);
}

// Gauss-Newton, each step halved until the sum of squares does not grow; false when the
// normal matrix cannot be inverted.
bool solve(const LineSet& set, const std::vector<Assigned>& assigned,
           const std::vector<double>& weights, Model& model) {
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        const Normal normal = normalEquations(set, assigned, model, weights);
        SquareMatrix inverse;
        if (!invertNormalMatrix(normal.matrix, inverse)) return false;
        const std::vector<double> v = model.values();
        std::vector<double> shift(v.size(), 0.0);
        for (std::size_t j = 0; j < v.size(); ++j)
            for (std::size_t k = 0; k < v.size(); ++k) shift[j] += inverse[j][k] * normal.right[k];
        double scale = 1.0;
        bool improved = false;
        for (int halving = 0; halving < 20 && !improved; ++halving, scale /= 2) {
            std::vector<double> next = v;
            for (std::size_t j = 0; j < v.size(); ++j) next[j] += scale * shift[j];
            const Model trial = model.with(next);
            if (physical(trial) &&
                chi2Of(set, assigned, trial, weights) <= normal.chi2 * (1 + 1e-12)) {
                model = trial;
                improved = true;
            }
        }
        double largest = 0.0;
        for (std::size_t j = 0; j < v.size(); ++j)
            largest = std::max(largest,
                               std::fabs(scale * 2 * shift[j]) / std::max(std::fabs(v[j]), 1e-3));
        if (!improved || largest < 1e-10) return true;
    }
    return true;
}

std::vector<double> weightsOf(const LineSet& set, const std::vector<Assigned>& assigned) {
    const bool weighted = everyLineWeighted(set);
    std::vector<double> weights;
    for (const Assigned& line : assigned) {
        const double se = set.lines[line.line].tthSe;
        weights.push_back(weighted ? 1 / (se * se) : 1.0);
    }
    return weights;
}

bool sameAssignment(const std::vector<Assigned>& x, const std::vector<Assigned>& y) {
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const Hkl &p = x[i].hkls.front(), &q = y[i].hkls.front();
        if (x[i].line != y[i].line || p.h != q.h || p.k != q.k || p.l != q.l) return false;
    }
    return true;
}

// The standard errors, the volume's and the per-line table at the solution.
void report(const LineSet& set, const std::vector<Assigned>& assigned,
            const std::vector<double>& weights, const Model& model, CellRefinement& out) {
    const Normal normal = normalEquations(set, assigned, model, weights);
    const int n = static_cast<int>(normal.right.size());
    out.chi2 = normal.chi2;
    out.dof = static_cast<int>(assigned.size()) - n;
    SquareMatrix covariance;
    const bool inverted = invertNormalMatrix(normal.matrix, covariance);
    const double s2 = out.dof > 0 ? out.chi2 / out.dof : std::nan("");
    auto se = [&](int k) { return inverted ? std::sqrt(covariance[k][k] * s2) : std::nan(""); };
    const int cellCount = freeCount(model.cell.system);
    for (int k = 0; k < cellCount; ++k) out.se.push_back(se(k));
    int k = cellCount;
    if (model.zero) out.zeroSe = se(k++);
    if (model.displacement) out.displacementSe = se(k);
    out.cell = model.cell;
    out.zero = model.zeroValue;
    out.displacement = model.displacementValue;
    out.volume = cellVolume(model.cell);
    // The volume's error from its gradient over the cell values and the full covariance.
    const std::vector<double> v = freeValues(model.cell);
    std::vector<double> gradient(cellCount);
    for (int j = 0; j < cellCount; ++j) {
        std::vector<double> up = v;
        const double step = 1e-7 * std::max(std::fabs(v[j]), 1.0);
        up[j] += step;
        gradient[j] = (cellVolume(withFreeValues(model.cell, up)) - out.volume) / step;
    }
    double variance = 0.0;
    for (int j = 0; j < cellCount; ++j)
        for (int i = 0; i < cellCount; ++i)
            variance += gradient[j] * gradient[i] * (inverted ? covariance[j][i] : std::nan(""));
    out.volumeSe = std::sqrt(variance * s2);
    const double lambda = *set.lambda;
    for (std::size_t i = 0; i < assigned.size(); ++i) {
        const double tthObs = set.lines[assigned[i].line].tth;
        const double q = qOf(reciprocalMetric(model.cell), assigned[i].hkls.front());
        const double tthCalc = model.tth(assigned[i].hkls.front(), lambda);
        const double dCalc = 1 / std::sqrt(q);
        // The observed spacing is that of the corrected angle.
        const double dObs = dOfTth(tthObs - (tthCalc - tthOfD(dCalc, lambda)), lambda);
        out.indexed.push_back(
            {assigned[i].line, assigned[i].hkls, tthObs, tthCalc, dObs, dCalc, weights[i]});
    }
}

}  // namespace

double shiftedTth(double d, double lambda, double zero, double displacement) {
    const double tth = tthOfD(d, lambda);
    return tth + zero + displacement * std::cos(tth / 2 * kDeg);
}

CellRefinement refineCell(const LineSet& set, const Cell& start, const RefineSettings& settings) {
    CellRefinement out;
    out.cell = completed(start);
    Model model{out.cell, settings.zero, settings.displacement, settings.zeroStart, 0.0};
    const int parameters = static_cast<int>(model.values().size());
    // A start cell a little off misses the high lines by more than the tolerance: the first
    // rounds assign within a wider reach that narrows as the cell improves.
    auto reach = [&](int round) {
        return settings.tolerance * (round < kWiderRounds ? kWiderRounds - round + 1 : 1);
    };
    std::vector<Assigned> assigned = assign(set, model, reach(0), out.unindexed);
    for (int round = 0; round < kMaxAssignments + kWiderRounds; ++round) {
        if (static_cast<int>(assigned.size()) < parameters) {
            out.problem = std::to_string(assigned.size()) + " of " +
                          std::to_string(set.lines.size()) + " lines lie within " +
                          std::to_string(reach(round)).substr(0, 5) +
                          " degrees of a line of the cell: too few to refine " +
                          std::to_string(parameters) + " parameters";
            return out;
        }
        if (!solve(set, assigned, weightsOf(set, assigned), model)) {
            out.problem = "the lines cannot tell the parameters apart (singular normal matrix)";
            return out;
        }
        std::vector<int> unindexed;
        std::vector<Assigned> next = assign(set, model, reach(round + 1), unindexed);
        const bool settled = round + 1 >= kWiderRounds && sameAssignment(next, assigned);
        assigned = std::move(next);
        out.unindexed = std::move(unindexed);
        if (settled) break;
    }
    if (static_cast<int>(assigned.size()) < parameters) {
        out.problem = "too few lines index to refine the cell";
        return out;
    }
    report(set, assigned, weightsOf(set, assigned), model, out);
    return out;
}
