// The palette panel's columns: the panel shows 81 entries a page (0-80,
// 81-161, 162-242, 243-255), three columns of 27 on each.
#pragma once

#include <algorithm>

#include "canvas/screen_layout.h"

inline constexpr int kEntriesPerPage = layout::kSwatchColumns * layout::kSwatchRows;
inline constexpr int kLastEntry = 255;

struct EntryRange {
  int first;
  int last;
};

// The entries of the column, on its page, that an entry lies in.
constexpr EntryRange PanelColumnOf(int entry) {
  const int page = entry / kEntriesPerPage;
  const int column = (entry % kEntriesPerPage) / layout::kSwatchRows;
  const int first = page * kEntriesPerPage + column * layout::kSwatchRows;
  return {first, std::min(first + layout::kSwatchRows - 1, kLastEntry)};
}
static_assert(PanelColumnOf(26).last == 26 && PanelColumnOf(27).first == 27 &&
              PanelColumnOf(250).first == 243 && PanelColumnOf(250).last == 255 &&
              PanelColumnOf(100).first == 81 && PanelColumnOf(110).first == 108);
