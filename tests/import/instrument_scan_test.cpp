// The scan each reader takes from an instrument file: the step the file states, each XRDML
// scan with its own counting time and unit, and text formats behind a byte-order mark.

#include "import/instrument_scan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "import/instrument_formats.h"
#include "import/text_scan.h"
#include "loaded_pattern.h"
#include "support/import_samples.h"
#include "support/temp_dir.h"

namespace {

// One <scan> of an XRDML file: three points from 10 to 10.04 degrees.
std::string xrdmlScan(const std::string& seconds, const std::string& unit,
                      const std::string& values) {
    return "<scan appendNumber=\"0\" mode=\"Continuous\" scanAxis=\"Gonio\" status=\"Completed\">\n"
           "<scanAxisCenter><position axis=\"2Theta\" unit=\"deg\">10.02</position>"
           "</scanAxisCenter>\n<dataPoints>\n<positions axis=\"2Theta\" unit=\"deg\">"
           "<startPosition>10.00</startPosition><endPosition>10.04</endPosition></positions>\n"
           "<commonCountingTime unit=\"seconds\">" +
           seconds + "</commonCountingTime>\n<intensities unit=\"" + unit + "\">" + values +
           "</intensities>\n</dataPoints>\n</scan>\n";
}

std::string xrdmlFile(const std::string& scans) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xrdMeasurements "
           "xmlns=\"http://www.xrdml.com/XRDMeasurement/1.5\" status=\"Completed\">\n"
           "<xrdMeasurement measurementType=\"Scan\" status=\"Completed\">\n" +
           scans + "</xrdMeasurement>\n</xrdMeasurements>\n";
}

}  // namespace

TEST(InstrumentScan, EachXrdmlScanUsesItsOwnCountingTimeAndUnit) {
    TempDir dir;
    writeFile("scans.xrdml", xrdmlFile(xrdmlScan("3", "cps", "100 110 120") +
                                       xrdmlScan("2", "cps", "100 110 120") +
                                       xrdmlScan("5", "counts", "100 110 120") +
                                       xrdmlScan("0.5", "cps", "100 110 120")));
    const struct {
        int range;
        float firstCts, lastCts;
    } cases[] = {{1, 300, 360}, {2, 200, 240}, {3, 100, 120}, {4, 50, 60}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.range);
        const Loaded loaded = load("scans.xrdml", {"", c.range, 1});
        ASSERT_TRUE(loaded.ok) << loaded.transcript;
        EXPECT_TRUE(has(loaded.transcript, "This file holds 4 ranges")) << loaded.transcript;
        EXPECT_EQ(loaded.store->cts[0], c.firstCts);
        EXPECT_EQ(loaded.store->cts[2], c.lastCts);
    }
}

TEST(InstrumentScan, CarriesTheStepTheFileStates) {
    TempDir dir;
    writeImportSamples();
    const std::optional<double> none;
    const struct {
        const char* file;
        const char* format;
        int range;
        std::optional<double> step;
    } cases[] = {
        {"quartz.raw", kGuessRaw, 1, 0.02},  // the range header's step
        {"quartz.raw", kGuessRaw, 2, 0.02},
        {"quartz.xrdml", "xrdml", 1, (14.0 - 10.0) / 200},  // start and end positions
        {"counts.xrdml", "xrdml", 1, (14.0 - 10.0) / 200},
        {"quartz.uxd", "uxd", 1, 0.02},  // _STEPSIZE
        {"rate.uxd", "uxd", 1, 0.02},
        {"quartz.csv", "csv", 1, none},  // a list of angles states no step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " range " + std::to_string(c.range));
        const InstrumentScan read = readInstrumentScan(readFile(c.file), c.format, c.range);
        ASSERT_TRUE(read.scan) << read.error;
        EXPECT_EQ(read.scan->step, c.step);
    }
    for (const char* text : {"two.xy", "three.xy"}) {
        std::FILE* file = std::fopen(text, "r");
        ASSERT_NE(file, nullptr) << text;
        const TextScan read = readTextScan(file);
        std::fclose(file);
        ASSERT_TRUE(read.scan) << read.error;
        EXPECT_FALSE(read.scan->step) << text;
    }
}

TEST(InstrumentScan, TextFormatsReadThroughXylibSkipAByteOrderMark) {
    TempDir dir;
    const std::string csv = "10.00,100\n10.02,110\n10.04,120\n10.06,130\n10.08,140\n";
    writeFile("plain.csv", csv);
    writeFile("marked.csv", "\xEF\xBB\xBF" + csv);
    const Loaded plain = load("plain.csv");
    const Loaded marked = load("marked.csv");
    ASSERT_TRUE(plain.ok) << plain.transcript;
    ASSERT_TRUE(marked.ok) << marked.transcript;
    EXPECT_EQ(marked.transcript, plain.transcript);
    EXPECT_EQ(marked.store->ilast, plain.store->ilast);
    EXPECT_EQ(marked.store->cts[0], plain.store->cts[0]);
}
