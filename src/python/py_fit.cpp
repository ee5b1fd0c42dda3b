#include "python/py_fit.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
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
#include "python/float_values.h"
#include "python/module_words.h"

namespace py = pybind11;

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// A fitted region with what names it in the table.
struct PyFit {
    std::string pattern;
    Region region;
    RegionFit fit;
    std::vector<double> tth;  // the region's points, for the curves
};

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

PyFit fitOne(const PyPattern& pattern, double low, double high, std::vector<double> positions,
             const py::object& wor, bool commonFwhm, const py::object& radiation,
             std::optional<int> maxIter) {
    PyFit fitted{pattern.name, regionOf(low, high, std::move(positions), std::nullopt), {}, {}};
    SeriesSettings settings;
    settings.commonFwhm = commonFwhm;
    settings.maxIterations = maxIterations(maxIter);
    const std::unique_ptr<PatternStore> store = pattern.data->store();
    if (!radiation.is_none()) store->radiation = radiationArgument(radiation);
    // Prepared as a series prepares each pattern, with the radiation already chosen.
    prepareForFit(*store, {});
    fitted.fit.note = offGridReason(*store);
    if (!fitted.fit.note.empty()) {
        fitted.fit.status = FitStatus::IrregularGrid;
    } else {
        if (py::isinstance<py::str>(wor) && wor.cast<std::string>() != "auto")
            throw py::value_error("wor must be a number or 'auto'");
        const bool given = !wor.is_none() && !py::isinstance<py::str>(wor);
        const double number =
            given ? worValue(argumentAs<double>(wor, "wor", "a number or 'auto'")) : 0.0;
        py::gil_scoped_release unlocked;
        const WorChoice choice =
            given ? WorChoice{number, false}
                  : regionWor(fitted.region, settings,
                              estimateWor(*store, Plan{fitted.region}, settings).wor);
        const FitRequest request{fitted.region,    choice.wor,    nullptr,
                                 commonFwhm,       false,         settings.maxIterations,
                                 store->radiation, choice.assumed};
        std::istringstream noInput;
        std::ostringstream discarded;
        Console quiet(noInput, discarded);
        fitted.fit = fitRegion(*store, request, quiet);
    }
    for (std::size_t i = 0; i < fitted.fit.result.calc.size(); ++i)
        fitted.tth.push_back(asRead(store->tth[fitted.fit.firstIndex + i]));
    return fitted;
}

py::array_t<double> doubles(const std::vector<double>& values) {
    return py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
}

py::array_t<double> doubles(const std::vector<float>& values) {
    std::vector<double> read;
    for (const float value : values) read.push_back(asRead(value));
    return doubles(read);
}

const std::string kRegionsExpected =
    "regions must be a list of (low, high, positions[, wor]) tuples or a plan file's name";

