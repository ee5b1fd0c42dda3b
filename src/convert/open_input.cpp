#include "convert/open_input.h"

#include <ostream>

#include "pattern/pattern_file_open.h"

std::FILE* openInput(const std::string& name, std::ostream& err) {
    const PatternFileOpening opening = openPatternFile(name);
    if (!opening.file) err << openingFailure(name, opening) << '\n';
    return opening.file;
}
