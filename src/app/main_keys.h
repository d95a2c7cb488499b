// The keys of the main loop (the binding table's, the modifiers and the
// letters), read once a pass so that every part of the pass sees the same
// presses, and the bindings acted on.
#pragma once

// Reads every key of the loop with GetAsyncKeyState. Called once at the top
// of each pass of the main loop, before anything asks for a key.
void ReadMainKeys();
// The key went down since the previous read: a press, or a tap made and let
// go between two passes. A key held down does not press again.
bool MainKeyPressed(int virtualKey);
// The key was down at this pass's read (Shift or Control held with a key).
bool MainKeyDown(int virtualKey);
// Some key of the loop's went down since the previous pass.
bool AnyMainKeyPressed();
// After a keyboard entry or the settings menu, and at every start: what was
// typed there is theirs. Reads the keys, and a key still down presses again
// only after it has been let go.
void ForgetMainKeys();
// The start of every run: no Escape taken by a prompt, then ForgetMainKeys.
void StartMainKeys();
// Escape gave up an entry or the settings menu: while it stays down it acts
// on nothing more, so the press that cancelled a prompt cannot end the
// editor too; once a pass has read it up, the next press ends it as usual.
void EscapeTakenByPrompt();

// At the top of a pass: the bindings that act at every pass their key is
// down (Escape).
void FollowEveryPassKeys();
// Later in the pass: every other binding whose key was pressed with exactly
// its modifiers (or repeats while held). leftButtonDown: a stroke or drag is
// under way, which the bindings marked so leave alone.
void FollowKeyBindings(bool leftButtonDown);
