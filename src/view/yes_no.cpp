#include "view/yes_no.h"

#include "view/colours.h"
#include "view/text_lines.h"

bool askYesNo(Graphics& gfx, ViewState& view, const char* question) {
    gfx.sci(kColourDialogue);
    drawCentredText(gfx, view.win, textLineY(view.win, kQuestionLine), question);
    gfx.sci(kColourFrame);
    view.key = 'n';
    float x = 0.0f, y = 0.0f;  // where the answer was given does not matter
    if (gfx.curs(&x, &y, &view.key) != 1) view.key = 'n';  // no answer is no
    return view.key == 'y' || view.key == 'Y';
}
