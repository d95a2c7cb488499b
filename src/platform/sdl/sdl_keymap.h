// SDL scancodes to the set-1 scan codes that index the keyboard state, SDL
// keys to the virtual keys of the asynchronous key state, and SDL's mouse
// buttons and wheel to the mouse record's.
#pragma once

#include <cstdint>

namespace plat::sdl {

// The set-1 code (DIK_ value, extended keys with bit 7 set) for an SDL
// scancode; 0 for keys a standard PC keyboard does not have and for values
// outside SDL's range.
std::uint8_t ScanCodeForSdl(int sdlScancode);

// The sides of the two keys of a pair, which GetAsyncKeyState's VK_CONTROL,
// VK_SHIFT and VK_MENU answer for together.
constexpr std::uint8_t kVkLeftShift = 0xA0;
constexpr std::uint8_t kVkRightShift = 0xA1;
constexpr std::uint8_t kVkLeftControl = 0xA2;
constexpr std::uint8_t kVkRightControl = 0xA3;
constexpr std::uint8_t kVkLeftAlt = 0xA4;
constexpr std::uint8_t kVkRightAlt = 0xA5;

// The virtual key of a key event: a letter by the letter the keyboard layout
// gives it (on a French keyboard Ctrl+Z is the key marked Z), or by its place
// where the layout gives no Latin letter; Escape, and the Ctrl, Shift and Alt
// keys by side; the digits of the main block, Enter, Space, the arrows, Home,
// End, Page Up, Page Down, Delete, F1 to F12, the keys of + and - (the main
// ones and the number pad's) and of [ and ], by their place. 0 for any other
// key.
std::uint8_t VirtualKeyForSdl(int sdlScancode, int sdlKeycode);

// The mouse record's index of an SDL button (0 left, 1 right, 2 middle, 3
// the first side button); -1 for any other.
int ButtonIndexForSdl(int sdlButton);

// The wheel's motion of an SDL wheel event in the mouse record's units:
// kWheelNotch for each notch turned away from the user, minus that for each
// towards; direction tells whether the system flipped y (natural scrolling).
std::int32_t WheelUnitsForSdl(std::int32_t y, std::uint32_t direction);

}  // namespace plat::sdl
