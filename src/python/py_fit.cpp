#include "python/py_fit.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>

#include "batch/fit_options.h"
#include "batch/pattern_input.h"
#include "batch/plan_file.h"
#include "batch/plan_text.h"
#include "batch/results_table.h"
#include "batch/series_messages.h"
#include "batch/series_run.h"
#include "batch/wor_estimate.h"
#include "pattern/pattern_checks.h"
#include "python/arguments.h"
#include "python/errors.h"
#include "python/fit_record.h"
#include "python/fit_steering.h"
#include "python/float_values.h"
#include "python/module_words.h"
#include "python/py_fit_result.h"

namespace py = pybind11;

namespace {

Region regionOf(double low, double high, std::vector<double> positions, std::optional<double> wor) {
    Region region;
    region.low = low;
    region.high = high;
    region.positions = std::move(positions);
    region.wor = wor;
    if (const std::string problem = regionProblem(region); !problem.empty())
        throw RegionError(problem);
    return region;
}

int maxIterations(std::optional<int> maxIter) {
    if (!maxIter) return kFitIterations;
    if (*maxIter < 1 || *maxIter > kMostIterations)
        throw py::value_error("max_iter must be 1 to " + std::to_string(kMostIterations));
    return *maxIter;
}

double worValue(double wor) {
    if (!std::isfinite(wor)) throw py::value_error("wor must be a finite number");
    return wor;
}

// The W/R of a fit: the one given (negative: refined), else this region's estimate; held,
// with `hold`, at the start's W/R where the start has one, else at its magnitude.
WorChoice worOf(const py::object& wor, const std::optional<StartValues>& start, bool hold,
                const std::function<WorChoice()>& estimate) {
    if (py::isinstance<py::str>(wor) && wor.cast<std::string>() != "auto")
        throw py::value_error("wor must be a number or 'auto'");
    WorChoice choice{0.0, false};
    if (!wor.is_none() && !py::isinstance<py::str>(wor))
        choice.wor = worValue(argumentAs<double>(wor, "wor", "a number or 'auto'"));
    else
        choice = estimate();
    if (hold) choice.wor = start && start->wor ? *start->wor : std::fabs(choice.wor);
    return choice;
}

PyFit fitOne(const PyPattern& pattern, double low, double high, std::vector<double> positions,
             const py::object& wor, bool commonFwhm, const py::object& radiation,
             std::optional<int> maxIter, bool noKa2, const py::object& start,
             const py::object& hold) {
    Region region = regionOf(low, high, std::move(positions), std::nullopt);
    region.start = startArgument(start, region.positions.size());
    const Holds holds = holdArgument(hold, region.positions.size(), commonFwhm);
    SeriesSettings settings;
    settings.commonFwhm = commonFwhm;
    settings.maxIterations = maxIterations(maxIter);
    const std::unique_ptr<PatternStore> store = pattern.data->store();
    if (!radiation.is_none()) store->radiation = radiationArgument(radiation);
    // Prepared as a series prepares each pattern, with the radiation already chosen.
    prepareForFit(*store, {std::nullopt, noKa2});
    RegionFit fit;
    fit.note = offGridReason(*store);
    if (!fit.note.empty()) {
        fit.status = FitStatus::IrregularGrid;
        return fitRecord(pattern.name, std::move(region), std::move(fit), store.get());
    }
    const WorChoice choice = worOf(wor, region.start, holds.wor, [&] {
        py::gil_scoped_release unlocked;
        return regionWor(region, settings, estimateWor(*store, Plan{region}, settings).wor);
    });
    {
        py::gil_scoped_release unlocked;
        const FitRequest request{region,
                                 choice.wor,
                                 region.start ? &*region.start : nullptr,
                                 commonFwhm,
                                 false,
                                 settings.maxIterations,
                                 store->radiation,
                                 choice.assumed,
                                 &holds.fit,
                                 true};
        std::istringstream noInput;
        std::ostringstream discarded;
        Console quiet(noInput, discarded);
        fit = fitRegion(*store, request, quiet);
    }
    return fitRecord(pattern.name, std::move(region), std::move(fit), store.get());
}

const std::string kRegionsExpected =
    "regions must be a list of (low, high, positions[, wor[, start]]) tuples or a plan file's "
    "name";

// One (low, high, positions[, wor[, start]]) tuple of regions (wor None: the default; start as
// fit() takes it); `name` is its place there.
Region regionArgument(const py::handle& item, const std::string& name, std::size_t number) {
    if (!py::isinstance<py::sequence>(item) || py::isinstance<py::str>(item))
        throw py::type_error(kRegionsExpected + "; " + name + " is a " + typeName(item));
    const auto fields = item.cast<py::sequence>();
    const std::string region = "region " + std::to_string(number) + ": ";
    if (fields.size() < 3 || fields.size() > 5)
        throw RegionError(region + "(low, high, positions[, wor[, start]]) expected");
    const auto field = [&](std::size_t k, const char* what) {
        return name + "[" + std::to_string(k) + "] (" + what + ")";
    };
    const double low = argumentAs<double>(fields[0], field(0, "low"), "a number");
    const double high = argumentAs<double>(fields[1], field(1, "high"), "a number");
    std::vector<double> positions =
        argumentAs<std::vector<double>>(fields[2], field(2, "positions"), "a list of numbers");
    std::optional<double> wor;
    if (fields.size() >= 4 && !fields[3].is_none())
        wor = worValue(argumentAs<double>(fields[3], field(3, "wor"), "a number"));
    Region checked;
    try {
        checked = regionOf(low, high, std::move(positions), wor);
    } catch (const RegionError& error) {
        throw RegionError(region + error.what());
    }
    if (fields.size() == 5) checked.start = startArgument(fields[4], checked.positions.size());
    return checked;
}

Plan planOf(const py::object& regions) {
    if (isPath(regions)) {
        PlanRead read = readPlanSource(pathArgument(regions, "regions"), readPlan);
        if (!read.error.empty()) throw RegionError(read.error);
        return read.plan;
    }
    if (!py::isinstance<py::iterable>(regions))
        throw py::type_error(kRegionsExpected + ", not " + typeName(regions));
    Plan plan;
    for (const py::handle item : regions)
        plan.push_back(
            regionArgument(item, "regions[" + std::to_string(plan.size()) + "]", plan.size() + 1));
    if (plan.empty()) throw RegionError("no region to fit");
    return plan;
}

SeriesInput inputOf(const py::handle& item, const std::string& name, std::size_t number) {
    if (!py::isinstance<PyPattern>(item)) {
        if (!isPath(item))
            throw py::type_error(name + " must be a Pattern or a path, not " + typeName(item));
        return {pathArgument(item, name), nullptr};
    }
    const PyPattern& pattern = item.cast<const PyPattern&>();
    return {pattern.name.empty() ? "pattern " + std::to_string(number) : pattern.name,
            // Filled on the worker, without the GIL: the data are plain C++.
            [data = pattern.data](PatternStore& store) { data->fill(store); }};
}

// One Pattern or path is a series of one: a str is never a list of one-letter names.
std::vector<SeriesInput> inputsOf(const py::object& patterns) {
    const char* name = "patterns_or_paths";
    if (isPath(patterns) || py::isinstance<PyPattern>(patterns))
        return {inputOf(patterns, name, 1)};
    if (!py::isinstance<py::iterable>(patterns))
        throw py::type_error(std::string(name) +
                             " must be a Pattern, a path or a list of them, not " +
                             typeName(patterns));
    std::vector<SeriesInput> inputs;
    for (const py::handle item : patterns)
        inputs.push_back(inputOf(item,
                                 std::string(name) + "[" + std::to_string(inputs.size()) + "]",
                                 inputs.size() + 1));
    return inputs;
}

SeriesSettings settingsOf(bool sequential, std::optional<int> jobs, const py::object& wor,
                          bool commonFwhm, std::optional<int> maxIter,
                          const std::optional<std::string>& fmt, std::optional<int> block,
                          const py::object& radiation, bool noKa2) {
    SeriesSettings settings;
    settings.sequential = sequential;
    settings.commonFwhm = commonFwhm;
    settings.maxIterations = maxIterations(maxIter);
    if (jobs && *jobs < 1) throw py::value_error("jobs must be 1 or more");
    settings.jobs = jobs.value_or(availableCores());
    if (py::isinstance<py::str>(wor)) {
        if (wor.cast<std::string>() != "auto")
            throw py::value_error("wor must be a number or 'auto'");
        settings.autoWor = true;
    } else if (!wor.is_none()) {
        settings.wor = worValue(argumentAs<double>(wor, "wor", "a number or 'auto'"));
    }
    settings.input.format = formatArgument(fmt);
    if (block) {
        if (*block < 1) throw py::value_error("block must be 1 or more");
        settings.input.range = *block;
    }
    settings.input.radiation = {radiationArgument(radiation), noKa2};
    return settings;
}

// The table as it is collected: columns, xrdfit's text and its messages.
struct SeriesTable {
    std::vector<std::string> pattern, status, flags;
    std::vector<long> region, peak, iterations;
    std::vector<double> tth, tthSe, intensity, intensitySe, fwhm, fwhmSe, eta, wor, chi2, d, dSe;
    std::string text = tableHeader();
    std::vector<std::string> messages;
    SaidSoFar said;
    int fits = 0;
    int failed = 0;

