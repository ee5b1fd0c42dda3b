#include "peaks/peak_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "view/run_state_fixture.h"

namespace {

class PeakFilesTest : public ::testing::Test, protected RunStateFixture {
  protected:
    TempDir dir;
    PointList& list = state->points;
    ViewState& view = state->view;

    void add(float tth, float cts = 300.0f) {
        ++list.last;
        list.x[list.last] = tth;
        list.y[list.last] = cts;
    }
    std::vector<float> tths() const {
        return std::vector<float>(list.x.begin(), list.x.begin() + list.last + 1);
    }
    std::vector<float> heights() const {
        return std::vector<float>(list.y.begin(), list.y.begin() + list.last + 1);
    }
    PeakLoad load(const std::string& consoleText) {
        consoleInput(consoleText);
        out.str("");
        return loadPeakPositions(*state);
    }
};

using SaveTest = PeakFilesTest;
using LoadTest = PeakFilesTest;

// Two fits of two peaks each, as the fit run appends them to a results file.
// Blocks as xrdfit appends them, each opened by a comment naming its pattern and region.
const char* const kTwoFits =
    "#   tth      Iint       FWHM      eta      w/r     chi^2\n"
    "# 1.5mm.xy, region 1; radiation: alpha1 1.540593 A, alpha2 1.544414 A, ratio 0.5 "
    "(--anode Cu); Kalpha1 lines\n"
    "20.123400 1500.000000 0.120000 0.500000 0.250000 1.200000\n"
    "20.654300 800.000000 0.130000 0.500000 0.250000 1.200000\n"
    "#--------------------------------------------------------#\n"
    "# 2.5mm.xy, region 2\n"
    "25.000100 300.000000 0.150000 0.400000 0.250000 0.900000\n"
    "24.500000 350.000000 0.150000 0.400000 0.250000 0.900000\n"
    "#--------------------------------------------------------#\n";

}  // namespace

TEST_F(SaveTest, WritesThePositionsAscendingInEightColumns) {
    for (float tth : {5.2f, 3.1f, 5.2f, 4.0f}) add(tth);
    EXPECT_EQ(savePeakPositions(*state), PeakSave::Saved);
    EXPECT_EQ(readFile("quartz.cdt"), "  3.1000\n  4.0000\n  5.2000\n  5.2000\n");
    EXPECT_EQ(transcript(), "Fitting results file saving... Filename : quartz.cdt\n");
}

TEST_F(SaveTest, ASavedListLeavesMemoryAndTheSideStartsAfresh) {
    add(5.2f);
    state->peaks.fitBlock[0] = 100.0;
    state->peaks.fitBlock[1] = 0.2;
    savePeakPositions(*state);
    EXPECT_EQ(list.last, -1);
    EXPECT_EQ(list.x[0], kUnset);
    for (double entry : state->peaks.fitBlock) EXPECT_EQ(entry, kUnset);
    EXPECT_EQ(view.flag, ViewFlag::FullScaleReset);
}

TEST_F(SaveTest, PositionsUpTo350AreWrittenAndHigherOnesDropped) {
    for (float tth : {350.5f, 350.0f, 12.0f, 400.0f}) add(tth);
    EXPECT_EQ(savePeakPositions(*state), PeakSave::Saved);
    EXPECT_EQ(readFile("quartz.cdt"), " 12.0000\n350.0000\n");
    EXPECT_EQ(list.last, -1);
}

TEST_F(SaveTest, WidePositionsOverflowTheEightColumnsRatherThanLoseDigits) {
    add(-123.45678f);
    add(1.0f);
    savePeakPositions(*state);
    EXPECT_EQ(readFile("quartz.cdt"), "-123.4568\n  1.0000\n");
}

TEST_F(SaveTest, AnEmptyListWritesNothingAndKeepsTheWindow) {
    view.flag = ViewFlag::KeepShown;
    EXPECT_EQ(savePeakPositions(*state), PeakSave::Empty);
    EXPECT_FALSE(fileExists("quartz.cdt"));
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
    EXPECT_EQ(transcript(), "");
}

// The dot before the extension that told the format: the last, or the first where xrdpick's
// historical rule found the format there.
TEST_F(SaveTest, TheFileIsNamedAfterTheDataFileUpToTheDotBeforeItsExtension) {
    std::filesystem::create_directory("dir.v2");
    const struct {
        const char* data;
        bool firstDot;
        const char* cdt;
    } names[] = {
        {"data.run3.xy", false, "data.run3.cdt"},
        {"data.xy.bak", true, "data.cdt"},
        {"dir.v2/data.xy", true, "dir.v2/data.cdt"},
        {"scan.001", true, "scan.cdt"},
        {"nodot", false, "cdt"},
    };
    for (const auto& name : names) {
        state->dataFile.name = name.data;
        state->dataFile.firstDot = name.firstDot;
        add(20.0f);
        EXPECT_EQ(savePeakPositions(*state), PeakSave::Saved) << name.data;
        EXPECT_EQ(readFile(name.cdt), " 20.0000\n") << name.data;
        EXPECT_EQ(state->dataFile.name, name.data);  // the data file keeps its name
    }
}

TEST_F(SaveTest, AnExistingFileIsReplaced) {
    writeFile("quartz.cdt", "  1.0000\n  2.0000\n  3.0000\n");
    add(20.0f);
    savePeakPositions(*state);
    EXPECT_EQ(readFile("quartz.cdt"), " 20.0000\n");
}

