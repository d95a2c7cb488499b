// The editor's side of the image history: where a stroke begins and ends, and
// the undo and redo keys.
#pragma once

// Forgets every step and the keys' state, and takes the history's cap from
// PIXED_HISTORY_MB (a line on stderr for a value it cannot take as it stands).
// Called at every start of the editor.
void StartEditHistory();

// The pen is about to paint: the first painting pass of a press begins a step,
// which lasts until the button is seen up.
void BeginStrokeStep();
// The left button is up in this pass: the stroke, if one was open, is over.
void EndStroke();

// Reads Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, once a pass: a press undoes or redoes
// one step, a hold repeats it after a short delay. During a stroke they do
// nothing.
void FollowHistoryKeys();
// After a keyboard entry or the settings menu: what was typed there belongs to
// it. The keys are read (so presses latched meanwhile are dropped), and a key
// still down counts again only after it has been let go.
void ForgetHistoryKeys();
