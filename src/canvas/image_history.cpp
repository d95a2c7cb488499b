// The image's history: copies of the screen's image areas, taken when a step
// begins, swapped back onto the screen by undo and redo.
#include "canvas/image_history.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <deque>
#include <memory>
#include <new>
#include <vector>

#include "app/editor_state.h"
#include "canvas/locked_screen.h"
#include "canvas/reference_cover.h"
#include "canvas/screen_layout.h"
#include "platform/display.h"

namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

// The areas as the screen of one lock had them, for an image of one size.
struct Geometry {
  std::int32_t width;
  std::int32_t height;
  int screenWidth;
  int screenHeight;
};

// Copies are kept in blocks of one size, which the history keeps for the next
// steps when it drops old ones: the memory it takes never grows past the cap,
// whatever sizes the steps come in, and a stroke seldom asks the allocator.
constexpr std::size_t kBlockBytes = 16 * 1024;
using Block = std::array<std::uint8_t, kBlockBytes>;
// A copy holds at most the whole screen.
constexpr std::size_t kMostBlocks =
    (static_cast<std::size_t>(plat::kScreenWidth) * plat::kScreenHeight + kBlockBytes - 1) / kBlockBytes;

// One step: the pixels of its areas, row by row. Before an undo they are the
// image as it was before the step; after it, as the step left it.
struct Step {
  Geometry geometry;
  std::size_t size;
  std::array<std::unique_ptr<Block>, kMostBlocks> blocks;
};

std::size_t BlocksFor(std::size_t size) {
  return (size + kBlockBytes - 1) / kBlockBytes;
}

std::uint64_t CostOf(std::size_t size) {
  return BlocksFor(size) * kBlockBytes + sizeof(Step);
}

struct History {
  std::deque<Step> steps;
  // steps[0, next) can be undone, steps[next, end) redone.
  std::size_t next = 0;
  std::uint64_t capBytes = kDefaultHistoryMegabytes * kMegabyte;
  std::uint64_t usedBytes = 0;
  // Blocks of dropped steps, for the next ones.
  std::vector<std::unique_ptr<Block>> spare;
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
  const layout::ScreenPixel reference = layout::ReferencePixel(0, 0);
  const layout::ScreenPixel working = layout::WorkingPixel(0, 0);
  const layout::ScreenPixel grid = layout::GridBlock(0, 0);
  const layout::ScreenPixel gridEnd = layout::GridBlock(w, h);
  // By their left edges, so that each row meets its bands in order.
  static_assert(layout::kReferenceView.x <= layout::kWorkingView.x &&
                layout::kWorkingView.x <= layout::kGridOrigin.x);
  const std::array<Area, 3> areas = {{
      {reference.x, reference.y, reference.x + w, reference.y + h},
      {working.x, working.y, working.x + w, working.y + h},
      {grid.x, grid.y, gridEnd.x, gridEnd.y},
  }};
  for (int y = 0; y < geometry.screenHeight; ++y) {
    bool open = false;
    Band merged{0, 0};
    for (const Area& area : areas) {
      const std::int64_t left = std::max<std::int64_t>(area.left, 0);
      const std::int64_t right = std::min<std::int64_t>(area.right, geometry.screenWidth);
      if (area.top > y || y >= area.bottom || left >= right) {
        continue;
      }
      if (open && left <= merged.right) {
        merged.right = std::max(merged.right, right);
        continue;
      }
      if (open) {
        visit(y, merged.left, merged.right);
      }
      merged = Band{left, right};
      open = true;
    }
    if (open) {
      visit(y, merged.left, merged.right);
    }
  }
}

// Calls apply(screenPixels, storedPixels, count) over the step's areas, in
// pieces that end where a band or a block ends.
template <typename Apply>
void ForEachPiece(const LockedScreen& screen, Step& step, Apply&& apply) {
  std::size_t stored = 0;
  ForEachBand(step.geometry, [&](int y, std::int64_t left, std::int64_t right) {
    std::uint8_t* pixels = screen.Row(y) + left;
    auto count = static_cast<std::size_t>(right - left);
    while (count > 0) {
      const std::size_t inBlock = stored % kBlockBytes;
      const std::size_t piece = std::min(count, kBlockBytes - inBlock);
      apply(pixels, step.blocks[stored / kBlockBytes]->data() + inBlock, piece);
      pixels += piece;
      stored += piece;
      count -= piece;
    }
  });
}

