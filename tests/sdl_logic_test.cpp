// The SDL backend's display-free logic: scancode table, press latches, the
// entries' keys and the pacing of the main loop's passes.
#include <SDL_keycode.h>
#include <SDL_mouse.h>
#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/display.h"
#include "platform/pace.h"
#include "platform/platform_types.h"
#include "platform/sdl/sdl_keymap.h"
#include "platform/soft/entry_keyboard.h"
#include "platform/soft/pointer_track.h"
#include "platform/soft/press_latch.h"
#include "platform/soft/pump_pacing.h"
#include "platform/soft/screen_fit.h"
#include "platform/soft/shown_frame.h"

namespace {

using namespace plat;
using namespace plat::sdl;
using namespace plat::soft;

// ---- Scancode table ----------------------------------------------------------

struct KeyCase {
  SDL_Scancode sdl;
  std::uint8_t set1;
  const char* name;
};

// Every key of the main block the editor and its entries may read.
const KeyCase kMainBlock[] = {
    {SDL_SCANCODE_ESCAPE, DIK_ESCAPE, "Escape"},
    {SDL_SCANCODE_1, DIK_1, "1"},
    {SDL_SCANCODE_2, DIK_2, "2"},
    {SDL_SCANCODE_3, DIK_3, "3"},
    {SDL_SCANCODE_4, DIK_4, "4"},
    {SDL_SCANCODE_5, DIK_5, "5"},
    {SDL_SCANCODE_6, DIK_6, "6"},
    {SDL_SCANCODE_7, DIK_7, "7"},
    {SDL_SCANCODE_8, DIK_8, "8"},
    {SDL_SCANCODE_9, DIK_9, "9"},
    {SDL_SCANCODE_0, DIK_0, "0"},
    {SDL_SCANCODE_MINUS, DIK_MINUS, "minus"},
    {SDL_SCANCODE_EQUALS, DIK_EQUALS, "equals"},
    {SDL_SCANCODE_BACKSPACE, DIK_BACK, "Backspace"},
    {SDL_SCANCODE_TAB, DIK_TAB, "Tab"},
    {SDL_SCANCODE_Q, DIK_Q, "Q"},
    {SDL_SCANCODE_W, DIK_W, "W"},
    {SDL_SCANCODE_E, DIK_E, "E"},
    {SDL_SCANCODE_R, DIK_R, "R"},
    {SDL_SCANCODE_T, DIK_T, "T"},
    {SDL_SCANCODE_Y, DIK_Y, "Y"},
    {SDL_SCANCODE_U, DIK_U, "U"},
    {SDL_SCANCODE_I, DIK_I, "I"},
    {SDL_SCANCODE_O, DIK_O, "O"},
    {SDL_SCANCODE_P, DIK_P, "P"},
    {SDL_SCANCODE_LEFTBRACKET, DIK_LBRACKET, "["},
    {SDL_SCANCODE_RIGHTBRACKET, DIK_RBRACKET, "]"},
    {SDL_SCANCODE_RETURN, DIK_RETURN, "Enter"},
    {SDL_SCANCODE_LCTRL, DIK_LCONTROL, "left Ctrl"},
    {SDL_SCANCODE_A, DIK_A, "A"},
    {SDL_SCANCODE_S, DIK_S, "S"},
    {SDL_SCANCODE_D, DIK_D, "D"},
    {SDL_SCANCODE_F, DIK_F, "F"},
    {SDL_SCANCODE_G, DIK_G, "G"},
    {SDL_SCANCODE_H, DIK_H, "H"},
    {SDL_SCANCODE_J, DIK_J, "J"},
    {SDL_SCANCODE_K, DIK_K, "K"},
    {SDL_SCANCODE_L, DIK_L, "L"},
    {SDL_SCANCODE_SEMICOLON, DIK_SEMICOLON, ";"},
    {SDL_SCANCODE_APOSTROPHE, DIK_APOSTROPHE, "'"},
    {SDL_SCANCODE_GRAVE, DIK_GRAVE, "`"},
    {SDL_SCANCODE_LSHIFT, DIK_LSHIFT, "left Shift"},
    {SDL_SCANCODE_BACKSLASH, DIK_BACKSLASH, "\\"},
    {SDL_SCANCODE_Z, DIK_Z, "Z"},
    {SDL_SCANCODE_X, DIK_X, "X"},
    {SDL_SCANCODE_C, DIK_C, "C"},
    {SDL_SCANCODE_V, DIK_V, "V"},
    {SDL_SCANCODE_B, DIK_B, "B"},
    {SDL_SCANCODE_N, DIK_N, "N"},
    {SDL_SCANCODE_M, DIK_M, "M"},
    {SDL_SCANCODE_COMMA, DIK_COMMA, ","},
    {SDL_SCANCODE_PERIOD, DIK_PERIOD, "."},
    {SDL_SCANCODE_SLASH, DIK_SLASH, "/"},
    {SDL_SCANCODE_RSHIFT, DIK_RSHIFT, "right Shift"},
    {SDL_SCANCODE_LALT, DIK_LMENU, "left Alt"},
    {SDL_SCANCODE_SPACE, DIK_SPACE, "Space"},
    {SDL_SCANCODE_CAPSLOCK, DIK_CAPITAL, "Caps Lock"},
};

TEST(SdlKeymap, MainBlockKeysGiveTheirSet1Codes) {
  for (const KeyCase& key : kMainBlock) {
    EXPECT_EQ(ScanCodeForSdl(key.sdl), key.set1) << key.name;
  }
}

TEST(SdlKeymap, ExtendedKeysCarryBit7AndDifferFromTheirTwins) {
  const struct {
    SDL_Scancode extended;
    SDL_Scancode twin;
    const char* name;
  } cases[] = {
      {SDL_SCANCODE_RCTRL, SDL_SCANCODE_LCTRL, "right Ctrl"},
      {SDL_SCANCODE_RALT, SDL_SCANCODE_LALT, "right Alt"},
      {SDL_SCANCODE_KP_ENTER, SDL_SCANCODE_RETURN, "keypad Enter"},
      {SDL_SCANCODE_UP, SDL_SCANCODE_KP_8, "Up"},
      {SDL_SCANCODE_DELETE, SDL_SCANCODE_KP_PERIOD, "Delete"},
      {SDL_SCANCODE_KP_DIVIDE, SDL_SCANCODE_SLASH, "keypad /"},
  };
  for (const auto& c : cases) {
    const std::uint8_t extended = ScanCodeForSdl(c.extended);
    const std::uint8_t twin = ScanCodeForSdl(c.twin);
    EXPECT_EQ(extended & 0x80, 0x80) << c.name << " gives " << int{extended};
    EXPECT_EQ(extended & 0x7F, twin) << c.name << " gives " << int{extended} << ", its twin " << int{twin};
  }
}

TEST(SdlKeymap, NoTwoKeysShareACodeButTheIsoKeyBesideEnter) {
  std::map<std::uint8_t, int> owner;
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    const std::uint8_t code = ScanCodeForSdl(scancode);
    if (code == 0) {
      continue;
    }
    const auto [it, fresh] = owner.emplace(code, scancode);
    if (!fresh) {
      const bool isoPair = code == DIK_BACKSLASH && scancode == SDL_SCANCODE_NONUSHASH;
      EXPECT_TRUE(isoPair) << "SDL scancodes " << it->second << " and " << scancode << " both give "
                           << int{code};
    }
  }
  EXPECT_GE(owner.size(), 100u) << "the table lost keys";
}

