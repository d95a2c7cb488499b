// What the image keys do: flips and shifts of the image, and the colour
// before or after the current one.
#pragma once

// Shift+H, Shift+V: the image flipped, as one step.
void FlipLeftToRight();
void FlipTopToBottom();
// Shift and an arrow: the image shifted a pixel, round at the edges, as one step.
void ShiftImageLeft();
void ShiftImageRight();
void ShiftImageUp();
void ShiftImageDown();
// [ and ]: the colour before or after the current one (StepColour).
void PreviousColour();
void NextColour();

// The colour before or after the current one, 0 to 255 round in a ring; the
// panel turns to its page when it lies on another. Shown as a pick from the
// panel shows it.
void StepColour(int step);
