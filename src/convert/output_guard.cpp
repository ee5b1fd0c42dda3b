#include "convert/output_guard.h"

#include <filesystem>

namespace {

// Compares the files themselves, so that "./a.xy", "dir/../a.xy" or a link count as a.xy.
bool isAnyOf(const std::string& path, const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        std::error_code error;
        if (std::filesystem::equivalent(path, file, error)) return true;
    }
    return false;
}

}  // namespace

std::optional<std::string> OutputGuard::refusal(const std::string& path) const {
    std::error_code error;
    // symlink_status: a link counts as an existing file even when it leads nowhere.
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return {};
    if (isAnyOf(path, written_)) return "written from an earlier input of this run; not replaced";
    if (isAnyOf(path, inputs_)) return "is an input of this run; not replaced";
    if (!force_) return "exists already; not replaced (--force replaces it)";
    return {};
}
