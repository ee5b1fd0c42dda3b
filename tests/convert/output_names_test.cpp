// The names of the files a conversion writes and the default .gda title.

#include "convert/output_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OutputNames, TheStemIsTheBaseNameUpToItsLastDot) {
    EXPECT_EQ(patternStem("quartz.xy"), "quartz");
    EXPECT_EQ(patternStem("data/run.2.xy"), "run.2");
    EXPECT_EQ(patternStem("Si_0.5mm.xy"), "Si_0.5mm");
    EXPECT_EQ(patternStem("../old.d/scan.001"), "scan");
    EXPECT_EQ(patternStem("dir/noextension"), "noextension");
    EXPECT_EQ(patternStem("dir/.xy"), "");
}

TEST(OutputNames, TheOutputGoesIntoTheDirectoryWithTheFormatsExtension) {
    EXPECT_EQ(outputPath("", "quartz", 'x'), "quartz.xy");
    EXPECT_EQ(outputPath("out", "quartz", 'w'), "out/quartz.wyr");
    EXPECT_EQ(outputPath("out/", "quartz", 'd'), "out/quartz.dat");
    EXPECT_EQ(outputPath("/tmp/a b", "q", 'g'), "/tmp/a b/q.gda");
}

TEST(OutputNames, TheDefaultTitleIsTheBaseNameAsFarAsATitleLineHoldsIt) {
    EXPECT_EQ(defaultTitle("data/quartz.xy"), "quartz.xy");
    EXPECT_EQ(defaultTitle("data/" + std::string(120, 'n') + ".xy"), std::string(98, 'n'));
    EXPECT_EQ(defaultTitle("odd\nname.xy"), "odd");
}

}  // namespace
