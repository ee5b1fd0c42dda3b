#include "peaks/fit_prompts.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "console/console.h"

namespace {

std::optional<float> readWor(Console& console) {
    console.print("Enter wor = slit width / separation(negative # for fit): ");
    std::string line;
    while (console.readLine(line)) {
        float wor = 0.0f;
        // "nan" and "inf" scan as numbers, but no profile can be drawn from them.
        if (std::sscanf(line.c_str(), "%f", &wor) == 1 && std::isfinite(wor)) return wor;
        console.print("? ");
    }
    return std::nullopt;
}

std::optional<std::string> readFileName(Console& console) {
    console.print("Enter filename for *.fit(will be newly created or appended): ");
    std::string line;
    while (console.readLine(line)) {
        std::string word;
        if (std::istringstream(line) >> word) return word;
        console.print("? ");
    }
    return std::nullopt;
}

}  // namespace

std::optional<FitPromptAnswers> askWorAndFitFile(Console& console) {
    const std::optional<float> wor = readWor(console);
    std::optional<std::string> fileName = wor ? readFileName(console) : std::nullopt;
    if (!fileName) {
        console.print("\n");  // the prompt stays unanswered: end its line
        return std::nullopt;
    }
    return FitPromptAnswers{*wor, std::move(*fileName)};
}
