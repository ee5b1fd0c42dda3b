#pragma once
// Merges raw scan files into one pattern, as the load step of xrdpick does with the further
// names typed at its prompt, and writes it in the requested formats.

#include "convert/convert_context.h"

// The scans are the files of the options, the first (which names the pattern) with the
// lowest angles. False, with nothing written, when a scan cannot be opened, the merge fails
// or it ends before its last scan; false too, after writing the pattern and one line that
// sums them up, when records of the scans were refused.
bool mergeScans(const ConvertContext& context);