// One (low, high, positions[, wor]) tuple of regions; `name` is its place there.
Region regionArgument(const py::handle& item, const std::string& name, std::size_t number) {
    if (!py::isinstance<py::sequence>(item) || py::isinstance<py::str>(item))
        throw py::type_error(kRegionsExpected + "; " + name + " is a " + typeName(item));
    const auto fields = item.cast<py::sequence>();
    const std::string region = "region " + std::to_string(number) + ": ";
    if (fields.size() < 3 || fields.size() > 4)
        throw RegionError(region + "(low, high, positions[, wor]) expected");
    const auto field = [&](std::size_t k, const char* what) {
        return name + "[" + std::to_string(k) + "] (" + what + ")";
    };
    const double low = argumentAs<double>(fields[0], field(0, "low"), "a number");
    const double high = argumentAs<double>(fields[1], field(1, "high"), "a number");
    std::vector<double> positions =
        argumentAs<std::vector<double>>(fields[2], field(2, "positions"), "a list of numbers");
    std::optional<double> wor;
    if (fields.size() == 4)
        wor = worValue(argumentAs<double>(fields[3], field(3, "wor"), "a number"));
    try {
        return regionOf(low, high, std::move(positions), wor);
    } catch (const RegionError& error) {
        throw RegionError(region + error.what());
    }
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
                    const py::object& progress) {
    if (!progress.is_none() && !PyCallable_Check(progress.ptr()))
        throw py::type_error("progress must be callable as progress(done, total), not " +
                             typeName(progress));
    const std::vector<SeriesInput> inputs = inputsOf(patterns);
    const Plan plan = planOf(regions);
    const SeriesSettings settings =
        settingsOf(sequential, jobs, wor, commonFwhm, maxIter, fmt, block, radiation, noKa2);
    SeriesTable table;
    std::size_t done = 0;
    {
        py::gil_scoped_release unlocked;
        runSeries(inputs, plan, settings, [&](PatternOutcome&& outcome) {
            table.take(outcome, plan);
            ++done;
            // Between patterns the interpreter runs: Ctrl-C's KeyboardInterrupt, or any
            // exception from progress, stops the series within a pattern's fits.
            py::gil_scoped_acquire locked;
            if (PyErr_CheckSignals() != 0) throw py::error_already_set();
            if (!progress.is_none()) progress(done, inputs.size());
        });
    }
    if (table.failed > 0) table.messages.push_back(failedCount(table.failed, table.fits));
    return py::make_tuple(table.columns(), table.text, inModuleWords(table.messages));
}

}  // namespace

