#include "background/background_load.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "view/run_state_fixture.h"

namespace {

// The pattern's step is 0.02 degree: loaded points within 0.04 of one in memory, in
// two-theta and in intensity alike, are asked about.
class LoadTest : public ::testing::Test, protected RunStateFixture {
  protected:
    TempDir dir;
    PointList& list = state->points;
    ViewState& view = state->view;

    LoadResult load(const std::string& consoleText) {
        consoleInput(consoleText);
        out.str("");
        return loadBackgroundPoints(console, list, state->pattern, view);
    }
    void add(float tth, float cts) {
        ++list.last;
        list.x[list.last] = tth;
        list.y[list.last] = cts;
    }
    std::vector<float> tths() const {
        return std::vector<float>(list.x.begin(), list.x.begin() + list.last + 1);
    }
};

const char* const kThreePointsFbg =
    "20.500000\t1234.500000\t0.0\n"
    "25.000000\t800.000000\t0.0\n"
    "22.000000\t900.000000\t0.0\n";

}  // namespace

TEST_F(LoadTest, ReadsAnFbgFileIntoTheListInOrder) {
    writeFile("bg.fbg", kThreePointsFbg);
    view.flag = ViewFlag::FullScaleReset;
    EXPECT_EQ(load("bg.fbg\n"), LoadResult::Done);
    EXPECT_EQ(tths(), (std::vector<float>{20.5f, 22, 25}));
    EXPECT_FLOAT_EQ(list.y[1], 900);
    EXPECT_EQ(transcript(),
              "FBG/GBG file name(blank to cancel)...? bg.fbg file is opened, and read...\n"
              "20.500000, 1234.500000\n"
              "BG:Appending a bg point to last(1th) @ x:20.500000 , y:1234.500000\n"
              "25.000000, 800.000000\n"
              "BG:Appending a bg point to last(2th) @ x:25.000000 , y:800.000000\n"
              "22.000000, 900.000000\n"
              "Inserting a bg point to 2th @ x:22.000000 , y:900.000000\n");
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
    EXPECT_EQ(view.key, 'n');
}

TEST_F(LoadTest, ReadsAGbgFileSkippingItsLeadingLetter) {
    writeFile("bg.gbg", "I\t20.500000\t1234.500000\t0.0\nI\t22.000000\t900.000000\t0.0\n");
    load("bg.gbg\n");
    EXPECT_EQ(tths(), (std::vector<float>{20.5f, 22}));
    EXPECT_FLOAT_EQ(list.y[0], 1234.5f);
}

TEST_F(LoadTest, TakesTheKindFromTheLetterAfterTheFirstDotInEitherCase) {
    writeFile("upper.F", "20.5 100 0\n");
    writeFile("upper.G", "I 21.5 100 0\n");
    writeFile("two.gbg.fbg", "I 22.5 100 0\n");  // read as GBG: 'g' follows the first dot
    load("upper.F\n");
    load("upper.G\n");
    load("two.gbg.fbg\n");
    EXPECT_EQ(tths(), (std::vector<float>{20.5f, 21.5f, 22.5f}));
}

TEST_F(LoadTest, RefusesOtherExtensionsAndNamesWithoutADot) {
    writeFile("bg.txt", kThreePointsFbg);
    writeFile("bgfbg", kThreePointsFbg);
    for (const char* name : {"bg.txt\n", "bgfbg\n"}) {
        EXPECT_EQ(load(name), LoadResult::Done);
        EXPECT_EQ(transcript(),
                  "FBG/GBG file name(blank to cancel)...? "
                  "The file ext. doesn't match what I expected.\n");
    }
    EXPECT_EQ(list.last, -1);
}

TEST_F(LoadTest, ADotInADirectoryNameDoesNotCount) {
    std::filesystem::create_directory("runs.2024");
    writeFile("runs.2024/bg", kThreePointsFbg);
    writeFile("runs.2024/bg.fbg", kThreePointsFbg);
    load("runs.2024/bg\n");
    EXPECT_EQ(list.last, -1);
    load("./runs.2024/bg.fbg\n");
    EXPECT_EQ(list.last, 2);
}

