// The image's history: copies of the images taken when a step begins,
// swapped with the images in use by undo and redo.
#include "canvas/image_history.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <new>
#include <utility>

#include "app/editor_state.h"
#include "canvas/image_store.h"

namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

// One step: the images as they were before it (before an undo), or as it
// left them (after one), and the state's number.
struct Step {
  ImageState state;
  std::uint64_t stateId = 0;
  std::uint64_t cost = 0;
};

struct History {
  std::deque<Step> steps;
  // steps[0, next) can be undone, steps[next, end) redone.
  std::size_t next = 0;
  std::uint64_t capBytes = kDefaultHistoryMegabytes * kMegabyte;
  std::uint64_t usedBytes = 0;
  // The number of the images' current state, and the last one given.
  std::uint64_t stateId = 0;
  std::uint64_t lastId = 0;
};

History history;

// A step costs its working image, and its reference image and palette unless
// the step before it holds the same: a reference image changes only with a
// Load, a palette with a colour's edit.
std::uint64_t CostOf(const ImageState& state, const Step* before) {
  std::uint64_t cost = sizeof(Step) + state.working.pixels.size() + state.selection.pixels.pixels.size();
  if (before == nullptr || before->state.reference != state.reference) {
    cost += state.reference != nullptr ? state.reference->pixels.size() : 0;
  }
  if (state.palette != nullptr && (before == nullptr || before->state.palette != state.palette)) {
    cost += sizeof(PaletteColours);
  }
  return cost;
}

void DropOldestStep() {
  history.usedBytes -= history.steps.front().cost;
  history.steps.pop_front();
  history.next = history.next > 0 ? history.next - 1 : 0;
  // The new oldest step holds its reference image alone now.
  if (!history.steps.empty()) {
    Step& oldest = history.steps.front();
    history.usedBytes -= oldest.cost;
    oldest.cost = CostOf(oldest.state, nullptr);
    history.usedBytes += oldest.cost;
  }
}

void DropRedoSteps() {
  while (history.steps.size() > history.next) {
    history.usedBytes -= history.steps.back().cost;
    history.steps.pop_back();
  }
}

void SwapWith(Step& step) {
  SwapImageState(step.state);
  std::swap(step.stateId, history.stateId);
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
  history.next = 0;
  DropRedoSteps();
  history.capBytes = capBytes;
  // A run numbers its states from 0, the state it starts in.
  history.stateId = 0;
  history.lastId = 0;
}

void BeginImageStep() {
  // Every change of the images passes here, kept or not.
  ++editorState.imageChanges;
  DropRedoSteps();
  const std::uint64_t before = history.stateId;
  history.stateId = ++history.lastId;
  if (history.capBytes == 0) {
    return;
  }
  try {
    Step step{CurrentImageState(), before, 0};
    step.cost = CostOf(step.state, history.steps.empty() ? nullptr : &history.steps.back());
    if (step.cost > history.capBytes) {
      return;
    }
    while (history.usedBytes + step.cost > history.capBytes) {
      DropOldestStep();
    }
    // The cost may have changed with the steps dropped before it.
    step.cost = CostOf(step.state, history.steps.empty() ? nullptr : &history.steps.back());
    history.steps.push_back(std::move(step));
    history.usedBytes += history.steps.back().cost;
    history.next = history.steps.size();
  } catch (const std::bad_alloc&) {
    // No memory for the copy: the step has no undo, and the work goes on.
  }
}

bool UndoImageStep() {
  if (history.next == 0) {
    return false;
  }
  SwapWith(history.steps[history.next - 1]);
  --history.next;
  ++editorState.imageChanges;
  return true;
}

bool RedoImageStep() {
  if (history.next == history.steps.size()) {
    return false;
  }
  SwapWith(history.steps[history.next]);
  ++history.next;
  ++editorState.imageChanges;
  return true;
}

std::uint64_t ImageStateId() {
  return history.stateId;
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
