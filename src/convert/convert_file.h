#pragma once
// Converts one processed pattern file (.xy, .wyr, .dat, .gda) into the other formats.

#include <string>

#include "convert/convert_context.h"

// Reads the file with its format's reader and writes the requested formats. False, after
// the messages, when it cannot be read or a file cannot be written.
bool convertFile(const ConvertContext& context, const std::string& name);
