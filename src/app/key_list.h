// F1's list of keys, shown over the grid until the next key or click. The
// screen under it is kept and comes back exactly when it goes; it goes
// before anything of the pass can read or change the image, so nothing of it
// reaches a saved file or the history.
#pragma once

// Forgets the list without drawing (every start of the editor).
void ResetKeyList();

// Escape at the top of a pass: while the list shows it takes the list away
// instead of ending the editor, and Escape counts again once let go. True
// when Escape is taken so.
bool KeyListTakesEscape(bool escapeDown);

// Once a pass, after the mouse and the loop's keys are read: F1 shows the
// list (not while a mouse button is down); while it shows, any key of the
// loop's, a letter, or a press of a mouse button takes it away. True when it
// went away: the key or click that did it does nothing else, and the caller
// lets the loop see it only once it has been let go.
bool FollowKeyList();

// Draws the list again over the grid lines of the pass; nothing when hidden.
void DrawKeyList();

// True while the list is on the screen (over the image areas of the grid).
bool KeyListShown();
