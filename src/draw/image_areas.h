// The three image areas drawn from the images in memory: the editing grid
// at its pitch, with its lines and marks, the working view and the
// reference view with their frames, and what shows over the image while it
// is edited (a dragged shape, the images playing). None of it is ever saved.
#pragma once

// Once a pass, after anything that changes the images or the view: draws
// what changed since the last call, or all three areas when the view, the
// size or what lies over them changed. The screen then shows exactly what
// a whole drawing would.
void DrawImageAreas();
// The next DrawImageAreas draws everything: something else drew over the
// areas (a list over the grid, a blank screen).
void RedrawImageAreas();
// Forgets what is on the screen: a new run.
void ResetImageAreas();
