#pragma once
// Decides whether a conversion may write a file: an existing file is replaced only when the
// user asked for it, and never when it is one of the run's inputs (a later input would be
// lost before it is read) or was written by the run already (two inputs with one stem).

#include <optional>
#include <string>
#include <vector>

class OutputGuard {
  public:
    OutputGuard(std::vector<std::string> inputs, bool force)
        : inputs_(std::move(inputs)), force_(force) {}

    // Why path must not be written; nothing when it may.
    std::optional<std::string> refusal(const std::string& path) const;

    void recordWritten(const std::string& path) { written_.push_back(path); }

  private:
    std::vector<std::string> inputs_;
    std::vector<std::string> written_;
    bool force_;
};
