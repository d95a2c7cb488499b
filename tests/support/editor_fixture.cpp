// The editor's devices without WinMain, and the image areas read back from the screen.
#include "editor_fixture.h"

#include <algorithm>
#include <array>

#include "app/editor_state.h"
#include "canvas/image_store.h"
#include "draw/image_areas.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "platform/window.h"
#include "program_run.h"

namespace pixtest {

bool OpenTestEditor() {
  if (!OpenTestDisplay() || !OpenTestWindow(plat::DefWindowProcA) || !OpenTestInput()) {
    return false;
  }
  editorState.cursorX = 400;
  editorState.cursorY = 300;
  plat::SetCursorPos(400, 300);
  plat::headless::ClearLog();
  return true;
}

void CloseTestEditor() {
  CloseTestInput();
  if (editorState.windowHandle != nullptr && plat::headless::WindowAlive()) {
    plat::DestroyWindow(editorState.windowHandle);
  }
  editorState.windowHandle = nullptr;
  CloseTestDisplay();
}

void PutWorkingView(const Image& image) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      SetWorkingPixel(x, y, image.pixels[static_cast<std::size_t>(y * image.width + x)]);
    }
  }
}

namespace {

Image ReadView(int left, int top, int width, int height) {
  Image image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.pixels.push_back(plat::headless::ScreenAt(left + x, top + y));
    }
  }
  return image;
}

}  // namespace

Image ReadReferenceView(int width, int height) {
  DrawImageAreas();
  return ReadView(6, 6, width, height);
}

Image ReadWorkingView(int width, int height) {
  DrawImageAreas();
  return ReadView(6, 128, width, height);
}

Image ReadGridCells(int width, int height) {
  DrawImageAreas();
  Image image{width, height, {}};
  for (int i = 0; i < height; ++i) {
    for (int j = 0; j < width; ++j) {
      image.pixels.push_back(plat::headless::ScreenAt(141 + 5 * j, 6 + 5 * i));
    }
  }
  return image;
}

bool GridCellsUniform(int width, int height) {
  DrawImageAreas();
  for (int i = 0; i < height; ++i) {
    for (int j = 0; j < width; ++j) {
      const std::uint8_t first = plat::headless::ScreenAt(141 + 5 * j, 6 + 5 * i);
      for (int d = 0; d < 16; ++d) {
        if (plat::headless::ScreenAt(141 + 5 * j + d % 4, 6 + 5 * i + d / 4) != first) {
          return false;
        }
      }
    }
  }
  return true;
}

Bytes Pattern(std::size_t n, int multiplier, int offset, int modulus) {
  Bytes bytes(n);
  for (std::size_t i = 0; i < n; ++i) {
    bytes[i] = static_cast<std::uint8_t>((static_cast<long>(i) * multiplier + offset) % modulus);
  }
  return bytes;
}

std::string FirstDifference(const Bytes& expected, const Bytes& actual) {
  const std::size_t common = std::min(expected.size(), actual.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (expected[i] != actual[i]) {
      return "first difference at byte " + std::to_string(i) + ": expected " + std::to_string(expected[i]) +
             ", actual " + std::to_string(actual[i]);
    }
  }
  if (expected.size() != actual.size()) {
    return "sizes differ: expected " + std::to_string(expected.size()) + " bytes, actual " +
           std::to_string(actual.size());
  }
  return "equal";
}

std::size_t CountCalls(const std::string& name) {
  const auto& log = plat::headless::CallLog();
  return static_cast<std::size_t>(std::count(log.begin(), log.end(), name));
}

void QueueKeyPolls(std::initializer_list<std::initializer_list<std::uint8_t>> polls) {
  for (const auto& keys : polls) {
    plat::headless::QueueKeys(keys);
  }
}

std::uint8_t IndexOfColour(std::uint32_t colour) {
  const std::array<plat::PALETTEENTRY, 256> palette = plat::headless::Palette();
  for (int i = 0; i < 256; ++i) {
    if (plat::RGB(palette[i].peRed, palette[i].peGreen, palette[i].peBlue) == colour) {
      return static_cast<std::uint8_t>(i);
    }
  }
  return 0;
}

}  // namespace pixtest
