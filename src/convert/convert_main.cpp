#include "convert/convert_main.h"

#include <filesystem>
#include <ostream>

#include "convert/convert_context.h"
#include "convert/convert_file.h"
#include "convert/convert_options.h"
#include "convert/merge_scans.h"
#include "convert/output_guard.h"

namespace {

constexpr int kConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

void reportProgress(std::ostream& err, std::size_t number, std::size_t count,
                    const std::string& name) {
    err << '[' << number << '/' << count << "] " << name << '\n';
}

bool convertAll(const ConvertContext& context, bool showProgress) {
    const std::vector<std::string>& files = context.options.files;
    if (context.options.merge) {
        if (showProgress) reportProgress(context.err, 1, 1, "merging from " + files.front());
        return mergeScans(context);
    }
    bool allConverted = true;
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (showProgress) reportProgress(context.err, k + 1, files.size(), files[k]);
        allConverted = convertFile(context, files[k]) && allConverted;
    }
    return allConverted;
}

}  // namespace

int convertMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                bool showProgress) {
    const ParsedCommandLine parsed = parseConvertArgs(args);
    switch (parsed.outcome) {
        case CommandLineWalk::Help:
            out << convertUsage();
            return kConverted;
        case CommandLineWalk::Version:
            out << "xrdconvert " << XRDPICK_VERSION << '\n';
            return kConverted;
        case CommandLineWalk::UsageError:
            err << "xrdconvert: " << parsed.error << "\nTry 'xrdconvert --help'.\n";
            return kUsageError;
        case CommandLineWalk::Run:
            break;
    }
    // Every output would fail the same way: one message, before any input is read.
    std::error_code error;
    const std::string& outdir = parsed.options.outdir;
    if (!outdir.empty() && !std::filesystem::is_directory(outdir, error)) {
        err << "xrdconvert: --outdir '" << outdir << "' is not an existing directory\n"
            << "Try 'xrdconvert --help'.\n";
        return kUsageError;
    }
    OutputGuard guard(parsed.options.files, parsed.options.force);
    const ConvertContext context{parsed.options, guard, out, err};
    const bool allConverted = convertAll(context, showProgress);
    out.flush();
    return allConverted ? kConverted : kSomeFailed;
}
