// What the SDL backend's files share: the window and its picture, the
// pacing of the event pump, the latched input and the pointer bookkeeping.
// Internal to src/platform/sdl.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "../soft/entry_keyboard.h"
#include "../soft/frame_scaler.h"
#include "../soft/pointer_track.h"
#include "../soft/press_latch.h"
#include "../soft/pump_pacing.h"
#include "../soft/screen_fit.h"
#include "../soft/shown_frame.h"

namespace plat::sdl {

using soft::EntryKeyboard;
using soft::FrameScaler;
using soft::Letterbox;
using soft::Pacing;
using soft::PointerTrack;
using soft::PressLatch;
using soft::Scaling;
using soft::ShownFrame;

struct Backend {
  SDL_Window* window = nullptr;
  Scaling scaling = Scaling::Area;
  // The window's picture, scaled in software where the screen changed, and
  // the letterbox it was laid out for; only the window rows that changed go
  // to the window.
  FrameScaler scaler;
  Letterbox box{};
  std::vector<std::uint32_t> picture;

  ShownFrame shown;
  Pacing pacing;
  // Set by window events after which the window's contents are lost.
  bool presentNeeded = false;

  // Keyboard device state, GetAsyncKeyState's own latch, mouse buttons
  // (0 left, 1 right, 2 middle as the mouse record orders them).
  EntryKeyboard keys;
  PressLatch<256> asyncKeys;
  PressLatch<4> buttons;
  PointerTrack pointer;
  // The confinement ClipCursor set, in screen coordinates.
  bool clipped = false;
  RECT clip{};
};

Backend& State();

// Starts SDL's video and events on the user's display; false, with SDL's
// reason on stderr, when there is none to be had.
bool OpenVideo();

// The window's letterbox now (the window's size can change at any time).
Letterbox CurrentLetterbox();
// Handles one SDL event (input latches, close request, lost contents).
// Returns true when it asks the program to close.
bool HandleEvent(const SDL_Event& event);
// Compares the primary surface with the frame shown last when a refresh is
// due (or when forced), and shows it if it differs or the window lost its
// contents, without waiting.
void PresentIfDue(bool force);
// Handles pending events (a close request posts WM_CLOSE) and presents when
// due, or looks at the screen at once when look is set. Never waits.
void Pump(bool look);
// Waits for an event for at most ms, and never past a refresh (a signal is
// seen at the next pump), then handles it and those queued behind it. False
// when there is no window to wait on.
bool WaitForEvent(std::uint64_t ms);

}  // namespace plat::sdl
