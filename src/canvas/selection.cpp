// The selection: a rectangle of the working image, its floating pixels, and the clipboard.
#include "canvas/selection.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "canvas/image_history.h"

namespace {

struct Clipboard {
  bool holds = false;
  IndexImage pixels;
  int left = 0;
  int top = 0;
};

Clipboard clipboard;

ImageRect Clipped(ImageRect rect) {
  const IndexImage& image = WorkingImage();
  return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, image.width),
          std::min(rect.bottom, image.height)};
}

// The image's pixels in rect (within the image).
IndexImage PixelsOf(const IndexImage& image, const ImageRect& rect) {
  IndexImage part = FilledImage(rect.right - rect.left, rect.bottom - rect.top, 0);
  for (int row = rect.top; row < rect.bottom; ++row) {
    std::copy_n(image.Row(row) + rect.left, part.width, part.Row(row - rect.top));
  }
  return part;
}

// The selected pixels as they show: the floating ones, or the image's.
IndexImage SelectedPixels(const Selection& selection) {
  return selection.floating ? selection.pixels : PixelsOf(WorkingImage(), Clipped(selection.rect));
}

void FillRect(IndexImage& image, const ImageRect& rect, std::uint8_t value) {
  for (int row = rect.top; row < rect.bottom; ++row) {
    std::fill_n(image.Row(row) + rect.left, rect.right - rect.left, value);
  }
}

// Floating pixels laid on the image: colour 0 is clear, and what lies past
// its edges is cut.
void LayFloating(const Selection& selection, IndexImage& image) {
  const ImageRect onImage = Clipped(selection.rect);
  for (int row = onImage.top; row < onImage.bottom; ++row) {
    for (int column = onImage.left; column < onImage.right; ++column) {
      const std::uint8_t pixel = selection.pixels.At(column - selection.rect.left, row - selection.rect.top);
      if (pixel != 0) {
        image.At(column, row) = pixel;
      }
    }
  }
}

// The working image changed in rect as one step, with the selection after it.
void ChangeAsStep(const std::function<void(IndexImage&)>& change, Selection after) {
  BeginImageStep();
  IndexImage image = WorkingImage();
  change(image);
  ReplaceWorkingImage(std::move(image));
  SetSelection(std::move(after));
}

}  // namespace

bool PlaceFloatingPixels() {
  const Selection& selection = CurrentSelection();
  if (!selection.active || !selection.floating) {
    return false;
  }
  Selection placed = selection;
  placed.floating = false;
  placed.pixels = IndexImage{};
  placed.rect = Clipped(selection.rect);
  placed.active = !placed.rect.Empty();
  const Selection floating = selection;
  ChangeAsStep([&floating](IndexImage& image) { LayFloating(floating, image); }, std::move(placed));
  return true;
}

void SelectCells(ImageCell a, ImageCell b) {
  PlaceFloatingPixels();
  Selection selection;
  selection.rect = Clipped({std::min(a.column, b.column), std::min(a.row, b.row),
                            std::max(a.column, b.column) + 1, std::max(a.row, b.row) + 1});
  selection.active = !selection.rect.Empty();
  SetSelection(std::move(selection));
}

void SelectAll() {
  const IndexImage& image = WorkingImage();
  SelectCells({0, 0}, {image.width - 1, image.height - 1});
}

void DropSelection() {
  PlaceFloatingPixels();
  SetSelection(Selection{});
}

void BeginSelectionMove() {
  const Selection& selection = CurrentSelection();
  if (!selection.active) {
    return;
  }
  if (selection.floating) {
    // The move of floating pixels is a step of its own.
    BeginImageStep();
    return;
  }
  Selection lifted = selection;
  lifted.floating = true;
  lifted.pixels = PixelsOf(WorkingImage(), selection.rect);
  const ImageRect rect = selection.rect;
  ChangeAsStep([&rect](IndexImage& image) { FillRect(image, rect, 0); }, std::move(lifted));
}

void MoveFloatingTo(int column, int row) {
  const Selection& selection = CurrentSelection();
  if (!selection.floating || (selection.rect.left == column && selection.rect.top == row)) {
    return;
  }
  Selection moved = selection;
  moved.rect = {column, row, column + selection.pixels.width, row + selection.pixels.height};
  SetSelection(std::move(moved));
}

