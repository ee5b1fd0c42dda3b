#include "python/fit_record.h"

#include <pybind11/stl.h>

#include <tuple>

#include "python/float_values.h"

namespace py = pybind11;

PyFit fitRecord(std::string pattern, Region region, RegionFit fit, const PatternStore* store) {
    PyFit record{std::move(pattern), std::move(region), std::move(fit), {}, {}};
    for (std::size_t i = 0; store && i < record.fit.result.calc.size(); ++i) {
        record.tth.push_back(asRead(store->tth[record.fit.firstIndex + i]));
        record.obs.push_back(asRead(store->cts[record.fit.firstIndex + i]));
    }
    return record;
}

namespace {

using PeakTuple = std::tuple<double, double, double, int>;
using ErrorTuple = std::tuple<double, double, double>;

template <typename T, typename U, typename F>
std::vector<U> each(const std::array<T, kMaxPeaks>& values, F convert) {
    std::vector<U> out;
    for (const T& value : values) out.push_back(convert(value));
    return out;
}

template <typename T, typename U, typename F>
void fillEach(std::array<T, kMaxPeaks>& values, const std::vector<U>& from, F convert) {
    if (from.size() != values.size()) throw py::value_error("a FitResult's state is damaged");
    for (std::size_t j = 0; j < values.size(); ++j) values[j] = convert(from[j]);
}

}  // namespace

py::tuple fitState(const PyFit& f) {
    const RegionFit& fit = f.fit;
    const FitResult& r = fit.result;
    const py::tuple region = py::make_tuple(f.region.low, f.region.high, f.region.positions,
                                            f.region.wor, f.region.clipToPattern);
    const py::tuple result = py::make_tuple(
        r.calc, r.diff, r.kalpha2,
        each<FittedPeak, PeakTuple>(r.peaks,
                                    [](const FittedPeak& p) {
                                        return PeakTuple{p.position, p.intensity, p.fwhm, p.marker};
                                    }),
        r.peakCount, r.eta, r.wor, r.chisq, r.lowBkgnd, r.highBkgnd);
    const py::tuple verdicts = py::make_tuple(
        static_cast<int>(fit.status), fit.engineRan,
        each<PeakErrors, ErrorTuple>(fit.se,
                                     [](const PeakErrors& e) {
                                         return ErrorTuple{e.position, e.intensity, e.fwhm};
                                     }),
        each<FitStatus, int>(fit.peakStatus, [](FitStatus s) { return static_cast<int>(s); }),
        each<unsigned, unsigned>(fit.flags, [](unsigned flags) { return flags; }), fit.etaSe,
        fit.worSe, fit.iterations, fit.firstIndex, fit.note, fit.radiation);
    const py::tuple curves =
        py::make_tuple(fit.curves.background, fit.curves.kalpha1, fit.curves.kalpha2,
                       fit.covariance.names, fit.covariance.matrix);
    return py::make_tuple(f.pattern, region, result, verdicts, curves, f.tth, f.obs);
}

PyFit fitFromState(const py::tuple& state) {
    if (state.size() != 7) throw py::value_error("a FitResult's state is damaged");
    PyFit f;
    f.pattern = state[0].cast<std::string>();
    const auto region = state[1].cast<py::tuple>();
    f.region.low = region[0].cast<double>();
    f.region.high = region[1].cast<double>();
    f.region.positions = region[2].cast<std::vector<double>>();
    f.region.wor = region[3].cast<std::optional<double>>();
    f.region.clipToPattern = region[4].cast<bool>();
    const auto result = state[2].cast<py::tuple>();
    FitResult& r = f.fit.result;
    r.calc = result[0].cast<std::vector<float>>();
    r.diff = result[1].cast<std::vector<float>>();
    r.kalpha2 = result[2].cast<std::vector<float>>();
    fillEach(r.peaks, result[3].cast<std::vector<PeakTuple>>(), [](const PeakTuple& p) {
        return FittedPeak{std::get<0>(p), std::get<1>(p), std::get<2>(p), std::get<3>(p)};
    });
    r.peakCount = result[4].cast<int>();
    r.eta = result[5].cast<double>();
    r.wor = result[6].cast<double>();
    r.chisq = result[7].cast<double>();
    r.lowBkgnd = result[8].cast<double>();
    r.highBkgnd = result[9].cast<double>();
    const auto verdicts = state[3].cast<py::tuple>();
    RegionFit& fit = f.fit;
    fit.status = static_cast<FitStatus>(verdicts[0].cast<int>());
    fit.engineRan = verdicts[1].cast<bool>();
    fillEach(fit.se, verdicts[2].cast<std::vector<ErrorTuple>>(), [](const ErrorTuple& e) {
        return PeakErrors{std::get<0>(e), std::get<1>(e), std::get<2>(e)};
    });
    fillEach(fit.peakStatus, verdicts[3].cast<std::vector<int>>(),
             [](int s) { return static_cast<FitStatus>(s); });
    fillEach(fit.flags, verdicts[4].cast<std::vector<unsigned>>(), [](unsigned v) { return v; });
    fit.etaSe = verdicts[5].cast<double>();
    fit.worSe = verdicts[6].cast<double>();
    fit.iterations = verdicts[7].cast<int>();
    fit.firstIndex = verdicts[8].cast<int>();
    fit.note = verdicts[9].cast<std::string>();
    fit.radiation = verdicts[10].cast<std::optional<Radiation>>();
    const auto curves = state[4].cast<py::tuple>();
    fit.curves.background = curves[0].cast<std::vector<float>>();
    fit.curves.kalpha1 = curves[1].cast<std::vector<std::vector<float>>>();
    fit.curves.kalpha2 = curves[2].cast<std::vector<std::vector<float>>>();
    fit.covariance.names = curves[3].cast<std::vector<std::string>>();
    fit.covariance.matrix = curves[4].cast<std::vector<double>>();
    f.tth = state[5].cast<std::vector<double>>();
    f.obs = state[6].cast<std::vector<double>>();
    return f;
}
