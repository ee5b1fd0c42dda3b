#include "python/path_argument.h"

namespace py = pybind11;

std::string pathArgument(const py::object& path) {
    const py::object name = py::module_::import("os").attr("fspath")(path);
    if (!py::isinstance<py::str>(name)) throw py::type_error("a path must be a str or os.PathLike");
    return name.cast<std::string>();
}
