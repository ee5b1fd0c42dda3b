#include "pattern/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;                 // as the kernel allows
constexpr std::size_t kMaxTempStem = 64;         // keeps the temporary name within NAME_MAX
constexpr int kTemporaryNameAttempts = 100;      // names already taken are tried again
constexpr std::size_t kMaxDescriptorDigits = 9;  // a descriptor number that fits an int
constexpr mode_t kNewFileMode = 0666;            // as fopen creates files, less the umask

// Where a replacing save puts its content.
struct Destination {
    std::string path;      // the file itself: symbolic links followed
    int descriptor = -1;   // one of this process's descriptors that the name stands for
    bool inPlace = false;  // a descriptor of another process: written through its name
};

// Whether path is an entry of a /proc/PID/fd folder (/dev/stdout and /dev/fd/N lead there).
// Such an entry stands for an open file, possibly a pipe or a file opened for appending, and
// what it leads to must not be replaced; for this process's own entries, number is set.
bool isDescriptorEntry(const fs::path& path, int& number) {
    std::error_code error;
    const fs::path folder =
        fs::canonical(path.has_parent_path() ? path.parent_path() : fs::path("."), error);
    const std::string name = path.filename().string();
    if (error || folder.filename() != "fd" || folder.string().rfind("/proc/", 0) != 0 ||
        name.empty() || name.size() > kMaxDescriptorDigits ||
        name.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const std::string ownFolders = "/proc/" + std::to_string(getpid()) + "/";
    number = folder.string().rfind(ownFolders, 0) == 0 ? std::stoi(name) : -1;
    return true;
}

// A symbolic link is followed (also one that leads to a file not there yet), so that the
// rename replaces the file and not the link.
Destination destinationOf(const std::string& target) {
    fs::path path(target);
    std::error_code error;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        int descriptor = -1;
        if (isDescriptorEntry(path, descriptor)) return {path.string(), descriptor, true};
        if (!fs::is_symlink(path, error)) break;
        const fs::path next = fs::read_symlink(path, error);
        if (error) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return {path.string()};
}

// Gives what make creates (a temporary file, a link to the old content) a name that no
// other file has: ".NAME.NUMBER" in the target's folder. make returns -1 with errno EEXIST
// when the name is taken.
template <typename Make>
int createUnique(const std::string& target, std::string& name, Make make) {
    static std::atomic<unsigned> counter{0};
    const fs::path path(target);
    const std::string stem = path.filename().string().substr(0, kMaxTempStem);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const unsigned long tag = static_cast<unsigned long>(getpid()) * 1000003UL +
                                  static_cast<unsigned long>(std::time(nullptr)) +
                                  counter.fetch_add(1) * 7919UL;
        name =
            (path.parent_path() / ("." + stem + "." + std::to_string(tag % 1000000007UL))).string();
        const int made = make(name);
        if (made >= 0 || errno != EEXIST) return made;
    }
    return -1;
}

}  // namespace

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

std::string cannotBeWritten(const std::string& name, int error) {
    return name + ": cannot be written: " + std::strerror(error);
}

SafeFile SafeFile::replacing(const std::string& target) {
    SafeFile safe;
    safe.name_ = target;
    const Destination destination = destinationOf(target);
    safe.target_ = destination.path;
    struct stat existing {};
    const bool exists = stat(safe.target_.c_str(), &existing) == 0;
    int fd = -1;
    if (destination.descriptor >= 0) {
        // Written through the descriptor itself, at its offset and with its append mode:
        // "--table /dev/stdout >> all.tsv" adds to all.tsv.
        fd = fcntl(destination.descriptor, F_DUPFD_CLOEXEC, 0);
    } else if (destination.inPlace || (exists && !S_ISREG(existing.st_mode))) {
        // A terminal, a device or a pipe cannot be replaced and holds no content of ours:
        // opened as it is, never truncated, never created. Another process's descriptor
        // opens its file anew, at its start: added to, so that what it holds stays.
        const int appendMode = destination.inPlace ? O_APPEND : 0;
        fd = open(safe.target_.c_str(), O_WRONLY | O_CLOEXEC | appendMode);
    } else {
        fd = createUnique(safe.target_, safe.temporary_, [](const std::string& name) {
            return open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        });
        safe.pending_ = fd >= 0;
        // The new content keeps the permission bits of the file it replaces.
        if (fd >= 0 && exists) fchmod(fd, existing.st_mode & 07777);
    }
    if (fd < 0) {
        safe.fail(errno);
        return safe;
    }
    safe.file_ = fdopen(fd, "w");
    if (!safe.file_) {
        safe.fail(errno);
        close(fd);
        safe.discard();
    }
    return safe;
}

