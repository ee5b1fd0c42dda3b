#include "pattern/typed_line.h"

#include "driver/console.h"

bool answerFits(Console& console, const std::string& answer, std::size_t maxLength,
                const char* what) {
    if (answer.size() <= maxLength) return true;
    console.print("%s too long: at most %zu characters.\n", what, maxLength);
    return false;
}

std::string askBoundedLine(Console& console, const char* prompt, std::size_t maxLength,
                           const char* what) {
    std::string answer;
    for (;;) {
        console.print("%s", prompt);
        if (!console.readLine(answer)) return {};
        if (answerFits(console, answer, maxLength, what)) return answer;
    }
}
