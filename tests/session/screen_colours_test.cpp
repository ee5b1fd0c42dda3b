// The colours each device gets: the screen black with white ink (or the colours of
// PGPLOT_BACKGROUND and PGPLOT_FOREGROUND) on every opening, the start and each return
// from a print; the printed page white paper with black ink.

#include <cstdlib>
#include <optional>

#include "background_session.h"

namespace {

using Colours = std::vector<float>;  // colour 0 then colour 1, red, green, blue each

// Sets an environment variable for the life of the object.
class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) saved_ = old;
        setenv(name, value, 1);
    }
    ~EnvironmentVariable() {
        if (saved_)
            setenv(name_, saved_->c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> saved_;
};

class ScreenColours : public BackgroundSession {
  protected:
    // Prints the first page to a PNG file and quits.
    void printAndQuit() {
        gfx.beginDevices = {"print.png/png", ""};
        key('p');
        key('q');
        run();
        ASSERT_EQ(result.status, 0) << result.transcript;
    }

    // Colours 0 and 1 as set after each opening of a device, in order; and whether each
    // opening set PGPLOT's red as colour 2.
    std::vector<Colours> coloursOfEachOpening(bool* redEverywhere) const {
        std::vector<Colours> found;
        *redEverywhere = true;
        for (std::size_t i = 0; i < gfx.calls.size(); ++i) {
            const std::string& name = gfx.calls[i].name;
            if (name != "open" && name != "begin") continue;
            Colours colours;
            bool red = false;
            for (std::size_t j = i + 1; j < gfx.calls.size() && gfx.calls[j].name != "env"; ++j) {
                const GraphicsCall& call = gfx.calls[j];
                if (call.name != "scr") continue;
                if (call.values[0] <= 1)
                    colours.insert(colours.end(), call.values.begin() + 1, call.values.end());
                if (call.values[0] == 2) red = call.values == std::vector<float>{2, 1, 0, 0};
            }
            *redEverywhere = *redEverywhere && red;
            found.push_back(colours);
        }
        return found;
    }
};

const Colours kScreen = {0, 0, 0, 1, 1, 1};  // black background, white ink
const Colours kPaper = {1, 1, 1, 0, 0, 0};   // white paper, black ink

}  // namespace

TEST_F(ScreenColours, TheScreenIsBlackWithWhiteInkAndAPrintIsWhitePaperWithBlackInk) {
    printAndQuit();
    bool redEverywhere = false;
    EXPECT_EQ(coloursOfEachOpening(&redEverywhere),
              (std::vector<Colours>{kScreen, kPaper, kScreen}));
    EXPECT_TRUE(redEverywhere);
    EXPECT_EQ(result.transcript.find("colour"), std::string::npos) << result.transcript;
}

TEST_F(ScreenColours, PgplotBackgroundAndForegroundChooseTheScreensColoursOnly) {
    const EnvironmentVariable background("PGPLOT_BACKGROUND", "Light Grey");
    const EnvironmentVariable foreground("PGPLOT_FOREGROUND", "#ff8000");
    printAndQuit();
    const float grey = 211.0f / 255.0f;
    const Colours chosen = {grey, grey, grey, 1, 128.0f / 255.0f, 0};
    bool redEverywhere = false;
    EXPECT_EQ(coloursOfEachOpening(&redEverywhere), (std::vector<Colours>{chosen, kPaper, chosen}));
}

TEST_F(ScreenColours, AValueThatIsNoColourIsIgnoredWithOneWarningLine) {
    for (const char* unreadable : {"bluish", "#12345", "#12345g", ""}) {
        restart();
        const EnvironmentVariable background("PGPLOT_BACKGROUND", unreadable);
        const EnvironmentVariable foreground("PGPLOT_FOREGROUND", "yellow");
        printAndQuit();
        bool redEverywhere = false;
        const Colours yellowInk = {0, 0, 0, 1, 1, 0};
        EXPECT_EQ(coloursOfEachOpening(&redEverywhere),
                  (std::vector<Colours>{yellowInk, kPaper, yellowInk}))
            << unreadable;
        const std::string warning = std::string("PGPLOT_BACKGROUND=\"") + unreadable +
                                    "\" is not a colour name or #rrggbb; it is ignored.\n";
        EXPECT_EQ(occurrences(warning), 1) << result.transcript;
        EXPECT_EQ(occurrences("colour"), 1) << result.transcript;
    }
}

TEST_F(ScreenColours, AScreenThatCannotOpenIsReportedWithTheDevicesReason) {
    gfx.openResult = 0;
    gfx.failure = "DISPLAY is not set: the screen needs an X display (over ssh, connect with -X).";
    run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.transcript,
              "1001 data points read.\nPGPLOT initialization fail!!!\n" + gfx.failure + "\n");
}
