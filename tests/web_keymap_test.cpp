// The web backend's key tables: the browser's key names and the virtual keys of GetAsyncKeyState
// to the scan codes of the keyboard state.
#include "platform/web/web_keymap.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/platform_types.h"

namespace {

using plat::web::ScanCodeForKey;
using plat::web::ScanCodesForVirtualKey;

TEST(WebKeymap, KeyNamesGiveTheScanCodesOfThePcKeyboard) {
  const struct {
    const char* code;
    std::uint8_t set1;
  } cases[] = {
      {"Escape", plat::DIK_ESCAPE},
      {"Enter", plat::DIK_RETURN},
      {"Backspace", 0x0E},
      {"Minus", 0x0C},
      {"ShiftLeft", 0x2A},
      {"ShiftRight", 0x36},
      {"ControlLeft", 0x1D},
      {"ControlRight", 0x9D},
      {"NumpadEnter", 0x9C},
      {"ArrowUp", 0xC8},
      {"IntlBackslash", 0x56},
      // Keys a PC keyboard lacks, and names that are no key.
      {"Fn", 0},
      {"", 0},
      {"keya", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScanCodeForKey(c.code), c.set1) << c.code;
  }
}

// Every letter and digit GetAsyncKeyState may be asked for reads the key the browser names so.
TEST(WebKeymap, VirtualKeysOfLettersAndDigitsAreTheirKeys) {
  for (char c = 'A'; c <= 'Z'; ++c) {
    const auto codes = ScanCodesForVirtualKey(c);
    EXPECT_EQ(codes[0], ScanCodeForKey(std::string("Key") + c)) << c;
    EXPECT_NE(codes[0], 0) << c;
    EXPECT_EQ(codes[1], 0) << c;
  }
  for (char c = '0'; c <= '9'; ++c) {
    EXPECT_EQ(ScanCodesForVirtualKey(c)[0], ScanCodeForKey(std::string("Digit") + c)) << c;
  }
  using Codes = plat::web::VirtualKeyCodes;
  EXPECT_EQ(ScanCodesForVirtualKey(plat::VK_ESCAPE), (Codes{0x01, 0}));
  EXPECT_EQ(ScanCodesForVirtualKey(0x10), (Codes{0x2A, 0x36})) << "VK_SHIFT: either Shift key";
  EXPECT_EQ(ScanCodesForVirtualKey(0x11), (Codes{0x1D, 0x9D})) << "VK_CONTROL: either Ctrl key";
  // 'z' would be VK_F11: lower case codes are other keys' (here the number pad's 1, not asked for).
  EXPECT_EQ(ScanCodesForVirtualKey('a'), (Codes{0, 0})) << "virtual keys of letters are capitals";
  EXPECT_EQ(ScanCodesForVirtualKey(-1), (Codes{0, 0}));
}

// The keys beyond letters and digits that the editor asks for, read where the browser names them.
TEST(WebKeymap, VirtualKeysOfTheEditorsOtherKeysAreTheirKeys) {
  const struct {
    int virtualKey;
    const char* code;
    const char* otherCode;  // the key's twin, or "" for none
    std::uint8_t set1;
  } cases[] = {
      {plat::VK_SPACE, "Space", "", 0x39},
      {plat::VK_PRIOR, "PageUp", "", 0xC9},
      {plat::VK_NEXT, "PageDown", "", 0xD1},
      {plat::VK_DELETE, "Delete", "", 0xD3},
      {plat::VK_MENU, "AltLeft", "AltRight", 0x38},
      {plat::VK_RETURN, "Enter", "NumpadEnter", 0x1C},
      {plat::VK_HOME, "Home", "", 0xC7},
      {plat::VK_F1, "F1", "", 0x3B},
      {plat::VK_F3, "F3", "", 0x3D},
      {plat::VK_F7, "F7", "", 0x41},
      {plat::VK_F10, "F10", "", 0x44},
      {plat::VK_F11, "F11", "", 0x57},
      {plat::VK_F12, "F12", "", 0x58},
      {plat::VK_OEM_4, "BracketLeft", "", 0x1A},
  };
  for (const auto& c : cases) {
    const auto codes = ScanCodesForVirtualKey(c.virtualKey);
    EXPECT_EQ(ScanCodeForKey(c.code), c.set1) << c.code;
    EXPECT_EQ(codes[0], c.set1) << c.code;
    EXPECT_EQ(codes[1], ScanCodeForKey(c.otherCode)) << c.code;
  }
  EXPECT_EQ(ScanCodesForVirtualKey(0x7C), (plat::web::VirtualKeyCodes{0, 0})) << "F13";
}

}  // namespace
