// The page's input events into the latches, and handing control to the browser.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <string>

#include "../pace.h"
#include "../soft/backend.h"
#include "../system.h"
#include "web_backend.h"
#include "web_keymap.h"
#include "web_page.h"

namespace plat::web {
namespace {

constexpr double kQuietWaitMs = 250;

}  // namespace

void Pump() {
  Backend& state = State();
  // No file is open at a pump: every write the editor makes is closed by now.
  if (state.filesWritten) {
    state.filesWritten = false;
    page::StoreFiles();
  }
  PresentIfDue(false);
  // Once the screen has settled, nothing but input changes it: the page
  // waits for input then, and looks at the screen again now and then.
  // Passes being timed run back to back.
  // Frames that play ask for their passes: the wait ends in time for them.
  const std::uint64_t now = GetTickCount64();
  const std::uint64_t wanted = state.pacing.WantedBy();
  const double untilWanted = wanted > now ? static_cast<double>(wanted - now) : 0.0;
  const double wait =
      state.pacing.Quiet() && !state.passes.Timing() ? std::min(kQuietWaitMs, untilWanted) : 0;
  state.passes.Yielded(page::Wait(wait, true));
  if (wait > 0) {
    PresentIfDue(false);
  }
}

}  // namespace plat::web

namespace plat::backend {

void PumpEvents() {
  web::Pump();
}

}  // namespace plat::backend

namespace plat {

void WantPassBy(std::uint64_t tickMs) {
  web::State().pacing.WantPassBy(tickMs);
}

}  // namespace plat

using plat::web::State;

// The pointer at (x, y) device pixels of the page's area, with the buttons
// down as PointerEvent.buttons gives them (1 left, 2 right, 4 middle, 8 back).
extern "C" EMSCRIPTEN_KEEPALIVE void pixed_web_pointer(int x, int y, int buttons) {
  plat::web::Backend& state = State();
  state.pointerAt = plat::soft::WindowToScreen(state.box, x, y);
  state.pointerSeen = true;
  for (std::size_t i = 0; i < 4; ++i) {
    const int bit = 1 << i;
    if ((buttons & bit) != 0 && (state.buttonMask & bit) == 0) {
      state.buttons.Press(i);
    } else if ((buttons & bit) == 0 && (state.buttonMask & bit) != 0) {
      state.buttons.Release(i);
    }
  }
  state.buttonMask = buttons;
  state.pacing.Input();
}

// A key named by KeyboardEvent.code went down or up (auto-repeat is left out
// by the page: the entries read a held key on every poll). Returns 1 when the
// key is one the keyboard state has.
extern "C" EMSCRIPTEN_KEEPALIVE int pixed_web_key(const char* code, int down) {
  const std::uint8_t set1 = plat::web::ScanCodeForKey(code != nullptr ? code : "");
  if (set1 == 0) {
    return 0;
  }
  plat::web::Backend& state = State();
  if (down != 0) {
    state.keys.Press(set1);
    state.asyncKeys.Press(set1);
  } else {
    state.keys.Release(set1);
    state.asyncKeys.Release(set1);
  }
  state.pacing.Input();
  return 1;
}

// The canvas got (1) or lost (0) the keyboard focus. Key releases are not
// seen without it; presses already latched are kept for the next read.
extern "C" EMSCRIPTEN_KEEPALIVE void pixed_web_focus(int focused) {
  plat::web::Backend& state = State();
  state.focused = focused != 0;
  if (!state.focused) {
    state.keys.ReleaseAll();
    state.asyncKeys.ReleaseAll();
  }
  state.pacing.Input();
}
