// The page's input events into the latches, and handing control to the browser
// at the start of every pass.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "../pace.h"
#include "../soft/backend.h"
#include "../soft/editor_pass.h"
#include "../system.h"
#include "../window.h"
#include "web_backend.h"
#include "web_keymap.h"
#include "web_page.h"

namespace plat::web {
namespace {

// The benchmark's figures, for the page and the browser's console.
void ReportPasses(const soft::PassTimer::Figures& figures) {
  char text[200];
  std::snprintf(text, sizeof text,
                "%zu passes, timed ten at a time: busy median %.1f us, 10%% %.1f us, 90%% %.1f us (of the "
                "tens); wall median %.1f us",
                figures.passes, figures.busyMedianUs, figures.busy10Us, figures.busy90Us,
                figures.wallMedianUs);
  page::Report(text);
}

}  // namespace

void Pump(bool look) {
  Backend& state = State();
  // No file is open at a pump: every write the editor makes is closed by now.
  if (state.filesWritten) {
    state.filesWritten = false;
    page::StoreFiles();
  }
  PresentIfDue(look);
}

}  // namespace plat::web

namespace plat::backend {

void PumpEvents() {
  web::Pump(false);
}

}  // namespace plat::backend

namespace plat {

// Every pass hands the page to the browser once, which delivers the input
// meanwhile. Once the screen has settled (the screen as the pass before left
// it is looked at first), the page waits for input then, for a quarter second
// at most; passes being timed run back to back.
void BeginEditorPass() {
  soft::CountEditorPass();
  web::Backend& state = web::State();
  state.passesBegun = true;
  state.passes.PassBegins(web::NowMs());
  if (const std::optional<soft::PassTimer::Figures> figures = state.passes.TakeFigures()) {
    web::ReportPasses(*figures);
  }
  const bool mayWait = state.pacing.Quiet() && !state.passes.Timing();
  web::Pump(mayWait);
  const double now = web::NowMs();
  const double end = mayWait && state.pacing.Quiet() ? static_cast<double>(state.pacing.NextIdlePass()) : now;
  state.passes.Waited(web::page::Wait(std::max(0.0, end - now), true));
  state.pacing.PassBegins(static_cast<std::uint64_t>(web::NowMs()));
}

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

// The wheel turned a notch (the page counts each of its wheel events as one):
// 1 away from the user, -1 towards.
extern "C" EMSCRIPTEN_KEEPALIVE void pixed_web_wheel(int notches) {
  if (notches == 0) {
    return;
  }
  plat::web::Backend& state = State();
  plat::soft::AddWheel(state.pointer, notches > 0 ? plat::soft::kWheelNotch : -plat::soft::kWheelNotch);
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
