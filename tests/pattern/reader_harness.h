#pragma once
// Runs one reader on a data file that the test writes into its own temporary directory.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "console/console.h"
#include "pattern/pattern_store.h"
#include "support/temp_dir.h"

using Reader = bool (*)(std::FILE*, Console&, PatternStore&);

class ReaderTest : public ::testing::Test {
  protected:
    // Writes the text as a data file and reads it; what the reader printed is kept in
    // `transcript`.
    bool read(Reader reader, const std::string& text);

    TempDir dir;
    std::unique_ptr<PatternStore> storage = std::make_unique<PatternStore>();
    PatternStore& store = *storage;
    std::string transcript;
};
