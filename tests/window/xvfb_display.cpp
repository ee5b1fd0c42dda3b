#include "window/xvfb_display.h"

#include <unistd.h>

#include <stdexcept>

#include "window/window_timeouts.h"

namespace {

constexpr int kFirstDisplay = 90;
constexpr int kLastDisplay = 150;

}  // namespace

XvfbDisplay::XvfbDisplay() {
    const int count = kLastDisplay - kFirstDisplay + 1;
    const int start = static_cast<int>(getpid() % count);
    for (int i = 0; i < count; ++i) {
        const std::string name = ":" + std::to_string(kFirstDisplay + (start + i) % count);
        // -displayfd 1: the server writes its display number to its standard output once
        // it accepts clients, or exits when the display is taken (its lock file says so).
        // -noreset: by default the server resets whenever its last client leaves, and
        // refuses the connections that meet the reset (a program starting while an xdotool
        // run ends); it would also put the pointer back in the middle.
        auto server = std::make_unique<ChildProcess>(
            std::vector<std::string>{"Xvfb", name, "-displayfd", "1", "-screen", "0", "1024x768x24",
                                     "-nolisten", "tcp", "-noreset"},
            EnvironmentChanges{});
        if (server->waitForOutput("\n", kServerStart)) {
            name_ = name;
            server_ = std::move(server);
            return;
        }
    }
    throw std::runtime_error("no free X display between :90 and :150");
}
