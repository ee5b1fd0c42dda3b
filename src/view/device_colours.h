#pragma once
// PGPLOT's colours on the devices the program opens. The screen, as PGPLOT's X-window
// devices draw it, is black with white ink, and its users may choose other colours 0 and 1
// with PGPLOT_BACKGROUND and PGPLOT_FOREGROUND; hardcopies are white paper with black
// ink. Colours 2 to 15 are PGPLOT's default table everywhere, as the program's texts name
// them ("Red lines are calculated data").

#include <optional>
#include <string_view>

class Console;
class Graphics;

struct Colour {
    float r = 0.0f, g = 0.0f, b = 0.0f;  // 0 to 1
    bool operator==(const Colour&) const = default;
};

struct ScreenColours {
    Colour background{0.0f, 0.0f, 0.0f};
    Colour foreground{1.0f, 1.0f, 1.0f};
};

// A colour name such as "white", "black" or "grey" (X11's values, any case, blanks
// ignored) or "#rrggbb"; none when the text is neither.
std::optional<Colour> parseColour(std::string_view text);

// The screen's colours, PGPLOT_BACKGROUND and PGPLOT_FOREGROUND taken into account; a
// value that is not a colour is ignored with one warning line.
ScreenColours readScreenColours(Console& console);

// Gives the device just opened its colours: the screen's on the screen, paper and ink on
// a hardcopy, and PGPLOT's default table for the others.
void setDeviceColours(Graphics& gfx, const ScreenColours& screen);
