// The life of a run: the load dialogue through the whole program, the device opening, the
// end sequence with and without the writers, and the exit status.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

#include "console/console.h"
#include "driver/run.h"
#include "support/file_size_limit.h"
#include "support/scripted_graphics.h"
#include "support/session.h"
#include "support/temp_dir.h"

namespace {

const std::string kPrompt =
    "Input processed filename within 200 characters with EXTENSION.\nEnter blank to terminate.\n";
const std::string kCannotSee =
    "Eh?, I can not see that file... Try again! or Just hit <enter> to terminate!\n";
const std::string kThreePoints = "10.00 100.0 10.0\n10.02 200.0 14.1\n10.04 300.0 17.3\n";
const std::string kWriterSummary =
    "# of data points(from 1 to #), tthmin, tthstep, tthmax = 3, 10.000, 0.020, 10.0400\n";
const std::string kWriterPrompts =
    "To get XRS82 output file with stdev, enter file name: (.xy) "
    "To get Wyriet output file, enter file name: (.wyr) "
    "To get .PROFIN output file with weights, enter file name: (.dat) "
    "To get .GDAT output file with weights, enter file name: (.gda) ";
const std::string kSuccess =
    "SUPER/DATA file(s) converting to other data file(s) is successfully done...\n";

// Remembers how much the console had printed when the device was closed, so a test can
// tell what came after the window went away.
class ClosingGraphics : public ScriptedGraphics {
  public:
    explicit ClosingGraphics(const std::ostringstream& out) : out_(out) {}
    void end() override {
        ScriptedGraphics::end();
        printedAtEnd = out_.str().size();
    }
    std::size_t printedAtEnd = std::string::npos;

  private:
    const std::ostringstream& out_;
};

// Answers the scripted events, then gives no cursor input, as a file device does.
class CursorLosingGraphics : public ScriptedGraphics {
  public:
    int band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) override {
        if (events.empty()) return 0;
        return ScriptedGraphics::band(mode, posn, xref, yref, x, y, ch);
    }
};

// The last call that opened or closed a device.
std::string lastDeviceCall(const ScriptedGraphics& gfx) {
    for (auto call = gfx.calls.rbegin(); call != gfx.calls.rend(); ++call)
        if (call->name == "open" || call->name == "begin" || call->name == "end") return call->name;
    return "";
}

struct Ended {
    int status;
    std::string beforeEnd;  // printed before the device was closed
    std::string afterEnd;   // printed after it
};

Ended runUntilEnd(const std::vector<std::string>& args, char quitKey, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    Console console(in, out);
    ClosingGraphics gfx(out);
    gfx.pushKey(quitKey);
    const int status = run(args, console, gfx);
    const std::string all = out.str();
    EXPECT_NE(gfx.printedAtEnd, std::string::npos) << "the device was never closed";
    const std::size_t split = std::min(gfx.printedAtEnd, all.size());
    return {status, all.substr(0, split), all.substr(split)};
}

class RunFlow : public ::testing::Test {
  protected:
    TempDir dir;
    ScriptedGraphics gfx;
    void SetUp() override { writeFile("three.xy", kThreePoints); }
};

}  // namespace

TEST_F(RunFlow, ABadCommandLineNameIsTriedOnceThenThePromptAsks) {
    gfx.pushKey('Q');
    const SessionResult result = runSession(gfx, {"missing.xy"}, "three.xy\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.transcript, kCannotSee + "3 data points read.\n");
    EXPECT_EQ(gfx.lastNamed("lab")->text, "tth (degrees)|Intensity (arb. units)|three.xy");
}

TEST_F(RunFlow, AFailedLoadGoesBackToThePromptAndAnEmptyNameSaysBye) {
    writeFile("two.xy", "10.00 1.0 1.0\n10.02 2.0 1.0\n");
    const SessionResult result = runSession(gfx, {}, "two.xy\n\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.transcript,
              kPrompt + "Too small data points!!! Check the file...\n" + kPrompt + "Bye.\n");
    EXPECT_EQ(gfx.count("open"), 0) << "no device is opened without a pattern";
}

TEST_F(RunFlow, EndOfConsoleInputAtTheDataFilePromptEndsTheRunLikeAnEmptyName) {
    const SessionResult result = runSession(gfx, {}, "");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.transcript, kPrompt + "Bye.\n");
}

TEST_F(RunFlow, TheDeviceIsOpenedAsTheScreenWithoutPagePrompts) {
    gfx.pushKey('Q');
    runSession(gfx, {"three.xy"});
    ASSERT_GE(gfx.calls.size(), 2u);
    EXPECT_EQ(gfx.calls[0].name, "open");
    EXPECT_EQ(gfx.calls[0].text, "/gw");
    EXPECT_EQ(gfx.calls[1].name, "ask");
    EXPECT_EQ(gfx.calls[1].values, std::vector<float>{0.0f});
}

