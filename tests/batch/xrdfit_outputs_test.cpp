// Where xrdfit writes: an output that is an input is refused, a refused command line leaves
// no file behind, a descriptor named as the table is added to, and a failed write names
// its file.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "batch/plot_names.h"
#include "drifting_series.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "xrdfit_harness.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPatterns = 2;
const std::string kSeparator = "#--------------------------------------------------------#\n";

class XrdfitOutputsTest : public ::testing::Test {
  protected:
    XrdfitOutputsTest() : names_(writeDriftingSeries(".", kPatterns)) {
        writeFile("plan.txt", driftingPlan());
    }

    std::vector<std::string> withPatterns(std::vector<std::string> args) const {
        args.insert(args.end(), names_.begin(), names_.end());
        return args;
    }

    // Every file of the folder with its content (links as what they lead to).
    static std::map<std::string, std::string> folderContent() {
        std::map<std::string, std::string> content;
        for (const std::string& entry : entriesOf("."))
            content[entry] = fs::is_regular_file(entry) ? readFile(entry) : "(no file)";
        return content;
    }

    TempDir dir_;
    std::vector<std::string> names_;
};

struct RefusedCase {
    const char* what;
    std::function<void()> setUp;
    std::vector<std::string> args;  // the patterns follow
    std::string message;
};

TEST_F(XrdfitOutputsTest, ARefusedOutputIsAUsageErrorThatLeavesEveryFileAsItWas) {
    const std::string input = names_[0];
    const std::string refusedInput = ": is an input of this run; not replaced\n";
    const std::vector<RefusedCase> cases{
        {"the table onto a pattern",
         nullptr,
         {"--plan", "plan.txt", "--table", input},
         input + refusedInput},
        {"the table onto a link to a pattern",
         [&] { fs::create_symlink(input, "t.tsv"); },
         {"--plan", "plan.txt", "--table", "t.tsv"},
         "t.tsv" + refusedInput},
        {"the table onto a hard link to a pattern",
         [&] { fs::create_hard_link(input, "t.tsv"); },
         {"--plan", "plan.txt", "--table", "t.tsv"},
         "t.tsv" + refusedInput},
        {"the table onto the plan",
         nullptr,
         {"--plan", "plan.txt", "--table", "./plan.txt"},
         "./plan.txt" + refusedInput},
        {"the fit blocks onto a pattern",
         nullptr,
         {"--plan", "plan.txt", "--fit", input},
         input + refusedInput},
        {"the fit blocks onto the plan",
         nullptr,
         {"--plan", "plan.txt", "--fit", "plan.txt"},
         "plan.txt" + refusedInput},
        {"the fit blocks onto the *.fit file of the regions",
         [&] {
             runXrdfit({"--plan", "plan.txt", "--fit", "first.fit", input});
         },
         {"--from-fit", "first.fit", "--fit", "first.fit"},
         "first.fit" + refusedInput},
        {"the table and the fit blocks in one file",
         nullptr,
         {"--plan", "plan.txt", "--table", "both.out", "--fit", "both.out", "--plots", "pics"},
         "both.out: named for the table and for the *.fit file\n"},
        {"a table in a missing folder",
         nullptr,
         {"--plan", "plan.txt", "--fit", "new.fit", "--plots", "pics", "--table", "no/t.tsv"},
         "no/t.tsv: cannot be written: No such file or directory\n"},
        {"a *.fit file in a missing folder",
         nullptr,
         {"--plan", "plan.txt", "--plots", "pics", "--table", "t.tsv", "--fit", "no/a.fit"},
         "no/a.fit: cannot be written: No such file or directory\n"},
        {"a *.fit file that is a folder",
         [] { fs::create_directory("a.fit"); },
         {"--plan", "plan.txt", "--plots", "pics", "--fit", "a.fit"},
         "a.fit: cannot be written: Is a directory\n"},
        {"pictures where a file is",
         [] { writeFile("pics", ""); },
         {"--plan", "plan.txt", "--fit", "new.fit", "--plots", "pics/more"},
         "pics/more: no directory for the pictures\n"},
        {"a pattern as the table after new outputs",
         nullptr,
         {"--plan", "plan.txt", "--fit", "new.fit", "--plots", "pics", "--table", input},
         input + refusedInput},
    };
    for (const RefusedCase& row : cases) {
        if (row.setUp) row.setUp();
        const std::map<std::string, std::string> before = folderContent();
        const XrdfitRun run = runXrdfit(withPatterns(row.args));
        EXPECT_EQ(run.status, 2) << row.what;
        EXPECT_EQ(run.out, "") << row.what;
        EXPECT_EQ(run.err, "xrdfit: " + row.message + "Try 'xrdfit --help'.\n") << row.what;
        EXPECT_EQ(folderContent(), before) << row.what;
        for (const char* made : {"t.tsv", "first.fit", "a.fit", "pics", "new.fit", "both.out"})
            fs::remove_all(made);
    }
}

