#include "python/py_pattern.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cstdio>
#include <sstream>

#include "console/console.h"
#include "convert/file_messages.h"
#include "convert/open_input.h"
#include "convert/output_names.h"
#include "import/imported_scan.h"
#include "import/instrument_formats.h"
#include "import/radiation_choice.h"
#include "import/scan_to_pattern.h"
#include "open/format_recognition.h"
#include "open/load.h"
#include "pattern/pattern_checks.h"
#include "pattern/writers.h"  // kGdaTitleMax
#include "python/arguments.h"
#include "python/captured_console.h"
#include "python/errors.h"
#include "python/float_values.h"
#include "python/module_words.h"
#include "python/pattern_arrays.h"
#include "python/pattern_write.h"

namespace py = pybind11;

namespace {

// A pattern as plain values, for pickle and copy: its points exactly as held.
py::tuple patternState(const PyPattern& p) {
    const PatternData& d = *p.data;
    return py::make_tuple(d.tth, d.cts, d.sig, d.tthmin, d.tthstep, d.tthmax, d.radiation, p.name,
                          p.format, p.messages);
}

PyPattern patternFromState(const py::tuple& s) {
    if (s.size() != 10) throw py::value_error("a Pattern's state is damaged");
    auto data = std::make_shared<PatternData>();
    data->tth = s[0].cast<std::vector<float>>();
    data->cts = s[1].cast<std::vector<float>>();
    data->sig = s[2].cast<std::vector<float>>();
    if (data->cts.size() != data->tth.size() || data->sig.size() != data->tth.size() ||
        data->tth.size() > static_cast<std::size_t>(MAXBUF))
        throw py::value_error("a Pattern's state is damaged");
    data->tthmin = s[3].cast<double>();
    data->tthstep = s[4].cast<double>();
    data->tthmax = s[5].cast<double>();
    data->radiation = s[6].cast<std::optional<Radiation>>();
    return {data, s[7].cast<std::string>(), s[8].cast<std::string>(),
            s[9].cast<std::vector<std::string>>()};
}

py::array_t<double> column(const std::vector<float>& values) {
    py::array_t<double> array(static_cast<py::ssize_t>(values.size()));
    double* out = array.mutable_data();
    for (std::size_t i = 0; i < values.size(); ++i) out[i] = asRead(values[i]);
    array.attr("setflags")(py::arg("write") = false);
    return array;
}

// The source format's name: the processed formats by their extension, an instrument file by
// its format name, a text pattern as "text".
std::string formatName(const DataFileName& loaded, const ImportRequest& request) {
    if (loaded.format == 't') return "text";
    if (loaded.format != 'v') return formatExtension(loaded.format);
    if (!request.format.empty()) return request.format;
    const std::size_t pos = loaded.extensionPos();
    return instrumentFormatForExtension(pos == std::string::npos ? "" : loaded.name.substr(pos));
}

int countArgument(const std::optional<int>& value, const char* what) {
    if (!value) return 1;
    if (*value < 1) throw py::value_error(std::string(what) + " must be 1 or more");
    return *value;
}

PyPattern readFile(const py::object& path, const std::optional<std::string>& fmt,
                   std::optional<int> block, std::optional<int> bin) {
    const std::string name = pathArgument(path, "path");
    ImportRequest request;
    request.format = formatArgument(fmt);
    request.range = countArgument(block, "block");
    request.bin = countArgument(bin, "bin");
    auto store = std::make_unique<PatternStore>();
    DataFileName loaded;
    std::ostringstream said;
    bool ok = false;
    {
        py::gil_scoped_release unlocked;
        // Opened first, as xrdconvert and xrdsuggest do, so that a file that cannot be read
        // is named with the system's reason.
        if (std::FILE* file = openInput(name, said)) {
            std::fclose(file);
            FileMessages messages(said, name);
            ok = loadPatternFile(name, request, messages.console(), *store, loaded);
        }
    }
    if (!ok) {
        const std::string why = trimmed(said.str());
        throw ReadError(why.empty() ? name + ": not read" : inModuleWords(why));
    }
    return {std::make_shared<const PatternData>(PatternData::of(*store)), name,
            formatName(loaded, request), inModuleWords(linesOf(said.str()))};
}

PyPattern fromArrays(const Column& tth, const Column& counts, const std::optional<Column>& sig,
                     const py::object& radiation, const std::string& name) {
    const ImportedScan scan = scanOfArrays(tth, counts, sig);
    auto store = std::make_unique<PatternStore>();
    std::ostringstream said;
    std::istringstream noAnswers;
    Console console(noAnswers, said);
    // The text reader's own step: a pattern from arrays is the text file of those columns.
    if (!fillPatternFromScan(scan, 1, console, *store))
        throw PatternError(forArrays(trimmed(said.str())));
    store->radiation = radiationArgument(radiation);
    return {std::make_shared<const PatternData>(PatternData::of(*store)), name, "arrays",
            forArrays(linesOf(said.str()))};
}

char writtenFormat(const std::string& path, const std::optional<std::string>& fmt) {
    static const std::string kNames[] = {"xy", "wyr", "dat", "gda"};
    if (fmt) {
        for (const std::string& name : kNames)
            if (*fmt == name) return name[0];
        throw py::value_error("fmt '" + *fmt + "' is not one of xy, wyr, dat, gda");
    }
    const char format = recogniseFormat(DataFileName{path});
    if (format == 'x' || format == 'w' || format == 'd' || format == 'g') return format;
    throw py::value_error(path + ": the extension names none of xy, wyr, dat, gda: give fmt");
}

void writeFile(const PyPattern& pattern, const py::object& where,
               const std::optional<std::string>& fmt, const std::optional<std::string>& title) {
    const std::string path = pathArgument(where, "path");
    const char format = writtenFormat(path, fmt);
    const std::string gdaTitle =
        title.value_or(defaultTitle(pattern.name.empty() ? path : pattern.name));
    if (gdaTitle.size() > kGdaTitleMax || gdaTitle.find_first_of("\r\n") != std::string::npos)
        throw py::value_error("title must be one line of at most " + std::to_string(kGdaTitleMax) +
                              " characters");
    const std::unique_ptr<PatternStore> store = pattern.data->store();
    // The computed-grid formats know the angles by the grid alone.
    if (format != 'x') {
        if (const std::string offGrid = offGridReason(*store); !offGrid.empty())
            throw WriteError(path + ": " + inModuleWords(offGrid));
    }
    writePattern(*store, format, path, gdaTitle);
}

Radiation wavelengths(double lambda1, std::optional<double> lambda2, double ratio) {
    const Radiation radiation{lambda1, lambda2, ratio, "given"};
    if (const std::optional<std::string> problem = wavelengthsProblem(radiation))
        throw py::value_error("Radiation: " + *problem);
    return radiation;
}

Radiation anode(const std::string& name) {
    std::optional<Radiation> radiation = anodeRadiation(name);
    if (!radiation)
        throw py::value_error("'" + name + "' is not an anode: " + std::string(anodeNames()));
    radiation->source = inModuleWords(radiation->source);
    return *radiation;
}

}  // namespace

