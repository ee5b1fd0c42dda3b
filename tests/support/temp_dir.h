#pragma once
// Each test works in a directory of its own: created and entered on construction, left
// and removed with everything in it on destruction.

#include <filesystem>
#include <string>
#include <vector>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// The names of every entry of a folder, hidden ones included, sorted.
std::vector<std::string> entriesOf(const std::filesystem::path& folder);
