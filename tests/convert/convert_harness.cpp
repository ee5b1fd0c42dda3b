#include "convert/convert_harness.h"

#include <memory>
#include <sstream>

#include "console/console.h"
#include "convert/convert_main.h"
#include "open/load.h"
#include "pattern/data_file_name.h"
#include "pattern/pattern_store.h"
#include "pattern/writers.h"

ConvertRun runConvert(const std::vector<std::string>& args, bool showProgress) {
    std::ostringstream out;
    std::ostringstream err;
    ConvertRun run;
    run.status = convertMain(args, out, err, showProgress);
    run.out = out.str();
    run.err = err.str();
    return run;
}

bool writeAsSession(const std::string& name, const std::string& typedNames, char format,
                    const std::string& path, const std::string& title) {
    std::istringstream loadInput(typedNames);
    std::ostringstream transcript;
    Console loadConsole(loadInput, transcript);
    auto store = std::make_unique<PatternStore>();
    DataFileName dataFile;
    if (!loadPattern({name}, loadConsole, *store, dataFile)) return false;

    // The dialogue offers XRS82, Wyriet, PROFIN and GSAS in turn; the title follows the
    // GSAS name.
    std::string answers;
    for (const char offered : std::string("xwdg"))
        answers += (offered == format ? path : "") + "\n";
    if (format == 'g') answers += title + "\n";
    std::istringstream dialogueInput(answers);
    Console dialogue(dialogueInput, transcript);
    return writeAllFormats(dialogue, *store) == 0;
}

std::string example(const std::string& file) {
    return std::string(XRDPICK_EXAMPLES) + "/" + file;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}
