// The screen's frame scaled into a window's picture in software, as the sdl and win32 backends
// show it, with the samples the SDL backend's renderer takes: nearest for a whole multiple,
// otherwise the screen at the plan's whole multiple filtered linearly into the letterbox ("sharp
// bilinear"). Plain arithmetic, without a window system's types.
#pragma once

#include <cstdint>
#include <vector>

#include "screen_fit.h"
#include "shown_frame.h"

namespace plat::soft {

class FrameScaler {
 public:
  // For a window of box's size, scaled by plan (see PlanScale).
  void Prepare(const Letterbox& box, const ScalePlan& plan);
  // The window rows [top, bottom) that show something of screen rows first to last (inclusive);
  // top == bottom when none does.
  void WindowRowsShowing(int first, int last, int* top, int* bottom) const;
  // Draws window rows [top, bottom) of the letterbox from frame into picture, the window's
  // pixels (box.windowWidth a row, 0x00RRGGBB). The bars are left as they are.
  void DrawRows(const ShownFrame& frame, int top, int bottom, std::uint32_t* picture);

  // The screen pixels one window pixel along an axis takes, and the share (of 256) of the
  // second one.
  struct Tap {
    int first;
    int second;
    int weight;
  };
  const std::vector<Tap>& ColumnTaps() const { return columns_; }
  const std::vector<Tap>& RowTaps() const { return rows_; }

 private:
  // One screen row filtered across: each window column's red, green and blue, times 256.
  struct Filtered {
    int screenRow = -1;
    std::vector<std::uint16_t> red, green, blue;
  };
  // screenRow filtered, made in the place of a row other than keptRow when not at hand.
  Filtered& FilteredRow(const ShownFrame& frame, int screenRow, int keptRow);

  WindowRect dest_{};
  int windowWidth_ = 0;
  bool nearest_ = true;
  std::vector<Tap> columns_;
  std::vector<Tap> rows_;
  Filtered filtered_[2];
};

}  // namespace plat::soft
