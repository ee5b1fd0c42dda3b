#include "loaded_pattern.h"

#include <sstream>

#include "console/console.h"

Loaded load(const std::string& name, ImportRequest options) {
    Loaded loaded;
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out);
    loaded.ok = loadPatternFile(name, options, console, *loaded.store, loaded.file);
    loaded.transcript = out.str();
    return loaded;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
