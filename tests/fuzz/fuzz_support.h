#pragma once
// What every fuzz target needs besides the code under test: a way to fail loudly when a
// promise is broken, the input cut into the parts a target feeds to different places, files
// in a directory of the process's own, and a console that answers from a string.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.h"

// Aborts with the promise named when it does not hold, so that libFuzzer keeps the input.
void require(bool holds, const char* promise);

// The parts of a fuzz input, cut at each kSectionMark; always exactly `count` parts (missing
// ones empty, the last one taking the rest of the input).
inline constexpr const char* kSectionMark = "\n~~~\n";
std::vector<std::string> splitSections(const std::uint8_t* data, std::size_t size,
                                       std::size_t count);

// The input as a command line: the arguments between NUL bytes (none for an empty input).
std::vector<std::string> splitArguments(const std::uint8_t* data, std::size_t size);

// The promises of every command-line parser: it fails exactly when it gives a non-empty
// error, and the operands it keeps are arguments it was given.
void requireParseVerdict(bool failed, const std::string& error);
void requireOperandsGiven(const std::vector<std::string>& operands,
                          const std::vector<std::string>& args);

// Creates a temporary directory and makes it the working directory for the life of the
// process, so that files named by the targets (and by the program) land there.
void enterScratchDirectory();

void writeScratchFile(const std::string& name, const std::string& content);

// An input's bytes as a FILE* open for reading, as the readers take them.
class MemoryFile {
  public:
    explicit MemoryFile(std::string content);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::FILE* get() const { return file_; }

  private:
    std::string content_;
    std::FILE* file_;
};

// A console whose input is the given text and whose output is kept.
struct ScriptedConsole {
    explicit ScriptedConsole(const std::string& input) : in(input) {}
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
};
