#include "python/py_cell.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>

#include "cell/cell_refinement.h"
#include "cell/cell_text.h"
#include "cell/index_search.h"
#include "cell/line_sources.h"
#include "cell/reflections.h"
#include "python/arguments.h"
#include "python/errors.h"
#include "python/py_pattern.h"

namespace py = pybind11;

namespace {

// The lines of a source: a file xrdcell reads, or a sequence of two-theta values (then the
// radiation is needed).
LineSet linesOf(const py::object& source, const py::object& radiation) {
    ImportRequest input;
    if (!radiation.is_none()) input.radiation.given = radiationArgument(radiation);
    if (isPath(source)) {
        const LineRead read = readLineSource(pathArgument(source, "source"), input);
        if (!read.error.empty()) throw ReadError(read.error);
        return read.set;
    }
    LineSet set;
    for (const py::handle value : argumentAs<py::sequence>(source, "source",
                                                           "a file name or a "
                                                           "sequence of numbers"))
        set.lines.push_back({argumentAs<double>(value, "source", "a sequence of numbers")});
    std::sort(set.lines.begin(), set.lines.end(),
              [](const ObservedLine& x, const ObservedLine& y) { return x.tth < y.tth; });
    if (static_cast<int>(set.lines.size()) < kFewestLines)
        throw PatternError("source: " + std::to_string(set.lines.size()) +
                           " lines; at least 4 are needed");
    for (const ObservedLine& line : set.lines)
        if (!(line.tth > 0.0 && line.tth < 180.0))
            throw PatternError("source: two-theta " + std::to_string(line.tth) +
                               " does not lie between 0 and 180 degrees");
    if (!input.radiation.given)
        throw PatternError("source: no radiation is known for its two-theta values");
    set.lambda = input.radiation.given->lambda1;
    return set;
}

py::dict cellDict(const Cell& cell) {
    py::dict row;
    row["system"] = systemName(cell.system);
    row["centring"] = centringName(cell.centring);
    row["a"] = cell.a, row["b"] = cell.b, row["c"] = cell.c;
    row["alpha"] = cell.alpha, row["beta"] = cell.beta, row["gamma"] = cell.gamma;
    row["volume"] = cellVolume(cell);
    return row;
}

py::list indexSource(const py::object& source, const py::object& radiation, int lines,
                     int impurities, const py::object& systems) {
    const LineSet set = linesOf(source, radiation);
    IndexSettings settings;
    settings.lines = lines;
    settings.impurities = impurities;
    if (!systems.is_none()) {
        settings.systems.clear();
        settings.everySystem = true;
        for (const py::handle name : argumentAs<py::sequence>(systems, "systems", "a sequence")) {
            CrystalSystem system;
            bool rhombohedral = false;
            const std::string text = argumentAs<std::string>(name, "systems", "names");
            if (!systemFromName(text, system, rhombohedral))
                throw py::value_error("systems: unknown system '" + text + "'");
            settings.systems.push_back(system);
        }
    }
    std::vector<double> tth;
    for (const ObservedLine& line : set.lines)
        if (static_cast<int>(tth.size()) < lines) tth.push_back(line.tth);
    IndexOutcome outcome;
    {
        py::gil_scoped_release released;
        outcome = indexLines(tth, *set.lambda, settings);
    }
    py::list solutions;
    int rank = 0;
    for (const Solution& s : outcome.solutions) {
        py::dict row = cellDict(s.cell);
        row["rank"] = ++rank;
        row["zero"] = s.zero;
        row["M20"] = s.figures.m;
        row["F_N"] = s.figures.f;
        row["indexed"] = std::to_string(s.figures.indexed) + '/' + std::to_string(s.figures.used);
        row["stopped_early"] = outcome.stoppedEarly;
        solutions.append(row);
    }
    return solutions;
}

py::dict refineSource(const py::object& source, const std::string& cellText, bool zero,
                      bool displacement, const py::object& radiation) {
    const LineSet set = linesOf(source, radiation);
    std::string error;
    const std::optional<Cell> cell = parseCellText(cellText, error);
    if (!cell) throw py::value_error("cell: " + error);
    RefineSettings settings;
    settings.zero = zero;
    settings.displacement = displacement;
    const CellRefinement r = refineCell(set, *cell, settings);
    if (!r.problem.empty()) throw PatternError("the cell cannot be refined: " + r.problem);
    py::dict out = cellDict(r.cell);
    const std::vector<std::string> names = freeNames(r.cell.system);
    for (std::size_t j = 0; j < names.size(); ++j) out[(names[j] + "_se").c_str()] = r.se[j];
    out["volume_se"] = r.volumeSe;
    out["zero"] = r.zero, out["zero_se"] = r.zeroSe;
    out["displacement"] = r.displacement, out["displacement_se"] = r.displacementSe;
    out["chi2"] = r.chi2, out["dof"] = r.dof;
    std::vector<double> tthObs, tthCalc, dObs, dCalc, weight;
    std::vector<std::string> hkl;
    for (const LineFit& line : r.indexed) {
        tthObs.push_back(line.tthObs), tthCalc.push_back(line.tthCalc);
        dObs.push_back(line.dObs), dCalc.push_back(line.dCalc), weight.push_back(line.weight);
        std::string text;
        for (const Hkl& m : line.hkls) text += (text.empty() ? "" : ", ") + hklText(m);
        hkl.push_back(text);
    }
    py::dict table;
    table["hkl"] = py::cast(hkl);
    table["tth_obs"] = py::array(py::cast(tthObs));
    table["tth_calc"] = py::array(py::cast(tthCalc));
    table["d_obs"] = py::array(py::cast(dObs));
    table["d_calc"] = py::array(py::cast(dCalc));
    table["weight"] = py::array(py::cast(weight));
    out["lines"] = table;
    std::vector<double> unindexed;
    for (const int i : r.unindexed) unindexed.push_back(set.lines[i].tth);
    out["unindexed"] = py::array(py::cast(unindexed));
    return out;
}

}  // namespace

void bindCell(py::module_& m) {
    m.def("index", &indexSource, py::arg("source"), py::kw_only(),
          py::arg("radiation") = py::none(), py::arg("lines") = 20, py::arg("impurities") = 1,
          py::arg("systems") = py::none(),
          R"(The ranked cells that index the first `lines` lines of source, as xrdcell lists
them: a list of dicts with rank, system, centring, a, b, c, alpha, beta, gamma, volume, zero,
M20, F_N, indexed ("N/M") and stopped_early. source: a file xrdcell reads, or a sequence of
two-theta values (radiation needed). systems: names to search, each of them.)");
    m.def("refine_cell", &refineSource, py::arg("source"), py::arg("cell"), py::kw_only(),
          py::arg("zero") = true, py::arg("displacement") = false,
          py::arg("radiation") = py::none(),
          R"(The cell "SYSTEM [CENTRING] a [b c alpha beta gamma]" refined on source by weighted
least squares, as xrdcell --cell: a dict of the parameters with their _se, volume, zero,
displacement, chi2, dof, the per-line table "lines" (numpy columns) and "unindexed".)");
}
