// Tests of the keyboard entries (number, size, file name) and of the number conversion.
#include "textentry/entry.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "draw/primitives.h"
#include "platform/headless/headless.h"
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

void RunEntryOf(Kind kind) {
  switch (kind) {
    case Kind::Number:
      EnterNumber();
      break;
    case Kind::Size:
      EnterSize();
      break;
    case Kind::Name:
      EnterFileName();
      break;
  }
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
    RunEntryOf(kind);
    return before - plat::headless::KeyboardReadsLeft();
  }

  pixtest::ScratchDir scratch_;
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

std::vector<Keys> Letters(int count) {
  std::vector<Keys> polls;
  for (int i = 0; i < count; ++i) {
    polls.push_back({i % 2 == 0 ? DIK_A : DIK_B});
  }
  return polls;
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
      {"third digit ends the size", Kind::Size, {{DIK_1}, {DIK_2}, {DIK_3}}, "123", 3},
      {"20th character ends the name", Kind::Name, Letters(20), twentyLetters + ".pix", 20},
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
      {"key held four polls", Kind::Name, {{DIK_A}, {DIK_A}, {DIK_A}, {DIK_A}, {DIK_RETURN}}, "aaaa.pix", 5},
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
      {"Shift blocks Enter", Kind::Name, {{DIK_LSHIFT, DIK_RETURN}, {DIK_C}, {DIK_RETURN}}, "c.pix", 3},
      {"Shift blocks Backspace", Kind::Name, {{DIK_A}, {DIK_RSHIFT, DIK_BACK}, {DIK_RETURN}}, "a.pix", 3},
      {"Minus only with Shift", Kind::Name, {{DIK_MINUS}, {DIK_LSHIFT, DIK_MINUS}, {DIK_RETURN}}, "_.pix", 3},
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
      {"one poll past the size limit", Kind::Size, {{DIK_1}, {DIK_2}, {DIK_3, DIK_4, DIK_5}}, "123", 3},
      {"four digits in one poll", Kind::Size, {{DIK_1, DIK_2, DIK_3, DIK_4}}, "123", 1},
      {"Backspace after the limit in one poll",
       Kind::Size,
       {{DIK_1, DIK_2}, {DIK_3, DIK_4, DIK_BACK}, {DIK_RETURN}},
       "12 ",
       3},
      {"one poll past the name limit", Kind::Name, Then(Letters(19), {{DIK_A, DIK_B, DIK_C}}),
       "abababababababababaa.pix", 20},
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
  std::vector<Keys> polls(100, Keys{DIK_7});
  polls.push_back({DIK_RETURN});
  EXPECT_EQ(RunPolls(Kind::Number, polls), 101u) << "the limit must not end the entry";
  EXPECT_EQ(Text(Kind::Number), std::string(79, '7'));
  for (std::size_t i = 79; i < sizeof numberText; ++i) {
    ASSERT_EQ(numberText[i], 0) << "numberText byte " << i;
  }
  // At the limit Backspace still works and the freed place takes a digit again.
  Fresh();
  RunPolls(Kind::Number,
           Then(std::vector<Keys>(80, Keys{DIK_1}), {{DIK_BACK}, {DIK_2, DIK_3}, {DIK_RETURN}}));
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

TEST_F(EntryTest, EscapePostsCloseAndTheEntryGoesOn) {
  plat::headless::QueueEscape(true);
  plat::headless::QueueEscape(false);
  plat::headless::QueueEscape(true);
  EXPECT_EQ(RunPolls(Kind::Number, {{DIK_1}, {DIK_2}, {DIK_RETURN}}), 3u);
  EXPECT_EQ(Text(Kind::Number), "12");
  EXPECT_EQ(CountCalls("PostMessageA(WM_CLOSE)"), 2u) << pixtest::CallLogText();
  // The close request waits in the queue: nothing was dispatched, the window lives.
  EXPECT_EQ(CountCalls("DispatchMessageA(WM_CLOSE)"), 0u);
  EXPECT_TRUE(plat::headless::WindowAlive());
  // Each Escape is seen before that poll's keyboard read.
  const long post = pixtest::IndexOfCall("PostMessageA(WM_CLOSE)");
  const long firstRead = pixtest::IndexOfCall("Keyboard.GetDeviceState");
  EXPECT_LT(post, firstRead) << pixtest::CallLogText();
  plat::MSG message = {};
  ASSERT_TRUE(plat::PeekMessageA(&message, nullptr, 0, 0, plat::PM_REMOVE));
  EXPECT_EQ(message.message, plat::WM_CLOSE);
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
