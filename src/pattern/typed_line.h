#pragma once
// Answers typed at the console into fixed-size buffers: file names (200 characters) and the
// GSAS title. A longer answer is refused with a message rather than cut, since a cut name
// would open or create the wrong file.

#include <cstddef>
#include <cstdio>
#include <string>

class Console;

// True when the answer holds at most maxLength characters; otherwise says so.
bool answerFits(Console& console, const std::string& answer, std::size_t maxLength,
                const char* what);

// Prints the prompt and reads the answer, asking again while it is too long. End of input
// gives an empty answer, so a prompt never waits for ever.
std::string askBoundedLine(Console& console, const char* prompt, std::size_t maxLength,
                           const char* what);

enum class TypedFile {
    Cancelled,  // empty answer or end of input: nothing to do
    Refused,    // too long, or cannot be opened: the message has been printed
    Opened,
};

// Prints the prompt and reads the name of a file to load; opens it for reading into `file`.
TypedFile openTypedFile(Console& console, const char* prompt, std::string& name, std::FILE*& file);
