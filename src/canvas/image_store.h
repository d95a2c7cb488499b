// The images being edited, in memory: the working image (what the tools
// change and Save writes) and the reference image (the image as last loaded).
// This is the only copy of either; the screen is a view of them, drawn each
// pass from what changed (draw/image_areas.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "canvas/palette_table.h"

// Palette indices, row by row, width x height.
struct IndexImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  bool Contains(std::int64_t column, std::int64_t row) const {
    return column >= 0 && row >= 0 && column < width && row < height;
  }
  std::size_t IndexOf(int column, int row) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(column);
  }
  std::uint8_t At(int column, int row) const { return pixels[IndexOf(column, row)]; }
  std::uint8_t& At(int column, int row) { return pixels[IndexOf(column, row)]; }
  const std::uint8_t* Row(int row) const { return pixels.data() + IndexOf(0, row); }
  std::uint8_t* Row(int row) { return pixels.data() + IndexOf(0, row); }
};

// An image of the given size, every pixel value.
IndexImage FilledImage(int width, int height, std::uint8_t value);

// Image pixels from (left, top) to (right - 1, bottom - 1); empty when
// left >= right or top >= bottom.
struct ImageRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Empty() const { return left >= right || top >= bottom; }
  // The smallest rectangle holding both.
  ImageRect Union(const ImageRect& other) const;
};

// The most pixels an image may have: more than any size the entries take
// (999 x 999), kept for sizes a test or a damaged file may set.
inline constexpr std::int64_t kMostImagePixels = std::int64_t{1} << 24;

// The two images together, as the history keeps and swaps them. The
// reference image is shared between the states that hold the same one: it
// changes only with a Load, a Clear or a recovery.
// A selected rectangle of the working image, and the pixels that float over
// it after a move or a paste until they are placed. Colour 0 of floating
// pixels is clear: the image shows through it.
struct Selection {
  bool active = false;
  // The selected pixels; while floating, where the floating pixels lie (it
  // may reach past the image's edges, which placing them cuts at).
  ImageRect rect;
  bool floating = false;
  IndexImage pixels;  // rect's size while floating
};

struct ImageState {
  IndexImage working;
  std::shared_ptr<const IndexImage> reference;
  Selection selection;
  // The palette they are shown in, shared as the reference image is: it
  // changes only when a colour is edited.
  std::shared_ptr<const PaletteColours> palette;
};

// A new run: both images black (index 0) at the size in editorState, as the
// cleared screen shows them at start.
void ResetImages();

// The images at editorState's width and height. A size changed since (the
// settings, a test) is taken first: the top-left part that both sizes share
// is kept, new pixels are black. A size whose pixels would exceed
// kMostImagePixels, or a negative one, gives an empty image.
const IndexImage& WorkingImage();
const IndexImage& ReferenceImage();

// Paints one working pixel (no-op outside the image) and notes it changed.
void SetWorkingPixel(int column, int row, int colour);
// A whole new working image of the current size (anything else is ignored),
// noted changed where it differs; the reference image is kept.
void ReplaceWorkingImage(IndexImage image);
// A Load: the working image and the reference image become image (of the
// current size), both noted changed.
void LoadImages(const IndexImage& image);
// Both images at once, of the current size (a recovery copy put back);
// anything else is ignored.
void SetImages(IndexImage working, IndexImage reference);
// Both images become value (Clear).
void FillImages(std::uint8_t value);
// Exchanges the images with state (undo and redo); editorState's size
// follows the state put in.
void SwapImageState(ImageState& state);
// A copy of the current images, for the history.
ImageState CurrentImageState();

// The selection, part of the images' state: the history keeps and puts back
// the selection and its floating pixels with the images.
const Selection& CurrentSelection();
void SetSelection(Selection selection);

// The palette the images are shown in: set at start and by a colour's edit,
// swapped by undo and redo with the images. TakePaletteChange is true once
// after it changed.
void SetImagePalette(std::shared_ptr<const PaletteColours> palette);
std::shared_ptr<const PaletteColours> ImagePalette();
bool TakePaletteChange();

// What changed since the screen last showed it, taken by the drawing pass.
ImageRect TakeWorkingChanges();
bool TakeReferenceChange();
// Notes a part of the working image as changed although its pixels did not:
// what is shown over it (a dragged shape) moved.
void NoteWorkingShownChanged(const ImageRect& rect);
