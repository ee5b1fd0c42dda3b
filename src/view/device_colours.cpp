#include "view/device_colours.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <string>

#include "console/console.h"
#include "view/graphics.h"

namespace {

struct NamedColour {
    std::string_view name;
    Colour colour;
};

constexpr float kGrey = 190.0f / 255.0f;
constexpr float kDarkGrey = 169.0f / 255.0f;
constexpr float kLightGrey = 211.0f / 255.0f;

// The common names of X11's colour database, with its values.
constexpr std::array<NamedColour, 17> kNamedColours = {{
    {"black", {0.0f, 0.0f, 0.0f}},
    {"white", {1.0f, 1.0f, 1.0f}},
    {"grey", {kGrey, kGrey, kGrey}},
    {"gray", {kGrey, kGrey, kGrey}},
    {"darkgrey", {kDarkGrey, kDarkGrey, kDarkGrey}},
    {"darkgray", {kDarkGrey, kDarkGrey, kDarkGrey}},
    {"lightgrey", {kLightGrey, kLightGrey, kLightGrey}},
    {"lightgray", {kLightGrey, kLightGrey, kLightGrey}},
    {"red", {1.0f, 0.0f, 0.0f}},
    {"green", {0.0f, 1.0f, 0.0f}},
    {"blue", {0.0f, 0.0f, 1.0f}},
    {"cyan", {0.0f, 1.0f, 1.0f}},
    {"magenta", {1.0f, 0.0f, 1.0f}},
    {"yellow", {1.0f, 1.0f, 0.0f}},
    {"orange", {1.0f, 165.0f / 255.0f, 0.0f}},
    {"navy", {0.0f, 0.0f, 128.0f / 255.0f}},
    {"ivory", {1.0f, 1.0f, 240.0f / 255.0f}},
}};

// PGPLOT's default colours 2 to 15.
constexpr std::array<Colour, 14> kDefaultTable = {{
    {1.0f, 0.0f, 0.0f},        // 2 red
    {0.0f, 1.0f, 0.0f},        // 3 green
    {0.0f, 0.0f, 1.0f},        // 4 blue
    {0.0f, 1.0f, 1.0f},        // 5 cyan
    {1.0f, 0.0f, 1.0f},        // 6 magenta
    {1.0f, 1.0f, 0.0f},        // 7 yellow
    {1.0f, 0.5f, 0.0f},        // 8 orange
    {0.5f, 1.0f, 0.0f},        // 9 green-yellow
    {0.0f, 1.0f, 0.5f},        // 10 green-cyan
    {0.0f, 0.5f, 1.0f},        // 11 blue-cyan
    {0.5f, 0.0f, 1.0f},        // 12 blue-magenta
    {1.0f, 0.0f, 0.5f},        // 13 red-magenta
    {0.333f, 0.333f, 0.333f},  // 14 dark grey
    {0.667f, 0.667f, 0.667f},  // 15 light grey
}};

constexpr Colour kPaper{1.0f, 1.0f, 1.0f};
constexpr Colour kInk{0.0f, 0.0f, 0.0f};

std::optional<Colour> parseHexColour(std::string_view text) {
    if (text.size() != 7) return std::nullopt;
    std::array<float, 3> channels{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string pair(text.substr(1 + 2 * i, 2));
        if (!std::isxdigit(static_cast<unsigned char>(pair[0])) ||
            !std::isxdigit(static_cast<unsigned char>(pair[1])))
            return std::nullopt;
        channels[i] = static_cast<float>(std::strtol(pair.c_str(), nullptr, 16)) / 255.0f;
    }
    return Colour{channels[0], channels[1], channels[2]};
}

Colour colourFromEnvironment(Console& console, const char* variable, Colour fallback) {
    const char* value = std::getenv(variable);
    if (!value) return fallback;
    if (const std::optional<Colour> colour = parseColour(value)) return *colour;
    console.print("%s=\"%.60s\" is not a colour name or #rrggbb; it is ignored.\n", variable,
                  value);
    return fallback;
}

void setColour(Graphics& gfx, int ci, const Colour& colour) {
    gfx.scr(ci, colour.r, colour.g, colour.b);
}

bool isHardcopy(Graphics& gfx) {
    char answer[8] = "";
    int length = sizeof answer;
    gfx.qinf("HARDCOPY", answer, &length);
    return std::string_view(answer, static_cast<std::size_t>(length)) == "YES";
}

}  // namespace

std::optional<Colour> parseColour(std::string_view text) {
    if (!text.empty() && text[0] == '#') return parseHexColour(text);
    std::string name;
    for (const char c : text) {
        if (c != ' ') name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const NamedColour& named : kNamedColours) {
        if (named.name == name) return named.colour;
    }
    return std::nullopt;
}

ScreenColours readScreenColours(Console& console) {
    const ScreenColours standard;
    return {colourFromEnvironment(console, "PGPLOT_BACKGROUND", standard.background),
            colourFromEnvironment(console, "PGPLOT_FOREGROUND", standard.foreground)};
}

void setDeviceColours(Graphics& gfx, const ScreenColours& screen) {
    const bool hardcopy = isHardcopy(gfx);
    setColour(gfx, 0, hardcopy ? kPaper : screen.background);
    setColour(gfx, 1, hardcopy ? kInk : screen.foreground);
    for (std::size_t i = 0; i < kDefaultTable.size(); ++i)
        setColour(gfx, static_cast<int>(i) + 2, kDefaultTable[i]);
}
