#include "view/pgplot_graphics.h"

#include <X11/Xlib.h>
#include <cpgplot.h>
// giza.h declares its C functions without C linkage for C++.
extern "C" {
#include <giza.h>
}

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "view/device_dialogue.h"
#include "view/giza_device.h"

namespace {

// giza's cursor reads return 0 on success, PGPLOT's return 1.
int pgplotCursorResult(int gizaResult) {
    return gizaResult == 0 ? 1 : 0;
}

// The family the program's page is meant to be seen in: Times metrics, as PGPLOT users
// know the page; giza's default asks fontconfig for whatever stands in for "Times".
constexpr const char* kFontFamily = "Nimbus Roman";

// One line naming DISPLAY when no X server answers there (giza would only say that a
// connection could not be made); empty when one does.
std::string missingDisplay() {
    const char* display = std::getenv("DISPLAY");
    if (display && *display) {
        if (Display* connection = XOpenDisplay(nullptr)) {
            XCloseDisplay(connection);
            return "";
        }
        return std::string("No X display answers at DISPLAY=") + display +
               ": the screen cannot open there.";
    }
    return "DISPLAY is not set: the screen needs an X display (over ssh, connect with -X).";
}

}  // namespace

int PgplotGraphics::openGiza(const std::string& spec) {
    const bool screen = isScreenDevice(spec);
    openFailure_ = screen ? missingDisplay() : "";
    if (!openFailure_.empty()) return 0;
    const int id = cpgopen(spec.c_str());
    screenOpen_ = id > 0 && screen;
    // A family named in GIZA_FONT is the user's own choice.
    if (id > 0 && !std::getenv("GIZA_FONT")) giza_set_font(kFontFamily);
    return id;
}

std::optional<std::string> PgplotGraphics::gizaDeviceFor(const char* device) {
    // giza would read a "?" answer from stdin itself, behind the console's back.
    const std::string spec = device[0] == '?' ? askDeviceSpec(console_) : std::string(device);
    return gizaDeviceSpec(spec);
}

int PgplotGraphics::open(const char* device) {
    const std::optional<std::string> spec = gizaDeviceFor(device);
    if (!spec) return 0;
    return openGiza(*spec);
}

int PgplotGraphics::begin(int unit, const char* file, int nxsub, int nysub) {
    const std::optional<std::string> spec = gizaDeviceFor(file);
    if (!spec) return 0;
    // The program opens one page per device, so cpgbeg's unit and subdivisions, which
    // giza ignores or passes on, need not reach giza; PGPLOT's cpgbeg returns 1 for
    // success where giza's returns the device id.
    (void)unit;
    (void)nxsub;
    (void)nysub;
    return openGiza(*spec) > 0 ? 1 : 0;
}

void PgplotGraphics::end() {
    cpgend();
    screenOpen_ = false;
}

// giza prompts for a new page on the screen by reading stdin itself, behind the console's
// back; the program asks for prompting only on hardcopy devices, where PGPLOT never
// prompts, so the screen is kept from prompting.
void PgplotGraphics::ask(bool flag) {
    cpgask(flag && !screenOpen_);
}

// giza does not answer every item; the one the program asks about is the adapter's own
// knowledge.
void PgplotGraphics::qinf(const char* item, char* value, int* length) {
    if (std::strcmp(item, "HARDCOPY") != 0) {
        cpgqinf(item, value, length);
        return;
    }
    const char* answer = screenOpen_ ? "NO" : "YES";
    const int size = *length;
    *length = static_cast<int>(std::strlen(answer));
    if (size > 0) std::snprintf(value, static_cast<std::size_t>(size), "%s", answer);
}

void PgplotGraphics::env(float xmin, float xmax, float ymin, float ymax, int just, int axis) {
    cpgenv(xmin, xmax, ymin, ymax, just, axis);
}

void PgplotGraphics::qwin(float* x1, float* x2, float* y1, float* y2) {
    cpgqwin(x1, x2, y1, y2);
}

void PgplotGraphics::lab(const char* xlabel, const char* ylabel, const char* toplabel) {
    cpglab(xlabel, ylabel, toplabel);
}

void PgplotGraphics::line(int n, const float* xpts, const float* ypts) {
    cpgline(n, xpts, ypts);
}
void PgplotGraphics::move(float x, float y) {
    cpgmove(x, y);
}
void PgplotGraphics::draw(float x, float y) {
    cpgdraw(x, y);
}
void PgplotGraphics::pt1(float x, float y, int symbol) {
    cpgpt1(x, y, symbol);
}

void PgplotGraphics::ptxt(float x, float y, float angle, float fjust, const char* text) {
    cpgptxt(x, y, angle, fjust, text);
}

void PgplotGraphics::rect(float x1, float x2, float y1, float y2) {
    cpgrect(x1, x2, y1, y2);
}
void PgplotGraphics::sci(int ci) {
    cpgsci(ci);
}
void PgplotGraphics::scr(int ci, float cr, float cg, float cb) {
    cpgscr(ci, cr, cg, cb);
}
void PgplotGraphics::sfs(int fs) {
    cpgsfs(fs);
}
void PgplotGraphics::sclp(int state) {
    cpgsclp(state);
}

int PgplotGraphics::band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) {
    return pgplotCursorResult(cpgband(mode, posn, xref, yref, x, y, ch));
}

int PgplotGraphics::curs(float* x, float* y, char* ch) {
    return pgplotCursorResult(cpgcurs(x, y, ch));
}
