#pragma once
// Answers typed at the console into fixed-size buffers: file names (200 characters) and the
// GSAS title. A longer answer is refused with a message rather than cut, since a cut name
// would open or create the wrong file.

#include <cstddef>
#include <string>

class Console;

// True when the answer holds at most maxLength characters; otherwise says so.
bool answerFits(Console& console, const std::string& answer, std::size_t maxLength,
                const char* what);

// Prints the prompt and reads the answer, asking again while it is too long. End of input
// gives an empty answer, so a prompt never waits for ever.
std::string askBoundedLine(Console& console, const char* prompt, std::size_t maxLength,
                           const char* what);
