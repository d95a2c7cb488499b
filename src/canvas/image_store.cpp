// The working and reference images in memory, and what of them changed since they were last shown.
#include "canvas/image_store.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "app/editor_state.h"

namespace {

struct Store {
  IndexImage working;
  std::shared_ptr<const IndexImage> reference = std::make_shared<const IndexImage>();
  Selection selection;
  ImageRect workingChanged;
  bool referenceChanged = false;
  std::shared_ptr<const PaletteColours> palette;
  bool paletteChanged = false;
};

Store store;

// The size editorState asks for, as an image can have it.
void WantedSize(int& width, int& height) {
  width = std::max(editorState.width, 0);
  height = std::max(editorState.height, 0);
  if (std::int64_t{width} * height > kMostImagePixels) {
    width = 0;
    height = 0;
  }
}

ImageRect Whole(const IndexImage& image) {
  return {0, 0, image.width, image.height};
}

// The image at the new size: the part both share kept, the rest black.
IndexImage Resized(const IndexImage& image, int width, int height) {
  IndexImage resized = FilledImage(width, height, 0);
  const int columns = std::min(width, image.width);
  const int rows = columns > 0 ? std::min(height, image.height) : 0;
  for (int row = 0; row < rows; ++row) {
    std::memcpy(resized.Row(row), image.Row(row), static_cast<std::size_t>(columns));
  }
  return resized;
}

void FollowSize() {
  int width = 0;
  int height = 0;
  WantedSize(width, height);
  if (store.working.width == width && store.working.height == height && store.reference->width == width &&
      store.reference->height == height) {
    return;
  }
  store.working = Resized(store.working, width, height);
  store.reference = std::make_shared<const IndexImage>(Resized(*store.reference, width, height));
  // A selection of another size means nothing in this one.
  store.selection = Selection{};
  // The areas of another size are drawn anew.
  store.workingChanged = Whole(store.working);
  store.referenceChanged = true;
}

}  // namespace

IndexImage FilledImage(int width, int height, std::uint8_t value) {
  IndexImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), value);
  return image;
}

ImageRect ImageRect::Union(const ImageRect& other) const {
  if (Empty()) {
    return other;
  }
  if (other.Empty()) {
    return *this;
  }
  return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
          std::max(bottom, other.bottom)};
}

void ResetImages() {
  int width = 0;
  int height = 0;
  WantedSize(width, height);
  store.working = FilledImage(width, height, 0);
  store.reference = std::make_shared<const IndexImage>(store.working);
  store.selection = Selection{};
  store.workingChanged = Whole(store.working);
  store.referenceChanged = true;
}

const IndexImage& WorkingImage() {
  FollowSize();
  return store.working;
}

const IndexImage& ReferenceImage() {
  FollowSize();
  return *store.reference;
}

void SetWorkingPixel(int column, int row, int colour) {
  FollowSize();
  if (!store.working.Contains(column, row)) {
    return;
  }
  store.working.At(column, row) = static_cast<std::uint8_t>(colour);
  store.workingChanged = store.workingChanged.Union({column, row, column + 1, row + 1});
}

void ReplaceWorkingImage(IndexImage image) {
  FollowSize();
  IndexImage& working = store.working;
  if (image.width != working.width || image.height != working.height) {
    return;
  }
  // Only the rows and columns that differ are drawn again.
  ImageRect changed;
  for (int row = 0; row < working.height; ++row) {
    const std::uint8_t* before = working.Row(row);
    const std::uint8_t* after = image.Row(row);
    if (std::memcmp(before, after, static_cast<std::size_t>(working.width)) == 0) {
      continue;
    }
    int left = 0;
    while (before[left] == after[left]) {
      ++left;
    }
    int right = working.width;
    while (before[right - 1] == after[right - 1]) {
      --right;
    }
    changed = changed.Union({left, row, right, row + 1});
  }
  working = std::move(image);
  store.workingChanged = store.workingChanged.Union(changed);
}

void LoadImages(const IndexImage& image) {
  FollowSize();
  if (image.width != store.working.width || image.height != store.working.height) {
    return;
  }
  store.working = image;
  store.reference = std::make_shared<const IndexImage>(image);
  store.workingChanged = Whole(store.working);
  store.referenceChanged = true;
}

void SetImages(IndexImage working, IndexImage reference) {
  FollowSize();
  const auto fits = [](const IndexImage& image) {
    return image.width == store.working.width && image.height == store.working.height &&
           image.pixels.size() == store.working.pixels.size();
  };
  if (!fits(working) || !fits(reference)) {
    return;
  }
  store.working = std::move(working);
  store.reference = std::make_shared<const IndexImage>(std::move(reference));
  store.workingChanged = Whole(store.working);
  store.referenceChanged = true;
}

void FillImages(std::uint8_t value) {
  FollowSize();
  std::fill(store.working.pixels.begin(), store.working.pixels.end(), value);
  store.reference = std::make_shared<const IndexImage>(store.working);
  store.workingChanged = Whole(store.working);
  store.referenceChanged = true;
}

void SwapImageState(ImageState& state) {
  FollowSize();
  std::swap(store.working, state.working);
  std::swap(store.reference, state.reference);
  std::swap(store.selection, state.selection);
  if (store.reference == nullptr) {
    store.reference =
        std::make_shared<const IndexImage>(FilledImage(store.working.width, store.working.height, 0));
  }
  // A state kept before the palette was known shows the one in force.
  std::swap(store.palette, state.palette);
  if (store.palette == nullptr) {
    store.palette = state.palette;
  }
  store.paletteChanged = store.paletteChanged || store.palette != state.palette;
  editorState.width = store.working.width;
  editorState.height = store.working.height;
  store.workingChanged = Whole(store.working);
  store.referenceChanged = true;
}

ImageState CurrentImageState() {
  FollowSize();
  return ImageState{store.working, store.reference, store.selection, store.palette};
}

const Selection& CurrentSelection() {
  FollowSize();
  return store.selection;
}

void SetSelection(Selection selection) {
  FollowSize();
  // What the old selection and the new one cover, their outlines and
  // floating pixels, is drawn again.
  const auto around = [](const Selection& s) {
    return s.active ? ImageRect{s.rect.left - 1, s.rect.top - 1, s.rect.right + 1, s.rect.bottom + 1}
                    : ImageRect{};
  };
  const ImageRect changed = around(store.selection).Union(around(selection));
  store.selection = std::move(selection);
  NoteWorkingShownChanged(changed);
}

void SetImagePalette(std::shared_ptr<const PaletteColours> palette) {
  store.palette = std::move(palette);
  store.paletteChanged = true;
}

std::shared_ptr<const PaletteColours> ImagePalette() {
  return store.palette;
}

bool TakePaletteChange() {
  const bool changed = store.paletteChanged;
  store.paletteChanged = false;
  return changed;
}

ImageRect TakeWorkingChanges() {
  FollowSize();
  const ImageRect changed = store.workingChanged;
  store.workingChanged = ImageRect{};
  return changed;
}

bool TakeReferenceChange() {
  FollowSize();
  const bool changed = store.referenceChanged;
  store.referenceChanged = false;
  return changed;
}

void NoteWorkingShownChanged(const ImageRect& rect) {
  FollowSize();
  const ImageRect clipped{std::max(rect.left, 0), std::max(rect.top, 0),
                          std::min(rect.right, store.working.width),
                          std::min(rect.bottom, store.working.height)};
  if (!clipped.Empty()) {
    store.workingChanged = store.workingChanged.Union(clipped);
  }
}
