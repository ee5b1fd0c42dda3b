#include "support/not_regular_files.h"

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

std::vector<NotRegularFile> makeNotRegularFiles(const std::string& folder,
                                                const std::string& fifo) {
    std::filesystem::create_directory(folder);
    if (mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("cannot make the FIFO " + fifo);
    return {{folder, folder + ": a directory, not a pattern file"},
            {fifo, fifo + ": a FIFO, not a pattern file"}};
}
