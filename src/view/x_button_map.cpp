#include "view/x_button_map.h"

namespace {

constexpr unsigned int kMiddleButton = Button2;
constexpr unsigned int kRightButton = Button3;
constexpr unsigned int kFirstExtraButton = 8;  // 4 to 7 are the scroll wheel

}  // namespace

void renumberButton(XEvent& event) {
    if (event.type != ButtonPress && event.type != ButtonRelease) return;
    unsigned int& button = event.xbutton.button;
    if (button == kRightButton || button >= kFirstExtraButton) button = kMiddleButton;
}
