#include "python/arguments.h"

namespace py = pybind11;

std::string typeName(const py::handle& value) {
    return py::str(py::type::handle_of(value).attr("__name__"));
}

bool isPath(const py::handle& value) {
    return py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value) ||
           py::hasattr(value, "__fspath__");
}

std::string pathArgument(const py::handle& path, const std::string& name) {
    if (py::isinstance<py::str>(path)) return path.cast<std::string>();
    if (py::hasattr(path, "__fspath__")) {
        const py::object fspath = path.attr("__fspath__")();
        if (py::isinstance<py::str>(fspath)) return fspath.cast<std::string>();
    }
    throw py::type_error(name + " must be a str or os.PathLike, not " + typeName(path));
}
