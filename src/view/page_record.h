#pragma once
// What the screen's page shows, call by call since the page began. A text drawn again in
// the background colour is meant to vanish; on a screen that smooths its glyphs, ink of
// the old text would stay at every edge, so such a text is taken off the record instead
// and the page is drawn again from it: pixel for pixel a fresh page without that text.

#include <string>
#include <vector>

struct PageCall {
    enum class Kind { Env, Lab, Line, Move, Draw, Pt1, Ptxt, Rect, Sci, Sfs, Sclp };
    Kind kind;
    std::vector<float> values;       // numeric arguments in order; a line's x then y values
    std::vector<std::string> texts;  // text arguments
    int colour = 1;                  // the colour index in force when it was made
};

class PageRecord {
  public:
    void startPage() { calls_.clear(); }
    void add(PageCall call) { calls_.push_back(std::move(call)); }
    const std::vector<PageCall>& calls() const { return calls_; }

    // Takes the latest text drawn at the same place in another colour than the
    // background off the page; false when the page shows no such text.
    bool eraseText(const PageCall& text);

  private:
    std::vector<PageCall> calls_;
};
