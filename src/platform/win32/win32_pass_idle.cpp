// The program's build of the pass hook: nothing is timed.
#include "win32_pass_timer.h"

namespace plat::win32 {

void NoteMainLoopTurn() {}
unsigned IdlePassMs() {
  return 250;
}
void NoteWaitBegins() {}
void NoteWaitEnds() {}

}  // namespace plat::win32
