#include "window/screenshot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

// The byte of a channel in a pixel value, by the visual's mask of that channel.
std::uint8_t channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    const unsigned long top = mask >> shift;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255 / top);
}

}  // namespace

Image captureScreen(const std::string& display, const ScreenRect& rect) {
    std::unique_ptr<Display, int (*)(Display*)> connection(XOpenDisplay(display.c_str()),
                                                           XCloseDisplay);
    if (!connection) throw std::runtime_error("cannot connect to display " + display);
    XImage* shot = XGetImage(connection.get(), DefaultRootWindow(connection.get()), rect.x, rect.y,
                             rect.width, rect.height, AllPlanes, ZPixmap);
    if (!shot) throw std::runtime_error("cannot read the screen of display " + display);
    Image image{rect.width, rect.height, {}};
    image.pixels.reserve(static_cast<std::size_t>(rect.width) * rect.height);
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            const unsigned long pixel = XGetPixel(shot, x, y);
            image.pixels.push_back({channel(pixel, shot->red_mask),
                                    channel(pixel, shot->green_mask),
                                    channel(pixel, shot->blue_mask)});
        }
    }
    XDestroyImage(shot);
    return image;
}

bool writePng(const std::string& path, const Image& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr) != 0;
}

bool keepPicture(const std::string& name, const Image& image) {
    const char* folder = std::getenv("XRDPICK_PICTURES");
    return !folder || writePng(std::string(folder) + "/" + name + ".png", image);
}

std::optional<Image> readPng(const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return std::nullopt;
    // Laid on black: paper left transparent must not pass for white paper.
    png.format = PNG_FORMAT_RGB;
    Image image{static_cast<int>(png.width), static_cast<int>(png.height), {}};
    image.pixels.resize(static_cast<std::size_t>(png.width) * png.height);
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&png, &black, image.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    return image;
}