TEST(SdlKeymap, UnknownAndOutOfRangeScancodesGiveNothing) {
  for (int scancode : {-1, INT_MIN, static_cast<int>(SDL_NUM_SCANCODES), INT_MAX,
                       static_cast<int>(SDL_SCANCODE_AUDIOPLAY), static_cast<int>(SDL_SCANCODE_UNKNOWN)}) {
    EXPECT_EQ(ScanCodeForSdl(scancode), 0) << "scancode " << scancode;
  }
}

TEST(SdlKeymap, VirtualKeysFollowTheLayoutsLettersElseTheKeysPlace) {
  const struct {
    SDL_Scancode scancode;
    SDL_Keycode keycode;
    std::uint8_t virtualKey;
    const char* name;
  } cases[] = {
      {SDL_SCANCODE_Z, SDLK_z, 'Z', "Z"},
      {SDL_SCANCODE_W, SDLK_z, 'Z', "Z on a French keyboard"},
      {SDL_SCANCODE_Z, SDLK_w, 'W', "W on a French keyboard"},
      {SDL_SCANCODE_Z, 0x44F, 'Z', "Cyrillic ya, on Z's place"},
      {SDL_SCANCODE_Y, 0x44F, 'Y', "a Cyrillic letter on Y's place"},
      {SDL_SCANCODE_LCTRL, SDLK_LCTRL, kVkLeftControl, "left Ctrl"},
      {SDL_SCANCODE_RCTRL, SDLK_RCTRL, kVkRightControl, "right Ctrl"},
      {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, kVkLeftShift, "left Shift"},
      {SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, kVkRightShift, "right Shift"},
      {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, VK_ESCAPE, "Escape"},
      {SDL_SCANCODE_LALT, SDLK_LALT, kVkLeftAlt, "left Alt"},
      {SDL_SCANCODE_RALT, SDLK_RALT, kVkRightAlt, "right Alt"},
      {SDL_SCANCODE_1, SDLK_1, VK_1, "1"},
      {SDL_SCANCODE_1, SDLK_AMPERSAND, VK_1, "1 on a French keyboard"},
      {SDL_SCANCODE_0, SDLK_0, VK_0, "0"},
      {SDL_SCANCODE_SPACE, SDLK_SPACE, VK_SPACE, "Space"},
      {SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, VK_NEXT, "Page Down"},
      {SDL_SCANCODE_DELETE, SDLK_DELETE, VK_DELETE, "Delete"},
      {SDL_SCANCODE_F1, SDLK_F1, VK_F1, "F1"},
      {SDL_SCANCODE_F12, SDLK_F12, VK_F12, "F12"},
      {SDL_SCANCODE_F13, SDLK_F13, 0, "F13"},
      {SDL_SCANCODE_TAB, SDLK_TAB, 0, "Tab"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.virtualKey, VirtualKeyForSdl(c.scancode, c.keycode)) << c.name;
  }
}

