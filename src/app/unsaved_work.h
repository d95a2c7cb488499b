// Unsaved work: whether the image areas hold work that no file holds, the
// mark that shows it, and the recovery copy kept of it meanwhile.
#pragma once

// The work has been written to the save file (Save, Ctrl+S): it counts as
// saved, and its recovery copy goes. Call it only after a save that wrote
// the whole image.
void NoteWorkSaved();
// The image areas have been loaded from a file (Load, a step to another
// image of the file): as saved, until the next change.
void NoteWorkLoaded();
// From the first change of the images after a save or load (a stroke, a
// tool, a Clear) until the next save or load, or until undo or redo comes
// back to the images as they were then.
bool WorkUnsaved();

// At the start of a run, once the settings files have been read: keeps a
// recovery copy from now on, and offers back the copy an earlier run left in
// this working folder.
void StartRecovery();
// At the end of a run: writes the copy once more when the work changed since
// it was last written, and waits for the disk.
void EndRecovery();
// Forgets the state of an earlier run (tests run many in one process).
void ForgetRecovery();

// Once a pass, at its end: draws the mark and the notes, and writes the copy
// when it is due: at most once a second, never while the left button is down
// (a stroke or a shape being dragged), so within two seconds of each step.
void FollowUnsavedWork(bool leftButtonDown);
