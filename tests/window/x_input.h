#pragma once
// Pointer, buttons and keys on a test's X display, and the windows on it, through the
// xdotool and xwininfo programs (and Xlib, to destroy a window). Positions are screen pixels.

#include <optional>
#include <string>
#include <vector>

struct ScreenRect {
    int x = 0, y = 0;  // upper-left corner on the screen
    int width = 0, height = 0;
};

class XInput {
  public:
    explicit XInput(std::string display) : display_(std::move(display)) {}

    const std::string& display() const { return display_; }

    // The window with exactly this name, once it is mapped; none at the timeout.
    std::optional<std::string> waitForWindow(const std::string& name) const;
    ScreenRect geometry(const std::string& window) const;

    void movePointer(int x, int y) const;
    // A click, with a key such as "shift" held down around it if one is given.
    void click(int button, const std::string& heldKey = "") const;
    void key(const std::string& keysym) const;  // an X key name, such as "q" or "X"

    // Destroys another client's window, as a window manager may; throws when it cannot.
    void destroyWindow(const std::string& window) const;

  private:
    // Runs the tool to its end: its standard output, or none when it failed.
    std::optional<std::string> tryRun(const std::vector<std::string>& argv) const;
    // The same, throwing when the tool failed.
    std::string run(const std::vector<std::string>& argv) const;

    std::string display_;
};
