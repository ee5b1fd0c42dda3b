// The background side in the real program, in a real giza window under Xvfb: a region
// chosen with two left clicks, picking started with a right click, three picks and a
// right-click deselect, and S saving the points in ascending order.

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "window/child_process.h"
#include "window/plot_geometry.h"
#include "window/screenshot.h"
#include "window/window_driver.h"
#include "window/window_timeouts.h"
#include "window/x_input.h"
#include "window/xvfb_display.h"

namespace {

constexpr int kLeft = 1, kRight = 3;

// 1001 points from 10 to 30 degrees, intensities rising from 0 to 1000: the full-scale
// window is 7 to 33 degrees by -100 to 1100.
void writePattern(const std::string& path) {
    std::string text;
    for (int i = 0; i <= 1000; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%.2f %.1f 1.0\n", 10.0 + 0.02 * i, double(i));
        text += line;
    }
    writeFile(path, text);
}
const WorldWindow kFullScale = {7.0f, 33.0f, -100.0f, 1100.0f};

// The position of the n-th background point line ("... @ x:%f , y:%f") in the output.
struct PrintedPoint {
    std::string x, y;  // as printed, which is how the files print them too
};

std::vector<PrintedPoint> printedPoints(const std::string& output, const std::string& kind) {
    std::vector<PrintedPoint> points;
    for (std::size_t at = output.find(kind); at != std::string::npos;
         at = output.find(kind, at + 1)) {
        const std::size_t x = output.find("@ x:", at) + 4;
        const std::size_t comma = output.find(" , y:", x);
        const std::size_t end = output.find('\n', comma);
        points.push_back({output.substr(x, comma - x), output.substr(comma + 5, end - comma - 5)});
    }
    return points;
}

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class BackgroundWindowTest : public ::testing::Test {
  protected:
    TempDir dir;
    XvfbDisplay display;
    XInput input{display.name()};
};

}  // namespace

TEST_F(BackgroundWindowTest, PointsPickedInAZoomedRegionAreSavedInOrder) {
    writePattern("pattern.xy");
    ChildProcess program({XRDPICK_BINARY, "pattern.xy"}, display.environment());
    WindowDriver driver(program, input);
    ASSERT_TRUE(driver.findWindow()) << program.output() << program.errors();
    const std::optional<PlotGeometry> measured = driver.geometry(kFullScale);
    ASSERT_TRUE(measured) << "no frame in the window";
    const PlotGeometry& full = *measured;

    // The region: two left clicks, corners given upper-right first; a right click inside it
    // zooms there and starts picking.
    const ScreenPoint corner1 = full.toScreen({22, 600});
    const ScreenPoint corner2 = full.toScreen({18, 200});
    ASSERT_TRUE(driver.click(corner1, kLeft));
    ASSERT_TRUE(driver.click(corner2, kLeft));
    ASSERT_TRUE(driver.click(full.toScreen({20, 400}), kRight));
    const WorldPoint low = full.toWorld(corner2);
    const WorldPoint high = full.toWorld(corner1);
    const PlotGeometry zoomed =
        full.withWorld({static_cast<float>(low.x), static_cast<float>(high.x),
                        static_cast<float>(low.y), static_cast<float>(high.y)});

    // Three picks, each printed with the position the cursor handed back.
    const WorldPoint picks[] = {{21, 500}, {19, 300}, {20, 400}};
    int printed = 0;
    for (const WorldPoint& pick : picks) {
        ++printed;
        ASSERT_TRUE(driver.click(zoomed.toScreen(pick), kLeft, [&] {
            return occurrences(program.output(), " bg point ") == printed;
        })) << program.output();
    }
    // The README's picture of the background side: the picks joined by a line.
    EXPECT_TRUE(keepPicture("background-points", driver.picture()));

    // In the zoomed window, where the clicked corners put it, each pick lies within a pixel.
    const std::string output = program.output();
    std::vector<PrintedPoint> added = printedPoints(output, "BG:Appending");
    const std::vector<PrintedPoint> inserted = printedPoints(output, "Inserting");
    ASSERT_EQ(added.size(), 1u);
    ASSERT_EQ(inserted.size(), 2u);
    const PrintedPoint shown[] = {added[0], inserted[0], inserted[1]};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(std::stod(shown[i].x), picks[i].x, zoomed.pixelSize().x);
        EXPECT_NEAR(std::stod(shown[i].y), picks[i].y, zoomed.pixelSize().y);
    }

    // A right click on the middle point removes it, and the run goes on.
    ASSERT_TRUE(driver.click(zoomed.toScreen(picks[2]), kRight, [&] {
        return program.output().find("Deleting a bg point from 2th") != std::string::npos;
    })) << program.output();
    const ScreenPoint inside = zoomed.toScreen({20.5, 450});
    ASSERT_TRUE(driver.key(
        "S", [] { return fileExists("pattern.gbg"); }, inside));
    ASSERT_TRUE(driver.key(
        "q", [&] { return program.hasExited(); }, inside));
    EXPECT_EQ(program.waitForExit(kProgramEnd), 0);

    const PrintedPoint& first = inserted[0];  // 19 degrees
    const PrintedPoint& last = added[0];      // 21 degrees
    EXPECT_EQ(readFile("pattern.fbg"),
              first.x + "\t" + first.y + "\t0.0\n" + last.x + "\t" + last.y + "\t0.0\n");
    EXPECT_EQ(readFile("pattern.gbg"),
              "I\t" + first.x + "\t" + first.y + "\t0.0\nI\t" + last.x + "\t" + last.y + "\t0.0\n");
}