TEST_F(LoadTest, AMissingFileChangesNothing) {
    add(20, 100);
    view.flag = ViewFlag::FullScale;
    EXPECT_EQ(load("nothere.fbg\n"), LoadResult::Done);
    EXPECT_EQ(transcript(),
              "FBG/GBG file name(blank to cancel)...? Couldn't open file. Nothing to load.\n");
    EXPECT_EQ(list.last, 0);
    EXPECT_EQ(view.flag, ViewFlag::FullScale);
}

TEST_F(LoadTest, ABlankNameOrTheEndOfInputCancels) {
    writeFile(".fbg", kThreePointsFbg);  // would be found if the blank were taken as a name
    EXPECT_EQ(load("\n"), LoadResult::Cancelled);
    EXPECT_EQ(load(""), LoadResult::Cancelled);
    EXPECT_EQ(transcript(), "FBG/GBG file name(blank to cancel)...? ");
    EXPECT_EQ(list.last, -1);
}

TEST_F(LoadTest, RefusesANameLongerThanTheNameBuffer) {
    const std::string longest(199, 'b');
    writeFile(longest.substr(0, 195) + ".fbg", "20.5 100 0\n");
    load(longest.substr(0, 195) + ".fbg\n");
    EXPECT_EQ(list.last, 0);

    EXPECT_EQ(load(std::string(200, 'b') + ".fbg\n"), LoadResult::Done);
    EXPECT_EQ(transcript(),
              "FBG/GBG file name(blank to cancel)...? "
              "The file name is too long (at most 199 characters). Nothing to load.\n");
    EXPECT_EQ(list.last, 0);
}

TEST_F(LoadTest, SkipsLinesWithoutTwoNumbersNamingThem) {
    writeFile("bg.fbg", "# tth cts\n20.5 100 0\n\n21.0\n22.5 300 0\n");
    load("bg.fbg\n");
    EXPECT_EQ(tths(), (std::vector<float>{20.5f, 22.5f}));
    const std::string text = transcript();
    EXPECT_NE(text.find("Skipping a line that holds no two numbers: \"# tth cts\"\n"),
              std::string::npos);
    EXPECT_NE(text.find("Skipping a line that holds no two numbers: \"\"\n"), std::string::npos);
    EXPECT_NE(text.find("Skipping a line that holds no two numbers: \"21.0\"\n"),
              std::string::npos);
    // The bad lines never repeat the previous point.
    EXPECT_EQ(text.find("Saved/Loaded"), std::string::npos);
}

TEST_F(LoadTest, ReadsLongLinesInPiecesOf49Characters) {
    // 49 characters then the rest: each piece is taken as a line of its own.
    const std::string first = "20.5 100 0" + std::string(39, ' ');
    writeFile("bg.fbg", first + "23.5 200 0\n");
    load("bg.fbg\n");
    EXPECT_EQ(tths(), (std::vector<float>{20.5f, 23.5f}));
}

TEST_F(LoadTest, AsksAboutEveryPointWhenTheSameFileIsLoadedTwice) {
    writeFile("bg.fbg", kThreePointsFbg);
    load("bg.fbg\n");
    load("bg.fbg\nK\nI\n\n");
    const std::string text = transcript();
    const std::string question =
        "Saved/Loaded BG Point is too close with current one... \n"
        "Do you want to keep all of them or ignore one of them? \n"
        "(K=keep all, I=ignore current one, blank=ignore saved one) ";
    EXPECT_EQ(text,
              "FBG/GBG file name(blank to cancel)...? bg.fbg file is opened, and read...\n"
              "20.500000, 1234.500000\n" +
                  question + "Keep all of them...\n" +
                  "BG:The loaded point @ x:20.500000 , y:1234.500000 is not added: the 1th "
                  "point has that tth\n" +
                  "25.000000, 800.000000\n" + question +
                  "Ignore current one, replaced by saved one...\n" + "22.000000, 900.000000\n" +
                  question);
    // Keeping a point of the very same two-theta adds nothing by the insertion rule, and
    // says so.
    EXPECT_EQ(tths(), (std::vector<float>{20.5f, 22, 25}));
}

