// The keys of the artist's tools: B, G, L, U and Shift+U choose a tool;
// Shift+H and Shift+V flip the image, Shift and an arrow shift it; [ and ]
// step through the palette panel's colours.
#pragma once

// Acts on the keys pressed since the previous pass (ReadMainKeys has read
// them). Nothing while the left button is down or Control is held: a stroke
// or a drag keeps its tool, and Control's chords belong to other features.
void FollowToolKeys();

// The colour before or after the current one on the palette panel, 0 to 80
// round in a ring; from a colour that is not on the panel, ] goes to 0 and
// [ to 80. Shown as a pick from the panel shows it.
void StepColour(int step);
