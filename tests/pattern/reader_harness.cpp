#include "pattern/reader_harness.h"

#include <sstream>
#include <stdexcept>

bool ReaderTest::read(Reader reader, const std::string& text) {
    writeFile("data", text);
    std::FILE* file = std::fopen("data", "r");
    if (!file) throw std::runtime_error("cannot open the data file just written");
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out);
    const bool loaded = reader(file, console, store);
    std::fclose(file);
    transcript = out.str();
    return loaded;
}
