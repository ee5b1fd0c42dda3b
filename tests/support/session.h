#pragma once
// Runs the whole program in-process with a scripted graphics device and console input
// from a string, as a user would drive it.

#include <string>
#include <vector>

#include "support/scripted_graphics.h"

struct SessionResult {
    int status = -1;
    std::string transcript;  // everything the program printed on the console
};

SessionResult runSession(ScriptedGraphics& graphics, const std::vector<std::string>& args,
                         const std::string& consoleInput = "");
