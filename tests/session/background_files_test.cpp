// Background point files in whole sessions: saving from both modes, loading with the merge
// question, the names a load accepts, and a save that cannot create its file.

#include <filesystem>

#include "background_session.h"
#include "support/file_size_limit.h"

namespace {

using BackgroundFiles = BackgroundSession;

const char* const kThreePoints =
    "20.500000\t600.000000\t0.0\n"
    "19.000000\t500.000000\t0.0\n"
    "22.000000\t700.000000\t0.0\n";

const std::string kMergeQuestion = "(K=keep all, I=ignore current one, blank=ignore saved one) ";

}  // namespace

TEST_F(BackgroundFiles, SavingNamesTheFilesAfterThePatternAndLowersItsExtension) {
    writePatternFile("QUARTZ.XY", [](int i) { return float(i); });
    enterExtraction();
    click(21, 400);
    click(19, 300);
    click(20, 350);
    key('S');  // page 5: region choice, afresh
    key('q');
    run("", "QUARTZ.XY");
    EXPECT_TRUE(
        transcriptHas("FullProf backgroud file saving... Filename : QUARTZ.fbg\n"
                      "GSAS backgroud file saving... Filename : QUARTZ.gbg\n"));
    EXPECT_EQ(readFile("QUARTZ.fbg"),
              "19.000000\t300.000000\t0.0\n"
              "20.000000\t350.000000\t0.0\n"
              "21.000000\t400.000000\t0.0\n");
    EXPECT_EQ(readFile("QUARTZ.gbg"),
              "I\t19.000000\t300.000000\t0.0\n"
              "I\t20.000000\t350.000000\t0.0\n"
              "I\t21.000000\t400.000000\t0.0\n");
    const auto labels = gfx.named("lab");
    ASSERT_EQ(labels.size(), 6u);
    EXPECT_EQ(labels[4]->text, "tth (degrees)|Intensity (arb. units)|QUARTZ.XY");
    EXPECT_EQ(labels[5]->text, "tth (degrees)|Intensity (arb. units)|QUARTZ.xy");
    EXPECT_EQ(windows()[5], kFullScale);
    EXPECT_FALSE(pageHasText(5, kUnsavedPoints));
}

TEST_F(BackgroundFiles, LoadedPointsAreShownAndSavedFromTheRegionChoice) {
    writeFile("bg.fbg", kThreePoints);
    key('L');  // page 1: three points, in the window of the moment
    key('S');  // page 2: saved, emptied
    key('q');
    run("bg.fbg\n");
    ASSERT_EQ(pageCount(), 3);
    EXPECT_EQ(pointMarkers(1), 3);
    EXPECT_TRUE(pageHasText(1, kUnsavedPoints));
    EXPECT_EQ(pointMarkers(2), 0);
    EXPECT_EQ(readFile("quartz.fbg"),
              "19.000000\t500.000000\t0.0\n"
              "20.500000\t600.000000\t0.0\n"
              "22.000000\t700.000000\t0.0\n");
}

TEST_F(BackgroundFiles, LoadingTheSameFileTwiceAsksAboutEveryPoint) {
    writeFile("bg.gbg",
              "I\t19.000000\t500.000000\t0.0\nI\t20.500000\t600.000000\t0.0\n"
              "I\t22.000000\t700.000000\t0.0\n");
    key('l');
    key('L');
    key('q');
    run("bg.gbg\nbg.gbg\nK\ni\n\n");
    EXPECT_EQ(occurrences(kMergeQuestion), 3);
    EXPECT_EQ(occurrences("Keep all of them...\n"), 1);
    EXPECT_EQ(occurrences("Ignore current one, replaced by saved one...\n"), 1);
    EXPECT_EQ(pointMarkers(2), 3);
}

TEST_F(BackgroundFiles, TheKindOfAFileComesFromItsNameAfterTheFirstDot) {
    std::filesystem::create_directory("old.runs");
    writeFile("upper.F", "19.0 500.0 0\n");
    writeFile("upper.G", "I 20.0 500.0 0\n");
    writeFile("points.txt", "21.0 500.0 0\n");
    writeFile("old.runs/bg", "22.0 500.0 0\n");
    writeFile("bg.fbg", "23.0 500.0 0\n");
    for (int load = 0; load < 5; ++load) key('L');
    key('q');
    run("upper.F\nupper.G\npoints.txt\nold.runs/bg\n./bg.fbg\n");
    EXPECT_EQ(occurrences("The file ext. doesn't match what I expected.\n"), 2);
    EXPECT_TRUE(transcriptHas("x:19.000000"));
    EXPECT_TRUE(transcriptHas("x:20.000000"));
    EXPECT_FALSE(transcriptHas("x:21.000000"));
    EXPECT_FALSE(transcriptHas("x:22.000000"));
    EXPECT_TRUE(transcriptHas("./bg.fbg file is opened, and read...\n"));
    EXPECT_EQ(pointMarkers(5), 3);
}

TEST_F(BackgroundFiles, TheEndOfConsoleInputCancelsALoad) {
    key('L');
    key('L');
    key('q');
    run("");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(pageCount(), 1);
    EXPECT_EQ(occurrences("FBG/GBG file name(blank to cancel)...? "), 2);
}

TEST_F(BackgroundFiles, AFailedSaveKeepsThePointsOnTheExtractionPage) {
    std::filesystem::create_directory("quartz.fbg");  // stands where the file would go
    enterExtraction();
    click(20, 300);
    key('S');  // page 3: failed, the same page again
    key('q');
    run();
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(transcriptHas("Error!!! - F.P. Background output file opening\n"));
    ASSERT_EQ(pageCount(), 4);
    EXPECT_EQ(windows()[3], kRegion);
    EXPECT_EQ(pointMarkers(3), 1);
    EXPECT_EQ(gfx.named("lab").back()->text, "tth (degrees)|Intensity (arb. units)|quartz.xy");
}

TEST_F(BackgroundFiles, AFailedSaveKeepsThePointsInTheRegionChoice) {
    std::filesystem::create_directory("quartz.gbg");
    enterExtraction();
    click(20, 300);
    key('b');  // page 3
    key('s');  // page 4: failed
    key('q');
    run();
    EXPECT_TRUE(transcriptHas("Error!!! - F.P. Background output file opening\n"));
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(pointMarkers(4), 1);
    EXPECT_TRUE(pageHasText(4, kUnsavedPoints));
    EXPECT_EQ(windows()[4], kRegion);
}

// A full disk or a file size limit: the files of an earlier save stay whole, nothing is
// left beside them, and the points stay in memory for another try.
TEST_F(BackgroundFiles, ASaveCutShortLeavesTheEarlierFilesAndKeepsThePoints) {
    writeFile("quartz.fbg", "earlier fbg\n");
    writeFile("quartz.gbg", "earlier gbg\n");
    enterExtraction();
    click(20, 300);
    click(21, 400);
    key('S');  // page 4: failed, the same page again
    key('q');
    {
        FileSizeLimit limit(30);  // the two points need 50 bytes
        run();
    }
    EXPECT_TRUE(transcriptHas("Error!!! - F.P. Background output file opening\n"));
    EXPECT_EQ(readFile("quartz.fbg"), "earlier fbg\n");
    EXPECT_EQ(readFile("quartz.gbg"), "earlier gbg\n");
    EXPECT_EQ(entriesOf("."), (std::vector<std::string>{"quartz.fbg", "quartz.gbg", "quartz.xy"}));
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(pointMarkers(4), 2);
}
