#include "python/py_pattern_steps.h"

#include <pybind11/stl.h>

#include <memory>
#include <sstream>

#include "console/console.h"
#include "convert/file_messages.h"
#include "convert/scan_merge.h"
#include "convert/strip_kalpha2.h"
#include "convert/uniform_grid.h"
#include "import/radiation_choice.h"
#include "pattern/bin_points.h"
#include "python/arguments.h"
#include "python/captured_console.h"
#include "python/errors.h"
#include "python/module_words.h"
#include "python/py_pattern.h"

namespace py = pybind11;

namespace {

// The pattern a step made of `from`: its name and format carried, the step's messages after
// the reader's.
PyPattern stepped(const PyPattern& from, const PatternStore& store, const std::string& said) {
    std::vector<std::string> messages = from.messages;
    for (std::string& line : inModuleWords(linesOf(said))) messages.push_back(std::move(line));
    return {std::make_shared<const PatternData>(PatternData::of(store)), from.name, from.format,
            messages};
}

std::string nameOf(const PyPattern& pattern) {
    return pattern.name.empty() ? "pattern" : pattern.name;
}

// Runs a step that says what it did on a console naming the pattern; a step that fails
// raises PatternError with what it said.
template <typename Step>
PyPattern withConsole(const PyPattern& pattern, Step step) {
    const std::unique_ptr<PatternStore> store = pattern.data->store();
    std::ostringstream said;
    bool done = false;
    {
        FileMessages messages(said, nameOf(pattern));
        done = step(*store, messages.console());
    }
    if (!done) throw PatternError(inModuleWords(trimmed(said.str())));
    return stepped(pattern, *store, said.str());
}

PyPattern stripKa2(const PyPattern& pattern, const py::object& radiation) {
    const std::unique_ptr<PatternStore> store = pattern.data->store();
    const std::optional<Radiation> lines =
        chooseRadiation(store->radiation, {radiationArgument(radiation), false});
    std::ostringstream said;
    if (!stripAndReport(*store, lines, nameOf(pattern), said))
        throw PatternError(nameOf(pattern) + ": no Kalpha2 line known to strip (" +
                           describeRadiation(lines) + "; radiation= names one)");
    return stepped(pattern, *store, said.str());
}

PyPattern regrid(const PyPattern& pattern, double step) {
    if (!(step > 0.0)) throw py::value_error("step must be above 0");
    return withConsole(pattern, [&](PatternStore& store, Console& console) {
        return regridAndReport(store, step, console);
    });
}

PyPattern bin(const PyPattern& pattern, int n) {
    if (n < 1) throw py::value_error("n must be 1 or more");
    if (n == 1) return pattern;
    return withConsole(pattern, [&](PatternStore& store, Console& console) {
        return binPattern(store, n, console);
    });
}

PyPattern merge(const py::object& scans) {
    if (isPath(scans) || !py::isinstance<py::iterable>(scans))
        throw py::type_error("scans must be a list of raw scan file names, not " + typeName(scans));
    std::vector<std::string> names;
    for (const py::handle scan : scans)
        names.push_back(pathArgument(scan, "scans[" + std::to_string(names.size()) + "]"));
    if (names.empty()) throw py::value_error("scans must name at least one raw scan file");
    std::ostringstream said;
    auto store = std::make_unique<PatternStore>();
    RefusedRecords refused;
    bool read = false;
    {
        py::gil_scoped_release unlocked;
        read = rawScanName(names.front(), said) && readScanMerge(names, said, *store, refused);
        if (read) reportRefused(names, refused, said);
    }
    if (!read) throw ReadError(inModuleWords(trimmed(said.str())));
    return {std::make_shared<const PatternData>(PatternData::of(*store)), names.front(), "super",
            inModuleWords(linesOf(said.str()))};
}

}  // namespace

void bindPatternSteps(py::module_& m) {
    m.def("strip_ka2", &stripKa2, py::arg("pattern"), py::arg("radiation") = py::none(),
          R"(The pattern with its Kalpha2 part taken off, as xrdconvert --strip-ka2 does it.

Rachinger's method, unsmoothed, sig propagated: what is left is a pattern of Kalpha1 lines.
radiation: a Radiation or an anode name, used where the pattern states none. The messages
say that it was done, and where the stripped counts fall below -3 sigma (the strip is not
clean there). Raises PatternError when no Kalpha2 line is known.)");
    m.def("regrid", &regrid, py::arg("pattern"), py::arg("step"),
          R"(The pattern on the uniform grid of step degrees, as xrdconvert --regrid puts it:
from its first angle as far as its last, counts interpolated linearly, sig propagated.
Raises PatternError when the grid would hold fewer than 3 points or more than 19001.)");
    m.def("bin", &bin, py::arg("pattern"), py::arg("n"),
          R"(The pattern with every n neighbours summed into one point, as xrdconvert --bin:
angles averaged, counts summed, sig in quadrature; a last group of fewer than n points is
dropped (the messages say so). Raises PatternError when fewer than 3 points remain.)");
    m.def("merge", &merge, py::arg("scans"),
          R"(Raw SUPER scan files (.001, .002, ...) merged into one pattern, as xrdconvert --merge
and xrdpick's prompt merge them: dead-time correction and monitor normalisation, the first
scan (which names the pattern) with the lowest angles. Records a scan refused are left out,
each named in the messages with a line that sums them up. Raises ReadError, naming the
file, when a scan cannot be read or the merge fails.)");
}
