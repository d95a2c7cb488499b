// The browser's key names to the set-1 scan codes that index the keyboard
// state, and the virtual keys GetAsyncKeyState answers for.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace plat::web {

// The set-1 code (DIK_ value, extended keys with bit 7 set) for a
// KeyboardEvent.code such as "KeyA", "Digit1", "ShiftLeft" or "Escape"; 0 for
// a key a standard PC keyboard does not have.
std::uint8_t ScanCodeForKey(std::string_view code);

// The scan codes a virtual key stands for (both Shift or Ctrl keys, say);
// 0 marks unused places, and an unknown key gives none.
using VirtualKeyCodes = std::array<std::uint8_t, 2>;
VirtualKeyCodes ScanCodesForVirtualKey(int virtualKey);

}  // namespace plat::web
