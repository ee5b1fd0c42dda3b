#include "view/x_button_map.h"

namespace {

constexpr unsigned int kLeftButton = Button1;
constexpr unsigned int kMiddleButton = Button2;
constexpr unsigned int kRightButton = Button3;
constexpr unsigned int kFirstExtraButton = 8;  // 4 to 7 are the scroll wheel

}  // namespace

void mapCursorButton(XEvent& event) {
    if (event.type != ButtonPress && event.type != ButtonRelease) return;
    XButtonEvent& click = event.xbutton;
    if (click.button == kRightButton || click.button >= kFirstExtraButton) {
        click.button = kMiddleButton;
    }
    if (click.button == kLeftButton) click.state &= ~static_cast<unsigned int>(ShiftMask);
}
