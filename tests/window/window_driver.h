#pragma once
// Drives a program's giza window on a test display: each click or key is sent only once the
// program reads the cursor (giza listens only then), with the pointer placed first (giza
// throws away a click queued behind a pointer move), and is sent again when the program
// shows no reaction and waits for the cursor once more, i.e. the device lost it.

#include <functional>
#include <optional>
#include <string>

#include "window/child_process.h"
#include "window/plot_geometry.h"
#include "window/screenshot.h"
#include "window/x_input.h"

class WindowDriver {
  public:
    WindowDriver(ChildProcess& program, const XInput& input) : program_(program), input_(input) {}

    // Waits for the program's window ("giza", the name giza gives it) to be mapped.
    bool findWindow();
    const ScreenRect& window() const { return window_; }

    // A picture of the window once the program waits for the cursor, its page drawn.
    Image picture() const;
    // The geometry of the page shown, its box measured in a picture, for the world window
    // the test knows the page to have; none when no frame shows.
    std::optional<PlotGeometry> geometry(const WorldWindow& world) const;

    // A click with an X button (1 left, 2 middle, 3 right, 4 to 7 the wheel, 8 and up
    // extra buttons) at a screen pixel, with a key such as "shift" held if one is given.
    // True once `reacted` holds.
    bool click(ScreenPoint pixel, int button, const std::function<bool()>& reacted,
               const std::string& heldKey = "");
    // A click whose effect shows only in the window: true once the program woke up to it.
    bool click(ScreenPoint pixel, int button);

    // A key with the pointer at a screen pixel, by default the window's centre: with no
    // window manager, keys go to the window under the pointer. True once `reacted` holds.
    bool key(const std::string& keysym, const std::function<bool()>& reacted,
             std::optional<ScreenPoint> pointer = std::nullopt);

  private:
    bool sendUntil(const std::function<void()>& send, const std::function<bool()>& reacted);
    // The program ran or ended since the last event was sent.
    bool wokeSinceSent() const;

    ChildProcess& program_;
    const XInput& input_;
    ScreenRect window_;
    long switchesAtSend_ = 0;
};
