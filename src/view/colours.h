#pragma once
// PGPLOT colour indices of the default table, named by what the view draws in them.

inline constexpr int kColourErase = 0;       // background: draws a text again to erase it
inline constexpr int kColourFrame = 1;       // frame, labels, pattern curve, help banner
inline constexpr int kColourNotice = 2;      // instruction lines, point markers, help titles
inline constexpr int kColourRoiOutline = 3;  // the rectangle of a selected region
inline constexpr int kColourDialogue = 4;    // help lines, questions, joining lines
inline constexpr int kColourMark = 6;        // position marks
inline constexpr int kColourWaiting = 11;    // in force while a region-choice mode waits
