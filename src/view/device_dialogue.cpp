#include "view/device_dialogue.h"

#include "console/console.h"

namespace {

const char* const kDevicePrompt = "Graphics device/type (? to see list, default /xw): ";

const char* const kDeviceList =
    "Interactive device:\n"
    "    /xw   the screen (also /gw)\n"
    "Files, named as file/type, for example plot.png/png:\n"
    "    /png  Portable Network Graphics\n"
    "    /pdf  Portable Document Format (/vpdf portrait)\n"
    "    /ps   PostScript (/cps colour, /vps and /vcps portrait)\n"
    "    /eps  Encapsulated PostScript, one file per page\n"
    "    /svg  Scalable Vector Graphics\n"
    "    /null no output\n";

std::string withoutBlanks(const std::string& text) {
    const char* const blanks = " \t";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string askDeviceSpec(Console& console) {
    std::string answer;
    for (;;) {
        console.print("%s", kDevicePrompt);
        if (!console.readLine(answer)) return "";
        answer = withoutBlanks(answer);
        if (answer.empty() || answer[0] != '?') return answer;
        console.print("%s", kDeviceList);
    }
}
