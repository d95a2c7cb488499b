// The editor's side of the image history: where a stroke begins and ends, and
// what the undo and redo keys do.
#pragma once

// Forgets every step, and takes the history's cap from PIXED_HISTORY_MB (a
// line on stderr for a value it cannot take as it stands). Called at every
// start of the editor.
void StartEditHistory();

// The pen is about to paint: the first painting pass of a press begins a step,
// which lasts until the button is seen up.
void BeginStrokeStep();
// The left button is up in this pass: the stroke, if one was open, is over.
void EndStroke();

// Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z: one step back or forward. During a
// stroke they do nothing: the stroke keeps its step open.
void UndoKey();
void RedoKey();