// "--table /dev/stdout >> all.tsv": the table is added to what the file held.
// Pictures of different patterns never share a name, never hide behind "..", and never
// replace a file of the run.
TEST(PlotNamesTest, EachPatternHasItsOwnPicturesAndNoneIsAFileOfTheRun) {
    const struct {
        std::vector<std::string> patterns, others;
        std::vector<std::string> firstRegion;  // each pattern's picture of region 1
    } cases[] = {
        {{"a/x.xy", "a_x.xy"}, {}, {"pp/a_x.xy_region1.png", "pp/a_x.xy~2_region1.png"}},
        {{"../o/p30.xy", "./q.xy", "q.xy"},
         {},
         {"pp/o_p30.xy_region1.png", "pp/q.xy_region1.png", "pp/q.xy~2_region1.png"}},
        {{"p30.xy", "pp/p30.xy_region2.png"},
         {},
         {"pp/p30.xy~2_region1.png", "pp/pp_p30.xy_region2.png_region1.png"}},
        {{"p30.xy"}, {"plan.txt", "./pp/p30.xy_region1.png"}, {"pp/p30.xy~2_region1.png"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> kept = c.patterns;
        kept.insert(kept.end(), c.others.begin(), c.others.end());
        const PlotNames names("pp", c.patterns, 2, kept);
        for (std::size_t k = 0; k < c.patterns.size(); ++k)
            EXPECT_EQ(names.path(k, 1), c.firstRegion[k]) << c.patterns[k];
    }
}

TEST_F(XrdfitOutputsTest, APictureNeverReplacesAPatternOfTheRun) {
    fs::create_directory("pp");
    fs::copy_file(names_[1], "pp/" + names_[0] + "_region1.png");
    const std::string input = "pp/" + names_[0] + "_region1.png";
    const std::string before = readFile(input);
    // The input is no pattern xrdfit reads (its rows say unreadable), but it stays as it was.
    const XrdfitRun run = runXrdfit({"--plan", "plan.txt", "--plots", "pp", names_[0], input});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(readFile(input), before);
    EXPECT_TRUE(fileExists("pp/" + names_[0] + "~2_region1.png"));
}

TEST_F(XrdfitOutputsTest, ATableNamedAsAnOpenDescriptorIsWrittenThroughIt) {
    const std::string before = "earlier table\n";
    writeFile("all.tsv", before);
    const int fd = open("all.tsv", O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    const XrdfitRun run =
        runXrdfit({"--plan", "plan.txt", "--table", "/dev/fd/" + std::to_string(fd), names_[0]});
    close(fd);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string all = readFile("all.tsv");
    ASSERT_EQ(all.rfind(before, 0), 0u) << all;
    EXPECT_EQ(parseTable(all.substr(before.size())).size(), kSeriesRegions * kPeaksPerRegion);
    EXPECT_EQ(entriesOf(".").size(), 4u);  // the patterns, the plan, the table
}

// The real program with the table named /dev/stdout: what the shell made of standard
// output receives the table, added to a file opened with ">>", carried through a pipe.
TEST_F(XrdfitOutputsTest, ATableOnStandardOutputFollowsTheShellsRedirection) {
    const std::string before = "earlier table\n";
    const std::string xrdfit = std::string("{ ") + XRDFIT_BINARY +
                               " --plan plan.txt --wor 0.06 --table /dev/stdout " + names_[0] +
                               " 2>err.txt; echo $? >status.txt; }";
    struct Case {
        const char* what;
        std::string redirection;
        std::string kept;  // what the file held that must still lead it
    };
    const std::vector<Case> cases{
        {"added to a file", " >>all.tsv", before},
        {"into a pipe", " | cat >all.tsv", ""},
        {"over a file", " >all.tsv", ""},
    };
    for (const Case& row : cases) {
        writeFile("all.tsv", before);
        EXPECT_EQ(std::system((xrdfit + row.redirection).c_str()), 0) << row.what;
        EXPECT_EQ(readFile("status.txt"), "0\n") << row.what;
        EXPECT_EQ(readFile("err.txt"),
                  "xrdfit: ./series_000.xy: radiation: none known (--anode or --wavelength names "
                  "it)\n")
            << row.what;
        const std::string all = readFile("all.tsv");
        EXPECT_EQ(all.substr(0, row.kept.size()), row.kept) << row.what << ":\n" << all;
        EXPECT_EQ(parseTable(all.substr(std::min(row.kept.size(), all.size()))).size(),
                  static_cast<std::size_t>(kSeriesRegions * kPeaksPerRegion))
            << row.what;
        for (const std::string& entry : entriesOf("."))
            EXPECT_NE(entry.front(), '.') << row.what << ": " << entry << " left behind";
    }
}

// A *.fit file that cannot take another block names itself and keeps whole blocks only.
TEST_F(XrdfitOutputsTest, AFitFileThatCannotBeWrittenIsNamed) {
    const std::string header = "#   tth      Iint       FWHM      eta      w/r     chi^2\n";
    writeFile("a.fit", header);
    XrdfitRun run;
    {
        const FileSizeLimit limit(header.size() + 2 * 3 * 60);  // room for a block or two
        run = runXrdfit(withPatterns({"--plan", "plan.txt", "--fit", "a.fit"}));
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("xrdfit: a.fit: cannot be written: File too large; the block of "),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("Can not open"), std::string::npos) << run.err;
    const std::string blocks = readFile("a.fit");
    EXPECT_EQ(blocks.rfind(header, 0), 0u);
    EXPECT_EQ(blocks.substr(blocks.size() - kSeparator.size()), kSeparator);
    // The message counts the blocks the file holds, of those the run fitted.
    std::size_t written = 0;
    for (std::size_t at = blocks.find(kSeparator); at != std::string::npos;
         at = blocks.find(kSeparator, at + 1))
        ++written;
    EXPECT_NE(run.err.find("xrdfit: a.fit: " + std::to_string(written) + " of " +
                           std::to_string(kPatterns * kSeriesRegions) + " blocks written\n"),
              std::string::npos)
        << run.err;
}

}  // namespace
