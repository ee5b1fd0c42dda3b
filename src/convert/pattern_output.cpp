#include "convert/pattern_output.h"

#include <optional>
#include <ostream>

#include "convert/file_messages.h"
#include "convert/output_names.h"
#include "pattern/writers.h"

namespace {

std::string requestedFormats(const ConvertOptions& options, char inputFormat) {
    if (!options.formats.empty()) return options.formats;
    std::string formats = kProcessedFormats;
    const std::size_t own = formats.find(inputFormat);
    if (own != std::string::npos) formats.erase(own, 1);
    return formats;
}

bool writeOutput(const ConvertContext& context, const PatternStore& store, char format,
                 const std::string& path, const std::string& title) {
    if (const std::optional<std::string> refusal = context.guard.refusal(path)) {
        context.err << path << ": " << *refusal << '\n';
        return false;
    }
    {
        FileMessages messages(context.err, path);
        if (writePatternFile(messages.console(), store, format, path, title) != 0) return false;
    }
    context.guard.recordWritten(path);
    context.out << path << '\n';
    return true;
}

}  // namespace

bool writePatternOutputs(const ConvertContext& context, const PatternStore& store,
                         const std::string& inputName, char inputFormat) {
    const std::string stem = patternStem(inputName);
    if (stem.empty()) {
        context.err << inputName << ": no name before the extension to name the output after\n";
        return false;
    }
    const std::string title = context.options.title.value_or(defaultTitle(inputName));
    bool allWritten = true;
    for (const char format : requestedFormats(context.options, inputFormat)) {
        const std::string path = outputPath(context.options.outdir, stem, format);
        allWritten = writeOutput(context, store, format, path, title) && allWritten;
    }
    return allWritten;
}
