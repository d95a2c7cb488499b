// The outlines of the two views and the editing grid with its marks.
#pragma once

#include "../platform/display.h"

int DrawReferenceFrame(plat::DrawSurface* surface);
int DrawEditingGrid(plat::DrawSurface* surface);
int DrawWorkingFrame(plat::DrawSurface* surface);
