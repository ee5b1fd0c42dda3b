#pragma once
// Saves that never lose a file. A whole-file save writes a temporary file next to the target
// and renames it over the target only once everything was written and closed, so a write
// that fails part-way (a full disk, a file size limit, a lost network share) leaves the old
// file as it was. An append cuts the file back to its old length when it fails, so the
// blocks already there stay whole. A target that is no regular file (a terminal, a device,
// a pipe, or one of the process's own descriptors named as /dev/stdout or /dev/fd/N) has
// no content of ours to lose and cannot be renamed over: it is written in place.

#include <sys/types.h>

#include <cstdio>
#include <string>

// A write beyond the file size limit must come back as a write error, not end the process
// (SIGXFSZ) with a half-written file. Every program that saves calls this once at start.
void ignoreFileSizeSignal();

// "NAME: cannot be written: REASON", the message of every save that fails, with the reason
// of the system's error number.
std::string cannotBeWritten(const std::string& name, int error);

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
    // when anything failed: an open, a write, the flush to disk, the close or the rename.
    bool commit();

    // Commits two saves as one result (a pair of files that belong together): both targets
    // receive their new content, or both keep what they held. False when either failed;
    // the one that failed says why.
    static bool commitTogether(SafeFile& first, SafeFile& second);

    // "NAME: cannot be written: REASON" once the save failed, with the name as given;
    // empty while nothing failed.
    const std::string& failure() const { return failure_; }

  private:
    SafeFile() = default;
    bool finishWriting();  // flush, sync and close
    bool moveIntoPlace();  // the rename of a replacing save
    // A second name for the old content that the rename replaces, so that a pair can put
    // it back; empty when there is none.
    bool keepOldContent(std::string& kept);
    bool putBack(std::string& kept);  // false when the old content could not be put back
    bool fail(int error);             // records why, returns false
    void discard();

    std::FILE* file_ = nullptr;
    std::string name_;       // the target as the caller named it
    std::string target_;     // the file that receives the content (links followed)
    std::string temporary_;  // the new content of a replacing save
    std::string failure_;
    bool appending_ = false;
    off_t oldLength_ = 0;   // the length an append cuts back to
    bool pending_ = false;  // something is written that a failure must undo
};
