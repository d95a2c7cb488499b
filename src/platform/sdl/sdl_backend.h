// What the SDL backend's files share: the window, renderer and texture, the
// latched input and the pointer bookkeeping. Internal to src/platform/sdl.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "sdl_frame.h"
#include "sdl_latch.h"
#include "sdl_letterbox.h"
#include "sdl_pointer.h"

namespace plat::sdl {

struct Backend {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;

  ShownFrame shown;
  std::uint64_t lastPresent = 0;
  // Set by window events after which the window's contents are lost.
  bool presentNeeded = false;

  // Keyboard device state, GetAsyncKeyState's own latch, mouse buttons
  // (0 left, 1 right, 2 middle as the mouse record orders them).
  PressLatch<256> keys;
  PressLatch<256> asyncKeys;
  PressLatch<4> buttons;
  PointerTrack pointer;
  // The confinement ClipCursor set, in screen coordinates.
  bool clipped = false;
  RECT clip{};
};

Backend& State();

// The window's letterbox now (the window's size can change at any time).
Letterbox CurrentLetterbox();
// Handles one SDL event (input latches, close request, lost contents).
// Returns true when it asks the program to close.
bool HandleEvent(const SDL_Event& event);
// Shows the primary surface if a refresh is due (or forced), without waiting.
void PresentIfDue(bool force);

}  // namespace plat::sdl
