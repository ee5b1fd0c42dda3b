// Printing a background page through the real PGPLOT library to a file device: the user
// names the file on the console, and a non-empty picture appears.

#include <gtest/gtest.h>

#include <filesystem>

#include "background/background_roi_page.h"
#include "support/temp_dir.h"
#include "view/pgplot_graphics.h"
#include "view/run_state_fixture.h"

namespace {

// The fixture's scripted device is not used here; the state draws on the real library.
class PrintFileTest : public ::testing::Test, protected RunStateFixture {
  protected:
    TempDir dir;
    PgplotGraphics pgplot{console};
    RunState printing{console, pgplot};

    void SetUp() override {
        printing.pattern = state->pattern;
        printing.dataFile = state->dataFile;
        printing.points.x[0] = 15.0f;
        printing.points.y[0] = 200.0f;
        printing.points.x[1] = 25.0f;
        printing.points.y[1] = 700.0f;
        printing.points.last = 1;
        printing.view.flag = ViewFlag::FullScale;
    }
    void TearDown() override { pgplot.end(); }

    // Everything the picture files in the directory hold, in bytes.
    std::uintmax_t bytesIn(const std::string& extension) const {
        std::uintmax_t bytes = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().extension() == extension) bytes += entry.file_size();
        return bytes;
    }
};

}  // namespace

TEST_F(PrintFileTest, WritesTheRegionChoicePageToANamedPngFile) {
    // The hardcopy device first, then, in place of the screen, a device that draws nothing.
    consoleInput("page.png/png\n/null\n");
    ASSERT_GT(pgplot.open("/null"), 0);
    printing.view.key = 'P';
    BackgroundRoiPage page(printing);
    ASSERT_EQ(drawRoiPage(printing, page), PageResult::Ready);
    EXPECT_GT(bytesIn(".png"), 1000u);
    EXPECT_NE(transcript().find("Output is done. Just hit <Enter> to continue...\n"),
              std::string::npos);
    EXPECT_EQ(printing.points.last, 1);
}

TEST_F(PrintFileTest, WritesAPdfFileToo) {
    consoleInput("page.pdf/pdf\n/null\n");
    ASSERT_GT(pgplot.open("/null"), 0);
    printing.view.key = 'p';
    BackgroundRoiPage page(printing);
    ASSERT_EQ(drawRoiPage(printing, page), PageResult::Ready);
    EXPECT_GT(bytesIn(".pdf"), 1000u);
}
