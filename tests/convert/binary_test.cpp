// The real xrdconvert program: its exit status and its two output streams.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "convert/convert_harness.h"
#include "support/temp_dir.h"

namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program with the arguments as given (already quoted for the shell), under
// `ulimit -f` with the given number of 512-byte blocks if one is given.
ProgramRun runProgram(const std::string& arguments, int fileSizeBlocks = 0) {
    const std::string limit =
        fileSizeBlocks > 0 ? "ulimit -f " + std::to_string(fileSizeBlocks) + "; " : "";
    const std::string command =
        limit + std::string(XRDCONVERT_BINARY) + " " + arguments + " >stdout.txt 2>stderr.txt";
    const int result = std::system(command.c_str());
    ProgramRun run;
    if (result != -1 && WIFEXITED(result)) run.status = WEXITSTATUS(result);
    run.out = readFile("stdout.txt");
    run.err = readFile("stderr.txt");
    return run;
}

class ProgramTest : public ::testing::Test {
  protected:
    TempDir dir;
};

TEST_F(ProgramTest, ConvertsTheFilesItCanAndExitsWithOneForTheRest) {
    const ProgramRun run = runProgram("--to wyr,dat " + example("small.xy") + " gone.xy");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "small.wyr\nsmall.dat\n");
    // Standard error is a file here, not a terminal: no progress lines.
    EXPECT_EQ(run.err, example("small.xy") + ": 301 data points read.\n" +
                           "gone.xy: cannot open: No such file or directory\n");
    EXPECT_TRUE(fileExists("small.wyr"));
}

// Under a file size limit no output can be written whole: the files that were there stay as
// they were, also with --force, and no partial or temporary file is left.
TEST_F(ProgramTest, AFileSizeLimitLeavesEveryFileAsItWas) {
    writeFile("small.wyr", "old wyr\n");
    const std::string input = example("small.xy");
    for (const std::string force : {"", "--force "}) {
        const ProgramRun run = runProgram(force + "--to xy,wyr " + input, 1);
        EXPECT_EQ(run.status, 1) << force;
        EXPECT_EQ(run.out, "") << force;
        EXPECT_TRUE(
            contains(run.err, "small.xy: Couldn't write file small.xy completely.  I die.\n"))
            << run.err;
        EXPECT_TRUE(contains(run.err, force.empty() ? "small.wyr: exists already"
                                                    : "small.wyr: Couldn't write file small.wyr"))
            << run.err;
        EXPECT_EQ(readFile("small.wyr"), "old wyr\n") << force;
        EXPECT_EQ(entriesOf("."),
                  (std::vector<std::string>{"small.wyr", "stderr.txt", "stdout.txt"}));
    }
}

TEST_F(ProgramTest, HelpExitsWithZeroAndAnUnknownOptionWithTwo) {
    const ProgramRun help = runProgram("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: xrdconvert", 0), 0u);
    const ProgramRun unknown = runProgram("--bogus " + example("small.xy"));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "xrdconvert: unknown option '--bogus'\nTry 'xrdconvert --help'.\n");
    EXPECT_EQ(unknown.out, "");
}

}  // namespace
