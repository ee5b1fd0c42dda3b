#pragma once
// Raw scan files read as one merged pattern, as xrdpick's load step merges the further scan
// names typed at its prompt: for xrdconvert --merge and the Python module.

#include <iosfwd>
#include <string>
#include <vector>

#include "pattern/pattern_store.h"
#include "pattern/super_reader.h"

// Whether `name` is a raw scan file's (its extension begins with three digits); says on `err`
// when it is not.
bool rawScanName(const std::string& name, std::ostream& err);

// Reads the scans, the first (which names the pattern) with the lowest angles, into `store`;
// `refused` counts the records left out, scan by scan. False, after the messages on `err`,
// when a scan cannot be opened or named to the merge, the merge fails, or it ends before its
// last scan.
bool readScanMerge(const std::vector<std::string>& scans, std::ostream& err, PatternStore& store,
                   RefusedRecords& refused);

// The pattern lacks the records the reader refused, each reported as it was met: one line
// sums them up, so that a script and a person scrolling back both notice. True when none.
bool reportRefused(const std::vector<std::string>& scans, const RefusedRecords& refused,
                   std::ostream& err);
