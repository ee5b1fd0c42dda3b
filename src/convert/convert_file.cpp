#include "convert/convert_file.h"

#include <cstdio>
#include <memory>
#include <ostream>

#include "convert/file_messages.h"
#include "convert/open_input.h"
#include "convert/pattern_output.h"
#include "convert/strip_kalpha2.h"
#include "convert/uniform_grid.h"
#include "import/radiation_choice.h"
#include "open/format_recognition.h"
#include "open/load.h"
#include "pattern/data_file_name.h"
#include "pattern/pattern_store.h"

namespace {

// Strips Kα2 with the file's radiation or the options'; says which and that it was done, or
// why it was not (and then nothing is written: the output would not be what was asked for).
bool stripped(const ConvertContext& context, const std::string& name, PatternStore& store) {
    const std::optional<Radiation> radiation =
        chooseRadiation(store.radiation, context.options.input.radiation);
    context.err << name << ": " << describeRadiation(radiation) << '\n';
    if (!stripAndReport(store, radiation, name, context.err)) {
        context.err << name << ": no Kalpha2 line known to strip: nothing written\n";
        return false;
    }
    return true;
}

}  // namespace

bool convertFile(const ConvertContext& context, const std::string& name) {
    const ConvertOptions& options = context.options;
    DataFileName input{name};
    input.format = options.input.format.empty() ? recogniseFormat(input) : 'v';
    if (input.format == 's') {
        context.err << name << ": a raw scan file; raw scans are merged with --merge\n";
        return false;
    }
    if (input.format == 0) {
        context.err << name
                    << ": not a pattern file xrdconvert reads (see --help for the formats)\n";
        return false;
    }
    // The format the name gives: a text pattern in a .xy file keeps its own name, as a .xy
    // input does, so the default outputs leave it alone.
    const char nameFormat = input.format;
    std::FILE* file = openInput(name, context.err);
    if (!file) return false;
    // A fresh store for every input: nothing of an earlier pattern can leak into this one.
    auto store = std::make_unique<PatternStore>();
    bool loaded = false;
    {
        FileMessages messages(context.err, name);
        loaded = readDataFile(file, options.input, messages.console(), *store, input);
    }
    std::fclose(file);
    if (!loaded || !onUniformGrid(context, *store, name)) return false;
    if (options.stripKa2 && !stripped(context, name, *store)) return false;
    return writePatternOutputs(context, *store, name, nameFormat);
}