// ---- Mouse buttons and wheel -----------------------------------------------------

TEST(SdlMouse, ButtonsGoToTheRecordsPlacesAndTheMiddleOneLatches) {
  const struct {
    int sdl;
    int index;
  } cases[] = {{SDL_BUTTON_LEFT, 0}, {SDL_BUTTON_RIGHT, 1}, {SDL_BUTTON_MIDDLE, 2},
               {SDL_BUTTON_X1, 3},   {SDL_BUTTON_X2, -1},   {0, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(ButtonIndexForSdl(c.sdl), c.index) << "SDL button " << c.sdl;
  }
  PressLatch<4> buttons;
  buttons.Press(2);
  buttons.Release(2);
  EXPECT_TRUE(buttons.TakeWith(2, false)) << "a quick middle click was lost";
  EXPECT_FALSE(buttons.TakeWith(2, false)) << "the middle click was read twice";
  EXPECT_FALSE(buttons.TakeWith(0, false)) << "the middle click pressed the left button";
}

// Units of lZ: 120 a notch away from the user. Events add up until a read takes them.
TEST(SdlMouse, TheWheelAddsUpInNotchesOf120UntilARead) {
  const struct {
    const char* name;
    std::vector<std::pair<std::int32_t, std::uint32_t>> events;  // y and direction
    std::int32_t read;
  } cases[] = {
      {"a notch away", {{1, SDL_MOUSEWHEEL_NORMAL}}, 120},
      {"a notch towards", {{-1, SDL_MOUSEWHEEL_NORMAL}}, -120},
      {"a notch away, flipped by the system", {{-1, SDL_MOUSEWHEEL_FLIPPED}}, 120},
      {"three notches in one event", {{3, SDL_MOUSEWHEEL_NORMAL}}, 360},
      {"two away and one back", {{1, 0}, {1, 0}, {-1, 0}}, 120},
  };
  for (const auto& c : cases) {
    PointerTrack track;
    for (const auto& [y, direction] : c.events) {
      AddWheel(track, WheelUnitsForSdl(y, direction));
    }
    EXPECT_EQ(TakeWheel(track), c.read) << c.name;
    EXPECT_EQ(TakeWheel(track), 0) << c.name << ": read twice";
  }
  // Garbage from the system keeps its sign and never overflows (the sanitizer would say).
  EXPECT_GT(WheelUnitsForSdl(INT32_MIN, SDL_MOUSEWHEEL_FLIPPED), 0);
  PointerTrack track;
  AddWheel(track, INT32_MIN);
  AddWheel(track, -kWheelNotch);
  EXPECT_EQ(TakeWheel(track), INT32_MIN) << "held at the record's end";
}

// ---- Press latches -------------------------------------------------------------

TEST(SdlLatch, TapBetweenReadsReadsDownExactlyOnce) {
  PressLatch<256> keys;
  keys.Press(DIK_A);
  keys.Release(DIK_A);
  EXPECT_TRUE(keys.Take(DIK_A)) << "a 30 ms tap between two 120 ms polls was lost";
  EXPECT_FALSE(keys.Take(DIK_A)) << "the tap was read twice";
}

TEST(SdlLatch, HeldKeyReadsDownEveryTimeAndUpOnceReleased) {
  PressLatch<256> keys;
  keys.Press(DIK_RETURN);
  for (int read = 0; read < 3; ++read) {
    EXPECT_TRUE(keys.Take(DIK_RETURN)) << "read " << read;
  }
  keys.Release(DIK_RETURN);
  EXPECT_FALSE(keys.Take(DIK_RETURN)) << "a key already seen held read down again after its release";
}

TEST(SdlLatch, PressAfterAReleaseIsSeenAgain) {
  PressLatch<256> keys;
  keys.Press(DIK_1);
  EXPECT_TRUE(keys.Take(DIK_1));
  keys.Release(DIK_1);
  keys.Press(DIK_1);
  keys.Release(DIK_1);
  EXPECT_TRUE(keys.Take(DIK_1)) << "second tap of the same key lost";
  EXPECT_FALSE(keys.Take(DIK_1));
}

TEST(SdlLatch, AutoRepeatWhileHeldAddsNoCharacterAfterTheRelease) {
  PressLatch<256> keys;
  keys.Press(DIK_X);
  EXPECT_TRUE(keys.Take(DIK_X));
  keys.Press(DIK_X);  // repeat
  EXPECT_TRUE(keys.Take(DIK_X));
  keys.Press(DIK_X);  // repeat after the last read
  keys.Release(DIK_X);
  EXPECT_FALSE(keys.Take(DIK_X)) << "a repeat of a held key read as a fresh tap";
}

TEST(SdlLatch, KeysAreIndependent) {
  PressLatch<256> keys;
  keys.Press(DIK_LSHIFT);
  keys.Press(DIK_Q);
  keys.Release(DIK_Q);
  EXPECT_TRUE(keys.Take(DIK_Q));
  EXPECT_TRUE(keys.Take(DIK_LSHIFT));
  EXPECT_FALSE(keys.Take(DIK_W));
  EXPECT_TRUE(keys.Take(DIK_LSHIFT)) << "reading Q cleared Shift";
}

TEST(SdlLatch, ReleaseAllKeepsPressesNotYetRead) {
  PressLatch<256> keys;
  keys.Press(DIK_ESCAPE);
  keys.ReleaseAll();
  EXPECT_FALSE(keys.IsDown(DIK_ESCAPE));
  EXPECT_TRUE(keys.Take(DIK_ESCAPE)) << "losing the focus dropped an unread press";
  EXPECT_FALSE(keys.Take(DIK_ESCAPE));
}

TEST(SdlLatch, ButtonSeenHeldIsNotSeenAgainAfterItsRelease) {
  PressLatch<4> buttons;
  buttons.Press(0);
  EXPECT_TRUE(buttons.TakeWith(0, true));
  buttons.Release(0);
  EXPECT_FALSE(buttons.TakeWith(0, false)) << "a click already read while held came back after the release";
}

TEST(SdlLatch, ClickBetweenReadsCountsWhateverTheOtherSourceSays) {
  PressLatch<4> buttons;
  buttons.Press(1);
  buttons.Release(1);
  EXPECT_TRUE(buttons.TakeWith(1, false)) << "a quick click was lost";
  EXPECT_FALSE(buttons.TakeWith(1, false));
  EXPECT_TRUE(buttons.TakeWith(1, true)) << "down now must read down without any event";
}

TEST(SdlLatch, OutOfRangeIndicesAreIgnored) {
  PressLatch<4> buttons;
  buttons.Press(4);
  buttons.Press(SIZE_MAX);
  buttons.Release(1000);
  EXPECT_FALSE(buttons.Take(4));
  EXPECT_TRUE(buttons.TakeWith(SIZE_MAX, true)) << "down now stays down";
  EXPECT_FALSE(buttons.IsDown(4));
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_FALSE(buttons.Take(i)) << "button " << i << " set by an out-of-range press";
  }
}

