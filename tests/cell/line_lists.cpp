#include "line_lists.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cell/reflections.h"

namespace {

Cell made(CrystalSystem system, Centring centring, double a, double b, double c,
          double beta = 90.0) {
    Cell cell;
    cell.system = system;
    cell.centring = centring;
    cell.a = a, cell.b = b, cell.c = c, cell.beta = beta;
    return completed(cell);
}

// Lines closer than this are one peak in a pattern.
constexpr double kMerged = 0.02;
// An impurity line lies at least this far from every line of the cell.
constexpr double kImpurityClearance = 0.15;

}  // namespace

const std::vector<KnownCell>& knownCells() {
    using S = CrystalSystem;
    using C = Centring;
    static const std::vector<KnownCell> cells{
        {"cubic P (CsCl)", made(S::Cubic, C::P, 4.123, 0, 0)},
        {"cubic I (W)", made(S::Cubic, C::I, 3.1652, 0, 0)},
        {"cubic F (Cu)", made(S::Cubic, C::F, 3.6149, 0, 0)},
        {"cubic F (NaCl)", made(S::Cubic, C::F, 5.6402, 0, 0)},
        {"tetragonal P (rutile)", made(S::Tetragonal, C::P, 4.5937, 0, 2.9587)},
        {"tetragonal I (anatase)", made(S::Tetragonal, C::I, 3.7845, 0, 9.5143)},
        {"hexagonal P (Zn)", made(S::Hexagonal, C::P, 2.6649, 0, 4.9468)},
        {"hexagonal P (ZnO)", made(S::Hexagonal, C::P, 3.2498, 0, 5.2066)},
        {"rhombohedral (calcite)", made(S::Hexagonal, C::R, 4.9896, 0, 17.0610)},
        {"orthorhombic P (aragonite)", made(S::Orthorhombic, C::P, 4.9614, 5.7404, 7.9671)},
        {"orthorhombic C", made(S::Orthorhombic, C::C, 3.6125, 6.9310, 7.8052)},
        {"orthorhombic I", made(S::Orthorhombic, C::I, 4.1187, 5.3301, 8.2216)},
        {"orthorhombic F", made(S::Orthorhombic, C::F, 5.8130, 7.2447, 9.6302)},
        {"monoclinic P", made(S::Monoclinic, C::P, 5.3120, 7.0845, 8.4113, 103.47)},
        {"monoclinic C", made(S::Monoclinic, C::C, 9.8210, 5.6236, 6.2145, 112.30)},
    };
    return cells;
}

LineDraw drawLines(const Cell& cell, const DrawSettings& settings, std::mt19937& random) {
    // Lines up to the back-reflection limit; the first `lines` of them after merging.
    const std::vector<CalculatedLine> calc =
        calculatedLines(cell, std::pow(2 / settings.lambda, 2) * 0.97);
    std::vector<double> exact;
    for (const CalculatedLine& line : calc) {
        const double tth = tthOfD(1 / std::sqrt(line.q), settings.lambda);
        if (tth < 8.0) continue;
        if (!exact.empty() && tth - exact.back() < kMerged) continue;
        exact.push_back(tth);
        if (static_cast<int>(exact.size()) == settings.lines) break;
    }
    std::normal_distribution<double> error(0.0, settings.sigma);
    std::uniform_real_distribution<double> zero(-settings.largestZero, settings.largestZero);
    LineDraw draw;
    draw.zero = zero(random);
    for (const double tth : exact) draw.tth.push_back(tth + draw.zero + error(random));
    std::uniform_real_distribution<double> place(exact.front(), exact.back());
    for (int i = 0; i < settings.impurities; ++i) {
        for (int attempt = 0; attempt < 1000; ++attempt) {
            const double tth = place(random);
            const bool clear = std::none_of(exact.begin(), exact.end(), [&](double x) {
                return std::fabs(x - tth) < kImpurityClearance;
            });
            if (!clear) continue;
            draw.impurities.push_back(tth);
            draw.tth.push_back(tth);
            break;
        }
    }
    std::sort(draw.tth.begin(), draw.tth.end());
    return draw;
}

std::string lineListText(const std::vector<double>& tth) {
    std::string text;
    for (const double t : tth) {
        char line[32];
        std::snprintf(line, sizeof line, "%.4f\n", t);
        text += line;
    }
    return text;
}

CellRefinement refineSolution(const LineDraw& draw, double lambda, const Solution& solution) {
    LineSet set;
    for (const double tth : draw.tth) set.lines.push_back({tth});
    set.lambda = lambda;
    RefineSettings refine;
    refine.zeroStart = solution.zero;
    return refineCell(set, solution.cell, refine);
}
