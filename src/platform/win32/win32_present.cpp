// The win32 backend's picture: the editor's 8-bit surface compared with the frame shown last at
// most once a refresh, scaled into a 32-bit bitmap of the window's size where it changed, and
// copied to the window; and the waits between passes once nothing changes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "../display.h"
#include "../pace.h"
#include "../soft/frame_scaler.h"
#include "../soft/pump_pacing.h"
#include "../soft/screen_fit.h"
#include "../soft/shown_frame.h"
// After the plat headers (see there).
#include "win32_desktop.h"
#include "win32_pass_timer.h"

namespace plat::win32 {
namespace {

struct Picture {
  const std::uint8_t* screen = nullptr;
  ::IDirectDrawPalette* palette = nullptr;
  soft::Scaling scaling = soft::Scaling::Area;
  bool scalingRead = false;

  soft::Letterbox box{};
  soft::FrameScaler scaler;
  soft::ShownFrame shown;
  soft::Pacing pacing;
  // The window's picture: a top-down 32-bit bitmap of its size, selected into memory.
  ::HDC memory = nullptr;
  ::HBITMAP bitmap = nullptr;
  ::HGDIOBJ previous = nullptr;
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  // The window shows nothing of it (new, restored, uncovered, resized).
  bool lost = true;
  // Signalled when the mouse changed.
  ::HANDLE mouseChanged = nullptr;
};

Picture& State() {
  static Picture picture;
  return picture;
}

void DropBitmap(Picture& picture) {
  if (picture.memory != nullptr) {
    ::SelectObject(picture.memory, picture.previous);
    ::DeleteDC(picture.memory);
  }
  if (picture.bitmap != nullptr) {
    ::DeleteObject(picture.bitmap);
  }
  picture.memory = nullptr;
  picture.bitmap = nullptr;
  picture.pixels = nullptr;
  picture.width = 0;
  picture.height = 0;
}

void DrawScreenRows(Picture& picture, int first, int last, int* top, int* bottom) {
  int from = 0;
  int to = 0;
  picture.scaler.WindowRowsShowing(first, last, &from, &to);
  picture.scaler.DrawRows(picture.shown, from, to, picture.pixels);
  if (from < to) {
    *top = std::min(*top, from);
    *bottom = std::max(*bottom, to);
  }
}

// The bitmap follows the window's size; false while there is none to draw.
bool LayOut(Picture& picture, ::HWND window) {
  ::RECT client = {};
  if (window == nullptr || ::IsIconic(window) || !::GetClientRect(window, &client)) {
    return false;
  }
  const int width = std::max(1L, client.right - client.left);
  const int height = std::max(1L, client.bottom - client.top);
  if (picture.pixels != nullptr && width == picture.width && height == picture.height) {
    return true;
  }
  DropBitmap(picture);
  if (!picture.scalingRead) {
    picture.scaling = soft::ScalingFromEnvironment();
    picture.scalingRead = true;
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  picture.bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  picture.memory = ::CreateCompatibleDC(nullptr);
  if (picture.bitmap == nullptr || picture.memory == nullptr || bits == nullptr) {
    DropBitmap(picture);
    return false;
  }
  picture.previous = ::SelectObject(picture.memory, picture.bitmap);
  picture.pixels = static_cast<std::uint32_t*>(bits);
  picture.width = width;
  picture.height = height;
  std::fill(picture.pixels, picture.pixels + std::size_t{static_cast<unsigned>(width)} * height, 0u);
  picture.box = soft::MakeLetterbox(width, height, picture.scaling);
  picture.scaler.Prepare(picture.box, soft::PlanScale(picture.box));
  if (picture.shown.valid) {
    int top = height;
    int bottom = 0;
    DrawScreenRows(picture, 0, kScreenHeight - 1, &top, &bottom);
  }
  picture.lost = true;
  return true;
}

// Compares the surface with the frame shown last; true when it changed.
bool Capture(Picture& picture) {
  if (picture.screen == nullptr) {
    return false;
  }
  ::PALETTEENTRY entries[256] = {};
  const bool coloured =
      picture.palette != nullptr && SUCCEEDED(picture.palette->GetEntries(0, 0, 256, entries));
  plat::PALETTEENTRY colours[256];
  for (int i = 0; i < 256; ++i) {
    colours[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue, entries[i].peFlags};
  }
  // GDI's drawing on the surface is done with.
  ::GdiFlush();
  const plat::PALETTEENTRY* palette = coloured ? colours : nullptr;
  const soft::ScreenView view{picture.screen, kScreenWidth, kScreenHeight, kScreenWidth, palette};
  return soft::CaptureFrame(picture.shown, view, soft::BuildColourTable(palette));
}

void Show(const Picture& picture, ::HWND window, int top, int bottom) {
  if (top >= bottom) {
    return;
  }
  const ::HDC dc = ::GetDC(window);
  if (dc != nullptr) {
    ::BitBlt(dc, 0, top, picture.width, bottom - top, picture.memory, 0, top, SRCCOPY);
    ::ReleaseDC(window, dc);
  }
}

// Shows what changed on the surface, when a refresh is due (or forced), and the whole picture
// when the window lost it.
void PresentIfDue(bool force) {
  Picture& picture = State();
  const ::HWND window = Window();
  if (!LayOut(picture, window)) {
    return;
  }
  int top = picture.height;
  int bottom = 0;
  const std::uint64_t now = ::GetTickCount64();
  if (force || picture.pacing.CaptureDue(now)) {
    const bool changed = Capture(picture);
    picture.pacing.Captured(now, changed);
    for (int y = 0; changed && y < kScreenHeight;) {
      if (picture.shown.changedRows[y] == 0) {
        ++y;
        continue;
      }
      const int first = y;
      while (y < kScreenHeight && picture.shown.changedRows[y] != 0) {
        ++y;
      }
      DrawScreenRows(picture, first, y - 1, &top, &bottom);
    }
  }
  if (picture.lost) {
    Show(picture, window, 0, picture.height);
    ::ValidateRect(window, nullptr);
    picture.lost = false;
  } else {
    Show(picture, window, top, bottom);
  }
}

}  // namespace

void SetScreenMemory(const std::uint8_t* memory) {
  Picture& picture = State();
  picture.screen = memory;
  picture.shown.valid = false;
  picture.lost = true;
  if (memory == nullptr) {
    picture.palette = nullptr;
  }
}

void SetScreenPalette(::IDirectDrawPalette* palette) {
  State().palette = palette;
}

bool ScreenColours(::RGBQUAD* table) {
  Picture& picture = State();
  ::PALETTEENTRY entries[256] = {};
  if (picture.screen == nullptr || picture.palette == nullptr ||
      FAILED(picture.palette->GetEntries(0, 0, 256, entries))) {
    return false;
  }
  for (int i = 0; i < 256; ++i) {
    table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  }
  return true;
}

bool IsScreenMemory(const std::uint8_t* memory) {
  return memory != nullptr && State().screen == memory;
}

void PictureLost() {
  State().lost = true;
  State().pacing.Input();
}

const soft::Letterbox& CurrentLetterbox() {
  Picture& picture = State();
  if (picture.pixels == nullptr || picture.lost) {
    LayOut(picture, Window());
  }
  return picture.box;
}

// Once the screen has settled, the wait goes on from refresh to refresh for as long as nothing
// comes (input, a message, the mouse's event): a pass would only draw the same screen again, and
// under Wine one costs more than all the waiting. A pass runs every IdlePassMs() all the same.
void PaceEditorPass() {
  Picture& picture = State();
  // The screen as the pass before left it decides whether this one waits.
  PresentIfDue(picture.pacing.Quiet());
  std::uint64_t now = ::GetTickCount64();
  // Minimised, nothing is shown and nothing settles.
  const bool hidden = Window() == nullptr || ::IsIconic(Window());
  const std::uint64_t end =
      picture.pacing.Quiet() || hidden ? picture.pacing.NextIdlePass(IdlePassMs()) : now;
  const DWORD handles = picture.mouseChanged != nullptr ? 1 : 0;
  while (now < end) {
    // Ends at once when messages wait already: input, or the window's business.
    NoteWaitBegins();
    const DWORD woken = ::MsgWaitForMultipleObjectsEx(
        handles, &picture.mouseChanged,
        static_cast<DWORD>(std::min<std::uint64_t>(end - now, soft::Pacing::kRefreshMs)), QS_ALLINPUT,
        MWMO_INPUTAVAILABLE);
    NoteWaitEnds();
    if (woken != WAIT_TIMEOUT) {
      picture.pacing.Input();
      break;
    }
    now = ::GetTickCount64();
  }
  picture.pacing.PassBegins(::GetTickCount64());
}

void SetMouseChanged(::HANDLE event) {
  State().mouseChanged = event;
}

void MouseChanged() {
  if (State().mouseChanged != nullptr) {
    ::SetEvent(State().mouseChanged);
  }
}

void SleepPresenting(DWORD ms) {
  const std::uint64_t end = ::GetTickCount64() + ms;
  PresentIfDue(true);
  for (std::uint64_t now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
    // Only what the window must answer: the queue's input waits for the editor's next pass.
    const bool hidden = Window() == nullptr || ::IsIconic(Window());
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now),
                                  QS_SENDMESSAGE | (hidden ? 0 : QS_PAINT), 0);
    ::MSG sent = {};
    ::PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    // Uncovered or shown again meanwhile: the system wants it painted.
    if (!hidden && Window() != nullptr && ::GetUpdateRect(Window(), nullptr, FALSE)) {
      PictureLost();
    }
    PresentIfDue(false);
  }
}

}  // namespace plat::win32

namespace plat {

void WantPassBy(std::uint64_t tickMs) {
  win32::State().pacing.WantPassBy(tickMs);
}

}  // namespace plat
