// Indexing and refinement on generated line lists of known cells: for each cell, draws of
// its first lines with 0.01 degree errors, a zero shift up to 0.05 degrees and one impurity
// line. Reports per system how often the true lattice is among the first three solutions,
// how often the refined parameters lie within 0.02 % of the truth, the ratio of the mean
// esd to the scatter of the refined values over the draws, and the time per search.
//
// bench_cell [DRAWS]   (default 20 draws per cell)

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include "cell/cell_refinement.h"
#include "cell/index_search.h"
#include "cell/lattice_identity.h"
#include "cell/line_lists.h"

namespace {

constexpr double kWithin = 2e-4;  // 0.02 %
constexpr int kFirst = 3;

struct Tally {
    int draws = 0, found = 0, refined = 0;
    double seconds = 0.0, slowest = 0.0;
    double ratioSum = 0.0;
    int ratios = 0;
};

// The scatter of each refined value over the draws, against the mean of its esds.
struct Spread {
    std::vector<std::vector<double>> values, esds;
    void add(const std::vector<double>& v, const std::vector<double>& e) {
        values.resize(v.size());
        esds.resize(v.size());
        for (std::size_t j = 0; j < v.size(); ++j) {
            values[j].push_back(v[j]);
            esds[j].push_back(e[j]);
        }
    }
    // The mean over the parameters of mean esd / standard deviation.
    double ratio() const {
        double sum = 0.0;
        int n = 0;
        for (std::size_t j = 0; j < values.size(); ++j) {
            const std::vector<double>& v = values[j];
            if (v.size() < 3) continue;
            double mean = 0.0, esd = 0.0, var = 0.0;
            for (std::size_t i = 0; i < v.size(); ++i) mean += v[i], esd += esds[j][i];
            mean /= v.size();
            esd /= v.size();
            for (const double x : v) var += (x - mean) * (x - mean);
            const double sd = std::sqrt(var / (v.size() - 1));
            if (sd > 0.0) sum += esd / sd, ++n;
        }
        return n ? sum / n : std::nan("");
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int draws = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    DrawSettings drawing;
    IndexSettings settings;
    std::map<CrystalSystem, Tally> tallies;
    std::printf("cell\tfound\trefined\tesd/scatter\tmean_s\tslowest_s\n");
    for (const KnownCell& known : knownCells()) {
        std::mt19937 random(12345);
        Tally tally;
        Spread spread;
        const LatticePrint truth = latticePrint(known.cell);
        for (int d = 0; d < draws; ++d) {
            const LineDraw draw = drawLines(known.cell, drawing, random);
            const IndexOutcome outcome = indexLines(draw.tth, drawing.lambda, settings);
            ++tally.draws;
            tally.seconds += outcome.seconds;
            tally.slowest = std::max(tally.slowest, outcome.seconds);
            const int listed = std::min<int>(kFirst, outcome.solutions.size());
            for (int s = 0; s < listed; ++s) {
                const Solution& solution = outcome.solutions[s];
                if (!sameLattice(latticePrint(solution.cell), truth, 0.003)) continue;
                ++tally.found;
                const CellRefinement result = refineSolution(draw, drawing.lambda, solution);
                if (!result.problem.empty()) break;
                const std::vector<double> got = freeValues(result.cell),
                                          want = freeValues(known.cell);
                bool within = true;
                for (std::size_t j = 0; j < got.size(); ++j)
                    within = within && std::fabs(got[j] - want[j]) <= kWithin * want[j];
                if (within) ++tally.refined;
                spread.add(got, result.se);
                break;
            }
        }
        std::printf("%s\t%d/%d\t%d/%d\t%.2f\t%.3f\t%.3f\n", known.name.c_str(), tally.found,
                    tally.draws, tally.refined, tally.draws, spread.ratio(),
                    tally.seconds / tally.draws, tally.slowest);
        std::fflush(stdout);
        Tally& total = tallies[known.cell.system];
        total.draws += tally.draws;
        total.found += tally.found;
        total.refined += tally.refined;
        total.seconds += tally.seconds;
        total.slowest = std::max(total.slowest, tally.slowest);
        const double ratio = spread.ratio();
        if (std::isfinite(ratio)) total.ratioSum += ratio, ++total.ratios;
    }
    std::printf("\nsystem\tsuccess_%%\trefined_%%\tesd/scatter\tmean_s\tslowest_s\n");
    for (const auto& [system, t] : tallies)
        std::printf("%s\t%.1f\t%.1f\t%.2f\t%.3f\t%.3f\n", systemName(system),
                    100.0 * t.found / t.draws, 100.0 * t.refined / t.draws,
                    t.ratios ? t.ratioSum / t.ratios : std::nan(""), t.seconds / t.draws,
                    t.slowest);
    return 0;
}
