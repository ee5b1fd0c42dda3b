// The screen device's cursor, proved on a real giza window under Xvfb with the band probe:
// every band mode the program uses hands back the true click position in world
// coordinates, and every mouse button but the left one reads as 'D', never as 'X'.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "window/child_process.h"
#include "window/plot_geometry.h"
#include "window/window_driver.h"
#include "window/window_timeouts.h"
#include "window/x_input.h"
#include "window/xvfb_display.h"

namespace {

// A pattern-like window: two-theta across, intensity up, zero inside the box.
const WorldWindow kWorld = {10.0f, 40.0f, -100.0f, 1100.0f};
const WorldPoint kAnchor = {20.0, 300.0};

constexpr int kLeft = 1, kMiddle = 2, kRight = 3, kScrollUp = 4, kScrollDown = 5;

struct CursorRead {
    int mode = -1;
    int result = -1;  // 1 for success, as PGPLOT's cpgband
    WorldPoint position;
    int code = -1;  // the character's number
};

class BandProbeTest : public ::testing::Test {
  protected:
    // Starts the probe with one cursor read per mode and finds its window.
    void start(const std::vector<int>& modes) {
        std::vector<std::string> argv = {XRDPICK_BAND_PROBE};
        for (float limit : {kWorld.xmin, kWorld.xmax, kWorld.ymin, kWorld.ymax})
            argv.push_back(std::to_string(limit));
        argv.push_back(std::to_string(kAnchor.x));
        argv.push_back(std::to_string(kAnchor.y));
        for (int mode : modes) argv.push_back(std::to_string(mode));
        probe_ = std::make_unique<ChildProcess>(argv, display_.environment());
        driver_ = std::make_unique<WindowDriver>(*probe_, input_);
        ASSERT_TRUE(driver_->findWindow()) << probe_->errors();
        ASSERT_TRUE(probe_->waitForOutput("waiting 1 ", kCursorWait)) << probe_->errors();
        const std::optional<PlotGeometry> geometry = driver_->geometry(kWorld);
        ASSERT_TRUE(geometry) << "no frame in the window";
        geometry_ = std::make_unique<PlotGeometry>(*geometry);
    }

    // The viewport as the probe reports it (cpgqvp in pixels, y upwards from the bottom of
    // the drawing surface), and the surface size.
    PlotBox reportedViewport() const {
        std::istringstream line(probe_->output().substr(probe_->output().find("viewport ") + 9));
        double left, right, bottom, top, width, height;
        std::string of;
        line >> left >> right >> bottom >> top >> of >> width >> height;
        return {left, right, height - top, height - bottom};
    }

    const PlotGeometry& geometry() const { return *geometry_; }

    // The n-th cursor read (from 1) with a click at a world position, a key such as
    // "shift" held if one is given.
    CursorRead clickRead(int n, WorldPoint at, int button, const std::string& heldKey = "") {
        EXPECT_TRUE(awaitRead(n));
        EXPECT_TRUE(driver_->click(
            geometry().toScreen(at), button, [&] { return readDone(n); }, heldKey))
            << "button " << button << " got no reaction";
        return read(n);
    }

    // The n-th cursor read with a key typed at a world position.
    CursorRead keyRead(int n, WorldPoint at, const std::string& keysym) {
        EXPECT_TRUE(awaitRead(n));
        EXPECT_TRUE(driver_->key(
            keysym, [&] { return readDone(n); }, geometry().toScreen(at)))
            << "key " << keysym << " got no reaction";
        return read(n);
    }

    void expectAtPixel(const CursorRead& read, ScreenPoint pixel) const {
        const WorldPoint expected = geometry().toWorld(pixel);
        const WorldPoint tolerance = geometry().pixelSize();
        EXPECT_NEAR(read.position.x, expected.x, 0.5 * tolerance.x);
        EXPECT_NEAR(read.position.y, expected.y, 0.5 * tolerance.y);
    }

    void expectProbeEnds() { EXPECT_EQ(probe_->waitForExit(kProgramEnd), 0) << probe_->errors(); }

  private:
    bool awaitRead(int n) const {
        return probe_->waitForOutput("waiting " + std::to_string(n) + " ", kCursorWait);
    }

    bool readDone(int n) const {
        return probe_->output().find("read " + std::to_string(n) + " ") != std::string::npos;
    }

    CursorRead read(int n) const {
        const std::string output = probe_->output();
        const std::size_t at = output.find("read " + std::to_string(n) + " ");
        CursorRead result;
        if (at == std::string::npos) return result;
        std::istringstream line(output.substr(at + 5 + std::to_string(n).size()));
        line >> result.mode >> result.result >> result.position.x >> result.position.y >>
            result.code;
        return result;
    }

    XvfbDisplay display_;
    XInput input_{display_.name()};
    std::unique_ptr<ChildProcess> probe_;
    std::unique_ptr<WindowDriver> driver_;
    std::unique_ptr<PlotGeometry> geometry_;
};

}  // namespace

// The window tests find the box by its frame in a picture: here the frame has the size of
// the viewport that the program reports, within a tenth of a pixel (the drawing surface
// lies at an offset in the window).
TEST_F(BandProbeTest, TheFrameInAPictureIsTheViewportTheProgramReports) {
    ASSERT_NO_FATAL_FAILURE(start({0}));
    const PlotBox measured = geometry().box();
    const PlotBox reported = reportedViewport();
    EXPECT_NEAR(measured.right - measured.left, reported.right - reported.left, 0.1);
    EXPECT_NEAR(measured.bottom - measured.top, reported.bottom - reported.top, 0.1);
    clickRead(1, {30.0, 500.0}, kLeft);
    expectProbeEnds();
}