std::string formatArgument(const std::optional<std::string>& fmt) {
    if (!fmt) return "";
    // "raw" is what Pattern.format says of a .raw file: xylib's check tells its kind.
    if (!isFromFormatName(*fmt) && *fmt != kGuessRaw)
        throw py::value_error("fmt '" + *fmt + "' is not a format; formats: " + fromFormatNames() +
                              ", " + kGuessRaw);
    return *fmt;
}

std::optional<Radiation> radiationArgument(const py::object& radiation) {
    if (radiation.is_none()) return std::nullopt;
    if (py::isinstance<py::str>(radiation)) return anode(radiation.cast<std::string>());
    return argumentAs<Radiation>(radiation, "radiation", "a Radiation, an anode name or None");
}

void bindPattern(py::module_& m) {
    py::class_<Radiation>(m, "Radiation", R"(The radiation a pattern was measured with.

Radiation(lambda1, lambda2=None, ratio=0.5): the Kalpha1 wavelength in Angstrom and, for a
lab tube without a Kalpha1 monochromator, the Kalpha2 wavelength and its intensity share.
With lambda2 every fitted peak is a Kalpha1/Kalpha2 doublet and its values are the Kalpha1
line's. Radiation.anode("Cu") gives a tube's lines as the International Tables list them.)")
        .def(py::init(&wavelengths), py::arg("lambda1"), py::arg("lambda2") = py::none(),
             py::arg("ratio") = 0.5)
        .def_static(
            "anode", &anode, py::arg("name"),
            "The Kalpha1 and Kalpha2 lines of an anode (Cu, Co, Fe, Cr, Mo, Ag), ratio 0.5.")
        .def_readonly("lambda1", &Radiation::lambda1, "Kalpha1 wavelength, Angstrom")
        .def_readonly("lambda2", &Radiation::lambda2, "Kalpha2 wavelength, Angstrom, or None")
        .def_readonly("ratio", &Radiation::ratio, "Kalpha2 intensity / Kalpha1 intensity")
        .def_readonly("source", &Radiation::source, "where the values came from")
        .def(py::pickle(
            [](const Radiation& r) {
                return py::make_tuple(r.lambda1, r.lambda2, r.ratio, r.source);
            },
            [](const py::tuple& s) {
                if (s.size() != 4) throw py::value_error("a Radiation's state is damaged");
                return Radiation{s[0].cast<double>(), s[1].cast<std::optional<double>>(),
                                 s[2].cast<double>(), s[3].cast<std::string>()};
            }))
        .def("__repr__", [](const Radiation& r) {
            return "<xrdpick.Radiation " + describeRadiation(r).substr(sizeof "radiation: " - 1) +
                   ">";
        });

    py::class_<PyPattern>(m, "Pattern", R"(A powder pattern: intensity against two-theta.

Pattern(tth, counts, sig=None, *, radiation=None, name="") builds one from arrays as a
text file of those columns is read: tth in degrees, strictly ascending or descending; sig
defaults to the square root of the counts (1 where they are 0 or less); a given sig must be
above 0 everywhere. The values are held in single precision, as the programs hold them, and
given as float64 arrays of each value's shortest decimal (30.05, not 30.049999237060547).
read() gives the patterns of files. Raises PatternError for arrays that make no pattern,
naming the array and index of a value that is not a number or a sig of 0 or below.)")
        .def(py::init(&fromArrays), py::arg("tth"), py::arg("counts"), py::arg("sig") = py::none(),
             py::kw_only(), py::arg("radiation") = py::none(), py::arg("name") = "")
        .def_property_readonly(
            "tth", [](const PyPattern& p) { return column(p.data->tth); },
            "two-theta, degrees (float64, read-only)")
        .def_property_readonly(
            "counts", [](const PyPattern& p) { return column(p.data->cts); },
            "intensities (float64, read-only)")
        .def_property_readonly(
            "sig", [](const PyPattern& p) { return column(p.data->sig); },
            "standard deviations of the intensities (float64, read-only)")
        .def_property(
            "radiation", [](const PyPattern& p) { return p.data->radiation; },
            [](PyPattern& p, const py::object& radiation) {
                auto data = std::make_shared<PatternData>(*p.data);
                data->radiation = radiationArgument(radiation);
                p.data = data;
            },
            "the Radiation the file states (or that was set: a Radiation, an anode name, or None)")
        .def_readonly("name", &PyPattern::name, "the file read, or the name given")
        .def_readonly("format", &PyPattern::format,
                      "the source format: xy, wyr, dat, gda, super, text, arrays, or the "
                      "instrument format name that read(fmt=) takes (xrdml, raw, ...)")
        .def_readonly("messages", &PyPattern::messages, "what the reader said, line by line")
        .def_property_readonly(
            "step", [](const PyPattern& p) { return p.data->tthstep; },
            "the angle step of the pattern's grid, degrees")
        .def("__len__", [](const PyPattern& p) { return p.data->size(); })
        .def(py::pickle(&patternState, &patternFromState))
        .def("__repr__", [](const PyPattern& p) {
            return "<xrdpick.Pattern " + (p.name.empty() ? std::string("from arrays") : p.name) +
                   ": " + std::to_string(p.data->size()) + " points>";
        });

    m.def("read", &readFile, py::arg("path"), py::kw_only(), py::arg("fmt") = py::none(),
          py::arg("block") = py::none(), py::arg("bin") = py::none(),
          R"(Reads a pattern file with the readers of xrdpick and xrdconvert.

The format is told by the name (.xy, .wyr, .dat, .gda, .raw, .xrdml, .uxd, .csv, ...), or
fmt names an instrument format (bruker_raw, xrdml, rigaku_dat, ...; "raw": a Bruker or
Philips RAW file, told by its first bytes). block: which range of a file of several (from 1); bin: sum this many neighbouring
points into one. Raw SUPER scans are read from the named file alone. Returns a Pattern
whose messages hold what the reader said; raises ReadError, with the reader's message naming
the file, when the file is not read.)");

    m.def("write", &writeFile, py::arg("pattern"), py::arg("path"), py::arg("fmt") = py::none(),
          py::kw_only(), py::arg("title") = py::none(),
          R"(Writes the pattern in one of the four processed formats.

fmt: "xy", "wyr", "dat" or "gda"; by default told by the path's extension. title: the GSAS
title line (by default the pattern's file name). An existing file is replaced only once the
new one is written whole. Raises WriteError naming the file and the reason when it cannot be
written: the system's reason, a value too wide for its fixed field (a count of 10^7 or more
in .wyr, .dat or .gda), or a grid format asked for a pattern whose angles lie on no grid.)");
}
