#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "convert/convert_main.h"
#include "pattern/safe_file.h"

int main(int argc, char** argv) {
    ignoreFileSizeSignal();
    // Progress lines help a person watching, not a log file or a pipe.
    const bool showProgress = isatty(STDERR_FILENO) != 0;
    return convertMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                       showProgress);
}
