#pragma once
// Suggests background points and peak positions for one pattern file and writes them.

#include <iosfwd>
#include <string>

#include "convert/output_guard.h"
#include "suggest/suggest_options.h"

struct SuggestContext {
    const SuggestOptions& options;
    OutputGuard& guard;
    std::ostream& out;  // one summary line per pattern
    std::ostream& err;  // the messages, each line naming its file
};

// Reads the pattern with xrdpick's readers and writes DIR/STEM.fbg and DIR/STEM.gbg, and
// DIR/STEM.cdt, as asked. False, after the messages, when the pattern cannot be read or a
// file cannot be written; a part that found nothing writes no file and is no failure.
bool suggestFile(const SuggestContext& context, const std::string& name);
