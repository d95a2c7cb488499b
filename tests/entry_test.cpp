// Tests of the keyboard entries (number, size, file name) and of the number conversion.
#include "textentry/entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "draw/primitives.h"
#include "platform/headless/headless.h"
#include "platform/soft/entry_keyboard.h"
#include "platform/window.h"
#include "support/editor_fixture.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_compare.h"

namespace {

using pixtest::CountCalls;
using Keys = std::vector<std::uint8_t>;

enum class Kind { Number, Size, Name };

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Number:
      return "EnterNumber";
    case Kind::Size:
      return "EnterSize";
    case Kind::Name:
      return "EnterFileName";
  }
  return "?";
}

int RunEntryOf(Kind kind) {
  switch (kind) {
    case Kind::Number:
      return EnterNumber();
    case Kind::Size:
      return EnterSize();
    case Kind::Name:
      return EnterFileName();
  }
  return -1;
}

std::string Text(Kind kind) {
  switch (kind) {
    case Kind::Number:
      return std::string(numberText, strnlen(numberText, sizeof numberText));
    case Kind::Size:
      return std::string(sizeText, strnlen(sizeText, sizeof sizeText));
    case Kind::Name:
      return std::string(nameText, strnlen(nameText, sizeof nameText));
  }
  return "";
}

void QueuePoll(const Keys& keys) {
  std::array<std::uint8_t, 256> state = {};
  for (std::uint8_t key : keys) {
    state[key] = 0x80;
  }
  plat::headless::QueueKeyboard(state);
}

// A poll queued after the script: an entry that read it went on too long.
const Keys kSentinel = {plat::DIK_9, plat::DIK_Z};

class EntryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(pixtest::OpenTestEditor()); }
  void TearDown() override { pixtest::CloseTestEditor(); }

  // A new machine, so nothing queued for an earlier case is left over.
  void Fresh() {
    pixtest::CloseTestEditor();
    ASSERT_TRUE(pixtest::OpenTestEditor());
  }

  // Runs the entry over the polls; returns how many polls it read.
  std::size_t RunPolls(Kind kind, const std::vector<Keys>& polls) {
    for (const Keys& keys : polls) {
      QueuePoll(keys);
    }
    QueuePoll(kSentinel);
    const std::size_t before = plat::headless::KeyboardReadsLeft();
    result_ = RunEntryOf(kind);
    return before - plat::headless::KeyboardReadsLeft();
  }
  // What the entry of the last RunPolls returned.
  int EntryResult() const { return result_; }

  pixtest::ScratchDir scratch_;
  int result_ = -1;
};

struct EntryCase {
  const char* what;
  Kind kind;
  std::vector<Keys> polls;
  std::string expected;
  std::size_t pollsRead;
};

using plat::DIK_0;
using plat::DIK_1;
using plat::DIK_2;
using plat::DIK_3;
using plat::DIK_4;
using plat::DIK_5;
using plat::DIK_6;
using plat::DIK_7;
using plat::DIK_9;
using plat::DIK_A;
using plat::DIK_B;
using plat::DIK_BACK;
using plat::DIK_C;
using plat::DIK_LSHIFT;
using plat::DIK_MINUS;
using plat::DIK_RETURN;
using plat::DIK_RSHIFT;
using plat::DIK_Z;

// Polls that alternate between two sets of keys, so each poll finds its keys new.
std::vector<Keys> Alternating(int count, const Keys& even, const Keys& odd) {
  std::vector<Keys> polls;
  for (int i = 0; i < count; ++i) {
    polls.push_back(i % 2 == 0 ? even : odd);
  }
  return polls;
}

std::vector<Keys> Letters(int count) {
  return Alternating(count, {DIK_A}, {DIK_B});
}

std::vector<Keys> Then(std::vector<Keys> polls, const std::vector<Keys>& more) {
  polls.insert(polls.end(), more.begin(), more.end());
  return polls;
}

