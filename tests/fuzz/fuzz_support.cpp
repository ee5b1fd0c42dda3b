#include "fuzz_support.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

void require(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

std::vector<std::string> splitSections(const std::uint8_t* data, std::size_t size,
                                       std::size_t count) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string mark = kSectionMark;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (parts.size() + 1 < count) {
        const std::size_t end = input.find(mark, start);
        if (end == std::string::npos) break;
        parts.push_back(input.substr(start, end - start));
        start = end + mark.size();
    }
    parts.push_back(start < input.size() ? input.substr(start) : std::string());
    parts.resize(count);
    return parts;
}

std::vector<std::string> splitArguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    if (size == 0) return args;
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0;;) {
        const std::size_t end = input.find('\0', start);
        args.push_back(input.substr(start, end - start));
        if (end == std::string::npos) return args;
        start = end + 1;
    }
}

void requireParseVerdict(bool failed, const std::string& error) {
    require(failed == !error.empty(), "a parse fails exactly when it gives an error");
}

void requireOperandsGiven(const std::vector<std::string>& operands,
                          const std::vector<std::string>& args) {
    for (const std::string& operand : operands)
        require(std::find(args.begin(), args.end(), operand) != args.end(),
                "an operand is one of the arguments");
}

namespace {

std::filesystem::path& scratchDirectory() {
    static std::filesystem::path path;
    return path;
}

void removeScratchDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(scratchDirectory(), ignored);
}

}  // namespace

void enterScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "xrdpick-fuzz-XXXXXX").string();
    require(mkdtemp(pattern.data()) != nullptr, "a scratch directory can be created");
    scratchDirectory() = pattern;
    std::filesystem::current_path(pattern);
    std::atexit(removeScratchDirectory);
}

void writeScratchFile(const std::string& name, const std::string& content) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << content;
    require(static_cast<bool>(out), "a scratch file can be written");
}

MemoryFile::MemoryFile(std::string content) : content_(std::move(content)) {
    file_ = fmemopen(content_.data(), content_.size(), "r");
    require(file_ != nullptr, "an input can be opened as a file");
}

MemoryFile::~MemoryFile() {
    std::fclose(file_);
}
