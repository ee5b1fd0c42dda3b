#include "convert/open_input.h"

#include <cerrno>
#include <cstring>
#include <ostream>

std::FILE* openInput(const std::string& name, std::ostream& err) {
    std::FILE* file = std::fopen(name.c_str(), "r");
    if (!file) err << name << ": cannot open: " << std::strerror(errno) << '\n';
    return file;
}
