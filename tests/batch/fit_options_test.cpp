// xrdfit's command line: every limit a user can reach, and what each refusal says.

#include "batch/fit_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(FitOptions, EachLimitAndRefusal) {
    const struct {
        std::vector<std::string> args;
        std::string error;  // empty: accepted
    } cases[] = {
        {{"--jobs", "1"}, ""},
        {{"--jobs", "1024"}, ""},
        {{"--jobs", "0"}, "--jobs needs a whole number from 1 to 1024, not '0'"},
        {{"--jobs", "1025"}, "--jobs needs a whole number from 1 to 1024, not '1025'"},
        {{"--jobs=2.5"}, "--jobs needs a whole number from 1 to 1024, not '2.5'"},
        {{"--max-iter", "10000"}, ""},
        {{"--max-iter", "0"}, "--max-iter needs a whole number from 1 to 10000, not '0'"},
        {{"--max-iter", "10001"}, "--max-iter needs a whole number from 1 to 10000, not '10001'"},
        {{"--block", "1000000"}, ""},
        {{"--block", "1000001"}, "--block needs a whole number from 1 to 1000000"},
        {{"--wor", "auto"}, ""},
        {{"--wor", "-0.05"}, ""},
        {{"--wor", "x"}, "--wor needs a number or 'auto', not 'x'"},
        {{"--table="}, "--table needs a value"},
        {{"--no-ka2", "--common", "--sequential", "--verbose", "--xrdpick-start"}, ""},
        {{"--no-ka2=1"}, "unknown option '--no-ka2=1'"},
        {{"--xrdpick-start=1"}, "unknown option '--xrdpick-start=1'"},
        {{"--from", "nosuch"}, "unknown format 'nosuch' for --from (use "},
        {{"--cdt", "b.cdt"},
         "give the regions with one of --plan FILE, --from-fit FILE or --cdt FILE"},
        {{"a\tb.xy"}, "a pattern name holds a tab or a line end, which the table cannot show"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--plan", "plan.txt"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("s.xy");
        const ParsedFitCommand parsed = parseFitArgs(args);
        SCOPED_TRACE(args[2]);
        if (c.error.empty()) {
            EXPECT_EQ(parsed.outcome, CommandLineWalk::Run) << parsed.error;
        } else {
            EXPECT_EQ(parsed.outcome, CommandLineWalk::UsageError);
            EXPECT_EQ(parsed.error.compare(0, c.error.size(), c.error), 0) << parsed.error;
        }
    }
    const ParsedFitCommand limits =
        parseFitArgs({"--plan", "p", "--jobs", "1024", "--max-iter", "10000", "s.xy"});
    EXPECT_EQ(limits.options.jobs, 1024);
    EXPECT_EQ(limits.options.maxIterations, 10000);
    EXPECT_EQ(parseFitArgs({"--plan", "p"}).error, "no PATTERN to fit");
}

}  // namespace