TEST_F(LoadTest, TheAnswerLineIsConsumedWhole) {
    writeFile("bg.fbg", "20.5 100 0\n21.5 100 0\n");
    add(20.51f, 100);
    add(21.51f, 100);
    // "Keep" answers the first question only; the second gets its own answer, "ignore".
    load("bg.fbg\nKeep\nignore\n");
    EXPECT_EQ(tths(), (std::vector<float>{20.5f, 20.51f, 21.5f}));
}

TEST_F(LoadTest, IgnoringReplacesThePointInMemoryInItsPlace) {
    writeFile("bg.fbg", "22.01 150.02 0\n");
    add(20, 100);
    add(22, 150);
    add(24, 200);
    load("bg.fbg\ni\n");
    EXPECT_EQ(tths(), (std::vector<float>{20, 22.01f, 24}));
    EXPECT_FLOAT_EQ(list.y[1], 150.02f);
}

TEST_F(LoadTest, IgnoringNeverBreaksTheAscendingOrder) {
    // The loaded 22.03 is close to 22.00 but passes its neighbour at 22.02.
    writeFile("bg.fbg", "22.03 150 0\n");
    add(22.00f, 150);
    add(22.02f, 500);
    load("bg.fbg\nI\n");
    EXPECT_EQ(tths(), (std::vector<float>{22.02f, 22.03f}));
    EXPECT_FLOAT_EQ(list.y[1], 150);
}

// The loaded 22.02 is close to 22.00 and has the very two-theta of its neighbour: it cannot
// take the chosen point's place, and the chosen point is not given up for nothing.
TEST_F(LoadTest, IgnoringKeepsThePointWhenTheLoadedTwoThetaIsTaken) {
    writeFile("bg.fbg", "22.02 150.03125 0\n");
    add(22.00f, 150);
    add(22.02f, 500);
    load("bg.fbg\nI\n");
    EXPECT_EQ(tths(), (std::vector<float>{22.00f, 22.02f}));
    EXPECT_FLOAT_EQ(list.y[0], 150);
    EXPECT_FLOAT_EQ(list.y[1], 500);
    const std::string text = transcript();
    EXPECT_EQ(text.substr(text.find("Ignore")),
              "Ignore current one, replaced by saved one...\n"
              "BG:The 1th point is kept: the loaded point @ x:22.020000 , y:150.031250 has the "
              "tth of the 2th point\n");
}

TEST_F(LoadTest, ABlankAnswerOrTheEndOfInputDropsTheLoadedPoint) {
    writeFile("bg.fbg", "22.01 150.01 0\n");
    add(22, 150);
    load("bg.fbg\n\n");
    load("bg.fbg\n");
    EXPECT_EQ(tths(), (std::vector<float>{22}));
    EXPECT_FLOAT_EQ(list.y[0], 150);
}

TEST_F(LoadTest, ClosenessInIntensityIsMeasuredInTwoThetaSteps) {
    // 0.01 degree apart and one unit of intensity, which is more than two steps (0.04):
    // not close, added without a question.
    writeFile("bg.fbg", "22.01 151 0\n");
    add(22, 150);
    load("bg.fbg\n");
    EXPECT_EQ(tths(), (std::vector<float>{22, 22.01f}));
    EXPECT_EQ(transcript().find("Saved/Loaded"), std::string::npos);
}

TEST_F(LoadTest, AFullListRefusesTheRestOfTheFile) {
    std::string lines;
    for (int i = 0; i < 205; ++i) lines += std::to_string(10 + i) + " 100 0\n";
    writeFile("bg.fbg", lines);
    load("bg.fbg\n");
    EXPECT_EQ(list.last, kPointListCapacity - 1);
    EXPECT_FLOAT_EQ(list.x[kPointListCapacity - 1], 209);
    EXPECT_NE(transcript().find("BG:The list is full (200 points); the point @ x:214.000000"),
              std::string::npos);
}
