// Which existing files a conversion may replace.

#include "convert/output_guard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class OutputGuardTest : public ::testing::Test {
  protected:
    OutputGuardTest() {
        writeFile("in.xy", "input");
        fs::create_directory("sub");
    }

    TempDir dir;
};

TEST_F(OutputGuardTest, AnInputIsNeverReplacedHoweverItIsSpelt) {
    const OutputGuard guard({"./in.xy"}, true);
    EXPECT_EQ(guard.refusal("in.xy"), "is an input of this run; not replaced");
    EXPECT_EQ(guard.refusal("sub/../in.xy"), "is an input of this run; not replaced");
    fs::create_symlink("in.xy", "link.xy");
    fs::create_hard_link("in.xy", "hard.xy");
    fs::create_symlink(fs::absolute("hard.xy"), "sub/link.xy");
    for (const char* spelling : {"link.xy", "hard.xy", "sub/link.xy"})
        EXPECT_EQ(guard.refusal(spelling), "is an input of this run; not replaced") << spelling;
    // A hard link to an input given as the input: the same file too.
    EXPECT_EQ(OutputGuard({"hard.xy"}, true).refusal("in.xy"),
              "is an input of this run; not replaced");
}

// A link that leads nowhere would have fopen create its target somewhere else.
TEST_F(OutputGuardTest, ADanglingLinkCountsAsAnExistingFile) {
    fs::create_symlink("nowhere/target.dat", "dangling.dat");
    EXPECT_EQ(OutputGuard({}, false).refusal("dangling.dat"),
              "exists already; not replaced (--force replaces it)");
}

}  // namespace