    void take(const PatternOutcome& outcome, const Plan& plan) {
        for (std::string& message : outcomeMessages(outcome, said))
            messages.push_back(std::move(message));
        for (std::size_t r = 0; r < outcome.fits.size(); ++r) {
            const RegionFit& fit = outcome.fits[r];
            const int number = static_cast<int>(r) + 1;
            if (!fit.note.empty()) messages.push_back(regionMessage(outcome, number, fit));
            text += tableRows(outcome.name, number, plan[r], fit);
            for (int j = 0; j < static_cast<int>(plan[r].positions.size()); ++j)
                add(outcome.name, number, j, tableRow(fit, j));
            ++fits;
            if (!fit.allOk(static_cast<int>(plan[r].positions.size()))) ++failed;
        }
    }

    void add(const std::string& name, int number, int j, const TableRow& row) {
        pattern.push_back(name);
        region.push_back(number);
        peak.push_back(j + 1);
        tth.push_back(row.tth);
        tthSe.push_back(row.tthSe);
        intensity.push_back(row.intensity);
        intensitySe.push_back(row.intensitySe);
        fwhm.push_back(row.fwhm);
        fwhmSe.push_back(row.fwhmSe);
        eta.push_back(row.eta);
        wor.push_back(row.wor);
        chi2.push_back(row.chi2);
        iterations.push_back(row.iterations);
        status.push_back(statusName(row.status));
        d.push_back(row.d);
        dSe.push_back(row.dSe);
        flags.push_back(row.flags);
    }

