// Loading and saving pix images: the screen is the image, the file holds its palette indices.
#include "storage/pix_file.h"

#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "app/editor_state.h"
#include "canvas/palette_panel.h"
#include "canvas/pen.h"
#include "platform/gdi.h"
#include "platform/system.h"

namespace {

// An image position that no file can reach: every byte of it reads as past the end.
constexpr std::int64_t kNoPosition = -1;

// A name field holds at most 24 characters, even when its terminator was lost.
struct FileName {
  char text[25];
};

FileName TerminatedName(const char (&name)[25]) {
  FileName copy{};
  std::memcpy(copy.text, name, strnlen(name, 24));
  return copy;
}

// Byte position of image number n, or kNoPosition when it is negative or too large
// for a file offset.
std::int64_t ImagePosition(std::int64_t n) {
  std::int64_t size = 0;
  std::int64_t position = 0;
  if (__builtin_mul_overflow(static_cast<std::int64_t>(editorState.width),
                             static_cast<std::int64_t>(editorState.height), &size) ||
      __builtin_mul_overflow(n, size, &position) || position < 0 ||
      position > static_cast<std::int64_t>(std::numeric_limits<off_t>::max())) {
    return kNoPosition;
  }
  return position;
}

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

struct LockedScreen {
  std::uint8_t* memory;
  int pitch;
  int width;
  int height;

  void Put(int x, int y, int value) const {
    if (x >= 0 && y >= 0 && x < width && y < height) {
      PutLockedPixel(x, y, value, memory, pitch);
    }
  }
};

bool LockScreen(LockedScreen& screen) {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  if (surface == nullptr || plat::FAILED(surface->Lock(nullptr, &surfaceDesc, plat::DDLOCK_WAIT, nullptr))) {
    return false;
  }
  screen = {static_cast<std::uint8_t*>(surfaceDesc.lpSurface), surfaceDesc.lPitch,
            static_cast<int>(surfaceDesc.dwWidth), static_cast<int>(surfaceDesc.dwHeight)};
  return true;
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

// The palette index of a screen colour: the last swatch showing that colour,
// else the index found for the pixel before.
int SwatchIndex(plat::HDC dc, plat::COLORREF colour, int previous) {
  int index = previous;
  for (int c = 0; c < 3; ++c) {
    for (int k = 0; k < 27; ++k) {
      if (plat::GetPixel(dc, SwatchSampleX(c), SwatchSampleY(k)) == colour) {
        index = 27 * c + k;
      }
    }
  }
  return index;
}

// Writes the working view; false when a write failed.
bool WriteWorkingView(plat::HDC dc, std::FILE* file) {
  int index = 0;
  for (int y = 0; y < editorState.height; ++y) {
    for (int x = 0; x < editorState.width; ++x) {
      int screenX = 6 + x;
      int screenY = 128 + y;
      if (screenX < plat::kScreenWidth && screenY < plat::kScreenHeight) {
        index = SwatchIndex(dc, plat::GetPixel(dc, screenX, screenY), index);
      } else {
        // Beyond the screen nothing was painted: such pixels are black, as after Clear.
        index = 0;
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
    displayDevice.primarySurface->Unlock(nullptr);
    return 0;
  }
  ImageReader reader = StartImage(file, position);
  DrawView(reader, screen, 6, 6);
  std::fclose(file);

  file = plat::OpenFile(name.text, "a+b");
  if (file == nullptr) {
    displayDevice.primarySurface->Unlock(nullptr);
    return 0;
  }
  reader = StartImage(file, position);
  DrawGridCells(reader, screen);
  std::fclose(file);

  if (plat::FAILED(displayDevice.primarySurface->Unlock(nullptr))) {
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
    displayDevice.primarySurface->Unlock(nullptr);
    return 0;
  }
  ImageReader reader = StartImage(file, position);
  DrawView(reader, screen, 6, 128);
  std::fclose(file);
  return plat::FAILED(displayDevice.primarySurface->Unlock(nullptr)) ? 0 : 1;
}

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
  if (editorState.offsetNumber > 0) {
    // Over image slot offsetNumber of an existing file.
    std::int64_t position = ImagePosition(editorState.offsetNumber);
    if (position != kNoPosition) {
      file = plat::OpenFile(name.text, "r+b");
    }
    oldLength = FileLength(file);
    if (file != nullptr && fseeko(file, static_cast<off_t>(position), SEEK_SET) != 0) {
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
    // the file back its old length.
    if (oldLength >= 0) {
      plat::TruncateFile(name.text, oldLength);
    }
    return 0;
  }
  editorState.offsetNumber = 0;
  return 1;
}
