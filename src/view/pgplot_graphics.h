#pragma once
// The graphics seam on the real PGPLOT library (giza's libcpgplot). It owns every fact about
// the real device: which giza device stands for a PGPLOT device name, the device dialogue
// on the console, and PGPLOT's return values where giza's differ. The mouse buttons are
// renumbered before giza reads them by the X event wrappers linked into the executable
// (x_event_wrappers.cpp), so that a right click reads as 'D'. On the screen, a text drawn
// again in the background colour is erased by drawing the page again without it
// (page_record.h).

#include <optional>
#include <string>

#include "view/graphics.h"
#include "view/page_record.h"

class Console;

class PgplotGraphics : public Graphics {
  public:
    explicit PgplotGraphics(Console& console) : console_(console) {}

    int open(const char* device) override;
    int begin(int unit, const char* file, int nxsub, int nysub) override;
    void end() override;
    void ask(bool flag) override;
    std::string openFailure() const override { return openFailure_; }
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
    // The giza specification for a requested device; "?" asks the user on the console.
    // None when the device cannot be opened.
    std::optional<std::string> gizaDeviceFor(const char* device);
    // Opens a giza device: the device id, <= 0 when it cannot be opened.
    int openGiza(const std::string& spec);

    // Records a drawing call of the screen's page and makes it.
    void drawCall(PageCall call);
    void paint(const PageCall& call);
    // Draws the page again from its record if a text was erased since it was drawn.
    void settle();

    Console& console_;
    PageRecord page_;
    int colour_ = 1;
    bool redrawPending_ = false;
    bool screenOpen_ = false;  // the open device is the interactive screen
    std::string openFailure_;
};
