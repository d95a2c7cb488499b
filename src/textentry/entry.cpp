// The blocking keyboard entries: a number, an image size, a file name.
#include "textentry/entry.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <span>

#include "app/editor_state.h"
#include "app/main_keys.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "platform/system.h"
#include "platform/window.h"

std::uint8_t keyState[256] = {};
char numberText[300] = {};
char sizeText[4] = {};
char nameText[kNameBytes] = {};
char hexText[7] = {};

namespace {

const plat::COLORREF& kEntryColour = kRedInk;
constexpr char kBackspace = '\b';
constexpr char kEnter = '\r';

// The echo line holds 79 characters, so a number keeps no more digits than that.
constexpr int kNumberLimit = 79;
constexpr int kSizeLimit = 3;
constexpr int kNameLimit = 20;

struct KeyAction {
  std::uint8_t scanCode;
  char action;  // the character stored, kBackspace or kEnter
};

// Enter comes last in every table, so the keys before it in the same poll are kept.
constexpr KeyAction kDigitKeys[] = {
    {plat::DIK_1, '1'}, {plat::DIK_2, '2'}, {plat::DIK_3, '3'},           {plat::DIK_4, '4'},
    {plat::DIK_5, '5'}, {plat::DIK_6, '6'}, {plat::DIK_7, '7'},           {plat::DIK_8, '8'},
    {plat::DIK_9, '9'}, {plat::DIK_0, '0'}, {plat::DIK_BACK, kBackspace}, {plat::DIK_RETURN, kEnter},
};

constexpr std::uint8_t kLetterCodes[26] = {
    plat::DIK_A, plat::DIK_B, plat::DIK_C, plat::DIK_D, plat::DIK_E, plat::DIK_F, plat::DIK_G,
    plat::DIK_H, plat::DIK_I, plat::DIK_J, plat::DIK_K, plat::DIK_L, plat::DIK_M, plat::DIK_N,
    plat::DIK_O, plat::DIK_P, plat::DIK_Q, plat::DIK_R, plat::DIK_S, plat::DIK_T, plat::DIK_U,
    plat::DIK_V, plat::DIK_W, plat::DIK_X, plat::DIK_Y, plat::DIK_Z,
};

struct NameTables {
  KeyAction plain[26 + 12];   // letters, digits, Backspace, Enter (Minus types nothing)
  KeyAction shifted[26 + 1];  // capitals and the underscore
};

constexpr NameTables MakeNameTables() {
  NameTables tables{};
  for (int i = 0; i < 26; ++i) {
    tables.plain[i] = {kLetterCodes[i], static_cast<char>('a' + i)};
    tables.shifted[i] = {kLetterCodes[i], static_cast<char>('A' + i)};
  }
  tables.shifted[26] = {plat::DIK_MINUS, '_'};
  for (int i = 0; i < 12; ++i) {
    tables.plain[26 + i] = kDigitKeys[i];
  }
  return tables;
}

constexpr NameTables kNameTables = MakeNameTables();

bool KeyDown(std::uint8_t scanCode) {
  return (keyState[scanCode] & 0x80) != 0;
}

std::span<const KeyAction> DigitTable() {
  return kDigitKeys;
}

std::span<const KeyAction> NameTable() {
  if (KeyDown(plat::DIK_LSHIFT) || KeyDown(plat::DIK_RSHIFT)) {
    return kNameTables.shifted;
  }
  return kNameTables.plain;
}

struct Entry {
  char* text;
  std::size_t textSize;
  int limit;
  std::span<const KeyAction> (*keyTable)();
};

// A key types when it goes down, so a press of any length types once; held on,
// it types again from its fifth poll down, 480 ms after the first (about half
// a second after the press), and then at every poll, as in any text field.
constexpr int kRepeatFromPoll = 5;

// How many polls in a row, this one included, have found each key down.
struct KeyHistory {
  std::uint8_t pollsDown[256] = {};

