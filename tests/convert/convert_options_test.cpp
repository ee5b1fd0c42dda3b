// The command line of xrdconvert: options in any place, --to lists, values and usage errors.

#include "convert/convert_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ParsedCommandLine parse(const std::vector<std::string>& args) {
    return parseConvertArgs(args);
}

TEST(ConvertOptions, OptionsStandAnywhereWithTheirValueNextOrAfterAnEqualsSign) {
    const ParsedCommandLine parsed = parse(
        {"a.xy", "--outdir", "out", "--force", "--title=My sample", "b.xy", "--merge", "--to=dat"});
    ASSERT_EQ(parsed.outcome, CommandLineWalk::Run) << parsed.error;
    EXPECT_EQ(parsed.options.outdir, "out");
    EXPECT_EQ(parsed.options.title, "My sample");
    EXPECT_TRUE(parsed.options.force);
    EXPECT_TRUE(parsed.options.merge);
    EXPECT_EQ(parsed.options.formats, "d");
    EXPECT_EQ(parsed.options.files, (std::vector<std::string>{"a.xy", "b.xy"}));
}

TEST(ConvertOptions, ToListsFormatsInTheWritersOrderOnceEach) {
    EXPECT_EQ(parse({"--to", "gda,xy,dat,xy", "a.wyr"}).options.formats, "xdg");
    EXPECT_EQ(parse({"--to", "wyr", "a.xy"}).options.formats, "w");
    // A later --to replaces an earlier one.
    EXPECT_EQ(parse({"--to", "wyr", "--to", "gda", "a.xy"}).options.formats, "g");
}

TEST(ConvertOptions, DoubleDashEndsTheOptionsAndNothingIsSetUnasked) {
    const ParsedCommandLine parsed = parse({"--force", "--", "--odd.xy", "-"});
    ASSERT_EQ(parsed.outcome, CommandLineWalk::Run);
    EXPECT_EQ(parsed.options.files, (std::vector<std::string>{"--odd.xy", "-"}));
    EXPECT_EQ(parsed.options.formats, "");
    EXPECT_EQ(parsed.options.outdir, "");
    EXPECT_FALSE(parsed.options.title.has_value());
    EXPECT_FALSE(parsed.options.merge);
}

TEST(ConvertOptions, HelpAndVersionWinOverEverythingBeforeThem) {
    EXPECT_EQ(parse({"a.xy", "--to", "wyr", "--help"}).outcome, CommandLineWalk::Help);
    EXPECT_EQ(parse({"-h"}).outcome, CommandLineWalk::Help);
    EXPECT_EQ(parse({"--version", "a.xy"}).outcome, CommandLineWalk::Version);
}

TEST(ConvertOptions, UsageErrorsSayWhatIsWrong) {
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"--to", "xy,cif", "a.wyr"}, "unknown format 'cif' for --to (use xy, wyr, dat, gda)"},
        {{"--to", "XY", "a.wyr"}, "unknown format 'XY' for --to (use xy, wyr, dat, gda)"},
        {{"--to", ",xy", "a.wyr"}, "unknown format '' for --to (use xy, wyr, dat, gda)"},
        {{"--to", "", "a.wyr"}, "--to needs at least one of xy, wyr, dat, gda"},
        {{"a.xy", "--outdir"}, "--outdir needs a value"},
        {{"--verbose", "a.xy"}, "unknown option '--verbose'"},
        {{"--force=yes", "a.xy"}, "unknown option '--force=yes'"},
        {{"--force"}, "no FILE to convert"},
        {{"--merge"}, "no SCAN to merge"},
        {{"--merge", "--strip-ka2", "a.001"},
         "--strip-ka2 works on the files converted, not on "
         "--merge"},
        {{"--anode", "Cu", "a.xy"}, "--anode and --wavelength serve --strip-ka2"},
        {{"--strip-ka2", "--anode", "Zn", "a.xy"},
         "unknown anode 'Zn' for --anode (use Cu, Co, "
         "Fe, Cr, Mo, Ag)"},
        {{"--strip-ka2", "--wavelength", "1.54", "--anode", "Cu", "a.xy"},
         "give the radiation once, with --anode or --wavelength"},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = parse(c.args);
        EXPECT_EQ(parsed.outcome, CommandLineWalk::UsageError) << ::testing::PrintToString(c.args);
        EXPECT_EQ(parsed.error, c.error);
    }
}

// A .gda title must read back as one line of the reader's 100-character buffer.
TEST(ConvertOptions, TheTitleIsOneLineThatTheGdaReaderTakesWhole) {
    EXPECT_EQ(parse({"--title", std::string(98, 't'), "a.xy"}).outcome, CommandLineWalk::Run);
    EXPECT_EQ(parse({"--title", std::string(99, 't'), "a.xy"}).error,
              "--title holds at most 98 characters");
    EXPECT_EQ(parse({"--title", "two\nlines", "a.xy"}).error, "--title must be a single line");
    EXPECT_EQ(parse({"--title", "", "a.xy"}).options.title, "");
}

}  // namespace
