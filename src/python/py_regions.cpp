#include "python/py_regions.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>

#include "batch/cdt_plan.h"
#include "batch/fit_file_plan.h"
#include "batch/plan_file.h"
#include "batch/plan_text.h"
#include "points/background_files.h"
#include "points/peak_position_files.h"
#include "python/arguments.h"
#include "python/errors.h"
#include "python/py_pattern.h"
#include "suggest/spacing_file.h"
#include "suggest/suggestions.h"

namespace py = pybind11;

namespace {

// The found peaks that size regions, and the pattern's span; RegionError without peaks.
std::vector<FoundPeak> peakWidths(const PyPattern& pattern, PatternSpan& span) {
    const std::unique_ptr<PatternStore> store = pattern.data->store();
    std::vector<FoundPeak> found;
    {
        py::gil_scoped_release unlocked;
        found = peaksForRegions(*store);
    }
    if (found.empty())
        throw RegionError((pattern.name.empty() ? "pattern" : pattern.name) +
                          ": shows no peak width to group the positions by");
    const double first = store->tth[0], last = store->tth[store->ilast];
    span = {std::min(first, last), std::max(first, last)};
    return found;
}

py::dict startDict(const StartValues& start) {
    py::dict out;
    py::list peaks;
    for (const PeakStart& peak : start.peaks)
        peaks.append(py::make_tuple(peak.position, peak.intensity, peak.fwhm));
    out["peaks"] = peaks;
    out["eta"] = start.eta;
    if (start.wor) out["wor"] = *start.wor;
    return out;
}

// (low, high, positions[, wor[, start]]), the tuple fit_series and fit take. A region placed
// by rule has its ends drawn in to the span, where a fit would draw them in.
py::tuple regionTuple(const Region& region, const std::optional<PatternSpan>& span) {
    double low = region.low, high = region.high;
    if (region.clipToPattern && span && region.positions.front() > span->low &&
        region.positions.back() < span->high) {
        low = std::max(low, span->low);
        high = std::min(high, span->high);
    }
    const py::object wor = region.wor ? py::cast(*region.wor) : py::none();
    if (region.start)
        return py::make_tuple(low, high, region.positions, wor, startDict(*region.start));
    if (region.wor) return py::make_tuple(low, high, region.positions, wor);
    return py::make_tuple(low, high, region.positions);
}

py::list tuplesOf(const Plan& plan, const std::optional<PatternSpan>& span) {
    py::list out;
    for (const Region& region : plan) out.append(regionTuple(region, span));
    return out;
}

// suggest()'s "peaks" dict (its "tth"), or positions.
std::vector<double> positionsOf(const py::object& peaks) {
    const py::object tth = py::isinstance<py::dict>(peaks) ? peaks.cast<py::dict>()["tth"] : peaks;
    auto positions =
        argumentAs<std::vector<double>>(tth, "peaks", "suggest()'s peaks or a list of positions");
    for (const double position : positions)
        if (!isTwoTheta(position))
            throw RegionError("the peak position " + std::to_string(position) +
                              " does not lie between 0 and 180 degrees");
    if (positions.empty()) throw RegionError("no peak positions");
    return positions;
}

py::list regionsFrom(const py::object& peaks, const PyPattern& pattern) {
    std::vector<double> positions = positionsOf(peaks);
    PatternSpan span;
    const std::vector<FoundPeak> found = peakWidths(pattern, span);
    return tuplesOf(planFromPositions(std::move(positions), found, span), span);
}

bool endsWith(const std::string& name, const std::string& tail) {
    return name.size() > tail.size() &&
           std::equal(tail.rbegin(), tail.rend(), name.rbegin(),
                      [](char a, char b) { return std::tolower(a) == b; });
}

py::list readRegionsFile(const py::object& path, const std::optional<PyPattern>& pattern) {
    const std::string name = pathArgument(path, "path");
    PlanRead read;
    std::optional<PatternSpan> span;
    if (endsWith(name, ".cdt")) {
        if (!pattern)
            throw py::value_error(name +
                                  ": a .cdt file's regions are sized by a pattern's peak "
                                  "widths: pattern= names it");
        PatternSpan measured;
        const std::vector<FoundPeak> found = peakWidths(*pattern, measured);
        span = measured;
        std::ifstream in(name);
        if (!in) throw ReadError(name + ": cannot be opened");
        read = readCdtPlan(in, name, found, span);
    } else {
        read = readPlanSource(name, endsWith(name, ".fit") ? readFitBlocks : readPlan);
    }
    if (!read.error.empty()) throw RegionError(read.error);
    return tuplesOf(read.plan, span);
}

struct Columns {
    std::vector<double> tth, values;
};

// tth and values (or a dict with "tth" and "counts" or "height"), at most a point list's.
Columns columnsOf(const py::object& tth, const py::object& values, bool valuesNeeded) {
    py::object xs = tth, ys = values;
    if (py::isinstance<py::dict>(tth)) {
        const auto given = tth.cast<py::dict>();
        xs = given["tth"];
        if (ys.is_none()) ys = given.contains("counts") ? given["counts"] : given["height"];
    }
    Columns columns;
    columns.tth = argumentAs<std::vector<double>>(xs, "tth", "a list of numbers");
    columns.values.assign(columns.tth.size(), 0.0);
    if (!ys.is_none())
        columns.values = argumentAs<std::vector<double>>(ys, "values", "a list of numbers");
    else if (valuesNeeded)
        throw py::value_error("this file needs values beside tth");
    if (columns.values.size() != columns.tth.size())
        throw py::value_error("tth holds " + std::to_string(columns.tth.size()) +
                              " values, values " + std::to_string(columns.values.size()));
    if (columns.tth.size() > static_cast<std::size_t>(kPointListCapacity))
        throw py::value_error("at most " + std::to_string(kPointListCapacity) +
                              " points, as the programs hold them, not " +
                              std::to_string(columns.tth.size()));
    for (std::size_t i = 0; i < columns.tth.size(); ++i)
        if (!std::isfinite(columns.tth[i]) || !std::isfinite(columns.values[i]))
            throw py::value_error("point " + std::to_string(i) + " is not a finite number");
    return columns;
}

PointList listOf(const Columns& columns) {
    PointList list;
    for (std::size_t i = 0; i < columns.tth.size(); ++i) {
        list.x[i] = static_cast<float>(columns.tth[i]);
        list.y[i] = static_cast<float>(columns.values[i]);
    }
    list.last = static_cast<int>(columns.tth.size()) - 1;
    return list;
}

void writePoints(const py::object& path, const py::object& tth, const py::object& values,
                 const py::object& radiation) {
    const std::string name = pathArgument(path, "path");
    const std::size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    std::optional<std::string> failure;
    if (extension == ".fbg" || extension == ".gbg") {
        const PointList list = listOf(columnsOf(tth, values, true));
        SafeFile file = writePointFile(name, list, pointFileKind(name, dot + 1));
        if (!file.commit()) failure = file.failure();
    } else if (extension == ".cdt") {
        failure = writePeakPositionFile(name, listOf(columnsOf(tth, values, false)));
    } else if (extension == ".dsp") {
        const std::optional<Radiation> lines = radiationArgument(radiation);
        if (!lines) throw py::value_error(name + ": a .dsp file's d needs radiation=");
        const Columns columns = columnsOf(tth, values, true);
        std::vector<FoundPeak> peaks(columns.tth.size());
        for (std::size_t i = 0; i < peaks.size(); ++i) {
            peaks[i].tth = columns.tth[i];
            peaks[i].height = columns.values[i];
        }
        std::sort(peaks.begin(), peaks.end(),
                  [](const FoundPeak& a, const FoundPeak& b) { return a.tth < b.tth; });
        failure = writeSpacingFile(name, peaks, lines->lambda1);
    } else {
        throw py::value_error(name + ": write_points writes .fbg, .gbg, .cdt and .dsp files");
    }
    if (failure) throw WriteError(*failure);
}

}  // namespace