// ---- Keys of the entries ----------------------------------------------------------

// What an entry's polls see of the keys pressed around them. Steps: "+K" and
// "-K" press and release key K ('R' Enter, 'S' Shift, 'A' A, digits themselves), "pN" a pause
// of N ms (a Sleep), "wN" N ms of work on the clock, "K?" a read expecting K
// down, "K!" one expecting it up ("K?J!": K down and J up in the same read).
struct KeysCase {
  const char* name;
  std::vector<std::string> steps;
};

std::uint8_t KeyCode(char key) {
  if (key == 'R') {
    return DIK_RETURN;
  }
  if (key == 'S' || key == 'A') {
    return key == 'S' ? DIK_LSHIFT : DIK_A;
  }
  return key == '0' ? std::uint8_t{DIK_0} : static_cast<std::uint8_t>(DIK_1 + (key - '1'));
}

TEST(SdlEntryKeys, PressesBelongToTheEntryThatPollsAfterThem) {
  const KeysCase cases[] = {
      {"tap between two polls of a running entry", {"p200", "5!", "p120", "+5", "-5", "5?", "p120", "5!"}},
      {"tap between polls under a slow machine's clock", {"p200", "5!", "+5", "-5", "p120", "5?"}},
      {"Enter typed while painting, then Load", {"+R", "-R", "p200", "R!"}},
      {"digit typed in the settings menu", {"+7", "-7", "p50", "p50", "p100", "p200", "7!"}},
      {"Enter still held when the entry first polls", {"+R", "p200", "R?", "-R", "p120", "R!"}},
      {"a digit typed after the width's Enter belongs to the height's entry",
       {"p200", "+R", "R?", "-R", "p120", "w20", "+6", "-6", "p200", "6?"}},
      {"typed while painting, after an earlier entry",
       {"p200", "4!", "p120", "w3000", "+5", "-5", "p200", "5!"}},
      {"typed in the settings menu, after an earlier entry",
       {"p200", "4!", "p120", "w2000", "p50", "+7", "-7", "p50", "p100", "p200", "7!"}},
      {"tap while the entry prompt is up, before its first poll", {"p100", "+2", "-2", "p200", "2!"}},
      {"first read of all", {"+4", "-4", "4!"}},
      {"keys held from before the entry all read down at its first poll",
       {"p200", "1!", "p120", "w2000", "+2", "+A", "+R", "p200", "2?A?R?"}},
      {"two keys tapped between two polls come one a poll, in the order typed",
       {"p200", "R!", "p120", "+2", "-2", "+1", "+R", "-1", "-R", "2?1!", "p120", "1?R!", "p120", "R?1!",
        "p120", "R!"}},
      {"Shift tapped with a shortcut while painting is no Shift of the entry's first poll",
       {"p200", "1!", "p120", "w3000", "+S", "-S", "+A", "p200", "A?S!"}},
      {"Shift goes with the key typed with it",
       {"p200", "1!", "p120", "+1", "+S", "+A", "-A", "-S", "1?A!S!", "p120", "A?S?", "p120", "A!S!"}},
      {"a doubled digit: let go and pressed again between two polls",
       {"p200", "+5", "5?", "p120", "-5", "+5", "5!", "p120", "5?", "p120", "5?"}},
      {"a doubled digit's second press let go before the next poll",
       {"p200", "+5", "5?", "p120", "-5", "+5", "-5", "5!", "p120", "5?", "p120", "5!"}},
      {"three taps of a digit and another between two polls all come, in order",
       {"p200", "1!",   "p120", "+5",   "-5", "+5",   "-5", "+5",   "-5",   "+4",   "-4",
        "5?4!", "p120", "5!",   "p120", "5?", "p120", "5!", "p120", "5?4!", "p120", "4?5!"}},
  };
  for (const KeysCase& c : cases) {
    EntryKeyboard keyboard;
    int read = 0;
    std::uint64_t clock = 1000;
    for (const std::string& step : c.steps) {
      if (step[0] == '+' || step[0] == '-') {
        step[0] == '+' ? keyboard.Press(KeyCode(step[1])) : keyboard.Release(KeyCode(step[1]));
      } else if (step[0] == 'p') {
        keyboard.Paused(std::stoul(step.substr(1)));
        clock += std::stoul(step.substr(1));
      } else if (step[0] == 'w') {
        clock += std::stoul(step.substr(1));
      } else {
        std::uint8_t keys[256] = {};
        keyboard.Read(keys, clock);
        ++read;
        for (std::size_t i = 0; i + 1 < step.size(); i += 2) {
          EXPECT_EQ(keys[KeyCode(step[i])], step[i + 1] == '?' ? 0x80 : 0x00)
              << c.name << ", read " << read << ", key " << step[i];
        }
      }
    }
  }
}

