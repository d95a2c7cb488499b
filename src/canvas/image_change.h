// A change of many pixels of the working image at once (fill, flips,
// shifts), made as one step of the history.
#pragma once

#include <cstdint>
#include <functional>

#include "canvas/image_store.h"

// Lets change make the new working image from the current one (after starts
// as a copy of before; false leaves the image alone), and puts it in as one
// step of the history. False when change said no.
bool ChangeWorkingImage(const std::function<bool(const IndexImage& before, IndexImage& after)>& change);

// The colour a palette index shows, as 0xRRGGBB. Indices of one colour (15,
// 80 and 255 are all white by default) look the same, so the fill compares
// colours by this, not by the index.
std::uint32_t ShownColour(int index);
