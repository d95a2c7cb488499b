// The clock, and waiting with the page in the browser's hands.
#include <algorithm>

#include "../system.h"
#include "web_backend.h"
#include "web_page.h"

namespace plat {

void Sleep(std::uint32_t ms) {
  web::Backend& state = web::State();
  state.keys.Paused(ms);
  // Nothing draws while the editor sleeps: what it drew is shown first (the
  // settings messages stay two seconds), then the browser has the page.
  web::PresentIfDue(true);
  const double end = web::NowMs() + ms;
  do {
    state.passes.Waited(web::page::Wait(std::max(0.0, end - web::NowMs()), false));
  } while (web::NowMs() < end);
}

std::uint64_t GetTickCount64() {
  return static_cast<std::uint64_t>(web::NowMs());
}

}  // namespace plat
