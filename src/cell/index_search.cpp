#include "cell/index_search.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

#include "cell/lattice_identity.h"
#include "cell/reflections.h"
#include "cell/trial_forms.h"
#include "lsq/square_inverse.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kDeg = std::numbers::pi / 180.0;
// The error a trial's lines may carry: the measurement's and a zero shift, degrees.
constexpr double kTrialLineError = 0.06;
// A trial may give at most this many lines per observed one up to the last: more, and any
// set of lines indexes by chance.
constexpr double kMostLinesPerLine = 8.0;
// A solution may give at most this many lines per observed one up to the last: with more,
// a few lines fit by chance so closely that M_N cannot tell it from the true cell.
constexpr double kMostPossiblePerLine = 4.0;
constexpr int kCheckedLines = 12;  // the lowest lines a trial must index before it is refined
constexpr double kSameLattice = 0.003;
// No crystal has lattice points closer than atoms can be: a cell with a shorter lattice
// vector (Å) only fits a few lines by its many free parameters.
constexpr double kShortestVector = 2.0;
constexpr double kSeenResolution = 0.002;  // trials closer than this (relative) are one
constexpr int kClockEvery = 4096;          // trials between looks at the clock

struct LineData {
    std::vector<double> tth, q, slope;  // slope: dQ/d(two-theta) per degree
    double lambda;
};

LineData lineData(const std::vector<double>& tth, double lambda) {
    LineData data{tth, {}, {}, lambda};
    for (const double t : tth) {
        const double theta = t / 2 * kDeg;
        data.q.push_back(std::pow(2 * std::sin(theta) / lambda, 2));
        data.slope.push_back(2 * std::sin(2 * theta) / (lambda * lambda) * kDeg);
    }
    return data;
}

// How many reciprocal lattice points of a general hkl fall on one line.
double lauePoints(CrystalSystem system) {
    switch (system) {
        case CrystalSystem::Cubic:
            return 48;
        case CrystalSystem::Tetragonal:
            return 16;
        case CrystalSystem::Hexagonal:
            return 24;
        case CrystalSystem::Orthorhombic:
            return 8;
        case CrystalSystem::Monoclinic:
            return 4;
    }
    return 2;
}

// Solves the n x n system in place (partial pivoting); false when it is singular.
bool solveSmall(int n, double m[4][5]) {
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int r = col + 1; r < n; ++r)
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) pivot = r;
        if (std::fabs(m[pivot][col]) < 1e-9) return false;
        if (pivot != col)
            for (int c = 0; c <= n; ++c) std::swap(m[col][c], m[pivot][c]);
        for (int r = 0; r < n; ++r) {
            if (r == col) continue;
            const double f = m[r][col] / m[col][col];
            for (int c = col; c <= n; ++c) m[r][c] -= f * m[col][c];
        }
    }
    for (int r = 0; r < n; ++r) m[r][n] /= m[r][r];
    return true;
}

class Search {
  public:
    Search(const LineData& data, const IndexSettings& settings, Clock::time_point deadline)
        : data_(data), settings_(settings), deadline_(deadline) {}

    // Every trial of the system; false when the time limit ended it.
    bool run(CrystalSystem system) {
        system_ = system;
        m_ = freeCount(system);
        base_ = trialHkls(system);
        seen_.clear();  // the terms mean other things in another system
        refined_.clear();
        const int lines = std::min(trialLineCount(system), static_cast<int>(data_.q.size()));
        std::vector<int> chosen(m_);
        return lineSets(0, 0, lines, chosen);
    }

    std::vector<Solution>& solutions() { return solutions_; }

  private:
    // Every set of m_ lines among the lowest `lines`, ascending.
    bool lineSets(int depth, int from, int lines, std::vector<int>& chosen) {
        if (depth == m_) {
            std::vector<int> hkls(m_);
            return hklSets(0, chosen, hkls);
        }
        for (int i = from; i < lines; ++i) {
            chosen[depth] = i;
            if (!lineSets(depth + 1, i + 1, lines, chosen)) return false;
        }
        return true;
    }

    // Every assignment of distinct trial hkl to the chosen lines.
    bool hklSets(int depth, const std::vector<int>& lines, std::vector<int>& hkls) {
        if (depth == m_) return trial(lines, hkls);
        for (int j = 0; j < static_cast<int>(base_.size()); ++j) {
            if (std::find(hkls.begin(), hkls.begin() + depth, j) != hkls.begin() + depth) continue;
            hkls[depth] = j;
            if (!hklSets(depth + 1, lines, hkls)) return false;
        }
        return true;
    }

