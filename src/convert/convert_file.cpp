#include "convert/convert_file.h"

#include <cstdio>
#include <memory>
#include <ostream>

#include "convert/file_messages.h"
#include "convert/open_input.h"
#include "convert/pattern_output.h"
#include "pattern/data_file_name.h"
#include "pattern/format_recognition.h"
#include "pattern/pattern_store.h"
#include "pattern/readers.h"

bool convertFile(const ConvertContext& context, const std::string& name) {
    const char format = recogniseFormat(DataFileName{name});
    if (format == 's') {
        context.err << name << ": a raw scan file; raw scans are merged with --merge\n";
        return false;
    }
    const ProcessedReader reader = processedReader(format);
    if (!reader) {
        context.err << name << ": not a processed pattern file (.xy, .wyr, .dat, .gda)\n";
        return false;
    }
    std::FILE* file = openInput(name, context.err);
    if (!file) return false;
    // A fresh store for every input: nothing of an earlier pattern can leak into this one.
    auto store = std::make_unique<PatternStore>();
    bool loaded = false;
    {
        FileMessages messages(context.err, name);
        loaded = reader(file, messages.console(), *store);
    }
    std::fclose(file);
    return loaded && writePatternOutputs(context, *store, name, format);
}
