#include "cell/cell_table.h"

#include <cmath>
#include <cstdio>

namespace {

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string esd(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3e", value);
    return text;
}

std::string indexedText(const Figures& figures) {
    return std::to_string(figures.indexed) + '/' + std::to_string(figures.used);
}

// The cell's columns from `system` to `gamma`, each followed by its esd when `se` is given.
std::string cellColumns(const Cell& cell, const std::vector<double>* se) {
    const std::vector<std::string> names = freeNames(cell.system);
    auto seOf = [&](const char* name) -> std::string {
        if (!se) return "";
        for (std::size_t j = 0; j < names.size(); ++j)
            if (names[j] == name) return '\t' + esd((*se)[j]);
        return "";
    };
    return std::string(systemName(cell.system)) + '\t' + centringName(cell.centring) + '\t' +
           fixed(cell.a, 5) + seOf("a") + '\t' + fixed(cell.b, 5) + seOf("b") + '\t' +
           fixed(cell.c, 5) + seOf("c") + '\t' + fixed(cell.alpha, 3) + '\t' + fixed(cell.beta, 3) +
           seOf("beta") + '\t' + fixed(cell.gamma, 3);
}

std::string cellHeads(CrystalSystem system, bool withSe) {
    const std::vector<std::string> names = freeNames(system);
    auto seOf = [&](const char* name) -> std::string {
        if (!withSe) return "";
        for (const std::string& free : names)
            if (free == name) return std::string("\t") + name + "_se";
        return "";
    };
    return std::string("system\tcentring\ta") + seOf("a") + "\tb" + seOf("b") + "\tc" + seOf("c") +
           "\talpha\tbeta" + seOf("beta") + "\tgamma";
}

}  // namespace

std::string solutionsHeader() {
    return "rank\t" + cellHeads(CrystalSystem::Cubic, false) +
           "\tvolume\tzero\tM20\tF_N\tindexed\tN_calc\tdelta_tth\n";
}

std::string solutionRow(int rank, const Solution& s) {
    return std::to_string(rank) + '\t' + cellColumns(s.cell, nullptr) + '\t' +
           fixed(cellVolume(s.cell), 3) + '\t' + fixed(s.zero, 4) + '\t' + fixed(s.figures.m, 1) +
           '\t' + fixed(s.figures.f, 1) + '\t' + indexedText(s.figures) + '\t' +
           std::to_string(s.figures.possible) + '\t' + fixed(s.figures.meanDelta, 4) + '\n';
}

std::string refinedHeader(const CellRefinement& refined) {
    std::string head = "rank\t" + cellHeads(refined.cell.system, true) + "\tvolume\tvolume_se" +
                       "\tzero" + (std::isnan(refined.zeroSe) ? "" : "\tzero_se");
    if (!std::isnan(refined.displacementSe)) head += "\tdisplacement\tdisplacement_se";
    return head + "\tM20\tF_N\tindexed\tchi2\tdof\n";
}

std::string refinedRow(const CellRefinement& r, const Figures& figures) {
    std::string row = "1\t" + cellColumns(r.cell, &r.se) + '\t' + fixed(r.volume, 3) + '\t' +
                      esd(r.volumeSe) + '\t' + fixed(r.zero, 4) +
                      (std::isnan(r.zeroSe) ? "" : '\t' + esd(r.zeroSe));
    if (!std::isnan(r.displacementSe))
        row += '\t' + fixed(r.displacement, 4) + '\t' + esd(r.displacementSe);
    char chi2[32];
    std::snprintf(chi2, sizeof chi2, "%.4g", r.chi2);
    return row + '\t' + fixed(figures.m, 1) + '\t' + fixed(figures.f, 1) + '\t' +
           indexedText(figures) + '\t' + chi2 + '\t' + std::to_string(r.dof) + '\n';
}

std::string withEsd(double value, double e, int decimals) {
    if (!(std::isfinite(e) && e > 0.0)) return fixed(value, decimals);
    // Two significant digits of the esd when they begin with 1, else one.
    int places = static_cast<int>(std::ceil(-std::log10(e)));
    if (e * std::pow(10.0, places) < 2.0) ++places;
    places = std::max(places, 0);
    const long digits = std::lround(e * std::pow(10.0, places));
    return fixed(value, places) + '(' + std::to_string(digits) + ')';
}
