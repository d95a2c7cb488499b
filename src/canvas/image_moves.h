// Flips and shifts of the whole image, each one step of the history.
#pragma once

enum class FlipAxis {
  LeftToRight,  // column c swaps with width - 1 - c
  TopToBottom,  // row r swaps with height - 1 - r
};

// False, with no step, when there is no image on the screen to move.
bool FlipImage(FlipAxis axis);
// Moves every pixel by columns and rows; what leaves one edge comes back at
// the other.
bool ShiftImage(int columns, int rows);
