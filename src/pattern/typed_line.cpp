#include "pattern/typed_line.h"

#include "console/console.h"
#include "pattern/data_file_name.h"

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

TypedFile openTypedFile(Console& console, const char* prompt, std::string& name, std::FILE*& file) {
    console.print("%s", prompt);
    if (!console.readLine(name) || name.empty()) return TypedFile::Cancelled;
    if (name.size() >= kNameBufferSize) {
        console.print("The file name is too long (at most %zu characters). Nothing to load.\n",
                      kNameBufferSize - 1);
        return TypedFile::Refused;
    }
    file = std::fopen(name.c_str(), "r");
    if (!file) {
        console.print("Couldn't open file. Nothing to load.\n");
        return TypedFile::Refused;
    }
    return TypedFile::Opened;
}
