// The editor's side of the image history: where a stroke begins and ends, and
// what the undo and redo keys do.
#include "app/edit_history.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "canvas/image_history.h"

namespace {

bool strokeOpen = false;

}  // namespace

void StartEditHistory() {
  strokeOpen = false;
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
  if (!strokeOpen) {
    BeginImageStep();
    strokeOpen = true;
  }
}

void EndStroke() {
  strokeOpen = false;
}

void UndoKey() {
  if (!strokeOpen) {
    UndoImageStep();
  }
}

void RedoKey() {
  if (!strokeOpen) {
    RedoImageStep();
  }
}