TEST_F(EntryTest, KeyScriptsGiveTheirTexts) {
  const std::string twentyLetters = "abababababababababab";
  const EntryCase cases[] = {
      {"Enter at once", Kind::Number, {{DIK_RETURN}}, "", 1},
      {"Enter at once", Kind::Size, {{DIK_RETURN}}, "", 1},
      {"Enter at once", Kind::Name, {{DIK_RETURN}}, ".pix", 1},
      {"size limit reached, then Enter",
       Kind::Size,
       {{DIK_1}, {DIK_2}, {DIK_3}, {DIK_4}, {DIK_RETURN}},
       "123",
       5},
      {"name limit reached, then Enter", Kind::Name, Then(Letters(21), {{DIK_RETURN}}),
       twentyLetters + ".pix", 22},
      {"Backspace leaves a space",
       Kind::Name,
       {{DIK_A}, {DIK_B}, {DIK_C}, {DIK_BACK}, {DIK_RETURN}},
       "ab .pix",
       5},
      {"Backspace leaves a space",
       Kind::Number,
       {{DIK_1}, {DIK_2}, {DIK_3}, {DIK_BACK}, {DIK_RETURN}},
       "12 ",
       5},
      {"typing over a deleted character",
       Kind::Number,
       {{DIK_1}, {DIK_2}, {DIK_BACK}, {DIK_7}, {DIK_RETURN}},
       "17",
       5},
      {"key held four polls types once",
       Kind::Name,
       {{DIK_A}, {DIK_A}, {DIK_A}, {DIK_A}, {DIK_RETURN}},
       "a.pix",
       5},
      {"key held on repeats from its fifth poll", Kind::Number,
       Then(std::vector<Keys>(6, Keys{DIK_4}), {{DIK_RETURN}}), "444", 7},
      {"a key let go and pressed again", Kind::Name, {{DIK_A}, {}, {DIK_A}, {DIK_RETURN}}, "aa.pix", 4},
      {"Backspace held deletes once",
       Kind::Name,
       {{DIK_A}, {DIK_B}, {DIK_BACK}, {DIK_BACK}, {DIK_RETURN}},
       "a .pix",
       5},
      {"two digits in table order", Kind::Number, {{DIK_9, DIK_1}, {DIK_RETURN}}, "19", 2},
      {"zero after nine", Kind::Number, {{DIK_0, DIK_1}, {DIK_RETURN}}, "10", 2},
      {"two letters in table order", Kind::Name, {{DIK_B, DIK_A}, {DIK_RETURN}}, "ab.pix", 2},
      {"keys before Enter in one poll kept", Kind::Name, {{DIK_A, DIK_RETURN}}, "a.pix", 1},
      {"digit and Enter in one poll", Kind::Number, {{DIK_7, DIK_RETURN}}, "7", 1},
      {"Backspace in one poll after a digit", Kind::Number, {{DIK_5, DIK_BACK}, {DIK_RETURN}}, " ", 2},
      {"Shift gives capitals",
       Kind::Name,
       {{DIK_LSHIFT, DIK_A}, {DIK_RSHIFT, DIK_Z}, {DIK_RETURN}},
       "AZ.pix",
       3},
      {"Shift blocks digits", Kind::Name, {{DIK_LSHIFT, DIK_1}, {DIK_RETURN}}, ".pix", 2},
      {"Shift blocks Enter, also once Shift is let go",
       Kind::Name,
       {{DIK_LSHIFT, DIK_RETURN}, {DIK_RETURN}, {DIK_C}, {DIK_RETURN}},
       "c.pix",
       4},
      {"Shift blocks Backspace", Kind::Name, {{DIK_A}, {DIK_RSHIFT, DIK_BACK}, {DIK_RETURN}}, "a.pix", 3},
      {"Minus only with Shift",
       Kind::Name,
       {{DIK_MINUS}, {}, {DIK_LSHIFT, DIK_MINUS}, {DIK_RETURN}},
       "_.pix",
       4},
      {"Shift ignored by numbers",
       Kind::Number,
       {{DIK_LSHIFT, DIK_5}, {DIK_RSHIFT, DIK_6}, {DIK_RETURN}},
       "56",
       3},
      {"Shift ignored by sizes", Kind::Size, {{DIK_LSHIFT, DIK_4}, {DIK_RETURN}}, "4", 2},
      {"letters ignored by numbers", Kind::Number, {{DIK_A, DIK_Z, DIK_MINUS}, {DIK_RETURN}}, "", 2},
      {"keypad and punctuation ignored",
       Kind::Name,
       {{0x4F, plat::DIK_PERIOD, plat::DIK_SPACE}, {DIK_RETURN}},
       ".pix",
       2},
      {"Backspace on an empty entry", Kind::Size, {{DIK_BACK}, {DIK_BACK}, {DIK_4}, {DIK_RETURN}}, "4", 4},
      {"Backspace on an empty name", Kind::Name, {{DIK_BACK}, {DIK_RETURN}}, ".pix", 2},
      {"one poll past the size limit",
       Kind::Size,
       {{DIK_1}, {DIK_2}, {DIK_3, DIK_4, DIK_5}, {DIK_RETURN}},
       "123",
       4},
      {"four digits in one poll", Kind::Size, {{DIK_1, DIK_2, DIK_3, DIK_4}, {DIK_RETURN}}, "123", 2},
      {"Backspace after the limit in one poll",
       Kind::Size,
       {{DIK_1, DIK_2}, {DIK_3, DIK_4, DIK_BACK}, {DIK_RETURN}},
       "12 ",
       3},
      // The a of the last poll is still down: only b and c are new.
      {"one poll past the name limit", Kind::Name, Then(Letters(19), {{DIK_A, DIK_B, DIK_C}, {DIK_RETURN}}),
       twentyLetters + ".pix", 21},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(std::string(KindName(c.kind)) + ": " + c.what);
    Fresh();
    EXPECT_EQ(RunPolls(c.kind, c.polls), c.pollsRead);
    EXPECT_EQ(Text(c.kind), c.expected);
  }
}

