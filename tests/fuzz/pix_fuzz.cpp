// Fuzz target: LoadPixImage on a file of arbitrary contents with an arbitrary
// width, height and image number, a few working pixels painted, then
// SavePixImage with an arbitrary offset or SaveImageInPlace over an arbitrary
// image. After the load the working and the reference image hold the file's
// bytes (255 past its end); the screen then shows them as the test's own model
// of the image areas says (image_model.h), at the start view or zoomed
// to fit, and again after the painting; the save file ends up with exactly
// the working image's bytes appended or over the slot, or unchanged when the
// save must fail.
// Input (from the end): width, height, image number, offset, flags, the
// painted pixels; then the load file's bytes and the save file's.
#include <fcntl.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "app/editor_state.h"
#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/screen_layout.h"
#include "draw/image_areas.h"
#include "fuzz_machine.h"
#include "image_model.h"
#include "storage/pix_file.h"

namespace {

// Images of at most this many pixels keep an input cheap; sizes beyond the
// screen on either side still come up (999 x 8, 8 x 999). A flag lifts it.
constexpr std::int64_t kMostPixels = 8192;
// Ctrl+S writes the zeros up to a slot past the end: slots stay below this.
constexpr std::int64_t kMostInPlaceSlot = std::int64_t{1} << 26;

enum Flag : std::uint8_t {
  kLoadFileExists = 1,
  kSaveFileExists = 2,
  kSameFile = 4,
  kSaveInPlace = 8,
  kZoomToFit = 16,
  kPaintedPixels = 32 | 64,  // how many, 0 to 3
  kAnySize = 128,
};
constexpr int kPaintedShift = 5;

// Mostly small (the images of a short file), now and then any int.
int Number(FuzzedDataProvider& input) {
  return input.ConsumeIntegral<std::uint8_t>() < 200 ? input.ConsumeIntegralInRange<int>(-2, 8)
                                                     : input.ConsumeIntegral<int>();
}

void SetName(char (&field)[25], const char* name) {
  std::memset(field, 0, sizeof field);
  std::strncpy(field, name, sizeof field - 1);
}

// Where image n starts, or -1 where no file reaches (as the load and save take it).
std::int64_t PositionOf(std::int64_t n, std::int64_t imageBytes) {
  std::int64_t position = 0;
  if (__builtin_mul_overflow(n, imageBytes, &position) || position < 0 ||
      position > std::numeric_limits<off_t>::max()) {
    return -1;
  }
  return position;
}

// The view the grid must have: the start view, or the largest pitch at which
// the whole image fits the grid's area (the least when none does).
GridView ExpectedView(bool zoomed, int width, int height) {
  GridView view;
  if (!zoomed) {
    return view;
  }
  view.pitch = layout::kLeastPitch;
  for (int pitch = layout::kMostPitch; pitch > layout::kLeastPitch; --pitch) {
    if (std::int64_t{width} * pitch <= layout::kGridAreaWidth &&
        std::int64_t{height} * pitch <= layout::kGridAreaHeight) {
      view.pitch = pitch;
      break;
    }
  }
  return view;
}

// The bytes of file at [from, from + count), read without reading the rest
// (a slot far out makes a sparse file of terabytes).
std::string BytesAt(int file, std::int64_t from, std::size_t count) {
  std::string bytes(count, '\0');
  const ssize_t got = pread(file, bytes.data(), count, static_cast<off_t>(from));
  pixfuzz::Check(got == static_cast<ssize_t>(count), "the save file is shorter than expected");
  return bytes;
}

// The save file after a save that wrote image at byte `at` of a file that held before.
void CheckSavedFile(const char* name, const std::string& before, std::int64_t at, const IndexImage& image) {
  const std::int64_t imageBytes = static_cast<std::int64_t>(image.pixels.size());
  const std::string bytes(image.pixels.begin(), image.pixels.end());
  const int descriptor = open(name, O_RDONLY | O_CLOEXEC);
  pixfuzz::Check(descriptor >= 0, "the save file is missing");
  struct stat info;
  pixfuzz::Check(fstat(descriptor, &info) == 0, "the save file cannot be examined");
  const std::int64_t length = info.st_size;
  const std::int64_t oldLength = static_cast<std::int64_t>(before.size());
  const std::int64_t expectedLength = imageBytes == 0 ? oldLength : std::max(oldLength, at + imageBytes);
  pixfuzz::Check(length == expectedLength, "the save file has the wrong length");
  const std::int64_t keptBefore = std::min(oldLength, at);
  pixfuzz::Check(BytesAt(descriptor, 0, static_cast<std::size_t>(keptBefore)) == before.substr(0, keptBefore),
                 "the save changed bytes before its image");
  pixfuzz::Check(BytesAt(descriptor, at, bytes.size()) == bytes,
                 "the saved image is not the working image's indices");
  if (at + imageBytes < oldLength) {
    pixfuzz::Check(
        BytesAt(descriptor, at + imageBytes, static_cast<std::size_t>(oldLength - at - imageBytes)) ==
            before.substr(at + imageBytes),
        "the save changed bytes after its image");
  }
  if (at > oldLength && imageBytes > 0) {
    // The gap up to a slot past the end reads as zeros: its two ends are enough.
    const std::size_t gap = static_cast<std::size_t>(std::min<std::int64_t>(at - oldLength, 4096));
    pixfuzz::Check(BytesAt(descriptor, oldLength, gap) == std::string(gap, '\0') &&
                       BytesAt(descriptor, at - gap, gap) == std::string(gap, '\0'),
                   "the gap before a slot past the end is not zeros");
  }
  close(descriptor);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pixfuzz::OpenEditorOnce();
  const pixfuzz::Input scope;
  pixfuzz::EmptyWorkingFolder();
  FuzzedDataProvider input(data, size);
  const int width = input.ConsumeIntegralInRange<int>(-2, 999);
  int height = input.ConsumeIntegralInRange<int>(-2, 999);
  const int n = Number(input);
  int offset = Number(input);
  const auto flags = input.ConsumeIntegral<std::uint8_t>();
  if ((flags & kAnySize) == 0 && width > 0 && height > 0 && std::int64_t{width} * height > kMostPixels) {
    height = static_cast<int>(kMostPixels / width);
  }
  const bool inPlace = (flags & kSaveInPlace) != 0;
  // Slots beyond a terabyte would fail on file systems that stop there (ext4
  // at 16 TiB); no size here reaches a position no file offset can hold.
  const std::int64_t farthest = inPlace ? kMostInPlaceSlot : std::int64_t{1} << 40;
  if (offset > 0 && std::int64_t{offset} * std::max(width, 1) * std::max(height, 1) > farthest) {
    offset %= 64;
  }
  const bool sameFile = (flags & kSameFile) != 0;
  const int imageWidth = std::max(width, 0);
  const int imageHeight = std::max(height, 0);
  struct Paint {
    int column;
    int row;
    std::uint8_t colour;
  };
  Paint paints[3];
  const int painted = (flags & kPaintedPixels) >> kPaintedShift;
  for (int i = 0; i < painted; ++i) {
    paints[i].column = input.ConsumeIntegralInRange<int>(-1, imageWidth);
    paints[i].row = input.ConsumeIntegralInRange<int>(-1, imageHeight);
    paints[i].colour = input.ConsumeIntegral<std::uint8_t>();
  }
  const std::string loadBytes =
      input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, input.remaining_bytes()));
  const std::string saveBytes = input.ConsumeRemainingBytesAsString();
  const char* saveName = sameFile ? "in.pix" : "out.pix";
  if ((flags & kLoadFileExists) != 0) {
    pixfuzz::WriteFile("in.pix", loadBytes);
  }
  if ((flags & kSaveFileExists) != 0 && !sameFile) {
    pixfuzz::WriteFile("out.pix", saveBytes);
  }
  SetName(editorState.loadFileName, "in.pix");
  SetName(editorState.saveFileName, saveName);
  editorState.width = width;
  editorState.height = height;
  editorState.offsetNumber = offset;
  if ((flags & kZoomToFit) != 0) {
    ZoomToFit();
  }

  // Load: both images hold the file's image, and the screen shows them.
  pixfuzz::Check(LoadPixImage(n) == 1, "the load failed");
  std::string file;
  pixfuzz::Check(pixfuzz::ReadFile("in.pix", &file), "the load file is missing after a load");
  pixfuzz::Check(file == ((flags & kLoadFileExists) != 0 ? loadBytes : std::string()),
                 "the load changed the load file");
  const IndexImage loaded =
      pixfuzz::ImageInFile(file, PositionOf(n, std::int64_t{width} * height), imageWidth, imageHeight);
  pixfuzz::Check(pixfuzz::SameImage(WorkingImage(), loaded), "the working image is not the file's image");
  pixfuzz::Check(pixfuzz::SameImage(ReferenceImage(), loaded), "the reference image is not the file's image");
  DrawImageAreas();
  const GridView view = ExpectedView((flags & kZoomToFit) != 0, imageWidth, imageHeight);
  pixfuzz::Check(CurrentGridView() == view, "the grid's view is not the one asked for");
  pixfuzz::CheckImageAreas(loaded, loaded, view, "after a load");

  // Painting changes the working image only, and the screen follows.
  IndexImage working = loaded;
  for (int i = 0; i < painted; ++i) {
    SetWorkingPixel(paints[i].column, paints[i].row, paints[i].colour);
    if (working.Contains(paints[i].column, paints[i].row)) {
      working.At(paints[i].column, paints[i].row) = paints[i].colour;
    }
  }
  if (painted > 0) {
    pixfuzz::Check(pixfuzz::SameImage(WorkingImage(), working), "the working image is not as painted");
    pixfuzz::Check(pixfuzz::SameImage(ReferenceImage(), loaded), "painting changed the reference image");
    DrawImageAreas();
    pixfuzz::CheckImageAreas(working, loaded, view, "after painting");
  }

  // Save: the working image's own bytes, appended or over their slot.
  std::string before;
  const bool existed = pixfuzz::ReadFile(saveName, &before);
  const std::int64_t imageBytes = static_cast<std::int64_t>(working.pixels.size());
  const std::int64_t slot = PositionOf(offset, std::int64_t{width} * height);
  bool shouldSave = offset == 0 || (offset > 0 && existed && slot >= 0);
  if (inPlace) {
    // Over image `offset` whatever the offset field says, a missing file made;
    // an image of no bytes writes nothing and counts as not saved.
    shouldSave = slot >= 0 && imageBytes > 0;
  }
  PixReport report;
  const int saved = inPlace ? SaveImageInPlace(offset, &report) : SavePixImage(&report);
  pixfuzz::Check(saved == (shouldSave ? 1 : 0),
                 shouldSave ? "the save failed" : "an impossible save succeeded");
  pixfuzz::Check(editorState.offsetNumber == (saved == 1 && !inPlace ? 0 : offset),
                 "the offset is wrong after the save");
  if (!shouldSave) {
    std::string after;
    pixfuzz::Check(pixfuzz::ReadFile(saveName, &after) == existed && after == before,
                   "a failed save changed the save file");
    return 0;
  }
  const std::int64_t at = offset == 0 && !inPlace ? static_cast<std::int64_t>(before.size()) : slot;
  pixfuzz::Check(report.written == imageBytes && report.byte == at,
                 "the save reports other bytes than it wrote");
  CheckSavedFile(saveName, before, at, working);
  return 0;
}
