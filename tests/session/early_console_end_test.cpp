// Console input that ends early, at every prompt and key pause of the program: each is asked
// once, takes the end of input as its empty answer, and the run goes on to end normally with
// status 0 (as a user's closed terminal must not hang the program or make it loop).

#include <sstream>
#include <string>

#include "console/console.h"
#include "fit_session.h"
#include "view/device_dialogue.h"

namespace {

const std::string kDataFilePrompt =
    "Input processed filename within 200 characters with EXTENSION.\nEnter blank to terminate.\n";
const std::string kFurtherScanPrompt = "Enter SUPER data file number 2. name (blank to end):";
const std::string kWriterPrompts[] = {
    "To get XRS82 output file with stdev, enter file name: (.xy) ",
    "To get Wyriet output file, enter file name: (.wyr) ",
    "To get .PROFIN output file with weights, enter file name: (.dat) ",
    "To get .GDAT output file with weights, enter file name: (.gda) "};
const std::string kConverted =
    "SUPER/DATA file(s) converting to other data file(s) is successfully done...\n";
const std::string kKeyPause =
    "Hit any key to continue - Up to previous record results will be processed/saved; ^C to "
    "halt program now.\n";

// Raw scan text: 14 header lines naming tth, cts, mon and tim, then the records.
std::string scanFile(const std::string& records) {
    std::string text;
    for (int n = 1; n <= 13; ++n) text += "header line " + std::to_string(n) + "\n";
    return text + "tth cts mon tim\n" + records;
}

std::string scanRecords(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::to_string(10.0 + 0.02 * i) + " 500 1000000 1000\n";
    return text;
}

class EarlyConsoleEnd : public FitSession {
  protected:
    // The prompt was printed exactly once: the end of input was not met with asking again.
    void expectAskedOnce(const std::string& prompt) const {
        EXPECT_EQ(occurrences(prompt), 1) << result.transcript;
    }
    void expectCleanEnd() const {
        EXPECT_EQ(result.status, 0) << result.transcript;
        EXPECT_TRUE(gfx.events.empty()) << "the run ended before its last cursor event";
    }
};

}  // namespace

TEST_F(EarlyConsoleEnd, AtTheDataFilePromptEndsTheRun) {
    result = runSession(gfx, {}, "");
    EXPECT_EQ(result.transcript, kDataFilePrompt + "Bye.\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(gfx.count("open"), 0);
    result = runSession(gfx, {"missing.xy"}, "");
    EXPECT_TRUE(transcriptHas("Eh?, I can not see that file"));
    EXPECT_TRUE(transcriptHas("Bye.\n"));
    EXPECT_EQ(result.status, 0);
}

TEST_F(EarlyConsoleEnd, AtTheFurtherScanPromptEndsTheMergeAndTheWriterPromptsSkip) {
    writeFile("scan.001", scanFile(scanRecords(20)));
    key('q');
    run("", "scan.001");
    expectAskedOnce(kFurtherScanPrompt);
    EXPECT_TRUE(transcriptHas("End of Input; Proceeding to NEXT step --------->\n"));
    for (const std::string& prompt : kWriterPrompts) expectAskedOnce(prompt);
    EXPECT_TRUE(transcriptHas(kConverted));
    expectCleanEnd();
}

TEST_F(EarlyConsoleEnd, AtTheRawScanKeyPausesGoesOnReading) {
    // A blank record line, a line of too few values, and a record off the angle grid.
    writeFile("scan.001", scanFile(scanRecords(5) + "\n10.1 500\n10.111 500 1000000 1000\n" +
                                   "10.12 500 1000000 1000\n"));
    key('q');
    run("", "scan.001");
    EXPECT_EQ(occurrences(kKeyPause), 2);
    EXPECT_TRUE(transcriptHas("Hit any key to continue, -OR- ^C to halt program now.\n"));
    EXPECT_TRUE(transcriptHas("7 data points read.\n"));
    expectCleanEnd();
}

TEST_F(EarlyConsoleEnd, AtTheKeyPauseOfAnUndecodableFirstScanEndsTheRun) {
    writeFile("scan.001", scanFile("").replace(scanFile("").find("tim"), 3, "xyz"));
    run("", "scan.001");
    EXPECT_TRUE(transcriptHas("HELP!!! I can't decode columns of this file."));
    EXPECT_TRUE(transcriptHas("Bye.\n"));
    EXPECT_EQ(result.status, 0);
}

TEST_F(EarlyConsoleEnd, AtTheGsasTitleWritesABlankTitle) {
    key('x');
    run("\n\n\nout.gda\n");
    expectAskedOnce("Enter title: ");
    EXPECT_EQ(readFile("out.gda").substr(0, 81), std::string(80, ' ') + "\n");
    EXPECT_TRUE(transcriptHas(kConverted));
    expectCleanEnd();
}

TEST_F(EarlyConsoleEnd, AtTheBackgroundFilePromptCancelsTheLoad) {
    key('L');
    key('q');
    run("");
    expectAskedOnce("FBG/GBG file name(blank to cancel)...? ");
    expectCleanEnd();
}

TEST_F(EarlyConsoleEnd, AtTheKeepOrIgnoreQuestionDropsTheLoadedPoints) {
    writeFile("points.fbg", "20.000000\t150.000000\t0.0\n24.000000\t120.000000\t0.0\n");
    key('L');
    key('L');  // the second load meets every point of the first
    key('q');
    run("points.fbg\npoints.fbg\n");
    EXPECT_EQ(occurrences("(K=keep all, I=ignore current one, blank=ignore saved one) "), 2);
    EXPECT_FALSE(transcriptHas("Keep all of them..."));
    EXPECT_FALSE(transcriptHas("Ignore current one, replaced by saved one..."));
    expectCleanEnd();
}

TEST_F(EarlyConsoleEnd, AtThePrintDeviceDialogueTakesTheScreen) {
    std::istringstream in("");
    std::ostringstream out;
    Console console(in, out);
    EXPECT_EQ(askDeviceSpec(console), "");
    EXPECT_EQ(out.str(), "Graphics device/type (? to see list, default /xw): ");
}

TEST_F(EarlyConsoleEnd, AtThePeakFilePromptCancelsTheLoad) {
    rightClick(20, 500);  // to the peak side
    key('L');
    key('q');
    run("");
    expectAskedOnce("CDT/FIT file name(blank to cancel)...? ");
    expectCleanEnd();
}

TEST_F(EarlyConsoleEnd, AtTheWorPromptCancelsTheFit) {
    enterFitting();
    pickAroundThePeak();
    key('F');
    key('q');
    run("");
    expectAskedOnce(kWorPrompt);
    EXPECT_FALSE(transcriptHas(kFilePrompt));
    EXPECT_TRUE(transcriptHas("Error in ASFIT... returning = -4\n"));
    expectCleanEnd();
}

TEST_F(EarlyConsoleEnd, AtTheFitFilePromptCancelsTheFit) {
    enterFitting();
    pickAroundThePeak();
    key('F');
    key('q');
    run("0.06\n");
    expectAskedOnce(kWorPrompt);
    expectAskedOnce(kFilePrompt);
    EXPECT_TRUE(transcriptHas("Error in ASFIT... returning = -4\n"));
    for (int page = 0; page < pageCount(); ++page) EXPECT_FALSE(isEvaluationPage(page));
    expectCleanEnd();
}
