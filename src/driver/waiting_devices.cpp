#include "driver/waiting_devices.h"

#include "driver/recovery.h"

int WaitingGraphics::band(int mode, int posn, float xref, float yref, float* x, float* y,
                          char* ch) {
    const UserWait wait;
    return device_.band(mode, posn, xref, yref, x, y, ch);
}

int WaitingGraphics::curs(float* x, float* y, char* ch) {
    const UserWait wait;
    return device_.curs(x, y, ch);
}

WaitingInput::int_type WaitingInput::underflow() {
    const UserWait wait;
    const int_type next = terminal_->sbumpc();
    if (traits_type::eq_int_type(next, traits_type::eof())) return next;
    current_ = traits_type::to_char_type(next);
    setg(&current_, &current_, &current_ + 1);
    return next;
}
