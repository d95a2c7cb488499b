// Reading the mouse into the editor's state.
#pragma once

#include <cstdint>

// Reads the mouse into mouseState. A read that fails (a lost device) counts
// as no motion with both buttons up, so the cursor neither drifts nor keeps
// painting with the last motion and buttons.
void ReadMouseState();

// position + motion, held at the ends of the 32-bit range instead of wrapping.
std::int32_t MoveCoordinate(std::int32_t position, std::int32_t motion);
