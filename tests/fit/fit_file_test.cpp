// The *.fit results file: created with its header, appended a block per accepted fit.

#include "fit/fit_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/console.h"
#include "support/temp_dir.h"

namespace {

const std::string kHeader = "#   tth      Iint       FWHM      eta      w/r     chi^2\n";
const std::string kSeparator = "#--------------------------------------------------------#\n";

class FitFileTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
    FitResult result;

    FitFileTest() {
        result.peakCount = 2;
        result.peaks[0] = {20.5, 123.4567891, 0.1, 0};
        result.peaks[1] = {21.25, 7.0, 0.1234567, 0};
        result.eta = 0.4;
        result.wor = 0.06;
        result.chisq = 1.23456789;
    }
};

}  // namespace

TEST_F(FitFileTest, ANewFileStartsWithItsHeader) {
    ASSERT_TRUE(prepareFitFile(console, "run.fit"));
    EXPECT_EQ(readFile("run.fit"), kHeader);
}

TEST_F(FitFileTest, AnExistingFileIsLeftAsItIs) {
    writeFile("run.fit", "kept\n");
    ASSERT_TRUE(prepareFitFile(console, "run.fit"));
    EXPECT_EQ(readFile("run.fit"), "kept\n");
}

// eta, W/R and the reduced chi-square repeat on every line of the block.
TEST_F(FitFileTest, ABlockHasALinePerPeakAndTheSeparator) {
    writeFile("run.fit", kHeader);
    ASSERT_TRUE(appendFitBlock(console, "run.fit", result));
    ASSERT_TRUE(appendFitBlock(console, "run.fit", result));
    const std::string block =
        "20.500000 123.456789 0.100000 0.400000 0.060000 1.234568\n"
        "21.250000 7.000000 0.123457 0.400000 0.060000 1.234568\n" +
        kSeparator;
    EXPECT_EQ(readFile("run.fit"), kHeader + block + block);
    EXPECT_EQ(kSeparator.size(), 59u);  // '#', 56 '-', '#' and the line end
}

// A comment line names what the block's numbers are; the separator still closes it, and
// the comment line cannot be taken for one.
TEST_F(FitFileTest, ABlockMayStartWithACommentLine) {
    writeFile("run.fit", kHeader);
    ASSERT_EQ(appendFitBlockTo("run.fit", result, "radiation: alpha1 1.5406 A"), std::nullopt);
    EXPECT_EQ(readFile("run.fit"), kHeader + "# radiation: alpha1 1.5406 A\n" +
                                       "20.500000 123.456789 0.100000 0.400000 0.060000 1.234568\n"
                                       "21.250000 7.000000 0.123457 0.400000 0.060000 1.234568\n" +
                                       kSeparator);
}

TEST_F(FitFileTest, AFileThatCannotBeCreatedOrAppendedIsReported) {
    EXPECT_FALSE(prepareFitFile(console, "no/such/dir/run.fit"));
    EXPECT_EQ(out.str(), "Can not open *.fit file to save fitting results.\n");
    EXPECT_FALSE(appendFitBlock(console, "no/such/dir/run.fit", result));
    EXPECT_EQ(out.str(),
              "Can not open *.fit file to save fitting results.\n"
              "Can not open *.fit file to save fitting results!!!\n");
    EXPECT_FALSE(fileExists("no/such/dir/run.fit"));
}
