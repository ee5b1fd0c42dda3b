// Peak position files in whole sessions: the name of the saved file, loading the two kinds
// of files, a save from the fitting mode, and bad answers at the load prompt.

#include "peak_session.h"

namespace {

using PeakFiles = PeakSession;

const char* const kTwoFits =
    "#   tth      Iint       FWHM      eta      w/r     chi^2\n"
    "20.123400 1500.000000 0.120000 0.500000 0.250000 1.200000\n"
    "20.654300 800.000000 0.130000 0.500000 0.250000 1.200000\n"
    "#--------------------------------------------------------#\n"
    "25.000100 300.000000 0.150000 0.400000 0.250000 0.900000\n"
    "24.500000 350.000000 0.150000 0.400000 0.250000 0.900000\n"
    "#--------------------------------------------------------#\n";

}  // namespace

TEST_F(PeakFiles, TheFileIsNamedAfterTheDataFileUpToTheFirstDotOfItsName) {
    std::filesystem::create_directory("dir.v2");
    writePatternFile("data.xy.run3", [](int i) { return float(i); });
    writePatternFile("dir.v2/data.xy", [](int i) { return float(i); });
    writeFile("one.cdt", " 20.0000\n");
    const struct {
        const char* data;
        const char* cdt;
    } names[] = {{"data.xy.run3", "data.cdt"}, {"dir.v2/data.xy", "dir.v2/data.cdt"}};
    for (const auto& name : names) {
        restart();
        enterPeakSide();
        key('l');
        key('s');
        key('q');
        run("one.cdt\n", name.data);
        EXPECT_EQ(readFile(name.cdt), " 20.0000\n") << name.data;
        EXPECT_TRUE(transcriptHas(std::string("Fitting results file saving... Filename : ") +
                                  name.cdt + "\n"));
        EXPECT_EQ(gfx.lastNamed("lab")->text,
                  std::string("tth (degrees)|Intensity (arb. units)|") + name.data);
    }
}

TEST_F(PeakFiles, AResultsFileWithTwoFitsOfTwoPeaksAddsFourPositions) {
    writeFile("run.fit", kTwoFits);
    enterPeakSide();
    key('L');  // page 2
    key('q');
    run("run.fit\n");
    EXPECT_TRUE(transcriptHas(kLoadPrompt + "run.fit file is opened, and read...\n"));
    EXPECT_EQ(peakMarkers(2), (std::vector<float>{20.1234f, 20.6543f, 25.0001f, 24.5f}));
    for (const GraphicsCall* marker : pageNamed(2, "pt1")) EXPECT_EQ(marker->values[1], 0.0f);
}

TEST_F(PeakFiles, LoadingAndSavingAgainReproducesThePositionFile) {
    const std::string positions = "  3.1000\n 19.9999\n 20.0000\n 20.0000\n 28.1234\n";
    writeFile("in.cdt", positions);
    enterPeakSide();
    key('l');
    key('s');
    key('q');
    run("in.cdt\n");
    EXPECT_EQ(readFile("quartz.cdt"), positions);
}

TEST_F(PeakFiles, SavingFromTheFittingModeReturnsToAFreshRegionChoice) {
    writeFile("some.cdt", " 21.0000\n 19.0000\n");
    enterPeakSide();
    key('l');  // page 2
    click(18.01f, 300);
    click(22.01f, 700);
    rightClick(20, 400);  // page 3: the fitting mode
    key('S');             // page 4: saved, the side afresh
    key('q');
    run("some.cdt\n");
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(readFile("quartz.cdt"), " 19.0000\n 21.0000\n");
    EXPECT_EQ(windows()[4], kFullScale);
    EXPECT_TRUE(peakMarkers(4).empty());
    EXPECT_TRUE(pageHasText(4, kPeakChooseRegion));
    EXPECT_FALSE(pageHasText(4, kPeakUnsaved));
}

TEST_F(PeakFiles, AFullListLoadsTwoHundredPositionsAndSaysHowManyWereLeft) {
    std::string positions;
    for (int i = 0; i < 205; ++i) positions += std::to_string(10.0 + 0.1 * i) + "\n";
    writeFile("many.cdt", positions);
    enterPeakSide();
    key('l');  // page 2
    key('l');  // page 3: nothing more fits
    key('q');
    run("many.cdt\nmany.cdt\n");
    EXPECT_EQ(peakMarkers(2).size(), 200u);
    EXPECT_EQ(peakMarkers(3).size(), 200u);
    EXPECT_TRUE(transcriptHas("The peak list is full (200 positions): 5 position(s) not loaded\n"));
    EXPECT_TRUE(
        transcriptHas("The peak list is full (200 positions): 205 position(s) not loaded\n"));
}

TEST_F(PeakFiles, TheEndOfConsoleInputAtTheLoadPromptCountsAsABlankAnswer) {
    enterPeakSide();
    key('l');
    key('q');
    run("");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(pageCount(), 2);
    EXPECT_TRUE(transcriptHas(kLoadPrompt));
}

TEST_F(PeakFiles, AnOverLongNameIsRefusedAndTheSessionGoesOn) {
    enterPeakSide();
    key('l');  // page 2
    key('q');
    run(std::string(300, 'n') + "\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(transcriptHas("The file name is too long"));
    EXPECT_EQ(pageCount(), 3);
}

TEST_F(PeakFiles, AMissingFileLoadsNothing) {
    enterPeakSide();
    key('l');  // page 2
    key('q');
    run("absent.cdt\n");
    EXPECT_TRUE(transcriptHas("Couldn't open file. Nothing to load.\n"));
    EXPECT_EQ(pageCount(), 3);
    EXPECT_TRUE(peakMarkers(2).empty());
}
