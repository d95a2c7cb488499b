// A picture shown in the reference view's frame for a while (the images
// playing) instead of the reference image, which stays as it is.
#pragma once

#include <array>
#include <cstdint>

#include "screen_layout.h"

// The reference view's frame, row by row.
using CoverPicture =
    std::array<std::uint8_t, static_cast<std::size_t>(layout::kShownColumns) * layout::kShownRows>;

// Shows picture in the frame from the next drawing of the image areas on.
void LayReferenceCover(const CoverPicture& picture);
// The reference image shows again.
void LiftReferenceCover();
bool ReferenceCoverLaid();
const CoverPicture& ReferenceCoverPicture();
// Whether the cover was laid, changed or lifted since the last call: the
// drawing pass asks, to draw the frame again.
bool TakeCoverChange();
// No cover: a new run.
void ForgetReferenceCover();
