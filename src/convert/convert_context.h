#pragma once
// What every conversion of one run shares: the options, the guard over the files written,
// and the two output streams.

#include <iosfwd>

#include "convert/convert_options.h"
#include "convert/output_guard.h"

struct ConvertContext {
    const ConvertOptions& options;
    OutputGuard& guard;
    std::ostream& out;  // the files written, one per line
    std::ostream& err;  // the messages, each line naming its file
};
