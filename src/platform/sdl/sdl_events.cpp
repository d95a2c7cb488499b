// Window-system events: input latches, the close request, and waiting for
// them before a pass while the screen is quiet.
#include <algorithm>

#include "../display.h"
#include "../pace.h"
#include "../soft/backend.h"
#include "../soft/editor_pass.h"
#include "../window.h"
#include "sdl_backend.h"
#include "sdl_keymap.h"
#include "sdl_signals.h"

namespace plat::sdl {
namespace {

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

// The close button gives both a window close and a quit event: one WM_CLOSE
// for both, handled as Escape's.
void PostCloseIf(bool closeRequested) {
  if (closeRequested) {
    if (HWND window = GetActiveWindow(); window != nullptr) {
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  }
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
      const int index = ButtonIndexForSdl(event.button.button);
      if (index >= 0) {
        if (event.type == SDL_MOUSEBUTTONDOWN) {
          state.buttons.Press(static_cast<std::size_t>(index));
        } else {
          state.buttons.Release(static_cast<std::size_t>(index));
        }
      }
      return false;
    }
    case SDL_MOUSEWHEEL:
      soft::AddWheel(state.pointer, WheelUnitsForSdl(event.wheel.y, event.wheel.direction));
      return false;
    default:
      return false;
  }
}

void Pump(bool look) {
  // Posting the close request must not lead back in here.
  static bool pumping = false;
  if (pumping || State().window == nullptr) {
    return;
  }
  pumping = true;
  // A signal that came during a wait is seen here: waits last a refresh at most.
  ForwardEndSignal();
  const bool closeRequested = DrainEvents();
  PresentIfDue(look);
  PostCloseIf(closeRequested);
  pumping = false;
}

bool WaitForEvent(std::uint64_t ms) {
  Backend& state = State();
  if (state.window == nullptr) {
    return false;
  }
  SDL_Event event;
  const auto slice = static_cast<int>(std::min<std::uint64_t>(ms, Pacing::kRefreshMs));
  if (slice > 0 && SDL_WaitEventTimeout(&event, slice) != 0) {
    state.pacing.Input();
    const bool closeRequested = HandleEvent(event);
    PostCloseIf(DrainEvents() || closeRequested);
  }
  return true;
}

}  // namespace plat::sdl

namespace plat::backend {

void PumpEvents() {
  sdl::Pump(false);
}

}  // namespace plat::backend

namespace plat {

// Once the screen has settled, the pass waits here for input, for a quarter
// second at most; the screen as the pass before left it is looked at first.
void BeginEditorPass() {
  soft::CountEditorPass();
  sdl::Backend& state = sdl::State();
  sdl::Pump(state.pacing.Quiet());
  if (state.pacing.Quiet()) {
    const std::uint64_t end = state.pacing.NextIdlePass();
    for (std::uint64_t now = SDL_GetTicks64(); now < end && state.pacing.Quiet(); now = SDL_GetTicks64()) {
      sdl::ForwardEndSignal();
      if (EndRequested() || !sdl::WaitForEvent(end - now)) {
        break;
      }
    }
  }
  state.pacing.PassBegins(SDL_GetTicks64());
}

void WantPassBy(std::uint64_t tickMs) {
  sdl::State().pacing.WantPassBy(tickMs);
}

}  // namespace plat