    bool trial(const std::vector<int>& lines, const std::vector<int>& hkls) {
        if (++trials_ % kClockEvery == 0 && Clock::now() > deadline_) return false;
        double m[4][5];
        for (int r = 0; r < m_; ++r) {
            const Terms t = termsOf(system_, base_[hkls[r]]);
            for (int c = 0; c < m_; ++c) m[r][c] = t[c];
            m[r][m_] = data_.q[lines[r]];
        }
        if (!solveSmall(m_, m)) return true;
        double p[4] = {0, 0, 0, 0};
        for (int r = 0; r < m_; ++r) p[r] = m[r][m_];
        if (!canonical(p)) return true;
        const std::optional<Cell> cell = cellOfTerms(system_, p);
        if (!cell || !fewEnoughLines(*cell)) return true;
        double relative = 0.0;  // how far the trial's Q may be off, as a fraction
        for (const int line : lines)
            relative = std::max(relative, 2 * data_.slope[line] * kTrialLineError / data_.q[line]);
        if (indexesLowest(*cell, relative) && seenFirst(p)) refine(*cell);
        return true;
    }

    // Of the trials that differ by the order of the axes, the one with a <= b <= c in
    // orthorhombic, a <= c in monoclinic: the others give the same lattice.
    bool canonical(const double* p) const {
        if (system_ == CrystalSystem::Orthorhombic) return p[0] >= p[1] && p[1] >= p[2];
        if (system_ == CrystalSystem::Monoclinic) return p[0] >= p[2];
        return true;
    }

    // A cell whose lines up to the last observed one would be too many to mean anything.
    bool fewEnoughLines(const Cell& cell) const {
        const double q = std::sqrt(data_.q.back());
        // Reciprocal lattice points in the sphere, over the points one line holds.
        const double points = 4.0 / 3.0 * std::numbers::pi * q * q * q * cellVolume(cell);
        return points / lauePoints(system_) <=
               kMostLinesPerLine * static_cast<double>(data_.q.size());
    }

    bool seenFirst(const double* p) {
        std::array<long, 4> key{};
        for (int j = 0; j < m_; ++j)
            key[j] = std::lround(std::log(std::fabs(p[j]) + 1e-12) / kSeenResolution);
        return seen_.insert(key).second;
    }

    // Whether the lowest lines all but the impurities lie near a line of the trial; most
    // trials fail on their first lines.
    bool indexesLowest(const Cell& cell, double relative) const {
        const int n = std::min(kCheckedLines, static_cast<int>(data_.q.size()));
        const Metric metric = reciprocalMetric(cell);
        int misses = 0;
        for (int i = 0; i < n; ++i) {
            const double allowed = data_.slope[i] * kTrialLineError + relative * data_.q[i];
            if (!nearLine(cell, metric, data_.q[i], allowed) && ++misses > settings_.impurities)
                return false;
        }
        return true;
    }

    // Whether some hkl has |Q(hkl) - q| <= allowed: over h and k, the l nearest the roots of
    // the quadratic Q(h, k, l) = q and nearest its vertex.
    static bool nearLine(const Cell& cell, const Metric& m, double q, double allowed) {
        const double s = std::sqrt(q + allowed);
        const int hm = static_cast<int>(cell.a * s), km = static_cast<int>(cell.b * s);
        for (int h = 0; h <= hm; ++h)
            for (int k = -km; k <= km; ++k) {
                const double b = m.E * h + m.F * k;
                const double c0 = m.A * h * h + m.B * k * k + m.D * h * k - q;
                const double vertex = -b / (2 * m.C);
                const double disc = b * b - 4 * m.C * c0;
                const double root = disc > 0.0 ? std::sqrt(disc) / (2 * m.C) : 0.0;
                for (const double l : {vertex - root, vertex + root}) {
                    const double li = std::round(l);
                    if (h == 0 && k == 0 && li == 0.0) continue;
                    if (std::fabs(m.C * li * li + b * li + c0) <= allowed) return true;
                }
            }
        return false;
    }

    // Least squares of the terms and a zero shift on the lines assigned to the trial's
    // nearest lines: first within the trial's reach, where the lines far above the trial's
    // own come in as the fit improves, then within the tolerance. A trial that still leaves
    // more lines than the impurities and two more is dropped on the way.
    void refine(Cell cell) {
        double zero = 0.0;
        const int n = static_cast<int>(data_.tth.size());
        const int enough = n - settings_.impurities - 2;
        if (!fitTerms(cell, zero, 2 * kTrialLineError, m_ + 2)) return;
        if (!fitTerms(cell, zero, 2 * kTrialLineError, enough)) return;
        if (!fitTerms(cell, zero, settings_.tolerance, enough)) return;
        if (!refinedFirst(cell)) return;
        keep(cell, zero);
    }

