// The program's build of the pass hook: nothing is timed.
#include "../soft/pump_pacing.h"
#include "win32_pass_timer.h"

namespace plat::win32 {

void NoteMainLoopTurn() {}
unsigned IdlePassMs() {
  return soft::Pacing::kIdlePassMs;
}
void NoteWaitBegins() {}
void NoteWaitEnds() {}

}  // namespace plat::win32
