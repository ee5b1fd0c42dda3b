#include "pattern/pattern_file_open.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string notRegular(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory, not a pattern file";
    if (S_ISFIFO(mode)) return "a FIFO, not a pattern file";
    if (S_ISCHR(mode)) return "a character device, not a pattern file";
    if (S_ISBLK(mode)) return "a block device, not a pattern file";
    if (S_ISSOCK(mode)) return "a socket, not a pattern file";
    return "not a regular file";
}

}  // namespace

PatternFileOpening openPatternFile(const std::string& name) {
    PatternFileOpening opening;
    // Asked before the open, so that a device is not even opened; the open does not wait for a
    // FIFO's writer, and what was opened is asked again, in case the name changed in between.
    struct stat status {};
    if (::stat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        opening.refusal = notRegular(status.st_mode);
        return opening;
    }
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        opening.error = errno;
        return opening;
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        opening.refusal = notRegular(status.st_mode);
        ::close(fd);
        return opening;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    opening.file = ::fdopen(fd, "r");
    if (!opening.file) {
        opening.error = errno;
        ::close(fd);
    }
    return opening;
}

std::string openingFailure(const std::string& name, const PatternFileOpening& opening) {
    if (!opening.refusal.empty()) return name + ": " + opening.refusal;
    return name + ": cannot open: " + std::strerror(opening.error);
}
