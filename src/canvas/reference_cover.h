// A picture laid over the reference view for a while (the images playing),
// with the view's own pixels kept aside under it. The image's history lifts
// the cover before it copies the image areas or puts them back, so that a
// step only ever holds the loaded image; the next lay keeps what is under it
// afresh.
#pragma once

#include <array>
#include <cstdint>

#include "screen_layout.h"

// The reference view's frame, row by row: the most of an image it shows.
using CoverPicture =
    std::array<std::uint8_t, static_cast<std::size_t>(layout::kShownColumns) * layout::kShownRows>;

// Draws picture over the reference view's frame. The first lay after a lift
// (or ever) keeps what it covers first. False when the screen cannot be
// locked; nothing changes then.
bool LayReferenceCover(const CoverPicture& picture);
// Puts back what the cover hides; nothing when none is laid.
void LiftReferenceCover();
bool ReferenceCoverLaid();
// Forgets the cover without touching the screen: a new run's screen.
void ForgetReferenceCover();
