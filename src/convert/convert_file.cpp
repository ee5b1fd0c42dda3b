#include "convert/convert_file.h"

#include <cstdio>
#include <memory>
#include <ostream>

#include "convert/file_messages.h"
#include "convert/open_input.h"
#include "convert/pattern_output.h"
#include "convert/uniform_grid.h"
#include "open/format_recognition.h"
#include "open/load.h"
#include "pattern/data_file_name.h"
#include "pattern/pattern_store.h"

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
    return loaded && onUniformGrid(context, *store, name) &&
           writePatternOutputs(context, *store, name, nameFormat);
}
