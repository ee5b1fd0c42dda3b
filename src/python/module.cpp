// The xrdpick extension module: the readers, the suggestions and the fits of the programs,
// from the same libraries.

#include <pybind11/pybind11.h>

#include "python/errors.h"
#include "python/py_cell.h"
#include "python/py_fit.h"
#include "python/py_pattern.h"
#include "python/py_pattern_steps.h"
#include "python/py_regions.h"
#include "python/py_suggest.h"

namespace py = pybind11;

PYBIND11_MODULE(_xrdpick, m) {
    m.doc() = "The compiled core of xrdpick; use the xrdpick package.";
    const auto& base = py::register_exception<XrdpickError>(m, "Error", PyExc_Exception);
    py::register_exception<ReadError>(m, "ReadError", base);
    py::register_exception<WriteError>(m, "WriteError", base);
    py::register_exception<PatternError>(m, "PatternError", base);
    py::register_exception<RegionError>(m, "RegionError", base);
    bindPattern(m);
    bindSuggest(m);
    bindFit(m);
    bindPatternSteps(m);
    bindRegions(m);
    bindCell(m);
}
