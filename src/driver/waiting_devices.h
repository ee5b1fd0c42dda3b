#pragma once
// The program's two devices with their waits for the user marked (recovery.h): the graphics
// device's cursor reads, and the console's reads from the terminal.

#include <streambuf>
#include <string>

#include "view/graphics.h"

class WaitingGraphics : public Graphics {
  public:
    explicit WaitingGraphics(Graphics& device) : device_(device) {}

    int open(const char* device) override { return device_.open(device); }
    int begin(int unit, const char* file, int nxsub, int nysub) override {
        return device_.begin(unit, file, nxsub, nysub);
    }
    void end() override { device_.end(); }
    void ask(bool flag) override { device_.ask(flag); }
    std::string openFailure() const override { return device_.openFailure(); }
    void qinf(const char* item, char* value, int* length) override {
        device_.qinf(item, value, length);
    }

    void env(float xmin, float xmax, float ymin, float ymax, int just, int axis) override {
        device_.env(xmin, xmax, ymin, ymax, just, axis);
    }
    void qwin(float* x1, float* x2, float* y1, float* y2) override { device_.qwin(x1, x2, y1, y2); }
    void lab(const char* xlabel, const char* ylabel, const char* toplabel) override {
        device_.lab(xlabel, ylabel, toplabel);
    }

    void line(int n, const float* xpts, const float* ypts) override { device_.line(n, xpts, ypts); }
    void move(float x, float y) override { device_.move(x, y); }
    void draw(float x, float y) override { device_.draw(x, y); }
    void pt1(float x, float y, int symbol) override { device_.pt1(x, y, symbol); }
    void ptxt(float x, float y, float angle, float fjust, const char* text) override {
        device_.ptxt(x, y, angle, fjust, text);
    }
    void rect(float x1, float x2, float y1, float y2) override { device_.rect(x1, x2, y1, y2); }
    void sci(int ci) override { device_.sci(ci); }
    void scr(int ci, float cr, float cg, float cb) override { device_.scr(ci, cr, cg, cb); }
    void sfs(int fs) override { device_.sfs(fs); }
    void sclp(int state) override { device_.sclp(state); }

    int band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) override;
    int curs(float* x, float* y, char* ch) override;

  private:
    Graphics& device_;
};

// The console's input, one character at a time from the terminal's stream buffer.
class WaitingInput : public std::streambuf {
  public:
    explicit WaitingInput(std::streambuf* terminal) : terminal_(terminal) {}

  protected:
    int_type underflow() override;

  private:
    std::streambuf* terminal_;
    char current_ = 0;
};
