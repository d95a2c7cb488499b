// The picture over the reference view and the view's own pixels kept under it.
#include "canvas/reference_cover.h"

#include "canvas/locked_screen.h"

namespace {

struct Cover {
  bool laid = false;
  CoverPicture under{};
};

Cover cover;

// Calls visit(pixel, index) for each pixel of the reference view's frame on
// the screen, index counting the frame's pixels row by row.
template <typename Visit>
void ForEachCoverPixel(const LockedScreen& screen, Visit&& visit) {
  for (int row = 0; row < layout::kShownRows; ++row) {
    for (int column = 0; column < layout::kShownColumns; ++column) {
      const layout::ScreenPixel at = layout::ReferencePixel(column, row);
      if (screen.OnScreen(at.x, at.y)) {
        visit(screen.Row(static_cast<int>(at.y)) + at.x,
              static_cast<std::size_t>(row) * layout::kShownColumns + static_cast<std::size_t>(column));
      }
    }
  }
}

}  // namespace

bool LayReferenceCover(const CoverPicture& picture) {
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return false;
  }
  ForEachCoverPixel(screen, [&](std::uint8_t* pixel, std::size_t index) {
    if (!cover.laid) {
      cover.under[index] = *pixel;
    }
    *pixel = picture[index];
  });
  UnlockScreen();
  cover.laid = true;
  return true;
}

void LiftReferenceCover() {
  LockedScreen screen{};
  if (!cover.laid || !LockScreen(screen)) {
    return;
  }
  ForEachCoverPixel(screen, [](std::uint8_t* pixel, std::size_t index) { *pixel = cover.under[index]; });
  UnlockScreen();
  cover.laid = false;
}

bool ReferenceCoverLaid() {
  return cover.laid;
}

void ForgetReferenceCover() {
  cover.laid = false;
}
