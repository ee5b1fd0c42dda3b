#pragma once
// A Graphics double for tests: records every call in order, with the colour index in
// force, and answers cursor reads from a queue of scripted events. A cursor read with an
// empty queue throws, so a test that forgets an event fails loudly instead of looping.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "view/graphics.h"

struct GraphicsCall {
    std::string name;           // the cpg call without its prefix: "env", "ptxt", "band", ...
    std::vector<float> values;  // numeric arguments in order (ints converted)
    std::string text;           // text argument; lab's three labels joined by '|'
    int colour = 1;             // colour index in force when the call was made
};

struct CursorEvent {
    float x = 0.0f, y = 0.0f;
    char ch = 'A';
};

class ScriptExhausted : public std::runtime_error {
  public:
    ScriptExhausted() : std::runtime_error("cursor read with no scripted event left") {}
};

class ScriptedGraphics : public Graphics {
  public:
    std::vector<GraphicsCall> calls;
    std::deque<CursorEvent> events;
    int openResult = 1;
    std::deque<int> beginResults;  // results of successive begin calls; 1 when empty
    // The devices the user names at successive begin calls; the screen when none is left.
    std::deque<std::string> beginDevices;
    std::string failure;  // what openFailure reports

    void push(float x, float y, char ch) { events.push_back({x, y, ch}); }
    void pushKey(char ch) { events.push_back({0.0f, 0.0f, ch}); }

    // Queries over the recorded calls.
    std::vector<const GraphicsCall*> named(const std::string& name) const;
    std::vector<std::string> texts() const;  // every ptxt text, in order
    std::vector<std::string> textsInColour(int colour) const;
    bool drewText(const std::string& text) const;
    int count(const std::string& name) const;
    const GraphicsCall* lastNamed(const std::string& name) const;
    void clearCalls() { calls.clear(); }

    int open(const char* device) override;
    int begin(int unit, const char* file, int nxsub, int nysub) override;
    void end() override;
    void ask(bool flag) override;
    std::string openFailure() const override { return failure; }
    void qinf(const char* item, char* value, int* length) override;
    void env(float xmin, float xmax, float ymin, float ymax, int just, int axis) override;
    void qwin(float* x1, float* x2, float* y1, float* y2) override;
    void lab(const char* xlabel, const char* ylabel, const char* toplabel) override;
    void line(int n, const float* xpts, const float* ypts) override;
    void move(float x, float y) override;
    void draw(float x, float y) override;
    void pt1(float x, float y, int symbol) override;
    void ptxt(float x, float y, float angle, float fjust, const char* text) override;
    void rect(float x1, float x2, float y1, float y2) override;
    void sci(int ci) override;
    void scr(int ci, float cr, float cg, float cb) override;
    void sfs(int fs) override;
    void sclp(int state) override;
    int band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) override;
    int curs(float* x, float* y, char* ch) override;

  private:
    void record(const char* name, std::vector<float> values, std::string text = {});
    CursorEvent nextEvent();

    int colour_ = 1;
    bool hardcopy_ = false;  // the device open is not the screen
    float window_[4] = {0.0f, 1.0f, 0.0f, 1.0f};
};