    py::dict columns() const {
        const py::module_ numpy = py::module_::import("numpy");
        py::dict columns;
        columns["pattern"] = numpy.attr("array")(pattern, py::arg("dtype") = "str");
        columns["region"] = py::array_t<long>(region.size(), region.data());
        columns["peak"] = py::array_t<long>(peak.size(), peak.data());
        columns["tth"] = doubles(tth);
        columns["tth_se"] = doubles(tthSe);
        columns["intensity"] = doubles(intensity);
        columns["intensity_se"] = doubles(intensitySe);
        columns["fwhm"] = doubles(fwhm);
        columns["fwhm_se"] = doubles(fwhmSe);
        columns["eta"] = doubles(eta);
        columns["wor"] = doubles(wor);
        columns["chi2"] = doubles(chi2);
        columns["iterations"] = py::array_t<long>(iterations.size(), iterations.data());
        columns["status"] = numpy.attr("array")(status, py::arg("dtype") = "str");
        columns["d"] = doubles(d);
        columns["d_se"] = doubles(dSe);
        columns["flags"] = numpy.attr("array")(flags, py::arg("dtype") = "str");
        return columns;
    }
};

py::tuple fitSeries(const py::object& patterns, const py::object& regions, bool sequential,
                    std::optional<int> jobs, const py::object& wor, bool commonFwhm,
                    std::optional<int> maxIter, const std::optional<std::string>& fmt,
                    std::optional<int> block, const py::object& radiation, bool noKa2,
                    const py::object& progress, bool curves) {
    if (!progress.is_none() && !PyCallable_Check(progress.ptr()))
        throw py::type_error("progress must be callable as progress(done, total), not " +
                             typeName(progress));
    const std::vector<SeriesInput> inputs = inputsOf(patterns);
    const Plan plan = planOf(regions);
    SeriesSettings settings =
        settingsOf(sequential, jobs, wor, commonFwhm, maxIter, fmt, block, radiation, noKa2);
    settings.keepCurves = settings.keepPatterns = curves;
    SeriesTable table;
    std::vector<std::vector<PyFit>> fits;  // with curves: per pattern, per region
    std::size_t done = 0;
    {
        py::gil_scoped_release unlocked;
        runSeries(inputs, plan, settings, [&](PatternOutcome&& outcome) {
            table.take(outcome, plan);
            if (curves) {
                // Taken here, so that no pattern outlives its own fits.
                auto& records = fits.emplace_back();
                for (std::size_t r = 0; r < outcome.fits.size(); ++r)
                    records.push_back(
                        fitRecord(outcome.name, plan[r], outcome.fits[r], outcome.pattern.get()));
            }
            ++done;
            // Between patterns the interpreter runs: Ctrl-C's KeyboardInterrupt, or any
            // exception from progress, stops the series within a pattern's fits.
            py::gil_scoped_acquire locked;
            if (PyErr_CheckSignals() != 0) throw py::error_already_set();
            if (!progress.is_none()) progress(done, inputs.size());
        });
    }
    if (table.failed > 0) table.messages.push_back(failedCount(table.failed, table.fits));
    return py::make_tuple(table.columns(), table.text, inModuleWords(table.messages),
                          curves ? py::cast(std::move(fits)) : py::none());
}

}  // namespace

