// Loading pix images: the file's palette indices drawn into the image areas of the screen.
#include "storage/pix_file.h"

#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "app/editor_state.h"
#include "canvas/locked_screen.h"
#include "canvas/screen_layout.h"
#include "platform/system.h"
#include "storage/pix_layout.h"
#include "storage/pix_report.h"

using pixfile::FileName;
using pixfile::ImagePosition;
using pixfile::kNoPosition;
using pixfile::TerminatedName;

namespace {

// A stream of image bytes that reads 255 past the end of the file (or when the
// image lies where no file can reach).
struct ImageReader {
  std::FILE* file;
  bool pastEnd;

  int Next() {
    if (pastEnd) {
      return 255;
    }
    int byte = getc_unlocked(file);
    return byte == EOF ? 255 : byte;
  }
};

// A seek the file system refuses (past its largest file) would leave the stream at
// byte 0 and show image 0; that image lies past the end just the same.
ImageReader StartImage(std::FILE* file, std::int64_t position) {
  if (position == kNoPosition || fseeko(file, static_cast<off_t>(position), SEEK_SET) != 0) {
    return {file, true};
  }
  return {file, false};
}

// Draws one pass of the image into a 1:1 view, one byte per pixel. Pixels
// off the screen are read all the same, so each row starts at its own byte.
void DrawView(ImageReader& reader, const LockedScreen& screen, layout::ScreenPoint view) {
  for (int row = 0; row < editorState.height; ++row) {
    for (int column = 0; column < editorState.width; ++column) {
      const layout::ScreenPixel at = layout::ViewPixel(view, column, row);
      screen.Put(at.x, at.y, reader.Next());
    }
  }
}

void DrawGridCells(ImageReader& reader, const LockedScreen& screen) {
  for (int row = 0; row < editorState.height; ++row) {
    for (int column = 0; column < editorState.width; ++column) {
      const int value = reader.Next();
      const layout::ScreenPixel cell = layout::GridCell(column, row);
      for (int dy = 0; dy < layout::kCellSize; ++dy) {
        for (int dx = 0; dx < layout::kCellSize; ++dx) {
          screen.Put(cell.x + dx, cell.y + dy, value);
        }
      }
    }
  }
}

}  // namespace

int LoadPixImage(int n, PixReport* report) {
  std::int64_t position = ImagePosition(n);
  FileName name = TerminatedName(editorState.loadFileName);
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return 0;
  }
  std::FILE* file = plat::OpenFile(name.text, "a+b");
  if (file == nullptr) {
    const int error = errno;
    UnlockScreen();
    if (report != nullptr) {
      report->reason = ReasonOf(error);
    }
    return 0;
  }
  ImageReader reader = StartImage(file, position);
  DrawView(reader, screen, layout::kReferenceView);
  std::fclose(file);

  file = plat::OpenFile(name.text, "a+b");
  if (file == nullptr) {
    const int error = errno;
    UnlockScreen();
    if (report != nullptr) {
      report->reason = ReasonOf(error);
    }
    return 0;
  }
  reader = StartImage(file, position);
  DrawGridCells(reader, screen);
  std::fclose(file);

  if (!UnlockScreen()) {
    return 0;
  }
  LoadWorkingView(n);
  return 1;
}

int LoadWorkingView(int n) {
  std::int64_t position = ImagePosition(n);
  FileName name = TerminatedName(editorState.loadFileName);
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return 0;
  }
  std::FILE* file = plat::OpenFile(name.text, "a+b");
  if (file == nullptr) {
    UnlockScreen();
    return 0;
  }
  ImageReader reader = StartImage(file, position);
  DrawView(reader, screen, layout::kWorkingView);
  std::fclose(file);
  return UnlockScreen() ? 1 : 0;
}

std::int64_t WholeImagesIn(const char* name) {
  const std::int64_t imageBytes =
      std::int64_t{std::max(editorState.width, 0)} * std::int64_t{std::max(editorState.height, 0)};
  if (imageBytes == 0) {
    return 0;
  }
  // Read only: "a+b" would create a missing file.
  std::FILE* file = plat::OpenFile(name, "rb");
  if (file == nullptr) {
    return 0;
  }
  const std::int64_t length = fseeko(file, 0, SEEK_END) == 0 ? static_cast<std::int64_t>(ftello(file)) : 0;
  std::fclose(file);
  return std::max<std::int64_t>(length, 0) / imageBytes;
}
