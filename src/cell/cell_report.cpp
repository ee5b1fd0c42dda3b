#include "cell/cell_report.h"

#include <cmath>
#include <cstdio>

#include "cell/cell_table.h"
#include "cell/reflections.h"
#include "pattern/safe_file.h"

namespace {

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string hklList(const std::vector<Hkl>& hkls) {
    std::string text;
    for (const Hkl& hkl : hkls) text += (text.empty() ? "" : ", ") + hklText(hkl);
    return text;
}

}  // namespace

std::string cellReportText(const std::string& source, const LineSet& set, const CellRefinement& r,
                           const Figures& figures) {
    std::string text =
        "xrdcell refinement of " + source + '\n' + set.radiation + '\n' +
        std::to_string(set.lines.size()) + " lines" +
        (everyLineWeighted(set) ? ", weighted by 1/tth_se^2\n" : ", equally weighted\n");
    text +=
        std::string("\n") + systemName(r.cell.system) + ' ' + centringName(r.cell.centring) + '\n';
    const std::vector<std::string> names = freeNames(r.cell.system);
    const std::vector<double> values = freeValues(r.cell);
    for (std::size_t j = 0; j < names.size(); ++j)
        text += "  " + names[j] + " = " + withEsd(values[j], r.se[j], 5) +
                (names[j] == "beta" ? " deg\n" : " A\n");
    text += "  volume = " + withEsd(r.volume, r.volumeSe, 3) + " A^3\n";
    text += "  zero = " + withEsd(r.zero, r.zeroSe, 4) +
            (std::isnan(r.zeroSe) ? " deg (held)\n" : " deg\n");
    if (!std::isnan(r.displacementSe))
        text += "  displacement = " + withEsd(r.displacement, r.displacementSe, 4) +
                " deg x cos(theta)\n";
    text += "  chi2 = " + formatted("%.4g", r.chi2) + " on " + std::to_string(r.dof) +
            " degrees of freedom\n";
    text += "  M" + std::to_string(figures.used) + " = " + formatted("%.1f", figures.m) + ", F" +
            std::to_string(figures.used) + " = " + formatted("%.1f", figures.f) + " (" +
            formatted("%.4f", figures.meanDelta) + ", " + std::to_string(figures.possible) + "), " +
            std::to_string(figures.indexed) + " of the first " + std::to_string(figures.used) +
            " lines indexed\n";
    text += "\n  h k l\t2theta_obs\t2theta_calc\tdiff\td_obs\td_calc\tweight\n";
    for (const LineFit& line : r.indexed)
        text += "  " + hklList(line.hkls) + '\t' + formatted("%.4f", line.tthObs) + '\t' +
                formatted("%.4f", line.tthCalc) + '\t' +
                formatted("%.4f", line.tthObs - line.tthCalc) + '\t' +
                formatted("%.5f", line.dObs) + '\t' + formatted("%.5f", line.dCalc) + '\t' +
                formatted("%.4g", line.weight) + '\n';
    text += "\nunindexed lines:";
    if (r.unindexed.empty()) text += " none";
    for (const int i : r.unindexed) text += ' ' + formatted("%.4f", set.lines[i].tth);
    return text + '\n';
}

std::optional<std::string> writeCellReport(const std::string& path, const std::string& text) {
    SafeFile file = SafeFile::replacing(path);
    if (file.file()) std::fputs(text.c_str(), file.file());
    if (file.commit()) return std::nullopt;
    return file.failure();
}
