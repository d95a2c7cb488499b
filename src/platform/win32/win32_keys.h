// The win32 backend's keyboard as the editor reads it: the window's key messages kept in the
// shared latches of src/platform/soft between two reads, so that a key pressed and let go between
// two polls of an entry (one every 120 ms) or between two passes is still seen once, as on the
// sdl and web backends. Reading the device or the key state as it is at the moment of the read
// would lose it. Internal to src/platform/win32; include it after the plat headers.
#pragma once

#include <cstdint>

// After the plat headers (see there).
#include "win32_handles.h"

namespace plat::win32 {

// A message for the window: key presses and releases (WM_KEYDOWN, WM_KEYUP, and WM_SYSKEYDOWN,
// WM_SYSKEYUP for Alt, the keys pressed with it and F10) go into the latches, the keyboard's loss
// (focus or activation going) lets go of every key.
void KeyboardMessage(UINT message, ::WPARAM wParam, ::LPARAM lParam);
// A key press or release, of the system's keys too.
bool IsKeyMessage(UINT message);
// Takes the key presses and releases waiting in the queue into the latches, in the order typed.
// A look at the queue is a round trip to the window system (under Wine, to its server): the main
// loop's passes have their keys taken by their one message peek (PeekMessageA); the entries and the
// settings menu, which run for as long as they wait for input and pause between their turns, look
// at their first read after a pause.
void TakeKeyMessages();
// The program paused for ms (a Sleep): how the entries' polls are told apart.
void KeysPaused(std::uint32_t ms);
// The keyboard device's 256 key bytes as an entry reads them (soft::EntryKeyboard).
void ReadEntryKeys(std::uint8_t keys[256]);
// Whether virtualKey is down (downNow, as the system has it) or went down since the previous call
// for it.
bool AsyncKeyDown(int virtualKey, bool downNow);

}  // namespace plat::win32
