// The table from the browser's key names (KeyboardEvent.code) to set-1 scan codes.
#include "web_keymap.h"

namespace plat::web {
namespace {

struct KeyPair {
  std::string_view code;
  std::uint8_t set1;
};

// Extended keys (an E0 prefix on the wire) carry bit 7, as the keyboard
// state has always numbered them.
constexpr KeyPair kKeyPairs[] = {
    {"Escape", 0x01},
    {"Digit1", 0x02},
    {"Digit2", 0x03},
    {"Digit3", 0x04},
    {"Digit4", 0x05},
    {"Digit5", 0x06},
    {"Digit6", 0x07},
    {"Digit7", 0x08},
    {"Digit8", 0x09},
    {"Digit9", 0x0A},
    {"Digit0", 0x0B},
    {"Minus", 0x0C},
    {"Equal", 0x0D},
    {"Backspace", 0x0E},
    {"Tab", 0x0F},
    {"KeyQ", 0x10},
    {"KeyW", 0x11},
    {"KeyE", 0x12},
    {"KeyR", 0x13},
    {"KeyT", 0x14},
    {"KeyY", 0x15},
    {"KeyU", 0x16},
    {"KeyI", 0x17},
    {"KeyO", 0x18},
    {"KeyP", 0x19},
    {"BracketLeft", 0x1A},
    {"BracketRight", 0x1B},
    {"Enter", 0x1C},
    {"ControlLeft", 0x1D},
    {"KeyA", 0x1E},
    {"KeyS", 0x1F},
    {"KeyD", 0x20},
    {"KeyF", 0x21},
    {"KeyG", 0x22},
    {"KeyH", 0x23},
    {"KeyJ", 0x24},
    {"KeyK", 0x25},
    {"KeyL", 0x26},
    {"Semicolon", 0x27},
    {"Quote", 0x28},
    {"Backquote", 0x29},
    {"ShiftLeft", 0x2A},
    {"Backslash", 0x2B},
    {"KeyZ", 0x2C},
    {"KeyX", 0x2D},
    {"KeyC", 0x2E},
    {"KeyV", 0x2F},
    {"KeyB", 0x30},
    {"KeyN", 0x31},
    {"KeyM", 0x32},
    {"Comma", 0x33},
    {"Period", 0x34},
    {"Slash", 0x35},
    {"ShiftRight", 0x36},
    {"NumpadMultiply", 0x37},
    {"AltLeft", 0x38},
    {"Space", 0x39},
    {"CapsLock", 0x3A},
    {"F1", 0x3B},
    {"F2", 0x3C},
    {"F3", 0x3D},
    {"F4", 0x3E},
    {"F5", 0x3F},
    {"F6", 0x40},
    {"F7", 0x41},
    {"F8", 0x42},
    {"F9", 0x43},
    {"F10", 0x44},
    {"NumLock", 0x45},
    {"ScrollLock", 0x46},
    {"Numpad7", 0x47},
    {"Numpad8", 0x48},
    {"Numpad9", 0x49},
    {"NumpadSubtract", 0x4A},
    {"Numpad4", 0x4B},
    {"Numpad5", 0x4C},
    {"Numpad6", 0x4D},
    {"NumpadAdd", 0x4E},
    {"Numpad1", 0x4F},
    {"Numpad2", 0x50},
    {"Numpad3", 0x51},
    {"Numpad0", 0x52},
    {"NumpadDecimal", 0x53},
    {"IntlBackslash", 0x56},
    {"F11", 0x57},
    {"F12", 0x58},
    {"NumpadEnter", 0x9C},
    {"ControlRight", 0x9D},
    {"NumpadDivide", 0xB5},
    {"PrintScreen", 0xB7},
    {"AltRight", 0xB8},
    {"Pause", 0xC5},
    {"Home", 0xC7},
    {"ArrowUp", 0xC8},
    {"PageUp", 0xC9},
    {"ArrowLeft", 0xCB},
    {"ArrowRight", 0xCD},
    {"End", 0xCF},
    {"ArrowDown", 0xD0},
    {"PageDown", 0xD1},
    {"Insert", 0xD2},
    {"Delete", 0xD3},
    {"MetaLeft", 0xDB},
    {"MetaRight", 0xDC},
    {"ContextMenu", 0xDD},
};

// The letters in the order of their scan codes, row by row.
constexpr std::string_view kLetterRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr std::uint8_t kLetterRowStarts[] = {0x10, 0x1E, 0x2C};

}  // namespace

std::uint8_t ScanCodeForKey(std::string_view code) {
  for (const KeyPair& pair : kKeyPairs) {
    if (pair.code == code) {
      return pair.set1;
    }
  }
  return 0;
}

VirtualKeyCodes ScanCodesForVirtualKey(int virtualKey) {
  switch (virtualKey) {
    case 0x1B:  // VK_ESCAPE
      return {0x01, 0};
    case 0x10:  // VK_SHIFT: either Shift key
      return {0x2A, 0x36};
    case 0x11:  // VK_CONTROL
      return {0x1D, 0x9D};
    case 0x12:  // VK_MENU (Alt)
      return {0x38, 0xB8};
    case 0x0D:  // VK_RETURN: either Enter key
      return {0x1C, 0x9C};
    case 0x20:  // VK_SPACE
      return {0x39, 0};
    case 0x21:  // VK_PRIOR, Page Up
      return {0xC9, 0};
    case 0x22:  // VK_NEXT, Page Down
      return {0xD1, 0};
    case 0x23:  // VK_END
      return {0xCF, 0};
    case 0x24:  // VK_HOME
      return {0xC7, 0};
    case 0x25:  // VK_LEFT
      return {0xCB, 0};
    case 0x26:  // VK_UP
      return {0xC8, 0};
    case 0x27:  // VK_RIGHT
      return {0xCD, 0};
    case 0x28:  // VK_DOWN
      return {0xD0, 0};
    case 0x2E:  // VK_DELETE
      return {0xD3, 0};
    case 0x6B:  // VK_ADD
      return {0x4E, 0};
    case 0x6D:  // VK_SUBTRACT
      return {0x4A, 0};
    case 0x7A:  // VK_F11
      return {0x57, 0};
    case 0x7B:  // VK_F12
      return {0x58, 0};
    case 0xBB:  // VK_OEM_PLUS
      return {0x0D, 0};
    case 0xBD:  // VK_OEM_MINUS
      return {0x0C, 0};
    case 0xDB:  // VK_OEM_4, [
      return {0x1A, 0};
    case 0xDD:  // VK_OEM_6, ]
      return {0x1B, 0};
    default:
      break;
  }
  if (virtualKey >= '1' && virtualKey <= '9') {
    return {static_cast<std::uint8_t>(0x02 + (virtualKey - '1')), 0};
  }
  if (virtualKey == '0') {
    return {0x0B, 0};
  }
  // VK_F1 to VK_F10 lie in a row, as their scan codes do.
  if (virtualKey >= 0x70 && virtualKey <= 0x79) {
    return {static_cast<std::uint8_t>(0x3B + (virtualKey - 0x70)), 0};
  }
  for (std::size_t row = 0; row < 3; ++row) {
    const std::size_t at = kLetterRows[row].find(static_cast<char>(virtualKey));
    if (virtualKey >= 'A' && virtualKey <= 'Z' && at != std::string_view::npos) {
      return {static_cast<std::uint8_t>(kLetterRowStarts[row] + at), 0};
    }
  }
  return {0, 0};
}

}  // namespace plat::web
