#pragma once
// The diffractometer and text pattern files of tests/import/make_samples.py, written into
// the current directory: one model scan (a peak of 900 counts at 12 degrees on 100 counts
// of background, from 10 degrees in steps of 0.02) in every format, and the bad files.

#include <string>

// Fails the calling test when the generator cannot run.
void writeImportSamples(int points = 201);

// The generator script, for a benchmark or another program that writes its own samples.
std::string importSampleScript();
