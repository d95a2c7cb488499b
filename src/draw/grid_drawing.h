// The editing grid drawn from the working image at the view's pitch: its
// lattice and marks, its cells, and over them the onion skin, the floating
// pixels, a dragged shape and the selection's marquee.
#pragma once

#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/locked_screen.h"

// The whole grid: everything it may draw in is drawn.
void DrawWholeGrid(const LockedScreen& screen, const GridView& view, const ShownCells& part);
// The cells of the image pixels in rect, with the lines round them and what
// lies over them.
void DrawGridPart(const LockedScreen& screen, const GridView& view, const ShownCells& part, ImageRect rect);
// The selection's outline, over the lines round it, in dashes of black and
// white that read on any colour.
void DrawMarquee(const LockedScreen& screen, const GridView& view, const ShownCells& part);
// The mirroring axes that are on: between two pixels at the image's middle
// for an even size, through the middle pixel for an odd one, in dashes of
// red and white.
void DrawMirrorAxes(const LockedScreen& screen, const GridView& view, const ShownCells& part);