void bindRegions(py::module_& m) {
    m.def("regions_from", &regionsFrom, py::arg("peaks"), py::arg("pattern"),
          R"(Regions around peak positions, by the rule xrdfit --cdt groups them with.

peaks: suggest()'s "peaks" or a list of positions; pattern: the pattern whose peak widths
size the regions (the width of the peak the search finds at a position, else the median).
Neighbours closer than 6 FWHMs of the wider peak are fitted together, at most 9 to a region;
each background end lies 3 of its outer peak's FWHMs outside it, never past halfway to the
next region's peak, and within the pattern. Returns (low, high, positions) tuples for fit()
and fit_series(). Raises RegionError when the pattern shows no peak.)");
    m.def("read_regions", &readRegionsFile, py::arg("path"), py::kw_only(),
          py::arg("pattern") = py::none(),
          R"(The regions of an xrdfit plan file, a .cdt peak position file or an xrdpick *.fit
results file, told by the extension, as xrdfit --plan, --cdt and --from-fit read them.

A .cdt file's positions are grouped as regions_from() groups them, sized by pattern's peak
widths (pattern= is needed). A *.fit file's blocks give start values: its tuples are
(low, high, positions, wor, start), which fit_series() and fit() take. Raises RegionError
naming the file and line that cannot be read.)");
    m.def("write_points", &writePoints, py::arg("path"), py::arg("tth"),
          py::arg("values") = py::none(), py::kw_only(), py::arg("radiation") = py::none(),
          R"(Writes points as the programs write them, the kind told by the extension: .fbg
(FullProf) or .gbg (GSAS) background points (tth, counts), .cdt peak positions (tth), .dsp
peaks for indexing programs (tth, height; d from radiation=). tth may be suggest()'s
"background" or "peaks" dict. At most 200 points, as the programs hold them. A file is
replaced only once written whole; raises WriteError naming it and the reason.)");
}