void bindFit(py::module_& m) {
    py::class_<TableRow>(m, "Peak", "One fitted peak: a row of xrdfit's table.")
        .def_readonly("tth", &TableRow::tth, "position, two-theta degrees (the Kalpha1 line's)")
        .def_readonly("tth_se", &TableRow::tthSe)
        .def_readonly("intensity", &TableRow::intensity, "integrated intensity")
        .def_readonly("intensity_se", &TableRow::intensitySe)
        .def_readonly("fwhm", &TableRow::fwhm, "FWHM, degrees (its own or the common one)")
        .def_readonly("fwhm_se", &TableRow::fwhmSe)
        .def_readonly("d", &TableRow::d, "lattice spacing from lambda1, Angstrom; NaN without")
        .def_readonly("d_se", &TableRow::dSe)
        .def_property_readonly(
            "status", [](const TableRow& row) { return statusName(row.status); },
            "ok, or why the data do not hold this peak")
        .def_readonly("flags", &TableRow::flags,
                      "what to look at: eta-at-bound, wor-assumed, high-chi2, near-end, "
                      "ka2-outside (comma-separated)")
        .def("__repr__", [](const TableRow& row) {
            return "<xrdpick.Peak tth=" + std::to_string(row.tth) +
                   " intensity=" + std::to_string(row.intensity) +
                   " fwhm=" + std::to_string(row.fwhm) + ">";
        });

    py::class_<PyFit>(m, "FitResult", R"(The fit of one region, as xrdfit fits and tabulates it.

status is "ok" only when the fit converged, every value and error is finite, and the peaks it
kept lie inside its region, each at least three standard errors strong and a step wide;
otherwise it says what happened (outside, too-few-points, no-peak, not-significant,
too-narrow, iteration-limit, diverged, irregular-grid) and note may say more. A peak the data
do not hold is dropped and the region fitted again without it: each Peak has its own status.
Standard errors come from the covariance. A fit that is not ok is still a result: judge its
values by its status.)")
        .def_property_readonly("status", [](const PyFit& f) { return statusName(f.fit.status); })
        .def_property_readonly("ok", [](const PyFit& f) { return f.fit.status == FitStatus::Ok; })
        .def_property_readonly("note", [](const PyFit& f) { return inModuleWords(f.fit.note); })
        .def_property_readonly(
            "engine_ran", [](const PyFit& f) { return f.fit.engineRan; },
            "whether the values are the engine's (False: all NaN)")
        .def_property_readonly(
            "peaks",
            [](const PyFit& f) {
                std::vector<TableRow> rows;
                for (int j = 0; j < static_cast<int>(f.region.positions.size()); ++j)
                    rows.push_back(tableRow(f.fit, j));
                return rows;
            },
            "one Peak per start position, in order")
        .def_property_readonly(
            "eta", [](const PyFit& f) { return tableRow(f.fit, 0).eta; },
            "the Lorentzian share of the profile")
        .def_property_readonly(
            "eta_se", [](const PyFit& f) { return f.fit.engineRan ? f.fit.etaSe : kNoValue; },
            "eta's standard error; NaN where eta ended on its bound 0 or 1 (not free there)")
        .def_property_readonly(
            "wor_se", [](const PyFit& f) { return f.fit.engineRan ? f.fit.worSe : kNoValue; },
            "W/R's standard error; NaN where W/R was held")
        .def_property_readonly(
            "wor", [](const PyFit& f) { return tableRow(f.fit, 0).wor; },
            "W/R, the profile's asymmetry")
        .def_property_readonly(
            "chi2", [](const PyFit& f) { return tableRow(f.fit, 0).chi2; }, "reduced chi-square")
        .def_property_readonly("iterations", [](const PyFit& f) { return f.fit.iterations; })
        .def_property_readonly("radiation", [](const PyFit& f) { return f.fit.radiation; })
        .def_property_readonly(
            "tth", [](const PyFit& f) { return doubles(f.tth); },
            "two-theta of the region's points")
        .def_property_readonly(
            "calc", [](const PyFit& f) { return doubles(f.fit.result.calc); },
            "the fitted curve at the region's points")
        .def_property_readonly(
            "diff", [](const PyFit& f) { return doubles(f.fit.result.diff); },
            "observed minus calculated at the region's points")
        .def(
            "table_rows",
            [](const PyFit& f, const std::optional<std::string>& pattern, int region) {
                return tableRows(pattern.value_or(f.pattern), region, f.region, f.fit);
            },
            py::arg("pattern") = py::none(), py::arg("region") = 1,
            "The rows xrdfit's table gives this fit, tab-separated, each with its line end.")
        .def("__repr__", [](const PyFit& f) {
            return "<xrdpick.FitResult " + std::string(statusName(f.fit.status)) + ", " +
                   std::to_string(f.region.positions.size()) + " peak(s)>";
        });

    m.def("fit", &fitOne, py::arg("pattern"), py::arg("low"), py::arg("high"), py::arg("positions"),
          py::kw_only(), py::arg("wor") = py::none(), py::arg("common_fwhm") = false,
          py::arg("radiation") = py::none(), py::arg("max_iter") = py::none(),
          R"(Fits one region of a pattern as xrdfit fits it: as xrdpick's evaluation page does, but
with each peak's FWHM started at the width read off the pattern at half maximum.

low, high: the region's background ends, two-theta degrees; positions: the start positions
of one to nine peaks, ascending strictly between them. wor: W/R, the profile's asymmetry
(negative: refined from its magnitude); None or "auto": estimated from this region when it
holds one peak below 70 degrees, else 0, flagged wor-assumed. common_fwhm: one FWHM for all the peaks. radiation:
a Radiation or an anode name ("Cu") over the pattern's own; with a Kalpha2 line every peak is
fitted as a Kalpha1/Kalpha2 doublet. max_iter: the engine's iteration limit (default 30).
The fit runs without the GIL. Returns a FitResult, whatever its status; raises RegionError
for a region that cannot be fitted.)");

    m.def("_fit_series", &fitSeries, py::arg("patterns"), py::arg("regions"), py::kw_only(),
          py::arg("sequential"), py::arg("jobs"), py::arg("wor"), py::arg("common_fwhm"),
          py::arg("max_iter"), py::arg("fmt"), py::arg("block"), py::arg("radiation"),
          py::arg("no_ka2"), py::arg("progress"));
}
