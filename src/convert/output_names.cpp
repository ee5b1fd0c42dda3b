#include "convert/output_names.h"

#include <filesystem>

#include "pattern/data_file_name.h"
#include "pattern/writers.h"

namespace {

std::string baseName(const std::string& name) {
    const std::size_t slash = name.find_last_of('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

std::string patternStem(const std::string& name) {
    const std::string base = baseName(name);
    return base.substr(0, base.rfind('.'));
}

std::optional<std::string> outdirRefusal(const std::string& outdir) {
    std::error_code error;
    if (outdir.empty() || std::filesystem::is_directory(outdir, error)) return std::nullopt;
    return "--outdir '" + outdir + "' is not an existing directory";
}

std::string outputPath(const std::string& outdir, const std::string& stem, char format) {
    const std::string file = stem + "." + formatExtension(format);
    if (outdir.empty()) return file;
    return (std::filesystem::path(outdir) / file).string();
}

std::string defaultTitle(const std::string& name) {
    const std::string base = baseName(name);
    const std::string line = base.substr(0, base.find_first_of("\r\n"));
    return line.substr(0, kGdaTitleMax);
}
