#include <iostream>
#include <string>
#include <vector>

#include "pattern/safe_file.h"
#include "suggest/suggest_main.h"

int main(int argc, char** argv) {
    ignoreFileSizeSignal();
    return suggestMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
