// Nearest sampling for whole multiples; the whole multiple filtered linearly for the rest.
#include "frame_scaler.h"

#include <algorithm>

#include "../display.h"

namespace plat::soft {
namespace {

// The taps of length window pixels showing screen pixels 0 to screen - 1 at factor times first.
// A linear filter samples at each window pixel's centre: texel (i + 1/2) * work / length - 1/2
// of the work image, in 256ths, between its two neighbours, clamped at the edges.
std::vector<FrameScaler::Tap> AxisTaps(int length, int screen, int factor, bool nearest) {
  std::vector<FrameScaler::Tap> taps(static_cast<std::size_t>(std::max(length, 0)));
  const std::int64_t work = std::int64_t{screen} * factor;
  for (int i = 0; i < length; ++i) {
    if (nearest) {
      const int pixel = std::min(i / factor, screen - 1);
      taps[i] = {pixel, pixel, 0};
      continue;
    }
    const std::int64_t at = (2 * std::int64_t{i} + 1) * work * 256 / (2 * std::int64_t{length}) - 128;
    const std::int64_t whole = at >= 0 ? at / 256 : -1;
    const int weight = at >= 0 ? static_cast<int>(at % 256) : 0;
    const std::int64_t first = std::clamp<std::int64_t>(whole, 0, work - 1);
    const std::int64_t second = std::clamp<std::int64_t>(whole + 1, 0, work - 1);
    taps[i] = {static_cast<int>(first / factor), static_cast<int>(second / factor), weight};
    if (taps[i].first == taps[i].second) {
      taps[i].weight = 0;
    }
  }
  return taps;
}

}  // namespace

void FrameScaler::Prepare(const Letterbox& box, const ScalePlan& plan) {
  dest_ = plan.dest;
  windowWidth_ = box.windowWidth;
  const int factor = std::max(plan.factor, 1);
  nearest_ = plan.dest.w == kScreenWidth * factor && plan.dest.h == kScreenHeight * factor;
  columns_ = AxisTaps(dest_.w, kScreenWidth, factor, nearest_);
  rows_ = AxisTaps(dest_.h, kScreenHeight, factor, nearest_);
}

void FrameScaler::WindowRowsShowing(int first, int last, int* top, int* bottom) const {
  *top = 0;
  *bottom = 0;
  bool found = false;
  for (std::size_t y = 0; y < rows_.size(); ++y) {
    const Tap& tap = rows_[y];
    if (std::max(tap.first, tap.second) >= first && std::min(tap.first, tap.second) <= last) {
      if (!found) {
        *top = dest_.y + static_cast<int>(y);
        found = true;
      }
      *bottom = dest_.y + static_cast<int>(y) + 1;
    }
  }
}

FrameScaler::Filtered& FrameScaler::FilteredRow(const ShownFrame& frame, int screenRow, int keptRow) {
  for (Filtered& filtered : filtered_) {
    if (filtered.screenRow == screenRow) {
      return filtered;
    }
  }
  // The rows go down the screen: the one not kept is done with.
  Filtered& filtered = filtered_[0].screenRow == keptRow ? filtered_[1] : filtered_[0];
  filtered.screenRow = screenRow;
  filtered.red.resize(columns_.size());
  filtered.green.resize(columns_.size());
  filtered.blue.resize(columns_.size());
  const std::uint8_t* row = frame.pixels.data() + std::size_t{kScreenWidth} * screenRow;
  for (std::size_t x = 0; x < columns_.size(); ++x) {
    const Tap& tap = columns_[x];
    const std::uint32_t a = frame.colours[row[tap.first]];
    const std::uint32_t b = frame.colours[row[tap.second]];
    const auto mix = [&tap](std::uint32_t p, std::uint32_t q, int shift) {
      return static_cast<std::uint16_t>(((p >> shift) & 0xFF) * (256 - tap.weight) +
                                        ((q >> shift) & 0xFF) * tap.weight);
    };
    filtered.red[x] = mix(a, b, 16);
    filtered.green[x] = mix(a, b, 8);
    filtered.blue[x] = mix(a, b, 0);
  }
  return filtered;
}

void FrameScaler::DrawRows(const ShownFrame& frame, int top, int bottom, std::uint32_t* picture) {
  if (frame.pixels.size() != std::size_t{kScreenWidth} * kScreenHeight || picture == nullptr) {
    return;
  }
  // The frame has changed since the last call.
  for (Filtered& filtered : filtered_) {
    filtered.screenRow = -1;
  }
  top = std::max(top, dest_.y);
  bottom = std::min(bottom, dest_.y + static_cast<int>(rows_.size()));
  for (int y = top; y < bottom; ++y) {
    const Tap& rowTap = rows_[y - dest_.y];
    std::uint32_t* out = picture + static_cast<std::size_t>(windowWidth_) * y + dest_.x;
    if (nearest_) {
      const std::uint8_t* row = frame.pixels.data() + std::size_t{kScreenWidth} * rowTap.first;
      for (std::size_t x = 0; x < columns_.size(); ++x) {
        out[x] = frame.colours[row[columns_[x].first]] & 0xFFFFFFu;
      }
      continue;
    }
    // Both rows are held at once: the second lookup must not drop the first.
    const Filtered& upper = FilteredRow(frame, rowTap.first, rowTap.second);
    const Filtered& lower = FilteredRow(frame, rowTap.second, rowTap.first);
    const std::uint32_t below = static_cast<std::uint32_t>(rowTap.weight);
    const std::uint32_t above = 256 - below;
    for (std::size_t x = 0; x < columns_.size(); ++x) {
      const std::uint32_t red = (upper.red[x] * above + lower.red[x] * below + 32768) >> 16;
      const std::uint32_t green = (upper.green[x] * above + lower.green[x] * below + 32768) >> 16;
      const std::uint32_t blue = (upper.blue[x] * above + lower.blue[x] * below + 32768) >> 16;
      out[x] = (red << 16) | (green << 8) | blue;
    }
  }
}

}  // namespace plat::soft
