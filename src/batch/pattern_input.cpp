#include "batch/pattern_input.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "driver/console.h"
#include "pattern/load.h"

namespace {

// After a failed attempt the load step turns to the console (which has nothing to say):
// its prompts mark the end of what the readers reported.
const char* const kLoadPrompts[] = {"Input processed filename", "Eh?, I can not see that file"};

std::string readersReport(const std::string& said) {
    std::size_t end = said.size();
    for (const char* prompt : kLoadPrompts) end = std::min(end, said.find(prompt));
    std::string report = said.substr(0, end);
    while (!report.empty() && (report.back() == '\n' || report.back() == ' ')) report.pop_back();
    return report;
}

}  // namespace

bool readPattern(const std::string& name, PatternStore& store, std::string& why) {
    std::istringstream nothing;
    std::ostringstream said;
    Console console(nothing, said);
    DataFileName dataFile;
    if (loadPattern({name}, console, store, dataFile)) return true;
    why = readersReport(said.str());
    if (why.empty()) why = "cannot be opened";
    return false;
}
