#include "background/background_save.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>

#include "console/console.h"
#include "points/background_files.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace {

class SaveTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
    PointList list;
    DataFileName dataFile{"quartz.xy", 'x'};

    void add(float tth, float cts) {
        ++list.last;
        list.x[list.last] = tth;
        list.y[list.last] = cts;
    }
};

}  // namespace

TEST_F(SaveTest, WritesOneLinePerPointToBothFiles) {
    add(20.5f, 1234.5f);
    add(30.25f, 0.0f);
    add(40.0f, -12.125f);
    EXPECT_EQ(saveBackgroundPoints(console, list, dataFile), SaveResult::Saved);
    EXPECT_EQ(readFile("quartz.fbg"),
              "20.500000\t1234.500000\t0.0\n"
              "30.250000\t0.000000\t0.0\n"
              "40.000000\t-12.125000\t0.0\n");
    EXPECT_EQ(readFile("quartz.gbg"),
              "I\t20.500000\t1234.500000\t0.0\n"
              "I\t30.250000\t0.000000\t0.0\n"
              "I\t40.000000\t-12.125000\t0.0\n");
    EXPECT_EQ(out.str(),
              "FullProf backgroud file saving... Filename : quartz.fbg\n"
              "GSAS backgroud file saving... Filename : quartz.gbg\n");
}

TEST_F(SaveTest, ReplacesAnOlderFile) {
    writeFile("quartz.fbg", "old contents that are longer than the new ones\n");
    add(20.5f, 1.0f);
    saveBackgroundPoints(console, list, dataFile);
    EXPECT_EQ(readFile("quartz.fbg"), "20.500000\t1.000000\t0.0\n");
}

// The dot before the extension that told the format: the last, or the first where xrdpick's
// historical rule found the format there.
TEST_F(SaveTest, NamesTheFilesAfterTheDotBeforeTheExtension) {
    std::filesystem::create_directory("run.2");
    const struct {
        DataFileName data;
        std::string stem, shown;
    } cases[] = {
        {{"./run.2/QUARTZ.long.XY", 'x'}, "run.2/QUARTZ.long", "./run.2/QUARTZ.long.xy"},
        {{"./run.2/QUARTZ.XY.bak", 'x', "", true}, "run.2/QUARTZ", "./run.2/QUARTZ.xy"},
    };
    for (const auto& c : cases) {
        dataFile = c.data;
        add(20.5f, 1.0f);
        EXPECT_EQ(saveBackgroundPoints(console, list, dataFile), SaveResult::Saved);
        EXPECT_TRUE(fileExists(c.stem + ".fbg")) << c.stem;
        EXPECT_TRUE(fileExists(c.stem + ".gbg")) << c.stem;
        // The title shows the format's lower-case extension from now on.
        EXPECT_EQ(dataFile.name, c.shown);
    }
}

TEST_F(SaveTest, WritesNothingForAnEmptyList) {
    EXPECT_EQ(saveBackgroundPoints(console, list, dataFile), SaveResult::NothingToSave);
    EXPECT_FALSE(fileExists("quartz.fbg"));
    EXPECT_FALSE(fileExists("quartz.gbg"));
    EXPECT_EQ(out.str(), "");
}

TEST_F(SaveTest, AFileThatCannotBeCreatedIsReportedAndTheNameRestored) {
    dataFile = {"missing/quartz.dat", 'd'};
    add(20.5f, 1.0f);
    EXPECT_EQ(saveBackgroundPoints(console, list, dataFile), SaveResult::Failed);
    EXPECT_EQ(out.str(),
              "FullProf backgroud file saving... Filename : missing/quartz.fbg\n"
              "Error!!! - F.P. Background output file opening\n");
    EXPECT_EQ(dataFile.name, "missing/quartz.dat");
}

TEST_F(SaveTest, AGsasFileThatCannotBeCreatedIsReportedToo) {
    std::filesystem::create_directory("quartz.gbg");  // a directory stands in its way
    add(20.5f, 1.0f);
    EXPECT_EQ(saveBackgroundPoints(console, list, dataFile), SaveResult::Failed);
    EXPECT_TRUE(fileExists("quartz.fbg"));
    EXPECT_NE(out.str().find("GSAS backgroud file saving... Filename : quartz.gbg\n"
                             "Error!!! - F.P. Background output file opening\n"),
              std::string::npos);
}

struct PairCase {
    const char* what;
    std::string dataFile;
    rlim_t sizeLimit;  // 0: none
    bool gbgFolderInTheWay;
    std::optional<std::string> failure;
};

// For programs that name their own files, the two files are one result: both are replaced,
// or both keep what they held, and the message names the file that failed.
TEST_F(SaveTest, TheFilesOfAProgramAreBothReplacedOrNeither) {
    add(20.5f, 1.0f);  // 23 bytes in the .fbg file, 25 in the .gbg file
    const std::vector<PairCase> cases{
        {"both written", "quartz.xy", 0, false, std::nullopt},
        {"the .gbg file beyond the size limit", "quartz.xy", 24, false,
         "quartz.gbg: cannot be written: File too large"},
        {"the .fbg file beyond the size limit", "quartz.xy", 10, false,
         "quartz.fbg: cannot be written: File too large"},
        {"a folder where the .gbg file goes", "quartz.xy", 0, true,
         "quartz.gbg: cannot be written: Is a directory"},
        {"no folder for either", "missing/quartz.xy", 0, false,
         "missing/quartz.fbg: cannot be written: No such file or directory"},
    };
    for (const PairCase& row : cases) {
        writeFile("quartz.fbg", "earlier fbg\n");
        if (row.gbgFolderInTheWay) {
            std::filesystem::create_directory("quartz.gbg");
        } else {
            writeFile("quartz.gbg", "earlier gbg\n");
        }
        {
            std::optional<FileSizeLimit> limit;
            if (row.sizeLimit > 0) limit.emplace(row.sizeLimit);
            EXPECT_EQ(writeBackgroundFiles(list, {row.dataFile, 'x'}), row.failure) << row.what;
        }
        if (row.failure) {
            EXPECT_EQ(readFile("quartz.fbg"), "earlier fbg\n") << row.what;
            if (!row.gbgFolderInTheWay) {
                EXPECT_EQ(readFile("quartz.gbg"), "earlier gbg\n") << row.what;
            }
        } else {
            EXPECT_EQ(readFile("quartz.fbg"), "20.500000\t1.000000\t0.0\n") << row.what;
            EXPECT_EQ(readFile("quartz.gbg"), "I\t20.500000\t1.000000\t0.0\n") << row.what;
        }
        for (const std::string& entry : entriesOf("."))
            EXPECT_NE(entry.front(), '.') << row.what << ": " << entry << " left behind";
        EXPECT_EQ(out.str(), "") << row.what;  // no console: the caller reports
        std::filesystem::remove_all("quartz.fbg");
        std::filesystem::remove_all("quartz.gbg");
    }
}
