// What the web backend's files share: the canvas's place on the page, the
// frame shown, the pacing of the pump, the latched input and the pointer.
// Internal to src/platform/web.
#pragma once

#include <cstdint>
#include <vector>

#include "../display.h"
#include "../platform_types.h"
#include "../soft/entry_keyboard.h"
#include "../soft/pass_timer.h"
#include "../soft/pointer_track.h"
#include "../soft/press_latch.h"
#include "../soft/pump_pacing.h"
#include "../soft/screen_fit.h"
#include "../soft/shown_frame.h"

namespace plat::web {

struct Backend {
  // The canvas stays on the page while the program's window exists or the
  // display mode is held: the settings messages of the shutdown are drawn
  // after the window has gone.
  bool windowAlive = false;
  bool displayHeld = false;

  // The page's area below the toolbar, in device pixels, and the canvas in it.
  soft::Letterbox box = soft::MakeLetterbox(kScreenWidth, kScreenHeight);
  soft::ShownFrame shown;
  std::vector<std::uint32_t> canvasPixels;
  soft::Pacing pacing;
  // The main loop has drawn a whole screen: it reads the mouse after drawing.
  bool passesBegun = false;
  bool wholeScreenDrawn = false;

  // Keyboard device state, GetAsyncKeyState's own latch, mouse buttons
  // (0 left, 1 right, 2 middle, 3 back as the mouse record orders them).
  soft::EntryKeyboard keys;
  soft::PressLatch<256> asyncKeys;
  soft::PressLatch<4> buttons;
  bool focused = false;

  // The pointer's screen position as the page last gave it; the browser
  // cannot move or confine the real pointer, so the editor's cursor follows
  // it there, held inside the confinement ClipCursor set.
  soft::PointerTrack pointer;
  POINT pointerAt{0, 0};
  bool pointerSeen = false;
  int buttonMask = 0;
  bool clipped = false;
  RECT clip{};

  // A file was opened for writing since the page last stored the folder.
  bool filesWritten = false;

  // The page's benchmark mode (?passes=N). The browser's clock moves in steps
  // of 0.1 ms: passes are timed ten at a time, from 2.5 s after the start on
  // (for two seconds after the page stored the working folder at the start,
  // every look for a bitmap lists it again; an artist's session runs the
  // steady pass that comes after).
  soft::PassTimer passes;
  static constexpr long kPassGroup = 10;
  static constexpr double kPassSettleMs = 2500;
};

Backend& State();

// Milliseconds since the page started, with fractions.
double NowMs();
// Compares the primary surface with the frame shown last when a refresh is
// due (or now, when forced) and draws it on the canvas when it differs.
void PresentIfDue(bool force);
// Stores the files written since the last time and presents when due (or,
// forced, looks at the screen at once). Never hands control to the browser.
void Pump(bool look);

}  // namespace plat::web