// ---- Pacing of the main loop's passes --------------------------------------------

TEST(SdlPacing, QuietOnceARefreshWentByWithoutInputOrChangeAndIdlePassesSpacedOut) {
  constexpr std::uint64_t kRefresh = Pacing::kRefreshMs;
  Pacing pacing;
  EXPECT_FALSE(pacing.Quiet()) << "quiet before the screen was ever looked at";
  EXPECT_TRUE(pacing.CaptureDue(0));
  pacing.Captured(0, true);
  EXPECT_FALSE(pacing.CaptureDue(kRefresh - 1));
  EXPECT_TRUE(pacing.CaptureDue(kRefresh));
  EXPECT_FALSE(pacing.Quiet()) << "quiet while the screen changes";

  pacing.Captured(kRefresh, false);
  ASSERT_TRUE(pacing.Quiet()) << "a whole interval without input or change";
  pacing.PassBegins(100);
  EXPECT_EQ(pacing.NextIdlePass(), 350u) << "idle, a pass every quarter second";
  EXPECT_EQ(pacing.NextIdlePass(kRefresh), 100 + kRefresh);

  pacing.Input();
  EXPECT_FALSE(pacing.Quiet()) << "input must end the waiting at once";
  pacing.Captured(3 * kRefresh, false);
  EXPECT_FALSE(pacing.Quiet()) << "the pass answering the input may not have drawn yet";
  pacing.Captured(4 * kRefresh, false);
  EXPECT_TRUE(pacing.Quiet());
  pacing.Captured(5 * kRefresh, true);
  EXPECT_FALSE(pacing.Quiet()) << "a change on the screen ends the waiting";
}

