// Whole runs on diffractometer files and text patterns: the load, the first page, and the
// offer of the four processed formats at every quit key.

#include <gtest/gtest.h>

#include <string>

#include "support/import_samples.h"
#include "support/scripted_graphics.h"
#include "support/session.h"
#include "support/temp_dir.h"

namespace {

// The writers' summary line, and the success line after the last of their four prompts.
const std::string kWriterSummary =
    "# of data points(from 1 to #), tthmin, tthstep, tthmax = 201, 10.000, 0.020, 14.0000\n";
const std::string kSuccess =
    "SUPER/DATA file(s) converting to other data file(s) is successfully done...\n";

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(InstrumentSession, RawXrdmlAndTextPatternsAreDrawnAndOfferedAtEveryQuitKey) {
    const struct {
        const char* name;
        char quitKey;
    } runs[] = {{"quartz.raw", 'Q'}, {"quartz.xrdml", 'X'}, {"two.xy", 'q'}};
    for (const auto& r : runs) {
        SCOPED_TRACE(r.name);
        TempDir dir;
        writeImportSamples();
        ScriptedGraphics gfx;
        gfx.pushKey(r.quitKey);
        const SessionResult result = runSession(gfx, {r.name}, "out.xy\n\n\n\n");
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(has(result.transcript, "201 data points read.\n")) << result.transcript;
        EXPECT_TRUE(has(result.transcript, kWriterSummary)) << result.transcript;
        EXPECT_TRUE(has(result.transcript, "(.gda) " + kSuccess)) << result.transcript;
        const GraphicsCall* label = gfx.lastNamed("lab");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text, std::string("tth (degrees)|Intensity (arb. units)|") + r.name);
        const GraphicsCall* window = gfx.lastNamed("env");
        ASSERT_NE(window, nullptr);
        EXPECT_NEAR(window->values[0], 10.0 - 150 * 0.02, 1e-4);
        EXPECT_NEAR(window->values[1], 14.0 + 150 * 0.02, 1e-4);
        const std::string written = readFile("out.xy");
        EXPECT_EQ(written.substr(0, 27), "  10.000     100     10.0\n ");
        EXPECT_TRUE(has(written, "  12.000    1000     31.6\n"));
    }
}

TEST(InstrumentSession, FromNamesTheFormatOfTheCommandLineFileOnly) {
    TempDir dir;
    writeImportSamples();
    std::rename("quartz.xrdml", "measured.txt");
    ScriptedGraphics gfx;
    gfx.pushKey('Q');
    const SessionResult loaded = runSession(gfx, {"--from", "xrdml", "measured.txt"}, "\n\n\n\n");
    EXPECT_TRUE(has(loaded.transcript, "201 data points read.\n")) << loaded.transcript;

    ScriptedGraphics unused;
    const SessionResult refused = runSession(unused, {"measured.txt", "--from=xrdm"});
    EXPECT_EQ(refused.status, 0);
    EXPECT_TRUE(has(refused.transcript, "Unknown format 'xrdm' for --from: use bruker_raw, "))
        << refused.transcript;
    EXPECT_EQ(unused.count("open"), 0);
}
