// SDL scancodes to the set-1 scan codes that index the keyboard state.
#pragma once

#include <cstdint>

namespace plat::sdl {

// The set-1 code (DIK_ value, extended keys with bit 7 set) for an SDL
// scancode; 0 for keys a standard PC keyboard does not have and for values
// outside SDL's range.
std::uint8_t ScanCodeForSdl(int sdlScancode);

}  // namespace plat::sdl
