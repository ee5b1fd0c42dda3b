#pragma once
// Writes one loaded pattern in the requested formats.

#include <string>

#include "convert/convert_context.h"
#include "pattern/pattern_store.h"

// Writes DIR/STEM.EXT for each requested format (by default each but inputFormat), with STEM
// and the default GSAS title taken from inputName, and lists every file written. False when
// a file could not be written; the other formats are still tried.
bool writePatternOutputs(const ConvertContext& context, const PatternStore& store,
                         const std::string& inputName, char inputFormat);
