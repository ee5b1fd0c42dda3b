// The real xrdconvert program: its exit status and its two output streams.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "convert/convert_harness.h"
#include "support/temp_dir.h"

namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program with the arguments as given (already quoted for the shell).
ProgramRun runProgram(const std::string& arguments) {
    const std::string command =
        std::string(XRDCONVERT_BINARY) + " " + arguments + " >stdout.txt 2>stderr.txt";
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
