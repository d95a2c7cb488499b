// The image's history: copies of the screen's image areas, taken when a step
// begins, swapped back onto the screen by undo and redo.
#include "canvas/image_history.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <new>

#include "app/editor_state.h"

namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

// The areas as the screen of one lock had them, for an image of one size.
struct Geometry {
  std::int32_t width;
  std::int32_t height;
  int screenWidth;
  int screenHeight;
};

// One step: the pixels of its areas, row by row. Before an undo they are the
// image as it was before the step; after it, as the step left it.
struct Step {
  Geometry geometry;
  std::size_t size;
  std::unique_ptr<std::uint8_t[]> pixels;
};

// What the allocator keeps beside a copy: at most a page for a large one.
constexpr std::uint64_t kAllocatorShare = 4096 + sizeof(Step);

struct History {
  std::deque<Step> steps;
  // steps[0, next) can be undone, steps[next, end) redone.
  std::size_t next = 0;
  std::uint64_t capBytes = kDefaultHistoryMegabytes * kMegabyte;
  std::uint64_t usedBytes = 0;
};

History history;

struct Area {
  std::int64_t left;
  std::int64_t top;
  std::int64_t right;  // right and bottom excluded
  std::int64_t bottom;
};

struct Band {
  std::int64_t left;
  std::int64_t right;
};

// Calls visit(y, left, right) for every screen pixel of the reference view,
// the grid and the working view exactly once, row by row, clipped to the
// screen. The grid is the pen's 5 x 5 blocks, the lines left of and above the
// cells included: beyond the lines a pass draws, nothing else puts them back.
// Areas of large images overlap; their bands are merged so that a swap takes
// each pixel once.
template <typename Visit>
void ForEachBand(const Geometry& geometry, Visit&& visit) {
  const std::int64_t w = std::max<std::int64_t>(geometry.width, 0);
  const std::int64_t h = std::max<std::int64_t>(geometry.height, 0);
  const std::array<Area, 3> areas = {{
      {6, 6, 6 + w, 6 + h},
      {140, 5, 140 + 5 * w, 5 + 5 * h},
      {6, 128, 6 + w, 128 + h},
  }};
  for (int y = 0; y < geometry.screenHeight; ++y) {
    std::array<Band, 3> bands{};
    std::size_t count = 0;
    for (const Area& area : areas) {
      const std::int64_t left = std::max<std::int64_t>(area.left, 0);
      const std::int64_t right = std::min<std::int64_t>(area.right, geometry.screenWidth);
      if (area.top <= y && y < area.bottom && left < right) {
        bands[count++] = Band{left, right};
      }
    }
    std::sort(bands.begin(), bands.begin() + count,
              [](const Band& a, const Band& b) { return a.left < b.left; });
    for (std::size_t i = 0; i < count;) {
      Band merged = bands[i++];
      while (i < count && bands[i].left <= merged.right) {
        merged.right = std::max(merged.right, bands[i++].right);
      }
      visit(y, merged.left, merged.right);
    }
  }
}

struct LockedScreen {
  std::uint8_t* memory;
  std::ptrdiff_t pitch;
  int width;
  int height;
};

bool LockScreen(LockedScreen& screen) {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  if (surface == nullptr || plat::FAILED(surface->Lock(nullptr, &surfaceDesc, plat::DDLOCK_WAIT, nullptr))) {
    return false;
  }
  screen = {static_cast<std::uint8_t*>(surfaceDesc.lpSurface), surfaceDesc.lPitch,
            static_cast<int>(surfaceDesc.dwWidth), static_cast<int>(surfaceDesc.dwHeight)};
  if (screen.memory == nullptr || screen.pitch < screen.width) {
    surface->Unlock(nullptr);
    return false;
  }
  return true;
}

void UnlockScreen() {
  displayDevice.primarySurface->Unlock(nullptr);
}

std::uint64_t CostOf(std::size_t size) {
  return size + kAllocatorShare;
}

void DropOldestStep() {
  history.usedBytes -= CostOf(history.steps.front().size);
  history.steps.pop_front();
  history.next = history.next > 0 ? history.next - 1 : 0;
}

