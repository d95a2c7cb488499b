// The win32 backend's hook for timing main-loop passes in the benchmark build.
#pragma once

namespace plat::win32 {

// Called by plat::BeginEditorPass at the start of every pass of the main loop.
// The program's build does nothing here; the benchmark build times the passes
// and, after the number asked for, prints the figures and ends the loop.
void NoteMainLoopTurn();
// How often a pass runs while nothing comes and the screen has settled: every quarter second in the
// program; the benchmark build runs one every refresh, so that its figures come in seconds.
unsigned IdlePassMs();
// Around a wait for input between passes: the time waited is not the pass's.
void NoteWaitBegins();
void NoteWaitEnds();

}  // namespace plat::win32