void CopySelection() {
  const Selection& selection = CurrentSelection();
  if (!selection.active) {
    return;
  }
  clipboard.pixels = SelectedPixels(selection);
  const ImageRect from = selection.floating ? selection.rect : Clipped(selection.rect);
  clipboard.left = from.left;
  clipboard.top = from.top;
  clipboard.holds = clipboard.pixels.width > 0 && clipboard.pixels.height > 0;
}

void DeleteSelection() {
  const Selection& selection = CurrentSelection();
  if (!selection.active) {
    return;
  }
  Selection after = selection;
  if (selection.floating) {
    // The floating pixels go; the place they were lifted from stays as it is.
    after.floating = false;
    after.pixels = IndexImage{};
    after.rect = Clipped(selection.rect);
    after.active = !after.rect.Empty();
    ChangeAsStep([](IndexImage&) {}, std::move(after));
    return;
  }
  const ImageRect rect = selection.rect;
  ChangeAsStep([&rect](IndexImage& image) { FillRect(image, rect, 0); }, std::move(after));
}

void CutSelection() {
  CopySelection();
  DeleteSelection();
}

void PasteClipboard() {
  if (!clipboard.holds) {
    return;
  }
  PlaceFloatingPixels();
  const IndexImage& image = WorkingImage();
  // At the place it was copied from, cut at the image's edges (an image of
  // another size may be smaller).
  const int width = std::min(clipboard.pixels.width, image.width);
  const int height = std::min(clipboard.pixels.height, image.height);
  if (width <= 0 || height <= 0) {
    return;
  }
  const int left = std::clamp(clipboard.left, 0, image.width - width);
  const int top = std::clamp(clipboard.top, 0, image.height - height);
  Selection pasted;
  pasted.active = true;
  pasted.floating = true;
  pasted.rect = {left, top, left + width, top + height};
  pasted.pixels = PixelsOf(clipboard.pixels, {0, 0, width, height});
  ChangeAsStep([](IndexImage&) {}, std::move(pasted));
}

bool ClipboardHoldsPixels() {
  return clipboard.holds;
}

namespace {

// The selected pixels made anew from themselves, as one step: the floating
// ones, or the selected part of the image.
bool RemakeSelected(const std::function<IndexImage(const IndexImage&)>& remake) {
  const Selection& selection = CurrentSelection();
  if (!selection.active) {
    return false;
  }
  const IndexImage pixels = SelectedPixels(selection);
  if (pixels.width == 0 || pixels.height == 0) {
    return true;
  }
  IndexImage made = remake(pixels);
  Selection after = selection;
  if (selection.floating) {
    after.pixels = std::move(made);
    ChangeAsStep([](IndexImage&) {}, std::move(after));
    return true;
  }
  const ImageRect rect = Clipped(selection.rect);
  ChangeAsStep(
      [&](IndexImage& image) {
        for (int row = rect.top; row < rect.bottom; ++row) {
          std::copy_n(made.Row(row - rect.top), made.width, image.Row(row) + rect.left);
        }
      },
      std::move(after));
  return true;
}

}  // namespace

bool FlipSelection(bool leftToRight) {
  return RemakeSelected([leftToRight](const IndexImage& pixels) {
    IndexImage flipped = pixels;
    for (int row = 0; row < pixels.height; ++row) {
      for (int column = 0; column < pixels.width; ++column) {
        flipped.At(column, row) = leftToRight ? pixels.At(pixels.width - 1 - column, row)
                                              : pixels.At(column, pixels.height - 1 - row);
      }
    }
    return flipped;
  });
}

bool ShiftSelection(int columns, int rows) {
  // Round within the selection, as the whole image shifts round its edges.
  return RemakeSelected([columns, rows](const IndexImage& pixels) {
    IndexImage shifted = pixels;
    const auto wrapped = [](int value, int size) { return ((value % size) + size) % size; };
    for (int row = 0; row < pixels.height; ++row) {
      for (int column = 0; column < pixels.width; ++column) {
        shifted.At(column, row) =
            pixels.At(wrapped(column - columns, pixels.width), wrapped(row - rows, pixels.height));
      }
    }
    return shifted;
  });
}

bool PaintableCell(int column, int row) {
  const Selection& selection = CurrentSelection();
  return !selection.active || (column >= selection.rect.left && column < selection.rect.right &&
                               row >= selection.rect.top && row < selection.rect.bottom);
}

void ResetClipboard() {
  clipboard = Clipboard{};
}