    // Trials that refine to one cell are kept once.
    bool refinedFirst(const Cell& cell) {
        const std::vector<double> v = freeValues(cell);
        std::array<long, 4> key{};
        for (std::size_t j = 0; j < v.size(); ++j)
            key[j] = std::lround(std::log(v[j]) / kSameLattice);
        return refined_.insert(key).second;
    }

    // Two-theta of the trial's lines up to `top`, ascending, each with one of its hkl.
    bool trialLines(const Cell& cell, double top, std::vector<double>& tths,
                    std::vector<Hkl>& hkls) const {
        const double qTop = std::pow(2 * std::sin(top / 2 * kDeg) / data_.lambda, 2);
        const Metric metric = reciprocalMetric(cell);
        const double s = std::sqrt(qTop);
        const int hm = static_cast<int>(cell.a * s), km = static_cast<int>(cell.b * s),
                  lm = static_cast<int>(cell.c * s);
        std::vector<std::pair<double, Hkl>> lines;
        // Twice the hkl that fewEnoughLines lets a trial have: a refined cell may grow a little.
        const std::size_t most = static_cast<std::size_t>(2 * kMostLinesPerLine *
                                                          lauePoints(system_) * data_.tth.size());
        for (int h = 0; h <= hm; ++h)
            for (int k = -km; k <= km; ++k)
                for (int l = -lm; l <= lm; ++l) {
                    const double q = qOf(metric, {h, k, l});
                    if (q > qTop || q <= 0.0) continue;
                    lines.push_back({q, {h, k, l}});
                    if (lines.size() > most) return false;
                }
        std::sort(lines.begin(), lines.end(),
                  [](const auto& x, const auto& y) { return x.first < y.first; });
        tths.clear();
        hkls.clear();
        for (const auto& [q, hkl] : lines) {
            tths.push_back(2 * std::asin(std::min(data_.lambda * std::sqrt(q) / 2, 1.0)) / kDeg);
            hkls.push_back(hkl);
        }
        return true;
    }

    bool fitTerms(Cell& cell, double& zero, double reach, int fewest) const {
        const int n = static_cast<int>(data_.tth.size());
        std::vector<double> calcTth;
        std::vector<Hkl> calcHkl;
        if (!trialLines(cell, std::min(data_.tth.back() - zero + reach, 179.0), calcTth, calcHkl))
            return false;
        const int unknowns = m_ + 1;
        SquareMatrix normal(unknowns, std::vector<double>(unknowns, 0.0));
        std::vector<double> right(unknowns, 0.0);
        int assigned = 0;
        for (int i = 0; i < n; ++i) {
            const double corrected = data_.tth[i] - zero;
            const auto at = std::lower_bound(calcTth.begin(), calcTth.end(), corrected);
            std::ptrdiff_t best = -1;
            for (auto it : {at - 1, at})
                if (it >= calcTth.begin() && it < calcTth.end() &&
                    (best < 0 || std::fabs(*it - corrected) < std::fabs(calcTth[best] - corrected)))
                    best = it - calcTth.begin();
            if (best < 0 || std::fabs(calcTth[best] - corrected) > reach) continue;
            ++assigned;
            const Terms t = termsOf(system_, calcHkl[best]);
            double row[5];
            for (int j = 0; j < m_; ++j) row[j] = t[j];
            row[m_] = data_.slope[i];
            const double w = 1 / (data_.slope[i] * data_.slope[i]);
            for (int j = 0; j < unknowns; ++j) {
                right[j] += w * row[j] * data_.q[i];
                for (int k = 0; k < unknowns; ++k) normal[j][k] += w * row[j] * row[k];
            }
        }
        if (assigned < std::max(fewest, m_ + 2)) return false;
        SquareMatrix inverse;
        if (!invertNormalMatrix(normal, inverse)) return false;
        double p[5] = {0, 0, 0, 0, 0};
        for (int j = 0; j < unknowns; ++j)
            for (int k = 0; k < unknowns; ++k) p[j] += inverse[j][k] * right[k];
        const std::optional<Cell> refined = cellOfTerms(system_, p);
        if (!refined || std::fabs(p[m_]) > 1.0) return false;
        cell = *refined;
        zero = p[m_];
        return true;
    }

