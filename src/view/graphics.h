#pragma once
// The graphics seam: the PGPLOT calls the program makes, named after them without the
// "cpg" prefix and with the same arguments and meanings. PgplotGraphics draws in a real
// window; tests use a scripted double that records every call.

#include <string>

class Graphics {
  public:
    virtual ~Graphics() = default;

    // Opens a device by specification; > 0 on success (cpgopen).
    virtual int open(const char* device) = 0;
    // Opens a device; "?" asks the user for one on the console. 1 on success (cpgbeg).
    virtual int begin(int unit, const char* file, int nxsub, int nysub) = 0;
    virtual void end() = 0;
    virtual void ask(bool flag) = 0;
    // Why the last open or begin failed, as one line for the user; empty when the device
    // has nothing to add to the failure.
    virtual std::string openFailure() const = 0;
    // Device information (cpgqinf): "HARDCOPY" answers "YES" or "NO". `value` has room for
    // *length characters; *length becomes the length of the answer.
    virtual void qinf(const char* item, char* value, int* length) = 0;

    virtual void env(float xmin, float xmax, float ymin, float ymax, int just, int axis) = 0;
    virtual void qwin(float* x1, float* x2, float* y1, float* y2) = 0;
    virtual void lab(const char* xlabel, const char* ylabel, const char* toplabel) = 0;

    virtual void line(int n, const float* xpts, const float* ypts) = 0;
    virtual void move(float x, float y) = 0;
    virtual void draw(float x, float y) = 0;
    virtual void pt1(float x, float y, int symbol) = 0;
    virtual void ptxt(float x, float y, float angle, float fjust, const char* text) = 0;
    virtual void rect(float x1, float x2, float y1, float y2) = 0;
    virtual void sci(int ci) = 0;
    // The colour of an index, red, green and blue from 0 to 1 (cpgscr).
    virtual void scr(int ci, float cr, float cg, float cb) = 0;
    virtual void sfs(int fs) = 0;
    virtual void sclp(int state) = 0;

    // Cursor reads: block until a click ('A' left, 'D' right) or a key; 1 on success.
    virtual int band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) = 0;
    virtual int curs(float* x, float* y, char* ch) = 0;
};
