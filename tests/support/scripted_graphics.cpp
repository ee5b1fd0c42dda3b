#include "support/scripted_graphics.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The screen: no device named, or PGPLOT's screen device types.
bool namesScreen(const std::string& device) {
    std::string type = device.substr(
        device.rfind('/') == std::string::npos ? device.size() : device.rfind('/') + 1);
    std::transform(type.begin(), type.end(), type.begin(), ::tolower);
    return device.empty() || type == "gw" || type == "xw" || type == "xwindow";
}

}  // namespace

void ScriptedGraphics::record(const char* name, std::vector<float> values, std::string text) {
    calls.push_back({name, std::move(values), std::move(text), colour_});
}

CursorEvent ScriptedGraphics::nextEvent() {
    if (events.empty()) throw ScriptExhausted();
    const CursorEvent event = events.front();
    events.pop_front();
    return event;
}

std::vector<const GraphicsCall*> ScriptedGraphics::named(const std::string& name) const {
    std::vector<const GraphicsCall*> found;
    for (const GraphicsCall& call : calls)
        if (call.name == name) found.push_back(&call);
    return found;
}

std::vector<std::string> ScriptedGraphics::texts() const {
    std::vector<std::string> found;
    for (const GraphicsCall* call : named("ptxt")) found.push_back(call->text);
    return found;
}

std::vector<std::string> ScriptedGraphics::textsInColour(int colour) const {
    std::vector<std::string> found;
    for (const GraphicsCall* call : named("ptxt"))
        if (call->colour == colour) found.push_back(call->text);
    return found;
}

bool ScriptedGraphics::drewText(const std::string& text) const {
    const std::vector<std::string> all = texts();
    return std::find(all.begin(), all.end(), text) != all.end();
}

int ScriptedGraphics::count(const std::string& name) const {
    return static_cast<int>(named(name).size());
}

const GraphicsCall* ScriptedGraphics::lastNamed(const std::string& name) const {
    const std::vector<const GraphicsCall*> found = named(name);
    return found.empty() ? nullptr : found.back();
}

int ScriptedGraphics::open(const char* device) {
    record("open", {}, device);
    hardcopy_ = !namesScreen(device);
    return openResult;
}

int ScriptedGraphics::begin(int unit, const char* file, int nxsub, int nysub) {
    record("begin", {float(unit), float(nxsub), float(nysub)}, file);
    std::string device = file;
    if (device == "?") {
        device = beginDevices.empty() ? "" : beginDevices.front();
        if (!beginDevices.empty()) beginDevices.pop_front();
    }
    hardcopy_ = !namesScreen(device);
    if (beginResults.empty()) return 1;
    const int result = beginResults.front();
    beginResults.pop_front();
    return result;
}

void ScriptedGraphics::end() {
    record("end", {});
}
void ScriptedGraphics::ask(bool flag) {
    record("ask", {flag ? 1.0f : 0.0f});
}

void ScriptedGraphics::qinf(const char* item, char* value, int* length) {
    const char* answer = std::strcmp(item, "HARDCOPY") != 0 ? "" : hardcopy_ ? "YES" : "NO";
    const int size = *length;
    *length = static_cast<int>(std::strlen(answer));
    if (size > 0) std::snprintf(value, static_cast<std::size_t>(size), "%s", answer);
}

void ScriptedGraphics::env(float xmin, float xmax, float ymin, float ymax, int just, int axis) {
    record("env", {xmin, xmax, ymin, ymax, float(just), float(axis)});
    window_[0] = xmin;
    window_[1] = xmax;
    window_[2] = ymin;
    window_[3] = ymax;
}

void ScriptedGraphics::qwin(float* x1, float* x2, float* y1, float* y2) {
    *x1 = window_[0];
    *x2 = window_[1];
    *y1 = window_[2];
    *y2 = window_[3];
}

void ScriptedGraphics::lab(const char* xlabel, const char* ylabel, const char* toplabel) {
    record("lab", {}, std::string(xlabel) + "|" + ylabel + "|" + toplabel);
}

void ScriptedGraphics::line(int n, const float* xpts, const float* ypts) {
    std::vector<float> values;
    for (int i = 0; i < n; ++i) {
        values.push_back(xpts[i]);
        values.push_back(ypts[i]);
    }
    record("line", std::move(values));
}

void ScriptedGraphics::move(float x, float y) {
    record("move", {x, y});
}
void ScriptedGraphics::draw(float x, float y) {
    record("draw", {x, y});
}
void ScriptedGraphics::pt1(float x, float y, int symbol) {
    record("pt1", {x, y, float(symbol)});
}

void ScriptedGraphics::ptxt(float x, float y, float angle, float fjust, const char* text) {
    record("ptxt", {x, y, angle, fjust}, text);
}

void ScriptedGraphics::rect(float x1, float x2, float y1, float y2) {
    record("rect", {x1, x2, y1, y2});
}

void ScriptedGraphics::sci(int ci) {
    colour_ = ci;
    record("sci", {float(ci)});
}

void ScriptedGraphics::scr(int ci, float cr, float cg, float cb) {
    record("scr", {float(ci), cr, cg, cb});
}

void ScriptedGraphics::sfs(int fs) {
    record("sfs", {float(fs)});
}
void ScriptedGraphics::sclp(int state) {
    record("sclp", {float(state)});
}

int ScriptedGraphics::band(int mode, int posn, float xref, float yref, float* x, float* y,
                           char* ch) {
    record("band", {float(mode), float(posn), xref, yref});
    const CursorEvent event = nextEvent();
    *x = event.x;
    *y = event.y;
    *ch = event.ch;
    return 1;
}

int ScriptedGraphics::curs(float* x, float* y, char* ch) {
    record("curs", {});
    const CursorEvent event = nextEvent();
    *x = event.x;
    *y = event.y;
    *ch = event.ch;
    return 1;
}
