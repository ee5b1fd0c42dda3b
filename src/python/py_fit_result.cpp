#include "python/py_fit_result.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <limits>

#include "batch/results_table.h"
#include "python/fit_record.h"
#include "python/float_values.h"
#include "python/module_words.h"

namespace py = pybind11;

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Each peak's lines over the region, peaks by lines (Kα1, and Kα2 where the fit has one) by
// points; zeros for a peak the fit dropped.
py::array_t<double> components(const PyFit& f) {
    const FitCurves& curves = f.fit.curves;
    const auto peaks = static_cast<py::ssize_t>(f.region.positions.size());
    const auto points = static_cast<py::ssize_t>(f.tth.size());
    bool doublets = false;
    for (const auto& line : curves.kalpha2) doublets = doublets || !line.empty();
    const py::ssize_t lines = doublets ? 2 : 1;
    py::array_t<double> out({peaks, lines, points});
    auto view = out.mutable_unchecked<3>();
    for (py::ssize_t j = 0; j < peaks; ++j) {
        const auto peak = static_cast<std::size_t>(j);
        for (py::ssize_t l = 0; l < lines; ++l) {
            const std::vector<float>* line = nullptr;
            if (peak < curves.kalpha1.size())
                line = l == 0 ? &curves.kalpha1[peak] : &curves.kalpha2[peak];
            for (py::ssize_t i = 0; i < points; ++i)
                view(j, l, i) = line && static_cast<std::size_t>(i) < line->size()
                                    ? asRead((*line)[static_cast<std::size_t>(i)])
                                    : 0.0;
        }
    }
    return out;
}

py::array_t<double> covariance(const PyFit& f) {
    const auto n = static_cast<py::ssize_t>(f.fit.covariance.names.size());
    py::array_t<double> out({n, n});
    std::copy(f.fit.covariance.matrix.begin(), f.fit.covariance.matrix.end(), out.mutable_data());
    return out;
}

py::array_t<double> correlation(const PyFit& f) {
    const std::size_t n = f.fit.covariance.names.size();
    const std::vector<double>& c = f.fit.covariance.matrix;
    py::array_t<double> out({static_cast<py::ssize_t>(n), static_cast<py::ssize_t>(n)});
    double* r = out.mutable_data();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t k = 0; k < n; ++k)
            r[i * n + k] = c[i * n + k] / std::sqrt(c[i * n + i] * c[k * n + k]);
    return out;
}

py::dict errors(const PyFit& f) {
    py::dict out;
    const std::size_t n = f.fit.covariance.names.size();
    for (std::size_t i = 0; i < n; ++i)
        out[py::str(f.fit.covariance.names[i])] = std::sqrt(f.fit.covariance.matrix[i * n + i]);
    return out;
}

py::tuple rowState(const TableRow& row) {
    return py::make_tuple(row.tth, row.tthSe, row.intensity, row.intensitySe, row.fwhm, row.fwhmSe,
                          row.eta, row.wor, row.chi2, row.iterations, static_cast<int>(row.status),
                          row.d, row.dSe, row.flags);
}

TableRow rowFromState(const py::tuple& s) {
    if (s.size() != 14) throw py::value_error("a Peak's state is damaged");
    return {s[0].cast<double>(),
            s[1].cast<double>(),
            s[2].cast<double>(),
            s[3].cast<double>(),
            s[4].cast<double>(),
            s[5].cast<double>(),
            s[6].cast<double>(),
            s[7].cast<double>(),
            s[8].cast<double>(),
            s[9].cast<int>(),
            static_cast<FitStatus>(s[10].cast<int>()),
            s[11].cast<double>(),
            s[12].cast<double>(),
            s[13].cast<std::string>()};
}

}  // namespace

void bindFitResult(py::module_& m) {
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
        .def(py::pickle(&rowState, &rowFromState));

    py::class_<PyFit>(m, "FitResult", R"(The fit of one region, as xrdfit fits and tabulates it.

status is "ok" only when the fit converged, every value and error is finite, and the peaks it
kept lie inside its region, each at least three standard errors strong and a step wide;
otherwise it says what happened (outside, too-few-points, no-peak, not-significant,
too-narrow, iteration-limit, diverged, irregular-grid) and note may say more. A peak the data
do not hold is dropped and the region fitted again without it: each Peak has its own status.
Standard errors come from the covariance. A fit that is not ok is still a result: judge its
values by its status.

The curves over the region's points (numpy arrays): tth, obs, calc, background, diff, and
components, each peak's own lines net of the background. covariance and correlation are
over parameter_names, the parameters the last run refined; errors maps each to its standard
error (NaN where it was not free at the solution, eta on its bound).)")
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
            "pattern", [](const PyFit& f) { return f.pattern; }, "the name of the pattern fitted")
        .def_property_readonly(
            "region", [](const PyFit& f) { return py::make_tuple(f.region.low, f.region.high); },
            "the region's background ends (low, high)")
        .def_property_readonly(
            "tth", [](const PyFit& f) { return doubles(f.tth); },
            "two-theta of the region's points")
        .def_property_readonly(
            "obs", [](const PyFit& f) { return doubles(f.obs); },
            "the observed counts at the region's points")
        .def_property_readonly(
            "calc", [](const PyFit& f) { return doubles(f.fit.result.calc); },
            "the fitted curve at the region's points")
        .def_property_readonly(
            "background", [](const PyFit& f) { return doubles(f.fit.curves.background); },
            "the straight background at the region's points")
        .def_property_readonly(
            "diff", [](const PyFit& f) { return doubles(f.fit.result.diff); },
            "observed minus calculated at the region's points")
        .def_property_readonly("components", &components,
                               "each peak's lines net of the background, as an array of peaks "
                               "by lines (Kalpha1, and Kalpha2 where the fit has one) by points; "
                               "zeros for a peak the fit dropped")
        .def_property_readonly(
            "parameter_names", [](const PyFit& f) { return f.fit.covariance.names; },
            "the parameters refined: eta, wor, fwhm (common), background_low, background_high, "
            "tth_N, intensity_N, fwhm_N (peak N from 1)")
        .def_property_readonly("covariance", &covariance,
                               "the covariance over parameter_names; NaN where not free")
        .def_property_readonly("correlation", &correlation, "the correlation over parameter_names")
        .def_property_readonly("errors", &errors,
                               "the standard error of every refined parameter, by name")
        .def(
            "table_rows",
            [](const PyFit& f, const std::optional<std::string>& pattern, int region) {
                return tableRows(pattern.value_or(f.pattern), region, f.region, f.fit);
            },
            py::arg("pattern") = py::none(), py::arg("region") = 1,
            "The rows xrdfit's table gives this fit, tab-separated, each with its line end.")
        .def(py::pickle(&fitState, &fitFromState));
}
