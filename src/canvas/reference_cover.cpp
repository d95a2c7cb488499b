// The picture shown over the reference view while the images play.
#include "canvas/reference_cover.h"

namespace {

struct Cover {
  bool laid = false;
  bool changed = false;
  CoverPicture picture{};
};

Cover cover;

}  // namespace

void LayReferenceCover(const CoverPicture& picture) {
  if (cover.laid && cover.picture == picture) {
    return;
  }
  cover.picture = picture;
  cover.laid = true;
  cover.changed = true;
}

void LiftReferenceCover() {
  if (cover.laid) {
    cover.laid = false;
    cover.changed = true;
  }
}

bool ReferenceCoverLaid() {
  return cover.laid;
}

const CoverPicture& ReferenceCoverPicture() {
  return cover.picture;
}

bool TakeCoverChange() {
  const bool changed = cover.changed;
  cover.changed = false;
  return changed;
}

void ForgetReferenceCover() {
  cover = Cover{};
}
