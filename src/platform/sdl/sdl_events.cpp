// Window-system events: input latches, the close request, and waiting for
// them while the screen is quiet.
#include <algorithm>
#include <climits>

#include "../display.h"
#include "../pace.h"
#include "../soft/backend.h"
#include "../window.h"
#include "sdl_backend.h"
#include "sdl_keymap.h"
#include "sdl_signals.h"

namespace plat::sdl {
namespace {

int ButtonIndex(std::uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    case SDL_BUTTON_X1:
      return 3;
    default:
      return -1;
  }
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
  Backend& state = State();
  switch (event.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
      state.presentNeeded = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // Key releases are not seen without the focus; presses already
      // latched are kept for the next read.
      state.keys.ReleaseAll();
      state.asyncKeys.ReleaseAll();
      break;
    default:
      break;
  }
}

// Handles every event already queued; true when one asked to close.
bool DrainEvents() {
  SDL_PumpEvents();
  bool closeRequested = false;
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    State().pacing.Input();
    closeRequested = HandleEvent(event) || closeRequested;
  }
  return closeRequested;
}

}  // namespace

bool HandleEvent(const SDL_Event& event) {
  Backend& state = State();
  switch (event.type) {
    case SDL_QUIT:
      return true;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      return event.window.event == SDL_WINDOWEVENT_CLOSE;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      state.presentNeeded = true;
      return false;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const std::uint8_t code = ScanCodeForSdl(event.key.keysym.scancode);
      const std::uint8_t virtualKey = VirtualKeyForSdl(event.key.keysym.scancode, event.key.keysym.sym);
      // Auto-repeat is the reader's own business: the entries read a held
      // key on every poll, the undo keys time their own repeat.
      if (event.key.repeat != 0) {
        return false;
      }
      // Code 0 is no key.
      if (event.type == SDL_KEYDOWN) {
        if (code != 0) {
          state.keys.Press(code);
        }
        if (virtualKey != 0) {
          state.asyncKeys.Press(virtualKey);
        }
      } else {
        if (code != 0) {
          state.keys.Release(code);
        }
        if (virtualKey != 0) {
          state.asyncKeys.Release(virtualKey);
        }
      }
      return false;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int index = ButtonIndex(event.button.button);
      if (index >= 0) {
        if (event.type == SDL_MOUSEBUTTONDOWN) {
          state.buttons.Press(static_cast<std::size_t>(index));
        } else {
          state.buttons.Release(static_cast<std::size_t>(index));
        }
      }
      return false;
    }
    default:
      return false;
  }
}

bool Pump(std::uint64_t until, bool pause) {
  // Posting the close request must not lead back in here.
  static bool pumping = false;
  Backend& state = State();
  if (pumping || state.window == nullptr) {
    return false;
  }
  pumping = true;
  // A signal that came during a wait is seen at the next pump: waits last a
  // refresh at most.
  ForwardEndSignal();
  bool closeRequested = DrainEvents();
  PresentIfDue(false);
  const std::uint64_t wait = state.pacing.WaitMs(SDL_GetTicks64(), until, pause);
  if (wait > 0) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(std::min<std::uint64_t>(wait, INT_MAX))) != 0) {
      state.pacing.Input();
      closeRequested = HandleEvent(event) || closeRequested;
      closeRequested = DrainEvents() || closeRequested;
    }
    PresentIfDue(false);
  }
  // The close button gives both a window close and a quit event: one
  // WM_CLOSE for both, handled as Escape's.
  if (closeRequested) {
    if (HWND window = GetActiveWindow(); window != nullptr) {
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  }
  pumping = false;
  return wait > 0;
}

}  // namespace plat::sdl

namespace plat::backend {

void PumpEvents() {
  sdl::Pump(UINT64_MAX, false);
}

}  // namespace plat::backend

namespace plat {

void WantPassBy(std::uint64_t tickMs) {
  sdl::State().pacing.WantPassBy(tickMs);
}

}  // namespace plat
