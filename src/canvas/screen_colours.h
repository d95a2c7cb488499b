// The palette indices the editor's own lines, marks and texts are drawn in.
#pragma once

#include "../platform/platform_types.h"

inline constexpr int kBlackIndex = 0;
inline constexpr int kRedIndex = 4;
inline constexpr int kGreyIndex = 7;
inline constexpr int kWhiteIndex = 15;

// The same as GDI colour values, for the texts and pens.
inline constexpr plat::COLORREF kWhiteInk = plat::PALETTEINDEX(kWhiteIndex);