TEST_F(RunFlow, ADeviceThatCannotBeOpenedEndsTheRunWithStatusOne) {
    gfx.openResult = 0;
    const SessionResult result = runSession(gfx, {"three.xy"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.transcript, "3 data points read.\nPGPLOT initialization fail!!!\n");
    EXPECT_EQ(gfx.count("env"), 0);
}

// A file device named where the screen was expected gives no cursor: the run ends, and the
// file is finished, not left half-written.
TEST_F(RunFlow, ARunEndedByALostCursorClosesTheDevice) {
    CursorLosingGraphics device;
    device.beginResults = {1, 1};  // the printed page, then a file device for the screen
    device.pushKey('p');
    const SessionResult result = runSession(device, {"three.xy"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.transcript.find("gives no cursor input"), std::string::npos);
    EXPECT_EQ(lastDeviceCall(device), "end");
}

TEST_F(RunFlow, ARunEndedByALostCursorSavesItsUnsavedPointsForRecovery) {
    CursorLosingGraphics device;
    device.push(9.5f, 0.0f, 'A');  // a region, then picking in it
    device.push(10.5f, 300.0f, 'A');
    device.push(10.0f, 150.0f, 'D');
    device.push(10.01f, 120.0f, 'A');
    const SessionResult result = runSession(device, {"three.xy"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.transcript.find("Unsaved work saved in three.fbg.recovered\n"),
              std::string::npos)
        << result.transcript;
    char line[64];
    std::snprintf(line, sizeof line, "%f\t%f\t0.0\n", 10.01f, 120.0f);
    EXPECT_EQ(readFile("three.fbg.recovered"), line);
}

TEST_F(RunFlow, UpperCaseQuitKeysEndAProcessedPatternWithoutWriting) {
    for (const char key : {'Q', 'q', 'X'}) {
        const Ended ended = runUntilEnd({"three.xy"}, key, "");
        EXPECT_EQ(ended.status, 0) << key;
        EXPECT_EQ(ended.beforeEnd, "3 data points read.\n") << key;
        EXPECT_EQ(ended.afterEnd, "") << key;
    }
}

TEST_F(RunFlow, LowerCaseXOffersTheFourFormatsAfterTheWindowHasClosed) {
    const Ended ended = runUntilEnd({"three.xy"}, 'x', "\nout.wyr\n\n\n");
    EXPECT_EQ(ended.status, 0);
    EXPECT_EQ(ended.beforeEnd, "3 data points read.\n");
    EXPECT_EQ(ended.afterEnd, kWriterSummary + kWriterPrompts + kSuccess);
    EXPECT_EQ(readFile("out.wyr"), "  10.000   0.020  10.040\n    100    200    300");
}

TEST_F(RunFlow, AWriterThatCannotCreateItsFileEndsWithoutTheSuccessLine) {
    const Ended ended = runUntilEnd({"three.xy"}, 'x', "no-such-dir/out.xy\n");
    EXPECT_EQ(ended.status, 0);
    EXPECT_EQ(ended.afterEnd, kWriterSummary +
                                  "To get XRS82 output file with stdev, enter file name: (.xy) "
                                  "Couldn't open file.  I die.\n");
}

// A full disk or a file size limit: the file that was there stays whole, nothing is left
// beside it, and the exit status tells a script.
TEST_F(RunFlow, AWriterThatCannotWriteItsFileWholeLeavesTheOldFileAndEndsWithStatusOne) {
    writeFile("out.xy", "old\n");
    Ended ended{};
    {
        FileSizeLimit limit(40);  // the three points need 78 bytes
        ended = runUntilEnd({"three.xy"}, 'x', "out.xy\n");
    }
    EXPECT_EQ(ended.status, 1);
    EXPECT_EQ(ended.afterEnd, kWriterSummary +
                                  "To get XRS82 output file with stdev, enter file name: (.xy) "
                                  "Couldn't write file out.xy completely.  I die.\n");
    EXPECT_EQ(readFile("out.xy"), "old\n");
    EXPECT_EQ(entriesOf("."), (std::vector<std::string>{"out.xy", "three.xy"}));
}

TEST_F(RunFlow, APatternMergedFromRawScansIsOfferedForConversionWhateverTheQuitKey) {
    std::string scan;
    for (int line = 1; line <= 13; ++line) scan += "header line " + std::to_string(line) + "\n";
    scan += "tth cts mon tim\n";
    for (int i = 0; i < 5; ++i) scan += std::to_string(20.0 + 0.02 * i) + " 1000 1000000 1000\n";
    writeFile("scan.001", scan);
    for (const char key : {'Q', 'X'}) {
        // No further file, then the four writer prompts answered empty.
        const Ended ended = runUntilEnd({"scan.001"}, key, "\n\n\n\n\n");
        EXPECT_EQ(ended.status, 0) << key;
        EXPECT_NE(ended.beforeEnd.find("SUPER file(s) reading is successfully done..."),
                  std::string::npos);
        EXPECT_EQ(ended.afterEnd.rfind(kSuccess), ended.afterEnd.size() - kSuccess.size()) << key;
        EXPECT_NE(ended.afterEnd.find(kWriterPrompts), std::string::npos) << key;
    }
}

TEST_F(RunFlow, HelpAndVersionNeedNoPatternAndNoDevice) {
    SessionResult result = runSession(gfx, {"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.transcript.rfind("Usage: xrdpick [--from FORMAT] [DATAFILE]\n", 0), 0u);
    result = runSession(gfx, {"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.transcript, std::string("xrdpick ") + XRDPICK_VERSION + "\n");
    EXPECT_TRUE(gfx.calls.empty());
}
