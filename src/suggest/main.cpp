#include <iostream>
#include <string>
#include <vector>

#include "suggest/suggest_main.h"

int main(int argc, char** argv) {
    return suggestMain(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
