// The right button over the image: the index of the pixel under the cursor becomes the current colour.
#include "app/image_pick.h"

#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/pen.h"
#include "canvas/reference_cover.h"
#include "canvas/screen_layout.h"
#include "canvas/view_scale.h"

namespace {

// The index shown under (x, y) in the working view, the grid or the
// reference view; -1 where none of them shows an image pixel. The grid maps
// the cursor to a cell as the pen does, and what lies over the image (a
// dragged shape, the images playing) is never picked.
int IndexAt(std::int32_t x, std::int32_t y) {
  const IndexImage& working = WorkingImage();
  const ViewPick inWorking = ViewPixelAt(layout::kWorkingView, x, y, working.width, working.height);
  if (inWorking.found) {
    return working.At(inWorking.column, inWorking.row);
  }
  if (x >= layout::kGridOrigin.x && y >= layout::kGridOrigin.y) {
    const ImageCell cell = CellAtCursor(x, y);
    if (InShownImage(cell)) {
      return working.At(cell.column, cell.row);
    }
  }
  const IndexImage& reference = ReferenceImage();
  const ViewPick inReference = ViewPixelAt(layout::kReferenceView, x, y, reference.width, reference.height);
  if (inReference.found && !ReferenceCoverLaid()) {
    return reference.At(inReference.column, inReference.row);
  }
  return -1;
}

}  // namespace

void PickImageColour(std::int32_t x, std::int32_t y) {
  const int index = IndexAt(x, y);
  if (index < 0) {
    return;
  }
  editorState.currentColor = index;
  ShowColourStatus();
}
