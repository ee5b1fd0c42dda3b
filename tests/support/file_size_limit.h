#pragma once
// Holds the process to a small file size limit, as `ulimit -f` does, for as long as it
// lives; SIGXFSZ is ignored meanwhile, as the programs ignore it, so a write beyond the
// limit fails instead of ending the test.

#include <sys/resource.h>

#include <csignal>

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};
