// The editor's side of the image history: where a stroke begins and ends, and
// the undo and redo keys.
#include "app/edit_history.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "canvas/image_history.h"
#include "platform/input.h"
#include "platform/system.h"

namespace {

// A held chord repeats as typing does, but slower: one step at a time can be
// watched going by and let go of at the one wanted.
constexpr std::uint64_t kRepeatDelayMs = 500;
constexpr std::uint64_t kRepeatIntervalMs = 100;

struct KeyWatch {
  bool strokeOpen = false;
  // The letters as the previous read found them: a press is a letter going down.
  bool zDown = false;
  bool yDown = false;
  // The letter whose press repeats while it and Control stay down; 0 for none.
  int repeatingLetter = 0;
  std::uint64_t repeatAt = 0;
};

KeyWatch watch;

bool KeyDown(int virtualKey) {
  return (static_cast<std::uint16_t>(plat::GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

}  // namespace

void StartEditHistory() {
  watch = KeyWatch{};
  CapSetting how = CapSetting::Taken;
  const std::uint64_t cap = HistoryCapFromSetting(std::getenv("PIXED_HISTORY_MB"), &how);
  if (how == CapSetting::Invalid) {
    std::fprintf(stderr,
                 "pixed: PIXED_HISTORY_MB is a whole number of megabytes from 0 to %llu; taking %llu\n",
                 static_cast<unsigned long long>(kLargestHistoryMegabytes),
                 static_cast<unsigned long long>(kDefaultHistoryMegabytes));
  } else if (how == CapSetting::TooLarge) {
    std::fprintf(stderr, "pixed: PIXED_HISTORY_MB is at most %llu; taking %llu\n",
                 static_cast<unsigned long long>(kLargestHistoryMegabytes),
                 static_cast<unsigned long long>(kLargestHistoryMegabytes));
  }
  ResetImageHistory(cap);
}

void BeginStrokeStep() {
  if (!watch.strokeOpen) {
    BeginImageStep();
    watch.strokeOpen = true;
  }
}

void EndStroke() {
  watch.strokeOpen = false;
}

void FollowHistoryKeys() {
  // Without a history the keys are not even read.
  if (!ImageHistoryOn()) {
    return;
  }
  const bool control = KeyDown(plat::VK_CONTROL);
  const bool shift = KeyDown(plat::VK_SHIFT);
  const bool z = KeyDown(plat::VK_Z);
  const bool y = KeyDown(plat::VK_Y);
  const int pressed = z && !watch.zDown ? plat::VK_Z : (y && !watch.yDown ? plat::VK_Y : 0);
  watch.zDown = z;
  watch.yDown = y;
  const bool repeatingDown =
      watch.repeatingLetter == plat::VK_Z ? z : (watch.repeatingLetter == plat::VK_Y && y);
  const std::uint64_t now = plat::GetTickCount64();
  if (control && pressed != 0) {
    watch.repeatingLetter = pressed;
    watch.repeatAt = now + kRepeatDelayMs;
  } else if (control && repeatingDown) {
    if (now < watch.repeatAt) {
      return;
    }
    watch.repeatAt = now + kRepeatIntervalMs;
  } else {
    watch.repeatingLetter = 0;
    return;
  }
  // A stroke keeps its step open; its presses are not kept for later.
  if (watch.strokeOpen) {
    return;
  }
  if (watch.repeatingLetter == plat::VK_Y || shift) {
    RedoImageStep();
  } else {
    UndoImageStep();
  }
}

void ForgetHistoryKeys() {
  if (!ImageHistoryOn()) {
    return;
  }
  for (int key : {plat::VK_CONTROL, plat::VK_SHIFT}) {
    KeyDown(key);
  }
  watch.zDown = KeyDown(plat::VK_Z);
  watch.yDown = KeyDown(plat::VK_Y);
  watch.repeatingLetter = 0;
}
