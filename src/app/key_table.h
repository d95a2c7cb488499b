// The binding table: every key of the main loop, with its modifiers, what it
// does and its line in F1's list. The loop reads exactly these keys, once a
// pass (main_keys), and F1's list is drawn from this table, so a key cannot
// work without being listed, nor be listed without working. The tools' keys
// come from their own records (canvas/tools.h) into the same table.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct ToolRecord;

// The modifiers a binding asks for: exactly these are held, Shift, Control
// and Alt alike, unless kAnyShift lets Shift be either way.
enum KeyModifier : std::uint8_t {
  kPlain = 0,
  kShiftHeld = 1,
  kControlHeld = 2,
  kAltHeld = 4,
  kAnyShift = 8,
};

// When a binding acts.
enum class KeyTrigger : std::uint8_t {
  Press,      // once, as the key goes down
  Repeating,  // as it goes down, and again while it is held, as typing repeats
  EveryPass,  // at the top of every pass while it is down (Escape)
};

struct KeyBinding {
  int key;
  std::uint8_t modifiers;
  KeyTrigger trigger;
  // Not while the left button is down: a stroke or a drag keeps its image and tool.
  bool notDuringStroke;
  // What it does: an action, or choosing a tool.
  void (*action)();
  const ToolRecord* tool;
  // Its line in F1's list; rows of one meaning share a line, their keys
  // joined.
  const char* keys;
  const char* meaning;
};

// Every binding, the tools' own among them, in the order F1 lists them.
const std::vector<KeyBinding>& KeyBindings();

// The keys the loop reads: every binding's key, the modifiers and the letters
// (any letter takes F1's list away).
std::span<const int> LoopKeys();
