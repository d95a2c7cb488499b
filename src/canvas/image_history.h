// The image's history: copies of the working and reference images (and
// their size), taken when a step begins, put back by undo and redo.
#pragma once

#include <cstddef>
#include <cstdint>

// The cap when PIXED_HISTORY_MB is not set, and the most it may give.
constexpr std::uint64_t kDefaultHistoryMegabytes = 64;
constexpr std::uint64_t kLargestHistoryMegabytes = 1024;

// How a PIXED_HISTORY_MB value was taken.
enum class CapSetting {
  Taken,     // unset, empty, or a whole number from 0 to 1024
  TooLarge,  // a larger whole number: 1024 taken
  Invalid,   // negative, a fraction, not a number: 64 taken
};

// The cap in bytes that a PIXED_HISTORY_MB value gives (null: unset): a whole
// number of megabytes (of 1,048,576 bytes), blanks around it allowed; 0 turns
// the history off.
std::uint64_t HistoryCapFromSetting(const char* text, CapSetting* how);

// Forgets every step and takes the cap in bytes (0: no history). Called at
// every start of the editor.
void ResetImageHistory(std::uint64_t capBytes);

// A step (a stroke, a Load, a Clear, a size change) is about to change the
// images: copies them as they are. The steps that could have been redone
// are dropped, and the oldest ones when the copy would not fit beside them.
// A copy that cannot be taken (no memory) leaves the step without an undo;
// the caller goes on all the same.
void BeginImageStep();

// Puts the images back as they were before the last step not undone
// (undo), or as the last undone step left them (redo), with their size.
// False when there is no such step.
bool UndoImageStep();
bool RedoImageStep();

// False when the cap is 0: no step is kept.
bool ImageHistoryOn();
std::size_t UndoableSteps();
std::size_t RedoableSteps();
// What the steps take, in bytes: their copies (a reference image shared by
// neighbouring steps counted once) and their records.
std::uint64_t HistoryBytes();
// A number for the images' state: every step gives a new one, and undo and
// redo give back the one of the state they return to. Work is as saved
// while this is the number it had when it was saved or loaded.
std::uint64_t ImageStateId();