void ReturnBlocks(Step& step) {
  for (std::unique_ptr<Block>& block : step.blocks) {
    if (block != nullptr) {
      history.spare.push_back(std::move(block));
    }
  }
}

void ForgetStep(Step& step) {
  history.usedBytes -= CostOf(step.size);
  ReturnBlocks(step);
}

void DropOldestStep() {
  ForgetStep(history.steps.front());
  history.steps.pop_front();
  history.next = history.next > 0 ? history.next - 1 : 0;
}

void DropRedoSteps() {
  while (history.steps.size() > history.next) {
    ForgetStep(history.steps.back());
    history.steps.pop_back();
  }
}

// A spare block, else a new one; short of memory, the oldest step gives up
// its blocks. Null when none can be had. The caller has made room under the
// cap, so the blocks in use and spare never take more than the cap.
std::unique_ptr<Block> TakeBlock() {
  while (true) {
    if (!history.spare.empty()) {
      std::unique_ptr<Block> block = std::move(history.spare.back());
      history.spare.pop_back();
      return block;
    }
    if (std::unique_ptr<Block> block(new (std::nothrow) Block); block != nullptr) {
      return block;
    }
    if (history.steps.empty()) {
      return nullptr;
    }
    DropOldestStep();
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
  // Through a small buffer with memcpy, fast in every build the sanitizers
  // and the fuzzer run too.
  ForEachPiece(screen, step, [](std::uint8_t* pixels, std::uint8_t* stored, std::size_t count) {
    std::array<std::uint8_t, 1024> held;
    for (std::size_t done = 0; done < count; done += held.size()) {
      const std::size_t piece = std::min(held.size(), count - done);
      std::memcpy(held.data(), pixels + done, piece);
      std::memcpy(pixels + done, stored + done, piece);
      std::memcpy(stored + done, held.data(), piece);
    }
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
  // The blocks stay for the new history, as far as its cap allows: a fresh
  // start (every test and fuzz input is one) need not ask for them again.
  history.next = 0;
  DropRedoSteps();
  history.capBytes = capBytes;
  while (!history.spare.empty() && history.spare.size() * kBlockBytes > capBytes) {
    history.spare.pop_back();
  }
}

void BeginImageStep() {
  // A step holds the loaded image, never a picture laid over it.
  LiftReferenceCover();
  // Every change of the image areas passes here, kept or not.
  ++editorState.imageChanges;
  DropRedoSteps();
  if (history.capBytes == 0) {
    return;
  }
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return;
  }
  Step step{{editorState.width, editorState.height, screen.width, screen.height}, 0, {}};
  ForEachBand(step.geometry, [&step](int, std::int64_t left, std::int64_t right) {
    step.size += static_cast<std::size_t>(right - left);
  });
  const std::uint64_t cost = CostOf(step.size);
  if (cost > history.capBytes || BlocksFor(step.size) > kMostBlocks) {
    UnlockScreen();
    return;
  }
  while (history.usedBytes + cost > history.capBytes) {
    DropOldestStep();
  }
  for (std::size_t i = 0; i < BlocksFor(step.size); ++i) {
    step.blocks[i] = TakeBlock();
    if (step.blocks[i] == nullptr) {
      UnlockScreen();
      ReturnBlocks(step);
      return;
    }
  }
  ForEachPiece(screen, step, [](const std::uint8_t* pixels, std::uint8_t* stored, std::size_t count) {
    std::memcpy(stored, pixels, count);
  });
  UnlockScreen();
  history.steps.push_back(std::move(step));
  history.next = history.steps.size();
  history.usedBytes += cost;
}

bool UndoImageStep() {
  LiftReferenceCover();
  if (history.next == 0 || !SwapWithScreen(history.steps[history.next - 1])) {
    return false;
  }
  --history.next;
  ++editorState.imageChanges;
  return true;
}

bool RedoImageStep() {
  LiftReferenceCover();
  if (history.next == history.steps.size() || !SwapWithScreen(history.steps[history.next])) {
    return false;
  }
  ++history.next;
  ++editorState.imageChanges;
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