TEST_F(BandProbeTest, EveryBandModeHandsBackTheClickPositionAwayFromTheAnchor) {
    const std::vector<int> modes = {0, 1, 2, 6};
    const WorldPoint targets[] = {{35.0, 900.0}, {12.5, -50.0}, {32.0, 100.0}, {15.0, 1000.0}};
    ASSERT_NO_FATAL_FAILURE(start(modes));
    for (int n = 1; n <= 4; ++n) {
        const WorldPoint target = targets[n - 1];
        const CursorRead read = clickRead(n, target, kLeft);
        EXPECT_EQ(read.mode, modes[n - 1]);
        EXPECT_EQ(read.result, 1);
        EXPECT_EQ(read.code, 'A');
        expectAtPixel(read, geometry().toScreen(target));
        // The nearest pixel lies within a pixel of the target itself.
        EXPECT_NEAR(read.position.x, target.x, geometry().pixelSize().x);
        EXPECT_NEAR(read.position.y, target.y, geometry().pixelSize().y);
    }
    expectProbeEnds();
}

TEST_F(BandProbeTest, TheCornersOfTheBoxAreTheCornersOfTheWorldWindow) {
    ASSERT_NO_FATAL_FAILURE(start({0, 0}));
    const CursorRead upperLeft = clickRead(1, {kWorld.xmin, kWorld.ymax}, kLeft);
    EXPECT_NEAR(upperLeft.position.x, kWorld.xmin, geometry().pixelSize().x);
    EXPECT_NEAR(upperLeft.position.y, kWorld.ymax, geometry().pixelSize().y);
    const CursorRead lowerRight = clickRead(2, {kWorld.xmax, kWorld.ymin}, kLeft);
    EXPECT_NEAR(lowerRight.position.x, kWorld.xmax, geometry().pixelSize().x);
    EXPECT_NEAR(lowerRight.position.y, kWorld.ymin, geometry().pixelSize().y);
    expectProbeEnds();
}

TEST_F(BandProbeTest, ClicksOutsideTheBoxGiveWorldPositionsBeyondTheWindow) {
    ASSERT_NO_FATAL_FAILURE(start({0, 0}));
    const CursorRead right = clickRead(1, {42.0, 500.0}, kLeft);
    EXPECT_GT(right.position.x, kWorld.xmax);
    const CursorRead below = clickRead(2, {25.0, -180.0}, kLeft);
    EXPECT_LT(below.position.y, kWorld.ymin);
    expectProbeEnds();
}

TEST_F(BandProbeTest, TheRightButtonReadsAsDInEveryBandMode) {
    const std::vector<int> modes = {0, 1, 2, 6};
    ASSERT_NO_FATAL_FAILURE(start(modes));
    for (int n = 1; n <= 4; ++n) {
        const WorldPoint target = {12.0 + 6.0 * n, 200.0 * n};
        const CursorRead read = clickRead(n, target, kRight);
        EXPECT_EQ(read.code, 'D') << "mode " << modes[n - 1];
        expectAtPixel(read, geometry().toScreen(target));
    }
    expectProbeEnds();
}

TEST_F(BandProbeTest, TheMiddleAndExtraButtonsReadAsD) {
    ASSERT_NO_FATAL_FAILURE(start({0, 0, 0}));
    EXPECT_EQ(clickRead(1, {20.0, 500.0}, kMiddle).code, 'D');
    EXPECT_EQ(clickRead(2, {20.0, 500.0}, 8).code, 'D');
    EXPECT_EQ(clickRead(3, {20.0, 500.0}, 9).code, 'D');
    expectProbeEnds();
}

TEST_F(BandProbeTest, ALeftClickWithShiftOrControlHeldStillReadsAsA) {
    ASSERT_NO_FATAL_FAILURE(start({0, 2}));
    EXPECT_EQ(clickRead(1, {20.0, 500.0}, kLeft, "shift").code, 'A');
    EXPECT_EQ(clickRead(2, {30.0, 700.0}, kLeft, "ctrl").code, 'A');
    expectProbeEnds();
}

TEST_F(BandProbeTest, TheScrollWheelReadsAsAControlCharacter) {
    ASSERT_NO_FATAL_FAILURE(start({0, 0}));
    for (int n = 1; n <= 2; ++n) {
        const int code = clickRead(n, {30.0, 400.0}, n == 1 ? kScrollUp : kScrollDown).code;
        EXPECT_GT(code, 0);
        EXPECT_LT(code, ' ');
    }
    expectProbeEnds();
}

TEST_F(BandProbeTest, KeysReadAsTypedAtThePointerPosition) {
    ASSERT_NO_FATAL_FAILURE(start({2, 0, 0}));
    const WorldPoint at = {27.0, 650.0};
    const CursorRead lower = keyRead(1, at, "x");
    EXPECT_EQ(lower.code, 'x');
    expectAtPixel(lower, geometry().toScreen(at));
    EXPECT_EQ(keyRead(2, at, "X").code, 'X');
    EXPECT_EQ(keyRead(3, at, "a").code, 'a');
    expectProbeEnds();
}
