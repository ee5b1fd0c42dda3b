// The adapter on the real giza library, with file devices and with the screen device
// where no display exists. Clicks on the screen device are proved by the window tests.

#include "view/pgplot_graphics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>

#include "console/console.h"
#include "support/temp_dir.h"
#include "view/giza_device.h"

namespace {

// Removes DISPLAY for the life of the object, so that the screen device cannot open.
class NoDisplay {
  public:
    NoDisplay() {
        if (const char* display = std::getenv("DISPLAY")) saved_ = display;
        unsetenv("DISPLAY");
    }
    ~NoDisplay() {
        if (saved_) setenv("DISPLAY", saved_->c_str(), 1);
    }

  private:
    std::optional<std::string> saved_;
};

struct Device {
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
    PgplotGraphics graphics{console};

    explicit Device(const std::string& consoleInput) : in(consoleInput) {}

    // One page with a box and a line, as a print draws it.
    void drawPage() {
        const float tth[3] = {10.0f, 20.0f, 30.0f};
        const float cts[3] = {5.0f, 80.0f, 20.0f};
        graphics.env(0.0f, 40.0f, -10.0f, 110.0f, 0, 1);
        graphics.line(3, tth, cts);
    }
};

bool fileStartsWith(const std::string& path, const std::string& signature) {
    return fileExists(path) && readFile(path).compare(0, signature.size(), signature) == 0;
}

}  // namespace

TEST(PgplotGraphicsBegin, AsksOnTheConsoleAndWritesTheNamedHardcopy) {
    struct Case {
        const char* answer;
        const char* file;
        const char* signature;
    };
    const Case cases[] = {{"plot.png/png", "plot.png", "\x89PNG"},
                          {"plot.pdf/pdf", "plot.pdf", "%PDF"},
                          {"plot.ps/cps", "plot.ps", "%!PS"},
                          {"portrait.ps/VCPS", "portrait.ps", "%!PS"}};
    for (const Case& c : cases) {
        TempDir dir;
        Device device(std::string(c.answer) + "\n");
        ASSERT_EQ(device.graphics.begin(0, "?", 1, 1), 1) << c.answer;
        device.graphics.ask(true);
        device.drawPage();
        device.graphics.end();
        EXPECT_TRUE(fileStartsWith(c.file, c.signature)) << c.answer;
        EXPECT_EQ(device.out.str().find("Graphics device/type"), 0u) << c.answer;
    }
}

TEST(PgplotGraphicsBegin, ReturnsOneAfterEarlierDevicesWereClosed) {
    TempDir dir;
    Device device("first.png/png\nsecond.png/png\n");
    ASSERT_EQ(device.graphics.begin(0, "?", 1, 1), 1);
    device.drawPage();
    device.graphics.end();
    ASSERT_EQ(device.graphics.begin(0, "?", 1, 1), 1);
    device.drawPage();
    device.graphics.end();
    EXPECT_TRUE(fileExists("first.png"));
    EXPECT_TRUE(fileExists("second.png"));
}

TEST(PgplotGraphicsBegin, AnUnknownDeviceTypeIsRefused) {
    TempDir dir;
    Device device("plot.xyz/nosuchtype\n");
    EXPECT_NE(device.graphics.begin(0, "?", 1, 1), 1);
    EXPECT_FALSE(fileExists("plot.xyz"));
}

TEST(PgplotGraphicsBegin, AnOverLongAnswerIsRefusedWithoutWritingAFile) {
    TempDir dir;
    const std::string name(kMaxDeviceSpecLength, 'p');
    Device device(name + ".png/png\n");
    EXPECT_NE(device.graphics.begin(0, "?", 1, 1), 1);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(PgplotGraphicsWithoutDisplay, TheScreenDeviceDoesNotOpen) {
    NoDisplay noDisplay;
    Device device("");
    EXPECT_LE(device.graphics.open("/gw"), 0);
}

TEST(PgplotGraphicsWithoutDisplay, AnEmptyAnswerOrEndOfInputAsksForTheScreenAndFails) {
    NoDisplay noDisplay;
    Device emptyAnswer("\n");
    EXPECT_NE(emptyAnswer.graphics.begin(0, "?", 1, 1), 1);
    Device endOfInput("");
    EXPECT_NE(endOfInput.graphics.begin(0, "?", 1, 1), 1);
    EXPECT_EQ(endOfInput.out.str().find("Graphics device/type"), 0u);
}
