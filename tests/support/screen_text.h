// Reading text back from the screen by matching its 8 x 16 glyph cells.
#pragma once

#include <cstdint>
#include <string>

namespace pixtest {

// The count characters drawn with their first cell's top-left at (x, y) in
// palette index ink on black. A cell that matches no glyph reads as '?'.
std::string ReadScreenText(int x, int y, int count, std::uint8_t ink = 15);

}  // namespace pixtest
