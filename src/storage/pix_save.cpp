// Saving pix images: the working view read back from the screen, one palette index a pixel.
#include <sys/types.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include "app/editor_state.h"
#include "canvas/screen_layout.h"
#include "canvas/swatch_colours.h"
#include "platform/gdi.h"
#include "platform/system.h"
#include "storage/pix_file.h"
#include "storage/pix_layout.h"

using pixfile::FileName;
using pixfile::ImagePosition;
using pixfile::kNoPosition;
using pixfile::TerminatedName;

namespace {

// Writes the working view; false when a write failed. Every pixel is read
// with GetPixel, those beyond the screen too: they read as no colour, match
// no swatch and so take the index of the pixel before, as any unmatched
// colour does.
bool WriteWorkingView(plat::HDC dc, std::FILE* file) {
  const SwatchColours swatches(dc);
  int index = 0;
  // Neighbouring pixels mostly share a colour: remember the last one's match.
  plat::COLORREF lastColour = plat::GetPixel(dc, layout::kWorkingView.x, layout::kWorkingView.y);
  int lastMatch = swatches.Match(lastColour);
  for (int row = 0; row < editorState.height; ++row) {
    for (int column = 0; column < editorState.width; ++column) {
      const layout::ScreenPixel at = layout::WorkingPixel(column, row);
      const plat::COLORREF colour = plat::GetPixel(dc, static_cast<int>(at.x), static_cast<int>(at.y));
      if (colour != lastColour) {
        lastColour = colour;
        lastMatch = swatches.Match(colour);
      }
      if (lastMatch >= 0) {
        index = lastMatch;
      }
      if (putc_unlocked(index, file) == EOF) {
        return false;
      }
    }
  }
  return true;
}

// The length of an open file, or -1 when it cannot be told.
std::int64_t FileLength(std::FILE* file) {
  if (file == nullptr || fseeko(file, 0, SEEK_END) != 0) {
    return -1;
  }
  return static_cast<std::int64_t>(ftello(file));
}

// The bytes of an image slot that an overwrite is about to replace: from
// position to the end of the image or of the file, whichever comes first.
struct OldSlot {
  std::int64_t position = 0;
  std::size_t count = 0;
  std::unique_ptr<std::uint8_t[]> bytes;
};

// False when they cannot be read (and so could not be put back).
bool ReadOldSlot(std::FILE* file, std::int64_t position, std::int64_t oldLength, OldSlot* old) {
  const std::int64_t imageBytes =
      std::int64_t{std::max(editorState.width, 0)} * std::int64_t{std::max(editorState.height, 0)};
  const std::int64_t count = std::clamp<std::int64_t>(oldLength - position, 0, imageBytes);
  old->position = position;
  old->count = static_cast<std::size_t>(count);
  if (count == 0) {
    return true;
  }
  old->bytes.reset(new (std::nothrow) std::uint8_t[old->count]);
  return old->bytes != nullptr && fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0 &&
         std::fread(old->bytes.get(), 1, old->count, file) == old->count;
}

void RestoreOldSlot(const char* name, const OldSlot& old) {
  if (old.count == 0) {
    return;
  }
  std::FILE* file = plat::OpenFile(name, "r+b");
  if (file == nullptr) {
    return;
  }
  if (fseeko(file, static_cast<off_t>(old.position), SEEK_SET) == 0) {
    std::fwrite(old.bytes.get(), 1, old.count, file);
  }
  std::fclose(file);
}

}  // namespace

int SavePixImage(plat::DrawSurface* surface) {
  if (surface == nullptr) {
    return 0;
  }
  plat::HDC dc = nullptr;
  if (plat::FAILED(surface->GetDC(&dc))) {
    return 0;
  }
  FileName name = TerminatedName(editorState.saveFileName);
  std::FILE* file = nullptr;
  std::int64_t oldLength = -1;
  OldSlot old;
  if (editorState.offsetNumber > 0) {
    // Over image slot offsetNumber of an existing file.
    std::int64_t position = ImagePosition(editorState.offsetNumber);
    if (position != kNoPosition) {
      file = plat::OpenFile(name.text, "r+b");
    }
    oldLength = FileLength(file);
    if (file != nullptr && (oldLength < 0 || !ReadOldSlot(file, position, oldLength, &old) ||
                            fseeko(file, static_cast<off_t>(position), SEEK_SET) != 0)) {
      std::fclose(file);
      file = nullptr;
    }
  } else if (editorState.offsetNumber == 0) {
    file = plat::OpenFile(name.text, "a+b");
    oldLength = FileLength(file);
  }
  if (file == nullptr) {
    surface->ReleaseDC(dc);
    return 0;
  }
  bool written = WriteWorkingView(dc, file);
  // A full disk often shows only when the buffer is flushed at the close.
  bool closed = std::fclose(file) == 0;
  surface->ReleaseDC(dc);
  if (!written || !closed) {
    // Half an image at the end would shift every image saved after it: give
    // the file back its old length. Then put back the old bytes of the slot
    // that the failed write covered, read for that before writing.
    if (oldLength >= 0) {
      plat::TruncateFile(name.text, oldLength);
    }
    RestoreOldSlot(name.text, old);
    return 0;
  }
  editorState.offsetNumber = 0;
  return 1;
}
