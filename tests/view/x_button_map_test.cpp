// gtest comes before Xlib, whose macros (None, Bool, ...) would break gtest's templates.
#include <gtest/gtest.h>
// clang-format off
#include "view/x_button_map.h"
// clang-format on

#include <cstring>

namespace {

XEvent buttonEvent(int type, unsigned int button) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xbutton.type = type;
    event.xbutton.button = button;
    event.xbutton.x = 123;
    event.xbutton.y = 45;
    event.xbutton.state = ShiftMask;
    return event;
}

unsigned int renumbered(int type, unsigned int button) {
    XEvent event = buttonEvent(type, button);
    renumberButton(event);
    return event.xbutton.button;
}

// The whole event, byte for byte, is as it was.
void expectUntouched(XEvent event) {
    const XEvent before = event;
    renumberButton(event);
    EXPECT_EQ(std::memcmp(&before, &event, sizeof event), 0);
}

}  // namespace

TEST(RenumberButton, RightButtonBecomesTheMiddleButtonOnPressAndRelease) {
    EXPECT_EQ(renumbered(ButtonPress, Button3), Button2);
    EXPECT_EQ(renumbered(ButtonRelease, Button3), Button2);
}

TEST(RenumberButton, ButtonsAboveTheScrollWheelBecomeTheMiddleButton) {
    for (unsigned int button : {8u, 9u, 10u, 31u, 255u}) {
        EXPECT_EQ(renumbered(ButtonPress, button), Button2) << "button " << button;
        EXPECT_EQ(renumbered(ButtonRelease, button), Button2) << "button " << button;
    }
}

TEST(RenumberButton, LeftMiddleAndScrollButtonsStayAsTheyAre) {
    for (unsigned int button : {1u, 2u, 4u, 5u, 6u, 7u}) {
        expectUntouched(buttonEvent(ButtonPress, button));
        expectUntouched(buttonEvent(ButtonRelease, button));
    }
}

TEST(RenumberButton, OnlyTheButtonNumberChanges) {
    XEvent event = buttonEvent(ButtonPress, Button3);
    renumberButton(event);
    EXPECT_EQ(event.xbutton.type, ButtonPress);
    EXPECT_EQ(event.xbutton.x, 123);
    EXPECT_EQ(event.xbutton.y, 45);
    EXPECT_EQ(event.xbutton.state, static_cast<unsigned int>(ShiftMask));
}

TEST(RenumberButton, RenumberingTwiceChangesNothingMore) {
    XEvent event = buttonEvent(ButtonPress, 9);
    renumberButton(event);
    expectUntouched(event);
}

TEST(RenumberButton, KeyEventsAreUntouchedThoughTheirKeycodeSharesTheButtonField) {
    // XKeyEvent keeps its keycode where XButtonEvent keeps its button number.
    for (unsigned int keycode : {3u, 8u, 38u}) {
        XEvent event = buttonEvent(KeyPress, 0);
        event.xkey.keycode = keycode;
        expectUntouched(event);
        event.xkey.type = KeyRelease;
        expectUntouched(event);
    }
}

TEST(RenumberButton, OtherEventsAreUntouched) {
    for (int type : {MotionNotify, Expose, ConfigureNotify, ClientMessage, MapNotify}) {
        XEvent event = buttonEvent(type, Button3);
        expectUntouched(event);
    }
}
