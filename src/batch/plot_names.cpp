#include "batch/plot_names.h"

#include <filesystem>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// The path's folders and name joined by '_', without "." and ".." (which would make a
// hidden file of "../o/p30.xy").
std::string flattened(const std::string& pattern) {
    std::string flat;
    std::istringstream parts(pattern);
    for (std::string part; std::getline(parts, part, '/');) {
        if (part.empty() || part == "." || part == "..") continue;
        if (!flat.empty()) flat += '_';
        flat += part;
    }
    return flat.empty() ? "pattern" : flat;
}

// The file a path leads to, so that "./a.xy", "dir/../a.xy" or a link count as a.xy; empty
// when that cannot be told.
fs::path fileOf(const std::string& path) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? fs::path() : canonical;
}

std::string pathOf(const std::string& dir, const std::string& stem, int regionNumber) {
    return dir + "/" + stem + "_region" + std::to_string(regionNumber) + ".png";
}

}  // namespace

PlotNames::PlotNames(const std::string& dir, const std::vector<std::string>& patterns, int regions,
                     const std::vector<std::string>& kept)
    : dir_(dir) {
    std::set<fs::path> keptFiles;
    for (const std::string& file : kept) keptFiles.insert(fileOf(file));
    std::set<std::string> taken;
    const auto usable = [&](const std::string& stem) {
        if (taken.count(stem) > 0) return false;
        for (int r = 1; r <= regions; ++r)
            if (const fs::path file = fileOf(pathOf(dir_, stem, r));
                !file.empty() && keptFiles.count(file) > 0)
                return false;
        return true;
    };
    for (const std::string& pattern : patterns) {
        const std::string flat = flattened(pattern);
        std::string stem = flat;
        // A second pattern of one flattened name (a/x.xy and a_x.xy) is numbered.
        for (int n = 2; !usable(stem); ++n) stem = flat + "~" + std::to_string(n);
        taken.insert(stem);
        stems_.push_back(stem);
    }
}

std::string PlotNames::path(std::size_t pattern, int regionNumber) const {
    return pathOf(dir_, stems_.at(pattern), regionNumber);
}
