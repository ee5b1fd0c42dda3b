#pragma once
// Pictures of a test display: the pixels of a screen rectangle read back from the X
// server, and PNG files written and read, so that a test can look at what the program
// shows on the screen or prints on paper.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "window/x_input.h"

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;  // row by row from the top

    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The pixels of a rectangle of the display's screen.
Image captureScreen(const std::string& display, const ScreenRect& rect);

bool writePng(const std::string& path, const Image& image);

// With XRDPICK_PICTURES naming a folder, keeps the picture there as NAME.png (the README's
// pictures of the screen are made so, by scripts/pictures.sh); false when it could not.
bool keepPicture(const std::string& name, const Image& image);
std::optional<Image> readPng(const std::string& path);
