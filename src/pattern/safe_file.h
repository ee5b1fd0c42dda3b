#pragma once
// Saves that never lose a file. A whole-file save writes a temporary file next to the target
// and renames it over the target only once everything was written and closed, so a write
// that fails part-way (a full disk, a file size limit, a lost network share) leaves the old
// file as it was. An append cuts the file back to its old length when it fails, so the
// blocks already there stay whole.

#include <sys/types.h>

#include <cstdio>
#include <string>

// A write beyond the file size limit must come back as a write error, not end the process
// (SIGXFSZ) with a half-written file. Every program that saves calls this once at start.
void ignoreFileSizeSignal();

class SafeFile {
  public:
    // Opens a temporary file beside target for the whole new content. A target that is a
    // symbolic link stays a link: the file it leads to receives the content.
    static SafeFile replacing(const std::string& target);
    // Opens target for appending, creating it when missing.
    static SafeFile appending(const std::string& target);

    SafeFile(SafeFile&& other) noexcept;
    SafeFile& operator=(SafeFile&&) = delete;
    SafeFile(const SafeFile&) = delete;
    ~SafeFile();  // discards what was not committed

    // Where to write; nullptr when the file could not be opened.
    std::FILE* file() const { return file_; }

    // Makes what was written the target's content. False, with the target as it was before,
    // when anything failed: an open, a write, the flush to disk or the close.
    bool commit();

  private:
    SafeFile() = default;
    void discard();

    std::FILE* file_ = nullptr;
    std::string target_;     // the file that receives the content (links followed)
    std::string temporary_;  // the new content of a replacing save
    bool appending_ = false;
    off_t oldLength_ = 0;   // the length an append cuts back to
    bool pending_ = false;  // something is written that a failure must undo
};