SafeFile SafeFile::appending(const std::string& target) {
    SafeFile safe;
    safe.name_ = target;
    safe.target_ = target;
    safe.appending_ = true;
    const int fd = open(target.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kNewFileMode);
    if (fd < 0) {
        safe.fail(errno);
        return safe;
    }
    struct stat existing {};
    if (fstat(fd, &existing) != 0 || !(safe.file_ = fdopen(fd, "a"))) {
        safe.fail(errno);
        close(fd);
        return safe;
    }
    safe.oldLength_ = existing.st_size;
    safe.pending_ = S_ISREG(existing.st_mode);
    return safe;
}

SafeFile::SafeFile(SafeFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      name_(std::move(other.name_)),
      target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      failure_(std::move(other.failure_)),
      appending_(other.appending_),
      oldLength_(other.oldLength_),
      pending_(std::exchange(other.pending_, false)) {}

SafeFile::~SafeFile() {
    discard();
}

bool SafeFile::commit() {
    const bool saved = finishWriting() && moveIntoPlace();
    if (saved) pending_ = false;
    discard();
    return saved;
}

bool SafeFile::commitTogether(SafeFile& first, SafeFile& second) {
    std::string kept;  // a second name for the first target's old content
    bool saved = first.finishWriting() && second.finishWriting() && first.keepOldContent(kept);
    // Content written in place (a device, a pipe) cannot be taken back.
    const bool firstReplaces = !first.temporary_.empty();
    if (saved && first.moveIntoPlace() && !second.moveIntoPlace() && firstReplaces &&
        !first.putBack(kept))
        kept.clear();  // the old content stays under its second name rather than be lost
    saved = saved && first.failure_.empty() && second.failure_.empty();
    if (!kept.empty()) unlink(kept.c_str());
    first.discard();
    second.discard();
    return saved;
}

bool SafeFile::keepOldContent(std::string& kept) {
    struct stat old {};
    if (temporary_.empty() || stat(target_.c_str(), &old) != 0 || !S_ISREG(old.st_mode))
        return true;  // nothing there that the rename would replace
    const int linked = createUnique(target_, kept, [this](const std::string& name) {
        return link(target_.c_str(), name.c_str());
    });
    if (linked == 0) return true;
    kept.clear();
    return fail(errno);
}

bool SafeFile::putBack(std::string& kept) {
    if (kept.empty()) return unlink(target_.c_str()) == 0;  // there was no file before
    if (std::rename(kept.c_str(), target_.c_str()) != 0) return false;
    kept.clear();
    return true;
}

bool SafeFile::finishWriting() {
    if (!file_) return false;
    // The data must be on disk before the rename makes it the target's, or a crash could
    // leave an empty file where the old one was.
    bool written = true;
    if (std::fflush(file_) != 0 || std::ferror(file_)) {
        written = fail(errno != 0 ? errno : EIO);
    } else if (pending_ && fsync(fileno(file_)) != 0) {
        written = fail(errno);
    }
    if (std::fclose(std::exchange(file_, nullptr)) != 0 && written) written = fail(errno);
    return written;
}

bool SafeFile::moveIntoPlace() {
    if (temporary_.empty()) return true;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return fail(errno);
    temporary_.clear();
    pending_ = false;
    return true;
}

bool SafeFile::fail(int error) {
    if (failure_.empty()) failure_ = cannotBeWritten(name_, error);
    return false;
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
