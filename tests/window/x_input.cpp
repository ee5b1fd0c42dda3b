#include "window/x_input.h"

#include <X11/Xlib.h>

#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "window/child_process.h"
#include "window/window_timeouts.h"

namespace {

// The number after "label" in xwininfo's report, such as "Absolute upper-left X:  50".
int reportedNumber(const std::string& report, const std::string& label) {
    const std::size_t at = report.find(label);
    if (at == std::string::npos) throw std::runtime_error("xwininfo reported no " + label);
    return std::stoi(report.substr(at + label.size()));
}

}  // namespace

std::optional<std::string> XInput::tryRun(const std::vector<std::string>& argv) const {
    ChildProcess tool(argv, {{"DISPLAY", display_}});
    tool.closeInput();
    if (tool.waitForExit(kToolRun) != 0 || !tool.waitForOutputEnd(kToolRun)) return std::nullopt;
    return tool.output();
}

std::string XInput::run(const std::vector<std::string>& argv) const {
    const std::optional<std::string> output = tryRun(argv);
    if (!output) throw std::runtime_error(argv[0] + " " + argv[1] + " failed");
    return *output;
}

std::optional<std::string> XInput::waitForWindow(const std::string& name) const {
    const auto deadline = std::chrono::steady_clock::now() + kWindowAppear;
    while (std::chrono::steady_clock::now() < deadline) {
        const std::optional<std::string> found =
            tryRun({"xdotool", "search", "--onlyvisible", "--name", "^" + name + "$"});
        std::istringstream windows(found.value_or(""));
        std::string window;
        if (windows >> window) return window;
        std::this_thread::sleep_for(std::chrono::milliseconds{50});
    }
    return std::nullopt;
}

ScreenRect XInput::geometry(const std::string& window) const {
    const std::string report = run({"xwininfo", "-id", window});
    return {reportedNumber(report, "Absolute upper-left X:"),
            reportedNumber(report, "Absolute upper-left Y:"), reportedNumber(report, "Width:"),
            reportedNumber(report, "Height:")};
}

// No --sync: it waits for the pointer to leave where it was, forever when it is there
// already. xdotool closes its connection with a round trip, so the server has moved the
// pointer by the time the run ends.
void XInput::movePointer(int x, int y) const {
    run({"xdotool", "mousemove", std::to_string(x), std::to_string(y)});
}

void XInput::click(int button, const std::string& heldKey) const {
    if (heldKey.empty()) {
        run({"xdotool", "click", std::to_string(button)});
    } else {
        run({"xdotool", "keydown", heldKey, "click", std::to_string(button), "keyup", heldKey});
    }
}

void XInput::key(const std::string& keysym) const {
    run({"xdotool", "key", keysym});
}

void XInput::destroyWindow(const std::string& window) const {
    Display* connection = XOpenDisplay(display_.c_str());
    if (!connection) throw std::runtime_error("cannot connect to the X display " + display_);
    XDestroyWindow(connection, std::stoul(window));
    XSync(connection, False);
    XCloseDisplay(connection);
}
