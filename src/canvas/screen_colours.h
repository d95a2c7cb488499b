// The palette indices the editor's own lines, marks and texts are drawn in.
#pragma once

#include "../platform/platform_types.h"

// The entries that serve as the editor's inks: black 0, red 4, grey 7 and
// white 15 on the built-in palette. The artist's palette may make those
// unreadable, so they are chosen again whenever the palette changes
// (canvas/screen_inks.h) and read at each use, never kept.
struct ScreenInks {
  int black = 0;
  int red = 4;
  int grey = 7;
  int white = 15;
  // The same as GDI colour values, for the texts.
  plat::COLORREF blackText = plat::PALETTEINDEX(0);
  plat::COLORREF redText = plat::PALETTEINDEX(4);
  plat::COLORREF whiteText = plat::PALETTEINDEX(15);
};

extern ScreenInks screenInks;

inline const int& kBlackIndex = screenInks.black;
inline const int& kRedIndex = screenInks.red;
inline const int& kGreyIndex = screenInks.grey;
inline const int& kWhiteIndex = screenInks.white;
inline const plat::COLORREF& kBlackInk = screenInks.blackText;
inline const plat::COLORREF& kRedInk = screenInks.redText;
inline const plat::COLORREF& kWhiteInk = screenInks.whiteText;
