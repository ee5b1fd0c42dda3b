#include "view/position_writing.h"

#include "view/colours.h"
#include "view/cursor.h"
#include "view/marks.h"

std::optional<char> runPositionWriting(Graphics& gfx, ViewState& view) {
    gfx.sci(kColourMark);
    view.key = 'n';
    for (;;) {
        CursorPos at;
        if (!readCursor(gfx, kBandPlain, at, at, view.key)) return std::nullopt;
        switch (view.key) {
            case 'A':
                view.key = 'n';
                drawPositionMark(gfx, at.x, at.y);
                break;
            case 'q':
            case 'Q':
            case 'x':
            case 'X':
                return view.key;
            case 'w':
            case 'W':
            case 'D':
                gfx.sci(kColourFrame);
                return std::nullopt;
            default:
                break;
        }
    }
}
