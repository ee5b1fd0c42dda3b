#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "batch/fit_main.h"
#include "pattern/safe_file.h"

int main(int argc, char** argv) {
    ignoreFileSizeSignal();
    // The progress line helps a person watching, not a log file or a pipe.
    const Terminals terminals{isatty(STDERR_FILENO) != 0, isatty(STDOUT_FILENO) != 0};
    return fitMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                   terminals);
}
