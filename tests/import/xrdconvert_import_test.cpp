// xrdconvert's options for instrument files: --block, --bin and --from, and their misuse.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "convert/convert_main.h"
#include "support/import_samples.h"
#include "support/temp_dir.h"

namespace {

struct Conversion {
    int status;
    std::string out, err;
};

Conversion convert(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = convertMain(args, out, err, false);
    return {status, out.str(), err.str()};
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int lineCount(const std::string& text) {
    int lines = 0;
    for (const char c : text) lines += c == '\n';
    return lines;
}

}  // namespace

TEST(XrdconvertImport, BinsTooLongPatternsReadsOtherRangesAndRefusesBadCounts) {
    TempDir dir;
    writeImportSamples();
    std::filesystem::create_directory("out");
    Conversion run = convert({"--to", "xy,wyr", "--bin", "2", "--outdir", "out", "long.xrdml"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "out/long.xy\nout/long.wyr\n");
    EXPECT_EQ(lineCount(readFile("out/long.xy")), 12500);
    EXPECT_TRUE(has(readFile("out/long.wyr"), "  10.002   0.008 109.994\n"));

    run = convert({"--to=gda", "--block=2", "quartz.raw"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(has(readFile("quartz.gda"), "CONST    6000.00      2.00 0 0 ESD"));
    run = convert({"--to", "xy", "--block", "3", "quartz.raw"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run.err,
                    "quartz.raw: Cannot read this file as Siemens/Bruker RAW, ver. 3: "
                    "the file holds 2 range(s): there is no range 3.\n"))
        << run.err;

    std::rename("quartz.uxd", "quartz.txt");
    run = convert({"--to", "dat", "--from", "uxd", "quartz.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--bin", "0", "quartz.txt"},
          {"--block", "x", "quartz.txt"},
          {"--from", "text", "quartz.txt"}}) {
        run = convert(bad);
        EXPECT_EQ(run.status, 2) << bad[0];
        EXPECT_TRUE(has(run.err, bad[0])) << run.err;
    }
}
