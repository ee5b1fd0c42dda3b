#pragma once
// Opens an input file of a conversion for reading: a regular file only.

#include <cstdio>
#include <iosfwd>
#include <string>

// The opened file; nullptr after saying why on the error stream.
std::FILE* openInput(const std::string& name, std::ostream& err);
