#pragma once
// Where the libraries' console output goes inside the module: into strings, never to the
// caller's standard output. Lines name their file as the programs' messages do.

#include <string>
#include <vector>

// The lines of a text, without their line ends; empty lines dropped.
std::vector<std::string> linesOf(const std::string& text);

// The text without trailing line ends and blanks.
std::string trimmed(std::string text);
