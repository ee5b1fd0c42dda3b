// gtest comes before Xlib, whose macros (None, Bool, ...) would break gtest's templates.
#include <gtest/gtest.h>
// clang-format off
#include "view/x_button_map.h"
// clang-format on

#include <cstring>

namespace {

XEvent buttonEvent(int type, unsigned int button, unsigned int state = 0) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xbutton.type = type;
    event.xbutton.button = button;
    event.xbutton.x = 123;
    event.xbutton.y = 45;
    event.xbutton.state = state;
    return event;
}

XEvent mapped(XEvent event) {
    mapCursorButton(event);
    return event;
}

// The whole event, byte for byte, is as it was.
void expectUntouched(const XEvent& event) {
    const XEvent after = mapped(event);
    EXPECT_EQ(std::memcmp(&event, &after, sizeof event), 0);
}

}  // namespace

TEST(MapCursorButton, TheRightButtonBecomesTheMiddleButtonOnPressAndRelease) {
    EXPECT_EQ(mapped(buttonEvent(ButtonPress, Button3)).xbutton.button, Button2);
    EXPECT_EQ(mapped(buttonEvent(ButtonRelease, Button3)).xbutton.button, Button2);
}

TEST(MapCursorButton, ButtonsAboveTheScrollWheelBecomeTheMiddleButton) {
    for (unsigned int button : {8u, 9u, 10u, 31u, 255u}) {
        EXPECT_EQ(mapped(buttonEvent(ButtonPress, button)).xbutton.button, Button2) << button;
        EXPECT_EQ(mapped(buttonEvent(ButtonRelease, button)).xbutton.button, Button2) << button;
    }
}

TEST(MapCursorButton, OnlyTheButtonNumberOfTheRightButtonChanges) {
    const XEvent event = mapped(buttonEvent(ButtonPress, Button3, ShiftMask));
    EXPECT_EQ(event.xbutton.type, ButtonPress);
    EXPECT_EQ(event.xbutton.x, 123);
    EXPECT_EQ(event.xbutton.y, 45);
    EXPECT_EQ(event.xbutton.state, static_cast<unsigned int>(ShiftMask));
}

TEST(MapCursorButton, MiddleAndScrollButtonsStayAsTheyAreWithTheirModifiers) {
    for (unsigned int button : {2u, 4u, 5u, 6u, 7u}) {
        for (unsigned int state : {0u, unsigned(ShiftMask), unsigned(ShiftMask | ControlMask)}) {
            expectUntouched(buttonEvent(ButtonPress, button, state));
            expectUntouched(buttonEvent(ButtonRelease, button, state));
        }
    }
}

TEST(MapCursorButton, TheLeftButtonStaysAndLosesOnlyShift) {
    expectUntouched(buttonEvent(ButtonPress, Button1));
    expectUntouched(buttonEvent(ButtonPress, Button1, ControlMask));
    const XEvent shifted = mapped(buttonEvent(ButtonPress, Button1, ShiftMask | ControlMask));
    EXPECT_EQ(shifted.xbutton.button, Button1);
    EXPECT_EQ(shifted.xbutton.state, static_cast<unsigned int>(ControlMask));
    EXPECT_EQ(mapped(buttonEvent(ButtonRelease, Button1, ShiftMask)).xbutton.state, 0u);
}

TEST(MapCursorButton, MappingTwiceChangesNothingMore) {
    for (unsigned int button : {1u, 3u, 9u}) {
        expectUntouched(mapped(buttonEvent(ButtonPress, button, ShiftMask)));
    }
}

TEST(MapCursorButton, KeyEventsAreUntouchedThoughTheyShareTheButtonEventsLayout) {
    // XKeyEvent keeps its keycode where XButtonEvent keeps its button number.
    for (unsigned int keycode : {1u, 3u, 8u, 38u}) {
        XEvent event = buttonEvent(KeyPress, 0, ShiftMask);
        event.xkey.keycode = keycode;
        expectUntouched(event);
        event.xkey.type = KeyRelease;
        expectUntouched(event);
    }
}

TEST(MapCursorButton, OtherEventsAreUntouched) {
    for (int type : {MotionNotify, Expose, ConfigureNotify, ClientMessage, MapNotify}) {
        expectUntouched(buttonEvent(type, Button3, ShiftMask));
        expectUntouched(buttonEvent(type, Button1, ShiftMask));
    }
}
