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
    // giza's screen device sets an X error handler of its own that only prints the error
    // and carries on, waiting then forever for a cursor on a window that may be gone: the
    // program's handler stays.
    const XErrorHandler programHandler = XSetErrorHandler(nullptr);  // Xlib's way to read it
    XSetErrorHandler(programHandler);
    const int id = cpgopen(spec.c_str());
    XSetErrorHandler(programHandler);
    screenOpen_ = id > 0 && screen;
    colour_ = 1;  // giza's, and PGPLOT's, colour on opening
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

// The program prints one page per device: the unit and the subdivisions of cpgbeg have
// nothing to do. PGPLOT's cpgbeg returns 1 for success where giza's returns the device id.
int PgplotGraphics::begin(int /*unit*/, const char* file, int /*nxsub*/, int /*nysub*/) {
    const std::optional<std::string> spec = gizaDeviceFor(file);
    if (!spec) return 0;
    return openGiza(*spec) > 0 ? 1 : 0;
}

void PgplotGraphics::end() {
    settle();
    cpgend();
    screenOpen_ = false;
    page_.startPage();
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
    page_.startPage();
    redrawPending_ = false;
    drawCall({PageCall::Kind::Env, {xmin, xmax, ymin, ymax, float(just), float(axis)}, {}});
}

void PgplotGraphics::qwin(float* x1, float* x2, float* y1, float* y2) {
    cpgqwin(x1, x2, y1, y2);
}

void PgplotGraphics::lab(const char* xlabel, const char* ylabel, const char* toplabel) {
    drawCall({PageCall::Kind::Lab, {}, {xlabel, ylabel, toplabel}});
}

void PgplotGraphics::line(int n, const float* xpts, const float* ypts) {
    const int count = n > 0 ? n : 0;  // PGPLOT draws nothing for fewer than two points
    std::vector<float> values(xpts, xpts + count);
    values.insert(values.end(), ypts, ypts + count);
    drawCall({PageCall::Kind::Line, std::move(values), {}});
}
void PgplotGraphics::move(float x, float y) {
    drawCall({PageCall::Kind::Move, {x, y}, {}});
}
void PgplotGraphics::draw(float x, float y) {
    drawCall({PageCall::Kind::Draw, {x, y}, {}});
}
void PgplotGraphics::pt1(float x, float y, int symbol) {
    drawCall({PageCall::Kind::Pt1, {x, y, float(symbol)}, {}});
}

void PgplotGraphics::ptxt(float x, float y, float angle, float fjust, const char* text) {
    PageCall call{PageCall::Kind::Ptxt, {x, y, angle, fjust}, {text}, colour_};
    if (colour_ == 0 && screenOpen_ && page_.eraseText(call)) {
        redrawPending_ = true;
        return;
    }
    drawCall(std::move(call));
}

void PgplotGraphics::rect(float x1, float x2, float y1, float y2) {
    drawCall({PageCall::Kind::Rect, {x1, x2, y1, y2}, {}});
}
void PgplotGraphics::sci(int ci) {
    colour_ = ci;
    drawCall({PageCall::Kind::Sci, {float(ci)}, {}});
}
void PgplotGraphics::scr(int ci, float cr, float cg, float cb) {
    cpgscr(ci, cr, cg, cb);
}
void PgplotGraphics::sfs(int fs) {
    drawCall({PageCall::Kind::Sfs, {float(fs)}, {}});
}
void PgplotGraphics::sclp(int state) {
    drawCall({PageCall::Kind::Sclp, {float(state)}, {}});
}

void PgplotGraphics::drawCall(PageCall call) {
    settle();
    call.colour = colour_;
    paint(call);
    if (screenOpen_) page_.add(std::move(call));
}

void PgplotGraphics::paint(const PageCall& call) {
    const std::vector<float>& v = call.values;
    switch (call.kind) {
        case PageCall::Kind::Env:
            cpgenv(v[0], v[1], v[2], v[3], int(v[4]), int(v[5]));
            break;
        case PageCall::Kind::Lab:
            cpglab(call.texts[0].c_str(), call.texts[1].c_str(), call.texts[2].c_str());
            break;
        case PageCall::Kind::Line: {
            const int n = static_cast<int>(v.size() / 2);
            cpgline(n, v.data(), v.data() + n);
            break;
        }
        case PageCall::Kind::Move:
            cpgmove(v[0], v[1]);
            break;
        case PageCall::Kind::Draw:
            cpgdraw(v[0], v[1]);
            break;
        case PageCall::Kind::Pt1:
            cpgpt1(v[0], v[1], int(v[2]));
            break;
        case PageCall::Kind::Ptxt:
            cpgptxt(v[0], v[1], v[2], v[3], call.texts[0].c_str());
            break;
        case PageCall::Kind::Rect:
            cpgrect(v[0], v[1], v[2], v[3]);
            break;
        case PageCall::Kind::Sci:
            cpgsci(int(v[0]));
            break;
        case PageCall::Kind::Sfs:
            cpgsfs(int(v[0]));
            break;
        case PageCall::Kind::Sclp:
            cpgsclp(int(v[0]));
            break;
    }
}

// Each call in the colour it was made in (the page's first, the frame, was set before
// the page began), in one batch, so that the window shows the page again only once it is
// whole.
void PgplotGraphics::settle() {
    if (!redrawPending_) return;
    redrawPending_ = false;
    cpgbbuf();
    for (const PageCall& call : page_.calls()) {
        cpgsci(call.colour);
        paint(call);
    }
    cpgsci(colour_);
    cpgebuf();
}

int PgplotGraphics::band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) {
    settle();
    return pgplotCursorResult(cpgband(mode, posn, xref, yref, x, y, ch));
}

int PgplotGraphics::curs(float* x, float* y, char* ch) {
    settle();
    return pgplotCursorResult(cpgcurs(x, y, ch));
}
