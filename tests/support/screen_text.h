// Reading text back from the screen by matching its 8 x 16 glyph cells.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pixtest {

// The count characters drawn with their first cell's top-left at (x, y) in
// palette index ink on black. A cell that matches no glyph reads as '?'.
std::string ReadScreenText(int x, int y, int count, std::uint8_t ink = 15);

// The screen (a copy taken earlier) shows text at (x, y): the font's bits in
// palette index ink, black everywhere else in its cells. Cells beyond the
// screen are left out.
::testing::AssertionResult TextShownAt(const std::vector<std::uint8_t>& screen, const std::string& text,
                                       int x, int y, std::uint8_t ink = 15);

}  // namespace pixtest
