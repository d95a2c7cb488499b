// The fuzz targets' own model of the images and of what the three image
// areas show of them, written from the editor's rules and not from its code.
// An image of a pix file is its bytes from the image's start, 255 past the
// file's end. Each 1:1 view shows an image that fits it whole, a larger one
// reduced by the least whole factor that fits it (each view pixel the image
// pixel at its top left, black past the image), with the grid's part outlined
// in dots of white and black when the grid shows less than the whole image;
// the grid shows each of its image pixels as a cell of its pitch, inside the
// lines that pitches from kLeastPitchWithLines up keep.
#pragma once

#include <cstdint>
#include <string>

#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/screen_layout.h"

namespace pixfuzz {

// The image of width x height whose first byte is byte start of file (none
// of it when start is negative).
IndexImage ImageInFile(const std::string& file, std::int64_t start, int width, int height);
bool SameImage(const IndexImage& a, const IndexImage& b);

struct ModelCell {
  std::int64_t column;
  std::int64_t row;
};

// The image pixel of the grid under a screen position, on the image or off it:
// whole pitches from the grid's origin, cut toward zero, a horizontal line
// belonging to the cell above it.
ModelCell GridCellUnder(const GridView& view, std::int64_t x, std::int64_t y);
// Whether the grid at view shows that pixel of an image of width x height.
bool GridShows(const GridView& view, int width, int height, std::int64_t column, std::int64_t row);
// The image pixel a 1:1 view whose pixel (0, 0) lies at `at` shows at
// screen (x, y), for an image of width x height; false off its picture.
bool ViewCellUnder(layout::ScreenPoint at, int width, int height, std::int64_t x, std::int64_t y,
                   ModelCell* cell);
// The view moved to show cell in the grid's middle, as far as the image's edges allow.
GridView CentredOn(const GridView& view, int width, int height, ModelCell cell);
// The index a right click at (x, y) picks: the working view's pixel there,
// else the grid's, else the reference view's; -1 where none shows one.
int IndexUnder(const IndexImage& working, const IndexImage& reference, const GridView& view, std::int64_t x,
               std::int64_t y);
// Fails unless the screen shows working and reference as the model says, the
// grid at view. `what` names the moment in the message.
void CheckImageAreas(const IndexImage& working, const IndexImage& reference, const GridView& view,
                     const char* what);

}  // namespace pixfuzz
