#include "window/window_driver.h"

#include <thread>

#include "window/process_state.h"
#include "window/window_timeouts.h"

namespace {

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds{20});
    }
    return true;
}

}  // namespace

bool WindowDriver::findWindow() {
    const std::optional<std::string> id = input_.waitForWindow("giza");
    if (!id) return false;
    window_ = input_.geometry(*id);
    return true;
}

Image WindowDriver::picture() const {
    waitUntilReadingCursor(program_.pid(), kCursorWait);
    return captureScreen(input_.display(), window_);
}

std::optional<PlotGeometry> WindowDriver::geometry(const WorldWindow& world) const {
    const std::optional<PlotBox> box = measureFrame(picture());
    if (!box) return std::nullopt;
    return PlotGeometry(window_, *box, world);
}

bool WindowDriver::sendUntil(const std::function<void()>& send,
                             const std::function<bool()>& reacted) {
    for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
        // Also lets a pointer move be taken by the cursor read before the event follows.
        if (!waitUntilReadingCursor(program_.pid(), kCursorWait)) return reacted();
        if (attempt > 0 && reacted()) return true;  // a slow reaction to the last try
        switchesAtSend_ = contextSwitches(program_.pid());
        send();
        if (waitFor(reacted, kReaction)) return true;
    }
    return reacted();
}

bool WindowDriver::click(ScreenPoint pixel, int button, const std::function<bool()>& reacted,
                         const std::string& heldKey) {
    input_.movePointer(pixel.x, pixel.y);
    return sendUntil([&] { input_.click(button, heldKey); }, reacted);
}

bool WindowDriver::wokeSinceSent() const {
    const long switches = contextSwitches(program_.pid());
    return switches < 0 || switches != switchesAtSend_;
}

bool WindowDriver::click(ScreenPoint pixel, int button) {
    return click(pixel, button, [this] { return wokeSinceSent(); });
}

bool WindowDriver::key(const std::string& keysym, const std::function<bool()>& reacted,
                       std::optional<ScreenPoint> pointer) {
    const ScreenPoint at = pointer.value_or(
        ScreenPoint{window_.x + window_.width / 2, window_.y + window_.height / 2});
    input_.movePointer(at.x, at.y);
    return sendUntil([&] { input_.key(keysym); }, reacted);
}
