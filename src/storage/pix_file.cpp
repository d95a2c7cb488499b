// Loading pix images: the file's palette indices drawn into the image areas of the screen.
#include "storage/pix_file.h"

#include <sys/types.h>

#include <cstdint>
#include <cstdio>

#include "app/editor_state.h"
#include "canvas/locked_screen.h"
#include "platform/system.h"
#include "storage/pix_layout.h"

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

// Draws one pass of the image at (left, top) of the screen, one byte per pixel.
// Pixels off the screen are read all the same, so each row starts at its own byte.
void DrawView(ImageReader& reader, const LockedScreen& screen, int left, int top) {
  for (int y = 0; y < editorState.height; ++y) {
    for (int x = 0; x < editorState.width; ++x) {
      screen.Put(left + x, top + y, reader.Next());
    }
  }
}

void DrawGridCells(ImageReader& reader, const LockedScreen& screen) {
  for (int i = 0; i < editorState.height; ++i) {
    for (int j = 0; j < editorState.width; ++j) {
      int value = reader.Next();
      int cellX = 141 + 5 * j;
      int cellY = 6 + 5 * i;
      for (int dy = 0; dy < 4; ++dy) {
        for (int dx = 0; dx < 4; ++dx) {
          screen.Put(cellX + dx, cellY + dy, value);
        }
      }
    }
  }
}

}  // namespace

int LoadPixImage(int n) {
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
  DrawView(reader, screen, 6, 6);
  std::fclose(file);

  file = plat::OpenFile(name.text, "a+b");
  if (file == nullptr) {
    UnlockScreen();
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
  DrawView(reader, screen, 6, 128);
  std::fclose(file);
  return UnlockScreen() ? 1 : 0;
}
