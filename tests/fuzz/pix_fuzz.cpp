// Fuzz target: LoadPixImage on a file of arbitrary contents with an arbitrary
// width, height and image number, then SavePixImage with an arbitrary offset.
// The working view must show the image's bytes (255 past the end of the
// file), and the save file must hold exactly what the save writes: the index
// of the last swatch showing each pixel's colour (the previous pixel's for a
// colour no swatch shows, pixels beyond the screen among them), appended,
// over its slot, or nothing when the save fails.
// Input (from the end): width, height, image number, offset, flags; then the
// load file's bytes and the save file's.
#include <fcntl.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "canvas/palette_panel.h"
#include "canvas/screen_layout.h"
#include "fuzz_machine.h"
#include "platform/display.h"
#include "platform/headless/headless.h"
#include "storage/pix_file.h"

namespace {

// Images of at most this many pixels keep an input cheap; sizes beyond the
// screen on either side still come up (999 x 8, 8 x 999).
constexpr std::int64_t kMostPixels = 8192;

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

// The bytes of file at [from, from + count), read without reading the rest
// (a slot far out makes a sparse file of terabytes).
std::string BytesAt(int file, std::int64_t from, std::size_t count) {
  std::string bytes(count, '\0');
  const ssize_t got = pread(file, bytes.data(), count, static_cast<off_t>(from));
  pixfuzz::Check(got == static_cast<ssize_t>(count), "the save file is shorter than expected");
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pixfuzz::OpenEditorOnce();
  const pixfuzz::Input scope;
  pixfuzz::EmptyWorkingFolder();
  FuzzedDataProvider input(data, size);
  int width = input.ConsumeIntegralInRange<int>(-2, 999);
  int height = input.ConsumeIntegralInRange<int>(-2, 999);
  if (width > 0 && height > 0 && std::int64_t{width} * height > kMostPixels) {
    height = static_cast<int>(kMostPixels / width);
  }
  const int n = Number(input);
  int offset = Number(input);
  // Slots beyond a terabyte would fail on file systems that stop there (ext4
  // at 16 TiB); no size here reaches a position no file offset can hold.
  if (offset > 0 &&
      std::int64_t{offset} * std::max(width, 1) * std::max(height, 1) > (std::int64_t{1} << 40)) {
    offset %= 64;
  }
  const auto flags = input.ConsumeIntegral<std::uint8_t>();
  const bool loadFileExists = (flags & 1) != 0;
  const bool saveFileExists = (flags & 2) != 0;
  const bool sameFile = (flags & 4) != 0;
  const std::string loadBytes =
      input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, input.remaining_bytes()));
  const std::string saveBytes = input.ConsumeRemainingBytesAsString();
  const char* saveName = sameFile ? "in.pix" : "out.pix";
  if (loadFileExists) {
    pixfuzz::WriteFile("in.pix", loadBytes);
  }
  if (saveFileExists && !sameFile) {
    pixfuzz::WriteFile("out.pix", saveBytes);
  }
  SetName(editorState.loadFileName, "in.pix");
  SetName(editorState.saveFileName, saveName);
  editorState.width = width;
  editorState.height = height;
  editorState.offsetNumber = offset;
  DrawPalettePanel();  // an earlier wide image may have drawn over it

  // Load: the working view is drawn last, so it shows its own bytes wherever it is on the screen.
  pixfuzz::Check(LoadPixImage(n) == 1, "the load failed");
  std::string file;
  pixfuzz::Check(pixfuzz::ReadFile("in.pix", &file), "the load file is missing after a load");
  pixfuzz::Check(file == (loadFileExists ? loadBytes : std::string()), "the load changed the load file");
  const std::int64_t imageBytes = std::int64_t{std::max(width, 0)} * std::max(height, 0);
  const std::int64_t start = PositionOf(n, std::int64_t{width} * height);
  auto screen = std::make_unique<pixfuzz::ScreenLock>();
  const auto onScreen = pixfuzz::ScreenLock::On;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!onScreen(6 + x, 128 + y)) {
        continue;
      }
      const std::int64_t at = start + std::int64_t{y} * width + x;
      const int expected = start >= 0 && at < static_cast<std::int64_t>(file.size())
                               ? static_cast<std::uint8_t>(file[at])
                               : 255;
      pixfuzz::Check(screen->At(6 + x, 128 + y) == expected, "the working view does not show the image");
    }
  }

  // What the save must write: the last swatch showing each pixel's colour.
  const std::array<plat::PALETTEENTRY, 256> palette = plat::headless::Palette();
  const auto sameColour = [&](int a, int b) {
    return palette[a].peRed == palette[b].peRed && palette[a].peGreen == palette[b].peGreen &&
           palette[a].peBlue == palette[b].peBlue;
  };
  std::array<int, 256> swatchOf;
  swatchOf.fill(-1);
  for (int swatch = 0; swatch < 81; ++swatch) {
    const int shown = screen->At(layout::SwatchSampleX(swatch / 27), layout::SwatchSampleY(swatch % 27));
    for (int index = 0; index < 256; ++index) {
      if (sameColour(index, shown)) {
        swatchOf[index] = swatch;
      }
    }
  }
  std::string image;
  image.reserve(static_cast<std::size_t>(imageBytes));
  int index = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (onScreen(6 + x, 128 + y) && swatchOf[screen->At(6 + x, 128 + y)] >= 0) {
        index = swatchOf[screen->At(6 + x, 128 + y)];
      }
      image.push_back(static_cast<char>(index));
    }
  }
  std::string before;
  screen.reset();  // the save takes the surface's device context itself
  const bool existed = pixfuzz::ReadFile(saveName, &before);
  const std::int64_t slot = PositionOf(offset, std::int64_t{width} * height);
  const bool shouldSave = offset == 0 || (offset > 0 && existed && slot >= 0);

  const int saved = SavePixImage();
  pixfuzz::Check(saved == (shouldSave ? 1 : 0),
                 shouldSave ? "the save failed" : "an impossible save succeeded");
  pixfuzz::Check(editorState.offsetNumber == (saved == 1 ? 0 : offset), "the offset is wrong after the save");
  if (!shouldSave) {
    std::string after;
    pixfuzz::Check(pixfuzz::ReadFile(saveName, &after) == existed && after == before,
                   "a failed save changed the save file");
    return 0;
  }
  const int descriptor = open(saveName, O_RDONLY | O_CLOEXEC);
  pixfuzz::Check(descriptor >= 0, "the save file is missing");
  struct stat info;
  pixfuzz::Check(fstat(descriptor, &info) == 0, "the save file cannot be examined");
  const std::int64_t length = info.st_size;
  const std::int64_t oldLength = static_cast<std::int64_t>(before.size());
  const std::int64_t at = offset == 0 ? oldLength : slot;
  const std::int64_t expectedLength = imageBytes == 0 ? oldLength : std::max(oldLength, at + imageBytes);
  pixfuzz::Check(length == expectedLength, "the save file has the wrong length");
  const std::int64_t keptBefore = std::min(oldLength, at);
  pixfuzz::Check(BytesAt(descriptor, 0, static_cast<std::size_t>(keptBefore)) == before.substr(0, keptBefore),
                 "the save changed bytes before its image");
  pixfuzz::Check(BytesAt(descriptor, at, image.size()) == image,
                 "the saved image is not what the screen shows");
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
  return 0;
}