TEST_F(SaveTest, AFileThatCannotBeCreatedKeepsTheListInMemory) {
    state->dataFile.name = "missing/quartz.xy";
    add(20.0f, 400.0f);
    add(19.0f, 300.0f);
    view.flag = ViewFlag::KeepShown;
    EXPECT_EQ(savePeakPositions(*state), PeakSave::Failed);
    EXPECT_EQ(transcript(),
              "Fitting results file saving... Filename : missing/quartz.cdt\n"
              "Error!!! - Fitting results file opening\n");
    EXPECT_EQ(tths(), (std::vector<float>{20.0f, 19.0f}));
    EXPECT_EQ(heights(), (std::vector<float>{400.0f, 300.0f}));
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
}

TEST_F(LoadTest, AResultsFileAddsTheFirstColumnOfEachDataLine) {
    writeFile("run.fit", kTwoFits);
    EXPECT_EQ(load("run.fit\n"), PeakLoad::Done);
    EXPECT_EQ(tths(), (std::vector<float>{20.1234f, 20.6543f, 25.0001f, 24.5f}));
    EXPECT_EQ(heights(), (std::vector<float>{0, 0, 0, 0}));
    EXPECT_EQ(transcript(),
              "CDT/FIT file name(blank to cancel)...? run.fit file is opened, and read...\n");
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
}

TEST_F(LoadTest, PositionsJoinTheEndOfTheListUnsorted) {
    add(30.0f, 900.0f);
    writeFile("some.cdt", " 21.0000\n 19.0000\n");
    load("some.cdt\n");
    EXPECT_EQ(tths(), (std::vector<float>{30.0f, 21.0f, 19.0f}));
    EXPECT_EQ(heights(), (std::vector<float>{900.0f, 0.0f, 0.0f}));
}

TEST_F(LoadTest, LoadingAPositionFileAndSavingAgainWritesTheSameFile) {
    const std::string file = "  3.1000\n  4.0000\n  5.2000\n  5.2000\n 25.0001\n350.0000\n";
    writeFile("in.cdt", file);
    load("in.cdt\n");
    EXPECT_EQ(savePeakPositions(*state), PeakSave::Saved);
    EXPECT_EQ(readFile("quartz.cdt"), file);
}

TEST_F(LoadTest, LinesThatDoNotBeginWithANumberAddNothing) {
    writeFile("mixed.cdt", "\n 20.5\npeak at 21\n   \n#22.0\n nan\n21.5 extra words\n");
    load("mixed.cdt\n");
    EXPECT_EQ(tths(), (std::vector<float>{20.5f, 21.5f}));
    savePeakPositions(*state);
    EXPECT_EQ(readFile("quartz.cdt"), " 20.5000\n 21.5000\n");  // no -500.0000 line
}

TEST_F(LoadTest, ALineLongerThanTheBufferIsReadInPieces) {
    // 199 characters fill the buffer; the rest of the line is read as a line of its own.
    writeFile("long.cdt", "20.5" + std::string(195, ' ') + "21.5\n");
    load("long.cdt\n");
    EXPECT_EQ(tths(), (std::vector<float>{20.5f, 21.5f}));
}

TEST_F(LoadTest, AFullListStopsTheLoadAndSaysHowManyWereLeftOut) {
    for (int i = 0; i < 198; ++i) add(10.0f + 0.1f * i);
    writeFile("five.cdt", " 1.0\n 2.0\n#\n 3.0\n 4.0\n 5.0\n");
    EXPECT_EQ(load("five.cdt\n"), PeakLoad::Done);
    EXPECT_EQ(list.last, 199);
    EXPECT_EQ(list.x[198], 1.0f);
    EXPECT_EQ(list.x[199], 2.0f);
    EXPECT_NE(
        transcript().find("The peak list is full (200 positions): 3 position(s) not loaded\n"),
        std::string::npos);
}

TEST_F(LoadTest, AnEmptyAnswerOrTheEndOfInputCancels) {
    add(20.0f);
    view.flag = ViewFlag::KeepHidden;
    EXPECT_EQ(load("\n"), PeakLoad::Cancelled);
    EXPECT_EQ(load(""), PeakLoad::Cancelled);
    EXPECT_EQ(list.last, 0);
    EXPECT_EQ(view.flag, ViewFlag::KeepHidden);
}

TEST_F(LoadTest, AFileThatCannotBeOpenedChangesNothing) {
    add(20.0f);
    view.flag = ViewFlag::KeepHidden;
    EXPECT_EQ(load("absent.cdt\n"), PeakLoad::Done);
    EXPECT_EQ(transcript(),
              "CDT/FIT file name(blank to cancel)...? Couldn't open file. Nothing to load.\n");
    EXPECT_EQ(list.last, 0);
    EXPECT_EQ(view.flag, ViewFlag::KeepHidden);
}

TEST_F(LoadTest, ANameLongerThanTheBufferIsRefused) {
    const std::string longest(199, 'a');
    writeFile(longest, " 20.0\n");  // what a name cut to the buffer would open
    EXPECT_EQ(load(longest + "a\n"), PeakLoad::Done);
    EXPECT_NE(transcript().find("The file name is too long (at most 199 characters)"),
              std::string::npos);
    EXPECT_EQ(list.last, -1);
    load(longest + "\n");
    EXPECT_EQ(list.last, 0);
}

TEST_F(LoadTest, AFileOfCommentsOnlyAddsNothing) {
    writeFile("empty.fit", "#   tth      Iint       FWHM      eta      w/r     chi^2\n");
    writeFile("nothing.cdt", "");
    load("empty.fit\n");
    load("nothing.cdt\n");
    EXPECT_EQ(list.last, -1);
}
