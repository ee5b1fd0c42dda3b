#include "view/pgplot_graphics.h"

#include <cpgplot.h>

#include "view/device_dialogue.h"
#include "view/giza_device.h"

namespace {

// giza's cursor reads return 0 on success, PGPLOT's return 1.
int pgplotCursorResult(int gizaResult) {
    return gizaResult == 0 ? 1 : 0;
}

}  // namespace

std::optional<std::string> PgplotGraphics::gizaDeviceFor(const char* device) {
    // giza would read a "?" answer from stdin itself, behind the console's back.
    const std::string spec = device[0] == '?' ? askDeviceSpec(console_) : std::string(device);
    return gizaDeviceSpec(spec);
}

int PgplotGraphics::open(const char* device) {
    const std::optional<std::string> spec = gizaDeviceFor(device);
    if (!spec) return 0;
    const int id = cpgopen(spec->c_str());
    screenOpen_ = id > 0 && isScreenDevice(*spec);
    return id;
}

int PgplotGraphics::begin(int unit, const char* file, int nxsub, int nysub) {
    const std::optional<std::string> spec = gizaDeviceFor(file);
    if (!spec) return 0;
    // giza's cpgbeg returns the device id; PGPLOT's returns 1 for success.
    const int id = cpgbeg(unit, spec->c_str(), nxsub, nysub);
    screenOpen_ = id > 0 && isScreenDevice(*spec);
    return id > 0 ? 1 : 0;
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