TEST(SdlPacing, PassesThatTheProgramPacesItselfComeInTimeAndLeaveTheScreenSettled) {
  constexpr std::uint64_t kRefresh = Pacing::kRefreshMs;
  Pacing pacing;
  pacing.Captured(0, true);
  pacing.Captured(kRefresh, false);
  ASSERT_TRUE(pacing.Quiet());
  // Frames playing: one drawn now, the next wanted 5 ms on.
  pacing.PassBegins(kRefresh);
  pacing.WantPassBy(kRefresh + 5);
  EXPECT_TRUE(pacing.CaptureDue(kRefresh + 1)) << "the new frame is looked at at once";
  EXPECT_EQ(pacing.NextIdlePass(), kRefresh + 5) << "the wait ends when the pass is wanted";
  pacing.Captured(kRefresh + 1, true);
  EXPECT_TRUE(pacing.Quiet()) << "a change at the program's own pace";
  EXPECT_FALSE(pacing.CaptureDue(kRefresh + 2));
  pacing.WantPassBy(plat::kNoPassWanted);
  EXPECT_EQ(pacing.NextIdlePass(), kRefresh + Pacing::kIdlePassMs) << "withdrawn, the idle pace again";
  pacing.WantPassBy(kRefresh + 5);
  pacing.Input();
  pacing.Captured(2 * kRefresh, true);
  EXPECT_FALSE(pacing.Quiet()) << "input still ends the waiting";
  pacing.WantPassBy(plat::kNoPassWanted);
  pacing.Captured(3 * kRefresh, false);
  pacing.Captured(4 * kRefresh, true);
  EXPECT_FALSE(pacing.Quiet()) << "withdrawn: a change ends the waiting again";
}

}  // namespace
