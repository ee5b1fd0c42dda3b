#pragma once
// A pattern file through the load step's real path, with what the console said.

#include <memory>
#include <string>

#include "open/load.h"

struct Loaded {
    bool ok = false;
    std::string transcript;
    std::unique_ptr<PatternStore> store = std::make_unique<PatternStore>();
    DataFileName file;
};

Loaded load(const std::string& name, ImportRequest options = {});

bool has(const std::string& text, const std::string& part);
