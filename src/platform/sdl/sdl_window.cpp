// The full-screen window and the surface it is drawn in.
#include <cstdio>

#include "../display.h"
#include "../soft/backend.h"
#include "sdl_backend.h"
#include "sdl_scaling.h"
#include "sdl_signals.h"

namespace plat::sdl {
namespace {

// The SDL window outlives the program's window while the display mode is
// still held: on shutdown the settings messages are drawn after the window
// is destroyed and must still be seen.
bool programWindowAlive = false;
bool displayModeHeld = false;

void TearDown() {
  Backend& state = State();
  state.picture.clear();
  if (state.window != nullptr) {
    SDL_DestroyWindow(state.window);
    state.window = nullptr;
  }
}

void TearDownIfUnused() {
  if (!programWindowAlive && !displayModeHeld) {
    TearDown();
  }
}

bool Fail(const char* what) {
  std::fprintf(stderr, "pixed: %s: %s\n", what, SDL_GetError());
  TearDown();
  return false;
}

}  // namespace

Backend& State() {
  static auto* state = new Backend;
  return *state;
}

Letterbox CurrentLetterbox() {
  int width = kScreenWidth;
  int height = kScreenHeight;
  if (State().window != nullptr) {
    SDL_GetWindowSize(State().window, &width, &height);
  }
  return MakeLetterbox(width, height, State().scaling);
}

}  // namespace plat::sdl

namespace plat::backend {

using sdl::State;

void Trace(std::string_view /*call*/) {}

bool ShouldFail(std::string_view /*call*/) {
  return false;
}

bool WindowCreated(const char* title, int /*x*/, int /*y*/, int width, int height, std::uint32_t /*style*/) {
  if (State().window != nullptr) {
    // The window of an earlier run still shows the display mode: reuse it.
    SDL_SetWindowTitle(State().window, title);
    sdl::programWindowAlive = true;
    return true;
  }
  // The window's own surface in memory, shown band by band (XShm on X11),
  // rather than one drawn through OpenGL, which shows the whole window anew
  // at every change: a software OpenGL (a desktop without a graphics card,
  // Xvfb) spends tens of milliseconds a time on that.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Where SDL still draws it through a renderer, showing must never wait for
  // the monitor: the editor's passes run without pause.
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  // Artists switch to other programs while drawing; keep the window there.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  sdl::CatchEndSignals();
  // Never shut down again: that would unload the window-system libraries SDL
  // opened, and the leak checker at exit could no longer tell their leftovers
  // from ours. Nothing of the desktop needs restoring when the process ends.
  if (!sdl::OpenVideo()) {
    return false;
  }
  // The sentinel SDL queues while waiting for events would end every wait.
  SDL_EventState(SDL_POLLSENTINEL, SDL_IGNORE);

  sdl::Backend& state = State();
  // Hidden and untitled until its surface exists: where the window system
  // has no surface of its own SDL draws one through a renderer, which may
  // replace the window with a new one, and whoever looks for the window by
  // its title must find the one that stays.
  // Its windowed size is the whole display too: a desktop without a window
  // manager never applies the full-screen state, and the window must cover
  // the screen there as well.
  SDL_Rect area{SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width > 0 ? width : kScreenWidth,
                height > 0 ? height : kScreenHeight};
  SDL_Rect display{};
  if (SDL_GetDisplayBounds(0, &display) == 0 && display.w > 0 && display.h > 0) {
    area = display;
  }
  state.window = SDL_CreateWindow("", area.x, area.y, area.w, area.h,
                                  SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
  if (state.window == nullptr) {
    return sdl::Fail("cannot create the window");
  }
  if (SDL_GetWindowSurface(state.window) == nullptr) {
    return sdl::Fail("cannot draw in the window");
  }
  state.scaling = soft::ScalingFromEnvironment();
  SDL_SetWindowTitle(state.window, title);
  SDL_ShowCursor(SDL_ENABLE);
  SDL_ShowWindow(state.window);
  SDL_RaiseWindow(state.window);

  state.shown = sdl::ShownFrame{};
  state.pacing = {};
  state.keys = {};
  state.asyncKeys = {};
  state.buttons = {};
  state.pointer = {};
  state.clipped = false;
  sdl::programWindowAlive = true;
  // Black at once, before the display is even set up.
  sdl::PresentIfDue(true);
  return true;
}

void WindowDestroyed() {
  sdl::programWindowAlive = false;
  sdl::TearDownIfUnused();
}

void DisplayModeChanged(bool exclusive800x600x8) {
  sdl::displayModeHeld = exclusive800x600x8;
  if (exclusive800x600x8) {
    State().presentNeeded = true;
  } else {
    sdl::TearDownIfUnused();
  }
}

}  // namespace plat::backend
