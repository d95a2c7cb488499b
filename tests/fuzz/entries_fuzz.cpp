// Fuzz target: the three keyboard entries fed arbitrary keyboard snapshots,
// with Escape down or not at each poll. After every poll the text stays
// within the entry's limit (79 digits, 3 digits, 20 name characters), holds
// only what its keys type, and is followed by zero bytes to the end of its
// buffer; the echo line stays terminated. The entry ends at the first poll
// whose Enter types (down anew, or held into its fifth poll; not with Shift
// in a name), and a name then gets ".pix"; a poll that finds Escape down
// before that (as the first poll after the snapshots does) cancels the entry
// without reading the keyboard, and asks nothing else: no close request.
// Input: which entry, then per poll a byte (Escape, key count) and the keys.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "fuzz_machine.h"
#include "platform/headless/headless.h"
#include "textentry/entry.h"

namespace {

constexpr std::size_t kMostPolls = 32;
// A key held down types again from its fifth poll on.
constexpr int kRepeatFromPoll = 5;

struct Entry {
  int (*run)();
  char* text;
  std::size_t size;
  std::size_t limit;
  const char* typed;  // the characters its keys can store, Backspace's space among them
};

const Entry kEntries[] = {
    {EnterNumber, numberText, sizeof numberText, 79, "0123456789 "},
    {EnterSize, sizeText, sizeof sizeText, 3, "0123456789 "},
    {EnterFileName, nameText, sizeof nameText, 20,
     "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_ "},
};

const Entry* running = nullptr;
std::size_t polls = 0;

void CheckText(const Entry& entry, std::size_t limit, const char* typed) {
  const std::size_t length = strnlen(entry.text, entry.size);
  pixfuzz::Check(length <= limit, "the text is longer than the entry takes");
  for (std::size_t i = 0; i < length; ++i) {
    pixfuzz::Check(std::strchr(typed, entry.text[i]) != nullptr, "the text holds a character no key types");
  }
  for (std::size_t i = length; i < entry.size; ++i) {
    pixfuzz::Check(entry.text[i] == '\0', "a byte after the text is not zero");
  }
  pixfuzz::Check(std::memchr(textLine, 0, sizeof textLine) != nullptr, "the echo line lost its terminator");
}

// Every poll ends with a sleep of 120 ms, just after the keys were applied.
void AfterSleep(std::uint32_t ms) {
  if (ms == 120 && running != nullptr) {
    ++polls;
    CheckText(*running, running->limit, running->typed);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pixfuzz::OpenEditorOnce();
  const pixfuzz::Input scope;
  FuzzedDataProvider input(data, size);
  const Entry& entry = kEntries[input.ConsumeIntegralInRange<int>(0, 2)];
  std::vector<bool> escape;
  std::size_t firstEnter = kMostPolls + 1;  // the first poll whose Enter finishes the entry
  int enterPolls = 0;                       // polls in a row that found Enter down
  while (input.remaining_bytes() > 0 && escape.size() < kMostPolls) {
    const auto head = input.ConsumeIntegral<std::uint8_t>();
    std::array<std::uint8_t, 256> keys = {};
    for (int k = 0; k < (head >> 1) % 8; ++k) {
      keys[input.ConsumeIntegral<std::uint8_t>()] = 0x80;
    }
    const bool shift = keys[0x2A] != 0 || keys[0x36] != 0;
    enterPolls = keys[0x1C] != 0 ? enterPolls + 1 : 0;
    const bool enterTypes = enterPolls == 1 || enterPolls >= kRepeatFromPoll;
    if (enterTypes && (entry.text != nameText || !shift) && firstEnter > kMostPolls) {
      firstEnter = escape.size();
    }
    escape.push_back((head & 1) != 0);
    plat::headless::QueueKeyboard(keys);
    plat::headless::QueueEscape((head & 1) != 0);
  }
  // Junk that the entry must clear first.
  std::memset(entry.text, 'x', entry.size);
  running = &entry;
  polls = 0;
  plat::headless::SetSleepObserver(AfterSleep);
  const int ended = entry.run();
  plat::headless::SetSleepObserver(nullptr);
  running = nullptr;
  // Escape is read before the keys at every poll: the first poll with Escape
  // down, or the one after the snapshots, ends the entry unless an Enter
  // before it did.
  const std::size_t firstEscape =
      static_cast<std::size_t>(std::find(escape.begin(), escape.end(), true) - escape.begin());
  const bool finished = firstEnter < firstEscape;
  pixfuzz::Check(ended == (finished ? 1 : 0),
                 finished ? "the entry did not end on its Enter" : "the entry did not give up at Escape");
  const std::size_t expectedPolls = finished ? firstEnter + 1 : firstEscape;
  pixfuzz::Check(polls == expectedPolls, "the entry did not end at the poll that finishes it");
  pixfuzz::Check(plat::headless::KeyboardReadsLeft() == escape.size() - polls,
                 "the entry did not read one snapshot a poll");
  pixfuzz::Check(pixfuzz::TakeCloseRequests() == 0, "an entry asked the editor to end");
  if (!finished) {
    CheckText(entry, entry.limit, entry.typed);
    return 0;
  }
  if (entry.text == nameText) {
    const std::size_t length = strnlen(nameText, sizeof nameText);
    pixfuzz::Check(length >= 4 && length <= 24 && std::strcmp(nameText + length - 4, ".pix") == 0,
                   "the name does not end in .pix");
    std::memset(nameText + length - 4, 0, 4);
  }
  CheckText(entry, entry.limit, entry.typed);
  return 0;
}
