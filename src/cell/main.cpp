#include <iostream>
#include <string>
#include <vector>

#include "cell/cell_main.h"
#include "pattern/safe_file.h"

int main(int argc, char** argv) {
    ignoreFileSizeSignal();
    return cellMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