void DropRedoSteps() {
  while (history.steps.size() > history.next) {
    history.usedBytes -= CostOf(history.steps.back().size);
    history.steps.pop_back();
  }
}

// Exchanges the step's pixels with the screen's: undo and redo alike.
bool SwapWithScreen(Step& step) {
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return false;
  }
  if (screen.width != step.geometry.screenWidth || screen.height != step.geometry.screenHeight) {
    UnlockScreen();
    return false;
  }
  std::uint8_t* stored = step.pixels.get();
  ForEachBand(step.geometry, [&](int y, std::int64_t left, std::int64_t right) {
    std::uint8_t* row = screen.memory + y * screen.pitch;
    stored = std::swap_ranges(row + left, row + right, stored);
  });
  UnlockScreen();
  return true;
}

}  // namespace

std::uint64_t HistoryCapFromSetting(const char* text, CapSetting* how) {
  *how = CapSetting::Taken;
  const std::uint64_t otherwise = kDefaultHistoryMegabytes * kMegabyte;
  if (text == nullptr) {
    return otherwise;
  }
  const char* p = text;
  while (*p == ' ' || *p == '\t') {
    ++p;
  }
  if (*p == '\0') {
    return otherwise;
  }
  std::uint64_t megabytes = 0;
  const char* digits = p;
  for (; *p >= '0' && *p <= '9'; ++p) {
    megabytes = std::min(megabytes * 10 + static_cast<std::uint64_t>(*p - '0'), kLargestHistoryMegabytes + 1);
  }
  const bool whole = p != digits;
  while (*p == ' ' || *p == '\t') {
    ++p;
  }
  if (!whole || *p != '\0') {
    *how = CapSetting::Invalid;
    return otherwise;
  }
  if (megabytes > kLargestHistoryMegabytes) {
    *how = CapSetting::TooLarge;
    megabytes = kLargestHistoryMegabytes;
  }
  return megabytes * kMegabyte;
}

void ResetImageHistory(std::uint64_t capBytes) {
  history = History{};
  history.capBytes = capBytes;
}

void BeginImageStep() {
  DropRedoSteps();
  if (history.capBytes == 0) {
    return;
  }
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return;
  }
  const Geometry geometry = {editorState.width, editorState.height, screen.width, screen.height};
  std::size_t size = 0;
  ForEachBand(geometry, [&size](int, std::int64_t left, std::int64_t right) {
    size += static_cast<std::size_t>(right - left);
  });
  const std::uint64_t cost = CostOf(size);
  if (cost > history.capBytes) {
    UnlockScreen();
    return;
  }
  while (history.usedBytes + cost > history.capBytes) {
    DropOldestStep();
  }
  // Short of memory, the oldest steps make room.
  std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[std::max<std::size_t>(size, 1)]);
  while (pixels == nullptr && !history.steps.empty()) {
    DropOldestStep();
    pixels.reset(new (std::nothrow) std::uint8_t[std::max<std::size_t>(size, 1)]);
  }
  if (pixels == nullptr) {
    UnlockScreen();
    return;
  }
  std::uint8_t* stored = pixels.get();
  ForEachBand(geometry, [&](int y, std::int64_t left, std::int64_t right) {
    const std::uint8_t* row = screen.memory + y * screen.pitch;
    stored = std::copy(row + left, row + right, stored);
  });
  UnlockScreen();
  history.steps.push_back(Step{geometry, size, std::move(pixels)});
  history.next = history.steps.size();
  history.usedBytes += cost;
}

bool UndoImageStep() {
  if (history.next == 0 || !SwapWithScreen(history.steps[history.next - 1])) {
    return false;
  }
  --history.next;
  return true;
}

bool RedoImageStep() {
  if (history.next == history.steps.size() || !SwapWithScreen(history.steps[history.next])) {
    return false;
  }
  ++history.next;
  return true;
}

bool ImageHistoryOn() {
  return history.capBytes > 0;
}

std::size_t UndoableSteps() {
  return history.next;
}

std::size_t RedoableSteps() {
  return history.steps.size() - history.next;
}

std::uint64_t HistoryBytes() {
  return history.usedBytes;
}
