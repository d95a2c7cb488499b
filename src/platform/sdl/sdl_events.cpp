// Window-system events: input latches, the close request and presenting the
// screen when a display refresh is due.
#include "../display.h"
#include "../soft/backend.h"
#include "../window.h"
#include "sdl_backend.h"
#include "sdl_keymap.h"
#include "sdl_signals.h"

namespace plat::sdl {
namespace {

// About one display refresh.
constexpr std::uint64_t kRefreshMs = 16;
// An unchanged screen is still shown again now and then, in case the window
// system lost the window's contents without saying so.
constexpr std::uint64_t kKeepAliveMs = 1000;

std::uint64_t lastShownAt = 0;

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
      // Auto-repeat is the entries' own business: they read a held key
      // on every poll.
      if (code == 0 || event.key.repeat != 0) {
        return false;
      }
      if (event.type == SDL_KEYDOWN) {
        state.keys.Press(code);
        state.asyncKeys.Press(code);
      } else {
        state.keys.Release(code);
        state.asyncKeys.Release(code);
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

void PresentIfDue(bool force) {
  Backend& state = State();
  if (state.renderer == nullptr || state.texture == nullptr) {
    return;
  }
  const std::uint64_t now = SDL_GetTicks64();
  if (!force && now - state.lastPresent < kRefreshMs) {
    return;
  }
  const bool must = force || state.presentNeeded;
  state.lastPresent = now;
  const soft::ScreenView view = soft::CurrentScreen();
  const bool changed = CaptureFrame(state.shown, view, BuildColourTable(view.palette));
  if (!must && !changed && now - lastShownAt < kKeepAliveMs) {
    return;
  }
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(state.texture, nullptr, &pixels, &pitch) != 0) {
    // The captured frame was not shown: try again at the next refresh.
    state.presentNeeded = true;
    return;
  }
  ExpandFrame(state.shown, pixels, pitch);
  SDL_UnlockTexture(state.texture);
  SDL_SetRenderDrawColor(state.renderer, 0, 0, 0, 255);
  SDL_RenderClear(state.renderer);
  SDL_RenderCopy(state.renderer, state.texture, nullptr, nullptr);
  SDL_RenderPresent(state.renderer);
  lastShownAt = now;
  state.presentNeeded = false;
}

}  // namespace plat::sdl

namespace plat::backend {

void PumpEvents() {
  // Posting the close request must not lead back in here.
  static bool pumping = false;
  sdl::Backend& state = sdl::State();
  if (pumping || state.window == nullptr) {
    return;
  }
  pumping = true;
  sdl::ForwardEndSignal();
  SDL_PumpEvents();
  bool closeRequested = false;
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    closeRequested = sdl::HandleEvent(event) || closeRequested;
  }
  // The close button gives both a window close and a quit event: one
  // WM_CLOSE for both, handled as Escape's.
  if (closeRequested) {
    if (HWND window = GetActiveWindow(); window != nullptr) {
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  }
  sdl::PresentIfDue(false);
  pumping = false;
}

}  // namespace plat::backend