void bindFit(py::module_& m) {
    bindFitResult(m);
    m.def("fit", &fitOne, py::arg("pattern"), py::arg("low"), py::arg("high"), py::arg("positions"),
          py::kw_only(), py::arg("wor") = py::none(), py::arg("common_fwhm") = false,
          py::arg("radiation") = py::none(), py::arg("max_iter") = py::none(),
          py::arg("no_ka2") = false, py::arg("start") = py::none(), py::arg("hold") = py::none(),
          R"(Fits one region of a pattern as xrdfit and xrdpick's evaluation page fit it (each peak's FWHM
started at the width read off the pattern at half maximum, unless start= gives one).

low, high: the region's background ends, two-theta degrees; positions: the start positions
of one to nine peaks, ascending strictly between them. wor: W/R, the profile's asymmetry
(negative: refined from its magnitude); None or "auto": estimated from this region when it
holds one peak below 70 degrees, else 0, flagged wor-assumed. common_fwhm: one FWHM for all the peaks. radiation:
a Radiation or an anode name ("Cu") over the pattern's own; with a Kalpha2 line every peak is
fitted as a Kalpha1/Kalpha2 doublet; no_ka2: single lines whatever the pattern states.
max_iter: the engine's iteration limit (default 30).
start: start values over the estimates from the data: a FitResult (its ok peaks, eta and
W/R, as a sequential series carries them from one pattern to the next) or a dict with any of
"peaks" (one (tth, intensity, fwhm) or None per peak), "eta" and "wor" (W/R's start where
W/R is refined, its value where hold names it). hold: names of parameters held at their start values: "eta", "wor",
"fwhm" (every FWHM), "background_low", "background_high", "intensity_N", "fwhm_N" (peak N
from 1); the positions are always refined.
The fit runs without the GIL. Returns a FitResult, whatever its status; raises RegionError
for a region that cannot be fitted.)");

    m.def("_fit_series", &fitSeries, py::arg("patterns"), py::arg("regions"), py::kw_only(),
          py::arg("sequential"), py::arg("jobs"), py::arg("wor"), py::arg("common_fwhm"),
          py::arg("max_iter"), py::arg("fmt"), py::arg("block"), py::arg("radiation"),
          py::arg("no_ka2"), py::arg("progress"), py::arg("curves"));
}
