#include "python/pattern_write.h"

#include <pybind11/pybind11.h>

#include "pattern/format_writers.h"
#include "pattern/safe_file.h"
#include "python/errors.h"

namespace py = pybind11;

namespace {

int writeFormat(std::FILE* out, const PatternStore& store, char format, const std::string& title) {
    switch (format) {
        case 'x':
            return writeXy(out, store);
        case 'w':
            return writeWyr(out, store);
        case 'd':
            return writeDat(out, store);
        default:
            return writeGda(out, store, title);
    }
}

}  // namespace

// The library's writers through a SafeFile of our own: its failure names the file and the
// system's reason, where the interactive dialogue's message says neither.
void writePattern(const PatternStore& store, char format, const std::string& path,
                  const std::string& title) {
    int overflows = 0;
    bool saved = false;
    std::string failure;
    {
        py::gil_scoped_release unlocked;
        SafeFile out = SafeFile::replacing(path);
        if (out.file()) overflows = writeFormat(out.file(), store, format, title);
        // Not committed, the new file is discarded and a file there before stays as it was.
        saved = overflows == 0 && out.commit();
        failure = out.failure();
    }
    if (overflows > 0)
        throw WriteError(path + ": cannot be written: " + std::to_string(overflows) +
                         " value(s) do not fit their fixed fields and would not read back");
    if (!saved) throw WriteError(failure);
}