TEST_F(EntryTest, BuffersAreClearedWhole) {
  std::memset(numberText, 'x', sizeof numberText);
  std::memset(sizeText, 'x', sizeof sizeText);
  std::memset(nameText, 'x', sizeof nameText);
  RunPolls(Kind::Number, {{DIK_RETURN}});
  Fresh();
  RunPolls(Kind::Size, {{DIK_RETURN}});
  Fresh();
  RunPolls(Kind::Name, {{DIK_RETURN}});
  for (std::size_t i = 0; i < sizeof numberText; ++i) {
    ASSERT_EQ(numberText[i], 0) << "numberText byte " << i;
  }
  for (std::size_t i = 0; i < sizeof sizeText; ++i) {
    ASSERT_EQ(sizeText[i], 0) << "sizeText byte " << i;
  }
  const char expectedName[25] = ".pix";
  EXPECT_EQ(std::memcmp(nameText, expectedName, sizeof nameText), 0) << "nameText: " << nameText;
}

TEST_F(EntryTest, NumberKeepsAtMost79DigitsAndWaitsForEnter) {
  std::vector<Keys> polls = Alternating(200, {DIK_7}, {});
  polls.push_back({DIK_RETURN});
  EXPECT_EQ(RunPolls(Kind::Number, polls), 201u) << "the limit must not end the entry";
  EXPECT_EQ(Text(Kind::Number), std::string(79, '7'));
  for (std::size_t i = 79; i < sizeof numberText; ++i) {
    ASSERT_EQ(numberText[i], 0) << "numberText byte " << i;
  }
  // At the limit Backspace still works and the freed place takes a digit again.
  Fresh();
  RunPolls(Kind::Number, Then(Alternating(160, {DIK_1}, {}), {{DIK_BACK}, {DIK_2, DIK_3}, {DIK_RETURN}}));
  EXPECT_EQ(Text(Kind::Number), std::string(78, '1') + "2");
}

TEST_F(EntryTest, PacedBy200ThenEvery120Milliseconds) {
  const std::uint64_t start = plat::headless::Now();
  RunPolls(Kind::Size, {{DIK_1}, {}, {DIK_RETURN}});
  EXPECT_EQ(plat::headless::Now() - start, 200u + 3u * 120u);
  std::vector<std::string> paced;
  for (const std::string& call : plat::headless::CallLog()) {
    if (call.starts_with("Sleep(") || call == "Keyboard.GetDeviceState") {
      paced.push_back(call);
    }
  }
  const std::vector<std::string> expected = {
      "Sleep(200)", "Keyboard.GetDeviceState", "Sleep(120)", "Keyboard.GetDeviceState",
      "Sleep(120)", "Keyboard.GetDeviceState", "Sleep(120)"};
  EXPECT_EQ(paced, expected) << pixtest::CallLogText();
}

