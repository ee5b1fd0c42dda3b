#pragma once
// One whole run of the program: load, device, the two sides, the end sequence.

#include <string>
#include <vector>

class Console;
class Graphics;
struct RunState;

// args are the command-line arguments after the program name. Returns the exit status.
int run(const std::vector<std::string>& args, Console& console, Graphics& graphics);

// The run from the load on, on a state the caller has created (and may watch as it goes).
int run(const std::vector<std::string>& args, RunState& state);
