#include "python/module_words.h"

#include <array>
#include <regex>
#include <utility>

namespace {

using Rewording = std::pair<const char*, const char*>;

// The module has no regrid: a pattern off every grid is put on one before it is given.
constexpr std::array<Rewording, 7> kOptionWords{{
    {"(--anode or --wavelength names it)", "(radiation= names it)"},
    {"--anode ", "anode "},
    {"left out by --no-ka2", "left out by no_ka2=True"},
    {"(xrdconvert --block N reads another)", "(block=N reads another)"},
    {"xrdconvert --bin ", "bin="},
    {" (xrdconvert --regrid STEP puts the pattern on one)", ""},
    {"--wor auto:", "wor='auto':"},
}};

constexpr std::array<Rewording, 4> kArrayWords{{
    {"sum neighbours with xrdconvert --bin ", "sum neighbours in groups of "},
    {"of this file", "of the arrays"},
    {"This file", "The arrays"},
    {"the file", "the arrays"},
}};

template <std::size_t N>
std::string reworded(std::string message, const std::array<Rewording, N>& table) {
    for (const auto& [from, to] : table) {
        const std::string said = from;
        for (std::size_t at = message.find(said); at != std::string::npos;
             at = message.find(said, at + std::char_traits<char>::length(to)))
            message.replace(at, said.size(), to);
    }
    return message;
}

std::vector<std::string> each(std::vector<std::string> messages,
                              std::string (*reword)(std::string)) {
    for (std::string& message : messages) message = reword(std::move(message));
    return messages;
}

}  // namespace

std::string inModuleWords(std::string message) {
    return reworded(std::move(message), kOptionWords);
}

std::vector<std::string> inModuleWords(std::vector<std::string> messages) {
    return each(std::move(messages), inModuleWords);
}

std::string forArrays(std::string message) {
    static const std::regex point(R"(point (\d+))");
    std::string indexed;
    auto at = message.cbegin();
    for (std::sregex_iterator it(message.begin(), message.end(), point), end; it != end; ++it) {
        indexed.append(at, (*it)[0].first);
        indexed += "tth[" + std::to_string(std::stol((*it)[1].str()) - 1) + "]";
        at = (*it)[0].second;
    }
    indexed.append(at, message.cend());
    return inModuleWords(reworded(std::move(indexed), kArrayWords));
}

std::vector<std::string> forArrays(std::vector<std::string> messages) {
    return each(std::move(messages), forArrays);
}
