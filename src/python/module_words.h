#pragma once
// The libraries' messages name the programs' options (--anode, xrdconvert --bin) and speak of
// "this file"; the module's messages name its own keyword arguments instead, and speak of the
// arrays for a pattern built from arrays.

#include <string>
#include <vector>

std::string inModuleWords(std::string message);
std::vector<std::string> inModuleWords(std::vector<std::string> messages);

// For Pattern(tth, counts, sig): "the arrays" for the file, tth[i] for the point i + 1.
std::string forArrays(std::string message);
std::vector<std::string> forArrays(std::vector<std::string> messages);
