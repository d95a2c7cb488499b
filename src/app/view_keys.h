// Zooming and panning the editing grid: the keys of the binding table, the
// wheel, the middle button or Space with the left button dragged, and a
// click in a view.
#pragma once

// Ctrl+0: the whole image at the largest pitch that fits it. Ctrl+1: back
// to the start pitch of 5.
void ZoomToFitKey();
void StartZoomKey();
// Ctrl and an arrow: the grid scrolled a quarter of the cells it shows.
void ScrollLeftKey();
void ScrollRightKey();
void ScrollUpKey();
void ScrollDownKey();

// Forgets a pan under way and the wheel's remainder: a new run.
void ResetViewMouse();
// Once a pass, after the mouse is read: the wheel over the grid zooms about
// the pointer, a notch a step; the middle button, or the left one with
// Space held, drags the image; the left button pressed in a view moves the
// grid there. True while the left button belongs to the view (the tools
// then leave it alone).
bool FollowViewMouse();
