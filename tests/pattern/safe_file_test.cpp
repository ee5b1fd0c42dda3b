// Saves that never lose a file: a save that fails part-way leaves the old file and nothing
// else; one that succeeds keeps a link a link and the file's permission bits.

#include "pattern/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string kBigContent(8192, 'x');  // well beyond the limits the tests set

bool save(SafeFile file, const std::string& content) {
    if (file.file()) std::fputs(content.c_str(), file.file());
    return file.commit();
}

class SafeFileTest : public ::testing::Test {
  protected:
    TempDir dir;
};

}  // namespace

TEST_F(SafeFileTest, ASaveBeyondTheSizeLimitLeavesTheOldFileAndNothingElse) {
    writeFile("data.xy", "old content\n");
    {
        FileSizeLimit limit(1024);
        EXPECT_FALSE(save(SafeFile::replacing("data.xy"), kBigContent));
        EXPECT_FALSE(save(SafeFile::replacing("new.xy"), kBigContent));
    }
    EXPECT_EQ(readFile("data.xy"), "old content\n");
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"data.xy"});
}

TEST_F(SafeFileTest, ASaveThroughALinkReplacesTheFileItLeadsToWithItsPermissions) {
    fs::create_directory("real");
    writeFile("real/data.fbg", "old\n");
    fs::permissions("real/data.fbg",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/data.fbg", "data.fbg");
    ASSERT_TRUE(save(SafeFile::replacing("data.fbg"), "new\n"));
    EXPECT_TRUE(fs::is_symlink("data.fbg"));
    EXPECT_EQ(readFile("real/data.fbg"), "new\n");
    EXPECT_EQ(fs::status("real/data.fbg").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entriesOf("real"), std::vector<std::string>{"data.fbg"});
    EXPECT_EQ(entriesOf(dir.path()), (std::vector<std::string>{"data.fbg", "real"}));
}

TEST_F(SafeFileTest, AFailedAppendLeavesTheBlocksThatWereThere) {
    const std::string blocks = "#   tth\n1.0 2.0\n#----#\n";
    writeFile("peaks.fit", blocks);
    ASSERT_TRUE(save(SafeFile::appending("peaks.fit"), "3.0 4.0\n#----#\n"));
    const std::string appended = blocks + "3.0 4.0\n#----#\n";
    EXPECT_EQ(readFile("peaks.fit"), appended);
    {
        FileSizeLimit limit(appended.size() + 100);
        EXPECT_FALSE(save(SafeFile::appending("peaks.fit"), kBigContent));
    }
    EXPECT_EQ(readFile("peaks.fit"), appended);
}
