// A test-only program for the window tests: opens the screen device through PgplotGraphics
// (linked with the X event wrappers, as the executable is), sets a known world window and
// reads the cursor once per band mode given, printing what each read hands back.
//
// Usage: band_probe XMIN XMAX YMIN YMAX XREF YREF MODE...
// Prints "window XMIN XMAX YMIN YMAX" as cpgqwin reads it back, then for the n-th read
// "waiting n MODE" before it and "read n MODE RESULT X Y CODE" after it, CODE being the
// number of the character. Exit status 0, 1 when the device does not open, 2 for bad usage.

#include <cpgplot.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "console/console.h"
#include "view/pgplot_graphics.h"

namespace {

bool parseNumber(const char* text, float& value) {
    char* end = nullptr;
    value = std::strtof(text, &end);
    return end != text && *end == '\0';
}

bool parseMode(const char* text, int& mode) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    mode = static_cast<int>(value);
    return end != text && *end == '\0' && value >= 0 && value <= 8;
}

}  // namespace

int main(int argc, char** argv) {
    Console console(std::cin, std::cout);
    float limits[6];  // xmin, xmax, ymin, ymax, xref, yref
    std::vector<int> modes;
    bool usable = argc > 7;
    for (int i = 0; usable && i < 6; ++i) usable = parseNumber(argv[i + 1], limits[i]);
    for (int i = 7; usable && i < argc; ++i) {
        int mode = 0;
        usable = parseMode(argv[i], mode);
        modes.push_back(mode);
    }
    if (!usable) {
        console.print("Usage: band_probe XMIN XMAX YMIN YMAX XREF YREF MODE...\n");
        return 2;
    }

    PgplotGraphics graphics(console);
    if (graphics.open("/gw") <= 0) return 1;
    graphics.ask(false);
    graphics.env(limits[0], limits[1], limits[2], limits[3], 0, 1);
    float x1, x2, y1, y2;
    graphics.qwin(&x1, &x2, &y1, &y2);
    console.print("window %g %g %g %g\n", x1, x2, y1, y2);
    float left, right, bottom, top;
    cpgqvp(3, &left, &right, &bottom, &top);
    float width, height;
    float unused;
    cpgqvsz(3, &unused, &width, &unused, &height);
    console.print("viewport %g %g %g %g of %g %g\n", left, right, bottom, top, width, height);

    for (std::size_t n = 0; n < modes.size(); ++n) {
        console.print("waiting %zu %d\n", n + 1, modes[n]);
        console.flush();
        float x = 0.0f, y = 0.0f;
        char ch = '\0';
        const int result = graphics.band(modes[n], 0, limits[4], limits[5], &x, &y, &ch);
        console.print("read %zu %d %d %.6g %.6g %d\n", n + 1, modes[n], result, x, y,
                      static_cast<unsigned char>(ch));
        console.flush();
    }
    graphics.end();
    return 0;
}