TEST_F(EntryTest, EchoAndHintDrawnInRed) {
  // Something inside the echo line that the text does not cover must be erased.
  DrawTextAt("zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz", 410, 440, plat::RGB(255, 255, 255),
             displayDevice.primarySurface);
  plat::headless::ClearLog();
  RunPolls(Kind::Name, {{DIK_A}, {DIK_B}, {DIK_RETURN}});
  const pixtest::ScreenPixels after = plat::headless::Screen();

  FillSurface(displayDevice.primarySurface, 0);
  DrawTextAt("Hit Enter When Done", 420, 470, plat::RGB(255, 0, 0), displayDevice.primarySurface);
  DrawTextAt("ab.pix", 420, 440, plat::RGB(255, 0, 0), displayDevice.primarySurface);
  const pixtest::ScreenPixels expected = plat::headless::Screen();
  EXPECT_TRUE(pixtest::SameOutside(expected, after, {0, 0, 0, 0}));
  // Pure red is palette entry 4; the echo holds nothing but red on black.
  int red = 0;
  int other = 0;
  for (int y = 440; y < 456; ++y) {
    for (int x = 420; x < 420 + 6 * 8; ++x) {
      const std::uint8_t pixel = after[static_cast<std::size_t>(y * 800 + x)];
      red += pixel == 4;
      other += pixel != 4 && pixel != 0;
    }
  }
  EXPECT_GT(red, 20) << "red pixels in the echo";
  EXPECT_EQ(other, 0) << "pixels of other colours in the echo";
}

TEST_F(EntryTest, EscapeCancelsTheEntryAndTheEditorGoesOn) {
  for (const Kind kind : {Kind::Number, Kind::Size, Kind::Name}) {
    SCOPED_TRACE(KindName(kind));
    Fresh();
    plat::headless::QueueEscape(false);
    plat::headless::QueueEscape(true);
    // Escape is seen before the second poll's keyboard read: "1" was typed, Enter never read.
    EXPECT_EQ(RunPolls(kind, {{DIK_1}, {DIK_RETURN}}), 1u);
    EXPECT_EQ(EntryResult(), 0) << "the half-typed text is not taken";
    EXPECT_EQ(CountCalls("PostMessageA(WM_CLOSE)"), 0u) << "no request to end\n" << pixtest::CallLogText();
  }
}

// Keys held and let go on the virtual clock, read as the Linux backend reads
// them (a tap between two polls latched), while an entry runs.
class TimedKeyboard : public plat::headless::InputSource {
 public:
  TimedKeyboard() : start_(plat::headless::Now()) {
    active = this;
    plat::headless::SetInputSource(this);
    plat::headless::SetSleepObserver([](std::uint32_t ms) { active->keyboard_.Paused(ms); });
  }
  ~TimedKeyboard() override {
    plat::headless::SetSleepObserver(nullptr);
    plat::headless::SetInputSource(nullptr);
    active = nullptr;
  }
  // Holds the key for ms from at ms after the entry began (its first poll is at 200).
  void Hold(std::uint8_t code, std::uint64_t at, std::uint64_t ms) {
    events_.push_back({start_ + at, code, true});
    events_.push_back({start_ + at + ms, code, false});
    std::stable_sort(events_.begin(), events_.end(),
                     [](const Event& a, const Event& b) { return a.at < b.at; });
  }
  // Types the keys one after another; returns when the last is let go.
  std::uint64_t Type(const Keys& codes, std::uint64_t at, std::uint64_t holdMs, std::uint64_t gapMs) {
    for (std::uint8_t code : codes) {
      Hold(code, at, holdMs);
      at += holdMs + gapMs;
    }
    return at - gapMs;
  }

  plat::DIMOUSESTATE NextMouse() override { return {}; }
  bool NextEscape() override { return false; }
  std::array<std::uint8_t, 256> NextKeyboard() override {
    while (!events_.empty() && events_.front().at <= plat::headless::Now()) {
      const Event event = events_.front();
      events_.erase(events_.begin());
      event.down ? keyboard_.Press(event.code) : keyboard_.Release(event.code);
    }
    std::array<std::uint8_t, 256> keys = {};
    keyboard_.Read(keys.data(), plat::headless::Now());
    return keys;
  }

