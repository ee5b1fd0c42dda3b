#include "batch/fit_outputs.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <vector>

#include "convert/output_guard.h"
#include "fit/fit_file.h"

namespace {

namespace fs = std::filesystem;

// Whether the folder that would hold a new entry of path lets one be made there.
std::optional<std::string> folderRefusal(const fs::path& path, const std::string& name) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code error;
    if (!fs::is_directory(folder, error)) return cannotBeWritten(name, ENOENT);
    if (access(folder.c_str(), W_OK | X_OK) != 0) return cannotBeWritten(name, errno);
    return std::nullopt;
}

// The *.fit file receives blocks appended to what it holds: an existing one must open for
// appending, a missing one must be creatable. Checked without creating anything.
std::optional<std::string> fitFileRefusal(const std::string& name) {
    std::error_code error;
    if (!fs::exists(name, error)) return folderRefusal(name, name);
    const int fd = ::open(name.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return cannotBeWritten(name, errno);
    close(fd);
    return std::nullopt;
}

// The pictures' folder may be made, with the folders above it that are missing.
std::optional<std::string> plotsDirRefusal(const std::string& name) {
    fs::path existing = name;
    std::error_code error;
    while (!fs::exists(existing, error) && existing.has_parent_path() &&
           existing.parent_path() != existing)
        existing = existing.parent_path();
    if (!fs::exists(existing, error)) existing = ".";
    if (!fs::is_directory(existing, error)) return name + ": no directory for the pictures";
    if (access(existing.c_str(), W_OK | X_OK) != 0)
        return name + ": no directory for the pictures: " + std::strerror(errno);
    return std::nullopt;
}

// Whether two names lead to one file: the same file already there (through a link or a
// second hard link too), or the same path for one still to be made.
bool sameFile(const std::string& first, const std::string& second) {
    std::error_code error;
    if (fs::equivalent(first, second, error)) return true;
    std::error_code firstError;
    std::error_code secondError;
    const fs::path firstPath = fs::weakly_canonical(first, firstError);
    const fs::path secondPath = fs::weakly_canonical(second, secondError);
    return !firstError && !secondError && firstPath == secondPath;
}

// An output that is one of the run's inputs (the patterns, the file of regions) would lose
// it or grow it before or while it is read.
std::optional<std::string> inputRefusal(const FitOptions& options) {
    std::vector<std::string> inputs = options.patterns;
    for (const std::string* regions : {&options.planFile, &options.fromFitFile, &options.cdtFile})
        if (!regions->empty()) inputs.push_back(*regions);
    const OutputGuard guard(inputs, true);
    for (const std::string* output : {&options.tableFile, &options.fitFile}) {
        if (output->empty()) continue;
        if (const std::optional<std::string> refusal = guard.refusal(*output))
            return *output + ": " + *refusal;
    }
    if (!options.tableFile.empty() && !options.fitFile.empty() &&
        sameFile(options.tableFile, options.fitFile))
        return options.tableFile + ": named for the table and for the *.fit file";
    return std::nullopt;
}

std::optional<std::string> firstRefusal(const FitOptions& options) {
    if (std::optional<std::string> refusal = inputRefusal(options)) return refusal;
    if (!options.fitFile.empty())
        if (std::optional<std::string> refusal = fitFileRefusal(options.fitFile)) return refusal;
    if (!options.plotsDir.empty())
        if (std::optional<std::string> refusal = plotsDirRefusal(options.plotsDir)) return refusal;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FitOutputs::open(const FitOptions& options, std::ostream& out) {
    if (std::optional<std::string> refusal = firstRefusal(options)) return refusal;
    table_ = &out;
    if (!options.tableFile.empty()) {
        tableSave_.emplace(SafeFile::replacing(options.tableFile));
        if (!tableSave_->file()) return tableSave_->failure();
        table_ = &tableText_;
    }
    if (!options.fitFile.empty())
        if (std::optional<std::string> failure = createFitFile(options.fitFile)) return failure;
    if (!options.plotsDir.empty()) {
        std::error_code failed;
        fs::create_directories(options.plotsDir, failed);
        if (!fs::is_directory(options.plotsDir, failed))
            return options.plotsDir + ": no directory for the pictures";
    }
    return std::nullopt;
}

std::optional<std::string> FitOutputs::saveTable() {
    if (!tableSave_) return std::nullopt;
    const std::string text = tableText_.str();
    // A short write leaves the file's error flag set, and the commit then fails.
    std::fwrite(text.data(), 1, text.size(), tableSave_->file());
    if (tableSave_->commit()) return std::nullopt;
    return tableSave_->failure();
}
