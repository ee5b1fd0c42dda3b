#pragma once
// One whole run of the program: load, device, the two sides, the end sequence.

#include <string>
#include <vector>

class Console;
class Graphics;

// args are the command-line arguments after the program name. Returns the exit status.
int run(const std::vector<std::string>& args, Console& console, Graphics& graphics);
