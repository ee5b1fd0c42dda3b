#include "suggest/suggest_main.h"

#include <optional>
#include <ostream>

#include "convert/output_guard.h"
#include "convert/output_names.h"
#include "suggest/suggest_file.h"
#include "suggest/suggest_options.h"

namespace {

constexpr int kDone = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

int usageError(std::ostream& err, const std::string& error) {
    err << "xrdsuggest: " << error << "\nTry 'xrdsuggest --help'.\n";
    return kUsageError;
}

}  // namespace

int suggestMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedSuggestLine parsed = parseSuggestArgs(args);
    switch (parsed.outcome) {
        case CommandLineWalk::Help:
            out << suggestUsage();
            return kDone;
        case CommandLineWalk::Version:
            out << "xrdsuggest " << XRDPICK_VERSION << '\n';
            return kDone;
        case CommandLineWalk::UsageError:
            return usageError(err, parsed.error);
        case CommandLineWalk::Run:
            break;
    }
    if (const std::optional<std::string> refusal = outdirRefusal(parsed.options.outdir))
        return usageError(err, *refusal);
    OutputGuard guard(parsed.options.files, parsed.options.force);
    const SuggestContext context{parsed.options, guard, out, err};
    bool allDone = true;
    for (const std::string& file : parsed.options.files)
        allDone = suggestFile(context, file) && allDone;
    out.flush();
    return allDone ? kDone : kSomeFailed;
}