  void Update() {
    for (std::size_t code = 0; code < 256; ++code) {
      std::uint8_t& polls = pollsDown[code];
      if (!KeyDown(static_cast<std::uint8_t>(code))) {
        polls = 0;
      } else if (polls < 255) {
        ++polls;
      }
    }
  }
  bool Types(std::uint8_t code) const { return pollsDown[code] == 1 || pollsDown[code] >= kRepeatFromPoll; }
};

// Applies every key of the table that types in this poll; true when Enter
// was among them. A character beyond the limit is dropped, so the terminator
// always fits.
bool ApplyKeys(const Entry& entry, const KeyHistory& history, int& count) {
  bool enter = false;
  for (const KeyAction& key : entry.keyTable()) {
    if (!history.Types(key.scanCode)) {
      continue;
    }
    if (key.action == kEnter) {
      enter = true;
    } else if (key.action == kBackspace) {
      if (count > 0) {
        --count;
        entry.text[count] = ' ';
      }
    } else if (count < entry.limit) {
      entry.text[count] = key.action;
      ++count;
    }
  }
  return enter;
}

// Ends on Enter alone: at the limit further keys are dropped, so the Enter
// that follows the last digit of a width cannot end the height's entry.
bool RunEntry(const Entry& entry) {
  plat::DrawSurface* screen = displayDevice.primarySurface;
  DrawTextAt("Hit Enter When Done", layout::kEntryHint.x, layout::kEntryHint.y, kEntryColour, screen);
  std::memset(entry.text, 0, entry.textSize);
  int count = 0;
  bool finished = false;
  KeyHistory history;
  plat::Sleep(200);
  while (!finished) {
    if (plat::EndRequested()) {
      return false;
    }
    // Escape cancels the entry, and only the entry: the editor goes on.
    if ((static_cast<std::uint16_t>(plat::GetAsyncKeyState(plat::VK_ESCAPE)) & 0x8000u) != 0) {
      EscapeTakenByPrompt();
      return false;
    }
    // A failed read (the window no longer in front) finds no key down, so a
    // key held meanwhile does not go on repeating.
    if (inputDevices.keyboard == nullptr ||
        inputDevices.keyboard->GetDeviceState(sizeof keyState, keyState) < 0) {
      std::memset(keyState, 0, sizeof keyState);
    }
    history.Update();
    finished = ApplyKeys(entry, history, count);
    plat::Sleep(120);
    EraseRegion(layout::kEchoRegion);
    std::snprintf(textLine, sizeof textLine, "%s", entry.text);
    DrawTextAt(textLine, layout::kEntryEcho.x, layout::kEntryEcho.y, kEntryColour, screen);
  }
  return true;
}

}  // namespace

int EnterNumber() {
  return RunEntry({numberText, sizeof numberText, kNumberLimit, DigitTable}) ? 1 : 0;
}

int EnterSize() {
  return RunEntry({sizeText, sizeof sizeText, kSizeLimit, DigitTable}) ? 1 : 0;
}

int EnterFileName() {
  if (!RunEntry({nameText, sizeof nameText, kNameLimit, NameTable})) {
    return 0;
  }
  // At most 20 characters were typed, so the extension and the terminator fit.
  std::strcat(nameText, ".pix");
  std::snprintf(textLine, sizeof textLine, "%s", nameText);
  DrawTextAt(textLine, layout::kEntryEcho.x, layout::kEntryEcho.y, kEntryColour,
             displayDevice.primarySurface);
  return 1;
}

int EnterHexColour() {
  return RunEntry({hexText, sizeof hexText, static_cast<int>(sizeof hexText) - 1, NameTable}) ? 1 : 0;
}

bool NameTextBlank() {
  // Typed characters are letters, digits, underscores and the spaces of
  // Backspace, so the first full stop begins ".pix".
  for (const char* p = nameText; p < nameText + sizeof nameText && *p != '\0' && *p != '.'; ++p) {
    if (*p != ' ') {
      return false;
    }
  }
  return true;
}

bool SizeTextBlank() {
  for (const char* p = sizeText; p < sizeText + sizeof sizeText && *p != '\0'; ++p) {
    if (*p >= '0' && *p <= '9') {
      return false;
    }
  }
  return true;
}

std::int32_t ConvertNumber(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
    ++p;
  }
  constexpr std::uint64_t kMax = 4294967295u;
  std::uint64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + static_cast<std::uint64_t>(*p - '0');
    if (value > kMax) {
      value = kMax;
    }
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}
