#pragma once
// The fit results file (*.fit): a header line when it is created, then one block per
// accepted fit, a line per peak and a separator. It is never truncated.

#include <optional>
#include <string>

#include "fit/fit_result.h"

class Console;

// Leaves an existing file as it is and creates a missing one with its header line. When
// the file can be neither opened nor created, says so and returns false.
bool prepareFitFile(Console& console, const std::string& name);

// Appends the block of an accepted fit; says so and returns false when the file cannot be
// opened for appending or the block cannot be written whole (the file then keeps the
// blocks it had).
bool appendFitBlock(Console& console, const std::string& name, const FitResult& result);

// The same for programs that name their own files: no console, and the message naming the
// file when it cannot be written; nothing when done. A block may start with a comment line
// `comment` (without its '#').
std::optional<std::string> createFitFile(const std::string& name);
std::optional<std::string> appendFitBlockTo(const std::string& name, const FitResult& result,
                                            const std::string& comment = "");
