#include "pattern/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <utility>

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;             // as the kernel allows
constexpr std::size_t kMaxTempStem = 64;     // keeps the temporary name within NAME_MAX
constexpr int kTemporaryNameAttempts = 100;  // names already taken are tried again
constexpr mode_t kNewFileMode = 0666;        // as fopen creates files, less the umask

// The file a save must change: a symbolic link is followed (also one that leads to a file
// not there yet), so that the rename replaces the file and not the link.
std::string followLinks(const std::string& target) {
    fs::path path(target);
    std::error_code error;
    for (int hop = 0; hop < kMaxLinkHops && fs::is_symlink(path, error); ++hop) {
        const fs::path next = fs::read_symlink(path, error);
        if (error) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path.string();
}

// A name for the temporary file that no other file has: ".NAME.XXXXXX" in the target's
// folder. Opened with the mode fopen would give a new file, so the umask applies.
int createTemporary(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    const fs::path path(target);
    const std::string stem = path.filename().string().substr(0, kMaxTempStem);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const unsigned long tag = static_cast<unsigned long>(getpid()) * 1000003UL +
                                  static_cast<unsigned long>(std::time(nullptr)) +
                                  counter.fetch_add(1) * 7919UL;
        name =
            (path.parent_path() / ("." + stem + "." + std::to_string(tag % 1000000007UL))).string();
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

SafeFile SafeFile::replacing(const std::string& target) {
    SafeFile safe;
    safe.target_ = followLinks(target);
    struct stat existing {};
    const bool exists = stat(safe.target_.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or a pipe (/dev/null, a fifo) is written as it is: it cannot be replaced,
        // and it holds no content to lose.
        safe.file_ = std::fopen(safe.target_.c_str(), "w");
        return safe;
    }
    const int fd = createTemporary(safe.target_, safe.temporary_);
    if (fd < 0) return safe;
    safe.pending_ = true;
    // The new content keeps the permission bits of the file it replaces.
    if (exists) fchmod(fd, existing.st_mode & 07777);
    safe.file_ = fdopen(fd, "w");
    if (!safe.file_) {
        close(fd);
        safe.discard();
    }
    return safe;
}

SafeFile SafeFile::appending(const std::string& target) {
    SafeFile safe;
    safe.target_ = target;
    safe.appending_ = true;
    const int fd = open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kNewFileMode);
    if (fd < 0) return safe;
    struct stat existing {};
    if (fstat(fd, &existing) != 0 || !(safe.file_ = fdopen(fd, "a"))) {
        close(fd);
        return safe;
    }
    safe.oldLength_ = existing.st_size;
    safe.pending_ = S_ISREG(existing.st_mode);
    return safe;
}

SafeFile::SafeFile(SafeFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      appending_(other.appending_),
      oldLength_(other.oldLength_),
      pending_(std::exchange(other.pending_, false)) {}

SafeFile::~SafeFile() {
    discard();
}

bool SafeFile::commit() {
    if (!file_) return false;
    // The data must be on disk before the rename makes it the target's, or a crash could
    // leave an empty file where the old one was.
    const bool written =
        std::fflush(file_) == 0 && !std::ferror(file_) && (!pending_ || fsync(fileno(file_)) == 0);
    const bool closed = std::fclose(std::exchange(file_, nullptr)) == 0;
    const bool saved =
        written && closed &&
        (temporary_.empty() || std::rename(temporary_.c_str(), target_.c_str()) == 0);
    if (saved) pending_ = false;
    discard();
    return saved;
}

void SafeFile::discard() {
    if (file_) std::fclose(std::exchange(file_, nullptr));
    if (!pending_) return;
    pending_ = false;
    if (appending_) {
        // The blocks that were there before stay whole.
        [[maybe_unused]] const int cut = truncate(target_.c_str(), oldLength_);
    } else {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
}
