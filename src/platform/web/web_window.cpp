// The canvas as the program's window: its place on the page and the frames drawn on it.
#include <emscripten/emscripten.h>

#include <string_view>

#include "../display.h"
#include "../soft/backend.h"
#include "../soft/screen.h"
#include "web_backend.h"
#include "web_page.h"

namespace plat::web {
namespace {

// "OpenFile(name,mode)" with a mode that writes, "TruncateFile(...)", or the
// state folder's work (a copy written or removed, renamed, a lock file made).
bool WritesFiles(std::string_view call) {
  for (std::string_view writer : {"TruncateFile(", "WriteWholeFile(", "QueueFileReplace(", "QueueFileRemove(",
                                  "RenameFile(", "TakeFileLock("}) {
    if (call.starts_with(writer)) {
      return true;
    }
  }
  if (!call.starts_with("OpenFile(")) {
    return false;
  }
  const std::size_t comma = call.rfind(',');
  const std::string_view mode = comma == std::string_view::npos ? call : call.substr(comma + 1);
  return mode.find_first_of("wa+") != std::string_view::npos;
}

void PlaceCanvas() {
  const soft::ScalePlan plan = soft::PlanScale(State().box);
  page::PlaceCanvas(plan.dest.x, plan.dest.y, plan.dest.w, plan.dest.h, plan.factor);
}

}  // namespace

Backend& State() {
  static auto* state = new Backend;
  return *state;
}

double NowMs() {
  return emscripten_get_now();
}

void PresentIfDue(bool force) {
  Backend& state = State();
  if (!state.windowAlive && !state.displayHeld) {
    return;
  }
  const auto now = static_cast<std::uint64_t>(NowMs());
  if (!force && !state.pacing.CaptureDue(now)) {
    return;
  }
  const soft::ScreenView view = soft::CurrentScreen();
  const bool changed =
      CaptureFrame(state.shown, view, soft::BuildColourTable(view.palette, soft::PixelOrder::Rgba));
  state.pacing.Captured(now, changed);
  if (!changed) {
    return;
  }
  state.canvasPixels.resize(std::size_t{kScreenWidth} * kScreenHeight);
  ExpandFrame(state.shown, state.canvasPixels.data(), kScreenWidth * 4);
  page::ShowFrame(state.canvasPixels.data(), state.wholeScreenDrawn);
}

}  // namespace plat::web

// The editor's screen in pixels, of which the page keeps a copy.
extern "C" EMSCRIPTEN_KEEPALIVE int pixed_web_screen_width() {
  return plat::kScreenWidth;
}

extern "C" EMSCRIPTEN_KEEPALIVE int pixed_web_screen_height() {
  return plat::kScreenHeight;
}

// The page's area below the toolbar is width x height device pixels (at the
// start and whenever the page's size changes).
extern "C" EMSCRIPTEN_KEEPALIVE void pixed_web_layout(int width, int height) {
  plat::web::State().box = plat::soft::MakeLetterbox(width, height);
  plat::web::PlaceCanvas();
}

namespace plat::backend {

using web::State;

void Trace(std::string_view call) {
  if (web::WritesFiles(call)) {
    State().filesWritten = true;
  }
}

bool ShouldFail(std::string_view /*call*/) {
  return false;
}

bool WindowCreated(const char* /*title*/, int /*x*/, int /*y*/, int /*width*/, int /*height*/,
                   std::uint32_t /*style*/) {
  web::Backend& state = State();
  state.windowAlive = true;
  state.shown = soft::ShownFrame{};
  state.pacing = {};
  state.passes.Start(web::page::PassesWanted(), web::Backend::kPassGroup, web::Backend::kPassSettleMs);
  // Black at once, before the display is even set up.
  web::PresentIfDue(true);
  return true;
}

void WindowDestroyed() {
  State().windowAlive = false;
}

void DisplayModeChanged(bool exclusive800x600x8) {
  State().displayHeld = exclusive800x600x8;
}

}  // namespace plat::backend
