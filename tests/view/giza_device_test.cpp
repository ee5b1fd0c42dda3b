#include "view/giza_device.h"

#include <gtest/gtest.h>

TEST(GizaDeviceSpec, TheProgramsScreenDeviceAndAnEmptyAnswerAreGizasScreen) {
    EXPECT_EQ(gizaDeviceSpec("/gw"), "/xw");
    EXPECT_EQ(gizaDeviceSpec("/GW"), "/xw");
    EXPECT_EQ(gizaDeviceSpec(""), "/xw");
    EXPECT_EQ(gizaDeviceSpec("/xw"), "/xw");
}

TEST(GizaDeviceSpec, PgplotsOtherScreenNamesAreGizasScreen) {
    EXPECT_EQ(gizaDeviceSpec("/XWINDOW"), "/xw");
    EXPECT_EQ(gizaDeviceSpec("/xserve"), "/xw");
}

TEST(GizaDeviceSpec, PortraitColourPostScriptKeepsItsFileName) {
    EXPECT_EQ(gizaDeviceSpec("plot.ps/vcps"), "plot.ps/vps");
    EXPECT_EQ(gizaDeviceSpec("out/plot.ps/VCPS"), "out/plot.ps/vps");
}

TEST(GizaDeviceSpec, TypesThatGizaKnowsPassUnchanged) {
    for (const char* spec : {"plot.png/png", "plot.pdf/pdf", "plot.ps/cps", "plot.ps/PS",
                             "plot.svg/svg", "plot.png", "dir.gw/plot.png"}) {
        EXPECT_EQ(gizaDeviceSpec(spec), spec);
    }
}

TEST(GizaDeviceSpec, OverLongSpecificationsAreRefused) {
    const std::string longest = std::string(kMaxDeviceSpecLength - 8, 'a') + ".png/png";
    EXPECT_EQ(gizaDeviceSpec(longest), longest);
    EXPECT_FALSE(gizaDeviceSpec(longest + "g").has_value());
    EXPECT_FALSE(gizaDeviceSpec(std::string(100000, 'a')).has_value());
}

TEST(IsScreenDevice, OnlyTheXwTypeIsTheScreen) {
    EXPECT_TRUE(isScreenDevice("/xw"));
    EXPECT_TRUE(isScreenDevice("/XW"));
    EXPECT_TRUE(isScreenDevice("name/xw"));
    EXPECT_FALSE(isScreenDevice("plot.png/png"));
    EXPECT_FALSE(isScreenDevice("xw"));  // a file named xw
    EXPECT_FALSE(isScreenDevice("/xw/plot.png"));
}