 private:
  struct Event {
    std::uint64_t at;
    std::uint8_t code;
    bool down;
  };
  static inline TimedKeyboard* active = nullptr;
  std::uint64_t start_;
  std::vector<Event> events_;
  plat::soft::EntryKeyboard keyboard_;
};

TEST_F(EntryTest, APressTypesOnceWhateverItsLengthUntilItRepeats) {
  const struct {
    std::uint64_t holdMs;
    bool repeats;
  } holds[] = {{100, false}, {150, false}, {200, false}, {600, true}};
  for (const auto& hold : holds) {
    // Every phase of the press against the 120 ms polls.
    for (std::uint64_t phase = 0; phase < 120; phase += 10) {
      SCOPED_TRACE("hold of " + std::to_string(hold.holdMs) + " ms, " + std::to_string(phase) +
                   " ms into a poll");
      Fresh();
      TimedKeyboard keyboard;
      const std::uint64_t released = keyboard.Type({DIK_5}, 210 + phase, hold.holdMs, 0);
      keyboard.Type({DIK_RETURN}, released + 150, 150, 0);
      EnterNumber();
      if (hold.repeats) {
        EXPECT_GT(Text(Kind::Number).size(), 1u) << Text(Kind::Number);
        EXPECT_EQ(Text(Kind::Number).find_first_not_of('5'), std::string::npos) << Text(Kind::Number);
      } else {
        EXPECT_EQ(Text(Kind::Number), "5");
      }
    }
  }
}

TEST_F(EntryTest, WordsTypedAtAnOrdinaryPaceComeOutExact) {
  using plat::DIK_E;
  using plat::DIK_I;
  using plat::DIK_L;
  using plat::DIK_N;
  using plat::DIK_O;
  using plat::DIK_P;
  using plat::DIK_R;
  using plat::DIK_S;
  using plat::DIK_T;
  const struct {
    Keys keys;
    std::string name;
  } words[] = {
      {{DIK_S, DIK_P, DIK_R, DIK_I, DIK_T, DIK_E}, "sprite.pix"},
      {{DIK_B, DIK_A, DIK_L, DIK_L, DIK_O, DIK_O, DIK_N, DIK_BACK, DIK_BACK, DIK_BACK}, "ball   .pix"}};
  for (const auto& word : words) {
    for (std::uint64_t gapMs : {40, 100}) {
      SCOPED_TRACE(word.name + ", 150 ms holds " + std::to_string(gapMs) + " ms apart");
      Fresh();
      TimedKeyboard keyboard;
      const std::uint64_t typed = keyboard.Type(word.keys, 250, 150, gapMs);
      keyboard.Type({DIK_RETURN}, typed + gapMs, 150, 0);
      EnterFileName();
      EXPECT_EQ(Text(Kind::Name), word.name);
    }
  }  // Width, Enter, height, Enter: the height's first digit may come before its entry's first poll.
  for (std::uint64_t gapMs : {40, 100}) {
    SCOPED_TRACE("120 Enter 64 Enter, 150 ms holds " + std::to_string(gapMs) + " ms apart");
    Fresh();
    TimedKeyboard keyboard;
    keyboard.Type({DIK_1, DIK_2, DIK_0, DIK_RETURN, DIK_6, DIK_4, DIK_RETURN}, 250, 150, gapMs);
    EnterSize();
    EXPECT_EQ(Text(Kind::Size), "120");
    EnterSize();
    EXPECT_EQ(Text(Kind::Size), "64");
  }
}

TEST(ConvertNumberTest, UnsignedDecimalKeptInSigned32Bits) {
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {"", 0},
      {"   ", 0},
      {"0", 0},
      {"12 ", 12},
      {"  42x7", 42},
      {"\t5", 5},
      {"007", 7},
      {"1 2", 1},
      {"-5", 0},
      {"abc", 0},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MIN},
      {"3000000000", static_cast<std::int32_t>(3000000000u)},
      {"4294967295", -1},
      {"4294967296", -1},
      {"99999999999999999999999999999999999999999999", -1},
      {"0000000000000000000000000000000000000000042", 42},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertNumber(c.text), c.expected) << "text \"" << c.text << "\"";
  }
}

}  // namespace
