// F1's list of keys, drawn from the binding table over the grid, a page at
// a time, until the next key or click. It lies over the image areas and is
// never part of the image: when it goes, they are drawn again.
#pragma once

#include <string>
#include <vector>

// Forgets the list without drawing (every start of the editor).
void ResetKeyList();

// F1: shows the list's first page (not while a mouse button is down or a
// shape is dragged).
void ShowKeyList();
// Escape, at every pass it is down: while the list shows it takes the list
// away instead of ending the editor, and ends it again only once let go;
// else it asks the editor to end.
void EscapeKey();

// Once a pass, after the mouse and the loop's keys are read: while the list
// shows, F1 turns its page (the last page's F1 takes it away), and any other
// key of the loop's or a press of a mouse button takes it away. True when
// it took a key or a click: that does nothing else, and the caller lets the
// loop see it only once it has been let go.
bool FollowKeyList();

// Draws the page shown over the image areas; nothing when hidden.
void DrawKeyList();

// True while the list is on the screen.
bool KeyListShown();

// The list's lines, page after page: the keys, and what they do.
struct KeyListLine {
  std::string keys;
  std::string meaning;
};
std::vector<KeyListLine> KeyListLines();
// How many lines a page holds, and how many pages the list has.
int KeyListLinesPerPage();
int KeyListPages();
