#include "python/fit_steering.h"

#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <string>

#include "python/arguments.h"
#include "python/fit_record.h"

namespace py = pybind11;

namespace {

const char* const kHoldNames =
    "eta, wor, fwhm, background_low, background_high, intensity_N or fwhm_N";

PeakStart peakStart(const py::handle& item, std::size_t j) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (item.is_none()) return {nan, nan, nan};
    const std::string name = "start['peaks'][" + std::to_string(j) + "]";
    const auto values =
        argumentAs<std::vector<double>>(item, name, "a (tth, intensity, fwhm) tuple or None");
    if (values.size() != 3) throw py::value_error(name + " must be (tth, intensity, fwhm)");
    for (const double value : values)
        if (!std::isfinite(value)) throw py::value_error(name + " must hold finite numbers");
    if (!(values[1] > 0.0) || !(values[2] > 0.0))
        throw py::value_error(name + ": intensity and fwhm must be above 0");
    return {values[0], values[1], values[2]};
}

double startNumber(const py::dict& start, const char* key) {
    const double value =
        argumentAs<double>(start[key], std::string("start['") + key + "']", "a number");
    if (!std::isfinite(value))
        throw py::value_error(std::string("start['") + key + "'] must be finite");
    return value;
}

// Peak N of "name_N", from 0; none when the name has no such peak.
std::optional<std::size_t> peakOf(const std::string& name, const std::string& stem,
                                  std::size_t peaks) {
    if (name.rfind(stem, 0) != 0) return std::nullopt;
    const std::string digits = name.substr(stem.size());
    if (digits.empty() || digits.size() > 2 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::size_t n = std::stoul(digits);
    if (n < 1 || n > peaks) return std::nullopt;
    return n - 1;
}

}  // namespace

std::optional<StartValues> startArgument(const py::object& start, std::size_t peaks) {
    if (start.is_none()) return std::nullopt;
    if (py::isinstance<PyFit>(start)) {
        const PyFit& fit = start.cast<const PyFit&>();
        if (fit.region.positions.size() != peaks)
            throw py::value_error("start: a FitResult of " +
                                  std::to_string(fit.region.positions.size()) + " peak(s) for " +
                                  std::to_string(peaks));
        if (!fit.fit.engineRan) throw py::value_error("start: a FitResult whose engine never ran");
        return fittedStart(fit.fit, nullptr);
    }
    if (!py::isinstance<py::dict>(start))
        throw py::type_error("start must be a FitResult, a dict or None, not " + typeName(start));
    const auto given = start.cast<py::dict>();
    for (const auto& [key, value] : given) {
        const std::string name = py::str(key);
        if (name != "peaks" && name != "eta" && name != "wor")
            throw py::value_error("start: " + name + " is none of peaks, eta, wor");
    }
    StartValues values;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    values.peaks.assign(peaks, {nan, nan, nan});
    if (given.contains("peaks")) {
        const py::object list = given["peaks"];
        if (!py::isinstance<py::sequence>(list) || py::isinstance<py::str>(list))
            throw py::type_error("start['peaks'] must be a list, not " + typeName(list));
        const auto items = list.cast<py::sequence>();
        if (items.size() != peaks)
            throw py::value_error("start['peaks'] holds " + std::to_string(items.size()) +
                                  " entries for " + std::to_string(peaks) + " peak(s)");
        for (std::size_t j = 0; j < peaks; ++j) values.peaks[j] = peakStart(items[j], j);
    }
    if (given.contains("eta")) {
        values.eta = startNumber(given, "eta");
        if (values.eta < 0.0 || values.eta > 1.0)
            throw py::value_error("start['eta'] must be 0 to 1");
    }
    if (given.contains("wor")) values.wor = std::fabs(startNumber(given, "wor"));
    return values;
}

Holds holdArgument(const py::object& hold, std::size_t peaks, bool commonFwhm) {
    Holds holds;
    if (hold.is_none()) return holds;
    if (py::isinstance<py::str>(hold) || !py::isinstance<py::iterable>(hold))
        throw py::type_error("hold must be a tuple of names, not " + typeName(hold));
    for (const py::handle item : hold) {
        const std::string name = argumentAs<std::string>(item, "hold's names", "str");
        if (name == "eta")
            holds.fit.eta = true;
        else if (name == "wor")
            holds.wor = true;
        else if (name == "fwhm")
            holds.fit.fwhm = true;
        else if (name == "background_low")
            holds.fit.lowBackground = true;
        else if (name == "background_high")
            holds.fit.highBackground = true;
        else if (const auto j = peakOf(name, "intensity_", peaks))
            holds.fit.intensity[*j] = true;
        else if (const auto k = peakOf(name, "fwhm_", peaks)) {
            if (commonFwhm)
                throw py::value_error("hold: " + name +
                                      ": with common_fwhm the peaks share one FWHM: hold 'fwhm'");
            holds.fit.peakFwhm[*k] = true;
        } else if (name.rfind("tth_", 0) == 0)
            throw py::value_error("hold: " + name + ": a peak's position is always refined");
        else
            throw py::value_error("hold: " + name + " is none of " + kHoldNames +
                                  " (N: a peak from 1 to " + std::to_string(peaks) + ")");
    }
    return holds;
}