    // The refined trial with the centring that fits best, in its conventional setting, unless
    // its lattice is listed already with a figure as good. Of the centrings that index all
    // but the allowed impurities, the one with the highest M_N: a line the centring's
    // absences leave out may be the impurity, which a lattice of more lines indexes by
    // chance. Without any such, the one that indexes most lines.
    void keep(const Cell& primitive, double zero) {
        Solution best{primitive, zero, {}};
        bool first = true;
        for (const Centring centring : centringsOf(system_)) {
            Cell cell = primitive;
            cell.centring = centring;
            const Solution candidate{
                cell, zero,
                figuresOfMerit(data_.tth, data_.lambda, cell, zero, settings_.tolerance)};
            if (first || fitsBetter(candidate, best)) {
                best = candidate;
                first = false;
            }
        }
        if (best.figures.indexed < best.figures.used - settings_.impurities - 2 ||
            best.figures.possible > kMostPossiblePerLine * best.figures.used)
            return;
        best.cell = conventionalCell(best.cell);
        const LatticePrint print = latticePrint(best.cell);
        if (print.shortest.front() < kShortestVector * kShortestVector) return;
        for (std::size_t i = 0; i < solutions_.size(); ++i) {
            if (!sameLattice(prints_[i], print, kSameLattice)) continue;
            // The same lattice: the higher system stays, else the better figure.
            const Solution& listed = solutions_[i];
            if (listed.cell.system < best.cell.system) return;
            if (listed.cell.system == best.cell.system && !better(best, listed)) return;
            solutions_[i] = best;
            prints_[i] = print;
            return;
        }
        solutions_.push_back(best);
        prints_.push_back(print);
    }

    // Which of two centrings of one trial keep() lists.
    bool fitsBetter(const Solution& x, const Solution& y) const {
        const bool allX = indexesAll(x, settings_.impurities),
                   allY = indexesAll(y, settings_.impurities);
        if (allX != allY) return allX;
        if (allX) return x.figures.m > y.figures.m;
        return better(x, y);
    }

  public:
    static bool better(const Solution& x, const Solution& y) {
        if (x.figures.indexed != y.figures.indexed) return x.figures.indexed > y.figures.indexed;
        return x.figures.m > y.figures.m;
    }

  private:
    const LineData& data_;
    const IndexSettings& settings_;
    Clock::time_point deadline_;
    CrystalSystem system_ = CrystalSystem::Cubic;
    int m_ = 1;
    std::vector<Hkl> base_;
    std::set<std::array<long, 4>> seen_, refined_;
    long trials_ = 0;
    std::vector<Solution> solutions_;
    std::vector<LatticePrint> prints_;
};

}  // namespace

double rankingFigure(const Solution& solution) {
    const double share = static_cast<double>(solution.figures.indexed) / solution.figures.used;
    return solution.figures.m * share * share;
}

bool indexesAll(const Solution& solution, int impurities) {
    return solution.figures.indexed >= solution.figures.used - impurities;
}

IndexOutcome indexLines(const std::vector<double>& tth, double lambda,
                        const IndexSettings& settings) {
    const Clock::time_point start = Clock::now();
    const auto deadline = start + std::chrono::duration_cast<Clock::duration>(
                                      std::chrono::duration<double>(settings.seconds));
    const std::vector<double> used(tth.begin(),
                                   tth.begin() + std::min<std::size_t>(tth.size(), settings.lines));
    const LineData data = lineData(used, lambda);
    Search search(data, settings, deadline);
    IndexOutcome outcome;
    for (const CrystalSystem system : kAllSystems) {
        if (std::find(settings.systems.begin(), settings.systems.end(), system) ==
            settings.systems.end())
            continue;
        const std::vector<Solution>& found = search.solutions();
        const bool convincing = std::any_of(found.begin(), found.end(), [&](const Solution& s) {
            return indexesAll(s, settings.impurities) && s.figures.m >= kConvincingM &&
                   s.figures.possible <= kConvincingLines * s.figures.used;
        });
        if (convincing && system == CrystalSystem::Monoclinic && !settings.everySystem) break;
        if (!search.run(system)) {
            outcome.stoppedEarly = true;
            outcome.stoppedIn = system;
            break;
        }
    }
    outcome.solutions = std::move(search.solutions());
    std::stable_sort(outcome.solutions.begin(), outcome.solutions.end(),
                     [&](const Solution& x, const Solution& y) {
                         const bool ax = indexesAll(x, settings.impurities),
                                    ay = indexesAll(y, settings.impurities);
                         if (ax != ay) return ax;
                         return rankingFigure(x) > rankingFigure(y);
                     });
    outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return outcome;
}
