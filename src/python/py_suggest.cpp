#include "python/py_suggest.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "fit/radiation_lines.h"
#include "python/errors.h"
#include "python/module_words.h"
#include "suggest/suggestable.h"
#include "suggest/suggestions.h"

namespace py = pybind11;

namespace {

template <typename Item, typename Value>
py::array_t<double> columnOf(const std::vector<Item>& items, Value value) {
    py::array_t<double> array(static_cast<py::ssize_t>(items.size()));
    double* out = array.mutable_data();
    for (const Item& item : items) *out++ = value(item);
    return array;
}

py::dict suggestFor(const PyPattern& pattern, double minSigma, std::optional<int> points) {
    if (!(minSigma > 0.0)) throw py::value_error("min_sigma must be above 0");
    SuggestSettings settings;
    settings.minSigma = minSigma;
    if (points) {
        if (*points < 2 || *points > kMaxSuggested)
            throw py::value_error("points must be 2 to " + std::to_string(kMaxSuggested));
        settings.points = *points;
    }
    const std::string name = pattern.name.empty() ? "pattern" : pattern.name;
    const std::unique_ptr<PatternStore> store = pattern.data->store();
    if (const std::string reason = unsuggestableReason(*store); !reason.empty())
        throw PatternError(name + ": " + inModuleWords(reason) + "; nothing suggested");
    Suggestions found;
    {
        py::gil_scoped_release unlocked;
        found = suggest(*store, settings);
    }
    const std::optional<Radiation>& radiation = store->radiation;
    py::dict peaks;
    peaks["tth"] = columnOf(found.peaks, [](const FoundPeak& p) { return p.tth; });
    peaks["height"] = columnOf(found.peaks, [](const FoundPeak& p) { return p.height; });
    peaks["fwhm"] = columnOf(found.peaks, [](const FoundPeak& p) { return p.fwhm; });
    peaks["eta"] = columnOf(found.peaks, [](const FoundPeak& p) { return p.width.eta; });
    peaks["significance"] =
        columnOf(found.peaks, [](const FoundPeak& p) { return p.significance; });
    peaks["d"] = columnOf(found.peaks,
                          [&](const FoundPeak& p) { return spacingOf(radiation, p.tth, 0.0).d; });
    std::vector<bool> shoulders;
    for (const FoundPeak& p : found.peaks) shoulders.push_back(p.shoulder);
    peaks["shoulder"] = py::array(py::cast(shoulders));
    py::dict background;
    background["tth"] = columnOf(found.background, [](const SuggestedPoint& p) { return p.tth; });
    background["counts"] =
        columnOf(found.background, [](const SuggestedPoint& p) { return p.cts; });
    py::dict result;
    result["background"] = background;
    result["peaks"] = peaks;
    result["spikes"] = found.spikes;
    result["bare_stretches"] = found.bareStretches;
    result["peaks_left_out"] = found.peaksLeftOut;
    result["companions_left_out"] = found.companionsLeftOut;
    result["too_short"] = found.tooShort;
    result["tube_pairs"] = py::none();
    if (found.tubePairs) {
        py::dict pairs;
        pairs["anode"] = found.tubePairs->anode;
        pairs["kalpha1"] = found.tubePairs->kalpha1;
        result["tube_pairs"] = pairs;
    }
    return result;
}

}  // namespace

void bindSuggest(py::module_& m) {
    m.def("suggest", &suggestFor, py::arg("pattern"), py::kw_only(), py::arg("min_sigma") = 5.0,
          py::arg("points") = py::none(),
          R"(Background points and peak positions for the pattern, as xrdsuggest finds them.

min_sigma: how far a peak must stand above the background, at its apex in counting
deviations or over its width in standard errors of its area; points: the
number of background points (by default as many as the background's curvature needs).
With a Kalpha2 line in the pattern's radiation the peaks are the Kalpha1 lines.

Returns a dict: "background" {"tth", "counts"} (what xrdsuggest writes to .fbg/.gbg),
"peaks" {"tth", "height", "fwhm", "eta", "significance", "d", "shoulder"} (the .cdt
positions; d in Angstrom from lambda1, NaN without a radiation), "spikes" ((first, last)
two-theta of spikes of one or two points, not peaks), "bare_stretches" ((from, to) with no
background point), "peaks_left_out", "companions_left_out", "too_short" and "tube_pairs"
(None, or {"anode", "kalpha1"}: with no radiation stated, the tube whose Kalpha1/Kalpha2
pairs the peaks show, and the pairs' Kalpha1 lines). Raises PatternError for a pattern with
values that are not numbers or angles off every grid.)");
}
