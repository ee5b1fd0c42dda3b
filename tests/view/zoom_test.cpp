#include "view/zoom.h"

#include <gtest/gtest.h>

TEST(Zoom, GivesTheSameWindowForEveryCornerOrder) {
    const CursorPos corners[4][2] = {
        {{12, 40}, {15, 90}}, {{15, 90}, {12, 40}}, {{12, 90}, {15, 40}}, {{15, 40}, {12, 90}}};
    for (const auto& pair : corners) {
        ViewState view;
        view.flag = ViewFlag::FullScale;
        view.corner1 = pair[0];
        view.corner2 = pair[1];
        ASSERT_TRUE(zoomToRoi(view));
        EXPECT_FLOAT_EQ(view.win.xmin, 12);
        EXPECT_FLOAT_EQ(view.win.xmax, 15);
        EXPECT_FLOAT_EQ(view.win.ymin, 40);
        EXPECT_FLOAT_EQ(view.win.ymax, 90);
        EXPECT_FLOAT_EQ(view.win.dx, 3);
        EXPECT_FLOAT_EQ(view.win.dy, 50);
        EXPECT_EQ(view.flag, ViewFlag::KeepShown);
    }
}

TEST(Zoom, RefusesARegionWithoutWidthOrHeight) {
    const CursorPos flat[2][2] = {{{12, 40}, {12, 90}}, {{12, 40}, {15, 40}}};
    for (const auto& pair : flat) {
        ViewState view;
        view.win = {7, 33, -100, 1100};
        view.win.updateSize();
        view.flag = ViewFlag::FullScale;
        view.corner1 = pair[0];
        view.corner2 = pair[1];
        EXPECT_FALSE(zoomToRoi(view));
        EXPECT_FLOAT_EQ(view.win.xmin, 7);
        EXPECT_FLOAT_EQ(view.win.ymax, 1100);
        EXPECT_EQ(view.flag, ViewFlag::FullScale);
    }
}
