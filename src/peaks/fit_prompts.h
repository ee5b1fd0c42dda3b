#pragma once
// The console dialogue of a fit run that needs W/R: the value as typed and the *.fit file
// that the accepted fits are appended to.

#include <optional>
#include <string>

class Console;

struct FitPromptAnswers {
    float wor;             // as typed: negative means "refine W/R from its magnitude"
    std::string fileName;  // the *.fit file, the first word of its answer
};

// Asks for W/R until a line starts with a finite number and for the file name until a line
// holds a word, with "? " before every new try. Nothing when the console input ends.
std::optional<FitPromptAnswers> askWorAndFitFile(Console& console);
