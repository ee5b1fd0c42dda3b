#include "support/import_samples.h"

#include <gtest/gtest.h>

#include <cstdlib>

std::string importSampleScript() {
    return XRDPICK_IMPORT_SAMPLES;
}

void writeImportSamples(int points) {
    const std::string command =
        "'" XRDPICK_PYTHON "' '" + importSampleScript() + "' . " + std::to_string(points);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}
