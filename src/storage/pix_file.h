// Pix image files: raw palette indices, width x height bytes per image.
#pragma once

#include "../platform/display.h"

// Draws image n of the load file into both views and the grid.
int LoadPixImage(int n);
int LoadWorkingView(int n);
// Writes the working view into the save file (appended, or over image offsetNumber).
int SavePixImage(plat::DrawSurface* surface);
