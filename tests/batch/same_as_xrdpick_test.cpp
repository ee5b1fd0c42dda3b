// xrdfit --xrdpick-start fits a region exactly as xrdpick's fit run does: the same points,
// weights, start values and engine give the same *.fit block to the byte (xrdfit's opened by
// a comment).
// With W/R refined xrdfit also refines from the fit with W/R held and keeps the better, so
// W/R is held here.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/session.h"
#include "support/temp_dir.h"
#include "xrdfit_harness.h"

namespace {

TEST(SameAsXrdpick, RegionOfTheExampleGivesTheSameFitBlock) {
    TempDir dir;
    std::filesystem::copy_file(std::string(XRDPICK_EXAMPLES) + "/quartz.xy", "quartz.xy");
    for (const char fwhmKey : {'F', 'G'}) {
        SCOPED_TRACE(fwhmKey);
        std::filesystem::remove("xrdpick.fit");
        std::filesystem::remove("xrdfit.fit");
        // xrdpick: to the peak side, a region, both ends and three peaks, fit, keep, quit.
        ScriptedGraphics gfx;
        gfx.push(40, 1000, 'D');
        gfx.push(66.81f, 1000, 'A');
        gfx.push(69.21f, 1000, 'A');
        gfx.push(68, 1000, 'D');
        for (const float x : {66.86f, 69.16f, 67.74f, 68.14f, 68.31f}) gfx.push(x, 500, 'A');
        gfx.push(20, 500, fwhmKey);
        gfx.push(68, 500, 'A');
        gfx.push(20, 500, 'q');
        ASSERT_EQ(runSession(gfx, {"quartz.xy"}, "0.07\nxrdpick.fit\n").status, 0);

        writeFile("plan.txt", "66.86 69.16 67.74 68.14 68.31\n");
        std::vector<std::string> args = {"--plan", "plan.txt",   "--wor",           "0.07",
                                         "--fit",  "xrdfit.fit", "--xrdpick-start", "quartz.xy"};
        if (fwhmKey == 'G') args.insert(args.begin(), "--common");
        ASSERT_EQ(runXrdfit(args).status, 0);
        // xrdfit's block opens with a comment naming its pattern and region.
        std::string blocks = readFile("xrdpick.fit");
        blocks.insert(blocks.find('\n') + 1, "# quartz.xy, region 1\n");
        EXPECT_EQ(readFile("xrdfit.fit"), blocks);
    }
}

}  // namespace
