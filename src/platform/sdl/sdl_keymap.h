// SDL scancodes to the set-1 scan codes that index the keyboard state, and
// SDL keys to the virtual keys of the asynchronous key state.
#pragma once

#include <cstdint>

namespace plat::sdl {

// The set-1 code (DIK_ value, extended keys with bit 7 set) for an SDL
// scancode; 0 for keys a standard PC keyboard does not have and for values
// outside SDL's range.
std::uint8_t ScanCodeForSdl(int sdlScancode);

// The sides of the two keys of a pair, which GetAsyncKeyState's VK_CONTROL
// and VK_SHIFT answer for together.
constexpr std::uint8_t kVkLeftShift = 0xA0;
constexpr std::uint8_t kVkRightShift = 0xA1;
constexpr std::uint8_t kVkLeftControl = 0xA2;
constexpr std::uint8_t kVkRightControl = 0xA3;

// The virtual key of a key event: a letter by the letter the keyboard layout
// gives it (on a French keyboard Ctrl+Z is the key marked Z), or by its place
// where the layout gives no Latin letter; Escape, and the Ctrl and Shift keys
// by side; Enter, the arrows, Home, End, F1, the keys of + and - (the main
// ones and the number pad's) and of [ and ], by their place. 0 for any other
// key.
std::uint8_t VirtualKeyForSdl(int sdlScancode, int sdlKeycode);

}  // namespace plat::sdl
