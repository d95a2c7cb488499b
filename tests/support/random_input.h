// Random input for long runs of the whole editor on the headless backend.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include "platform/headless/headless.h"

namespace pixtest {

// Mouse motion (small steps, jumps, pushes far off the screen), painting and
// colour picks, every button but Quit, the settings menu with clicks that hit
// and miss, and the typing of numbers, names and sizes with stray keys in
// between, and the undo and redo keys. It follows the editor's cursor to know which entry a click opens,
// and types into it what keeps the run going and its files small: every entry
// gets its Enter, sizes stay at most 64, offsets at most 999. Everything
// follows from the seed.
class RandomInput : public plat::headless::InputSource {
 public:
  explicit RandomInput(std::uint64_t seed) : random_(seed) {}

  plat::DIMOUSESTATE NextMouse() override;
  std::array<std::uint8_t, 256> NextKeyboard() override;
  bool NextEscape() override { return escape_; }
  // Now and then Ctrl+Z, Ctrl+Y or Ctrl+Shift+Z, held for a few passes.
  bool NextKey(int virtualKey) override;

  void SetEscape(bool down) { escape_ = down; }
  // How many entries of each kind the clicks opened.
  struct Entries {
    std::uint64_t numbers = 0;
    std::uint64_t names = 0;
    std::uint64_t sizes = 0;
  };
  const Entries& EntriesOpened() const { return entries_; }
  // Keyboard polls planned for entries that have not read them yet: 0 after
  // every pass, unless a click did not open the entry it was expected to.
  std::size_t PlannedPolls() const { return planned_.size(); }

 private:
  using Keys = std::array<std::uint8_t, 256>;

  plat::DIMOUSESTATE EditorMouse();
  void ChooseHistoryKeys();
  plat::DIMOUSESTATE MenuMouse();
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

  void Type(std::initializer_list<std::uint8_t> codes);
  void MaybeStrayPoll();
  void TypeDigits(int count, bool leadingZero);
  void PlanNumber();
  void PlanName();
  void PlanSize();

  std::mt19937_64 random_;
  std::deque<Keys> planned_;
  Keys lastTyped_{};
  Keys lastRead_{};
  bool menuLeftSeenUp_ = false;
  // After an entry or the menu a press counts for the loop only once the
  // left button has been seen up.
  bool leftHeldByAction_ = false;
  // The bar's actions act at the next press that meets them.
  bool barArmed_ = true;
  bool escape_ = false;
  std::vector<int> historyKeys_;
  int historyKeyPasses_ = 0;
  Entries entries_;
};

}  // namespace pixtest
