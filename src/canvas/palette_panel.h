// The colour swatches at the right edge of the screen: a page of 81 palette
// entries at a time (screen_layout.h), the current colour framed.
#pragma once

// Draws the page's swatches, the current colour's frame when it is on the
// page, the outline round colour 0 on the first page, and the page's label
// once a page has been turned; returns 0.
int DrawPalettePanel();

// Back to the first page without a label, as a run starts.
void ResetPalettePanel();
// The page shown, 0 to layout::kPanelPages - 1, and turning to another (the
// nearest page for one out of range).
int PanelPage();
void ShowPanelPage(int page);
// PageDown and PageUp: the next or the previous page, none past the ends.
void NextPanelPage();
void PreviousPanelPage();

// The page an entry is on.
int PageOfColour(int colour);
// The entry of swatch slot (27 c + k) on the page shown; -1 where the page
// has none (past entry 255).
int PanelEntry(int slot);

// The entries of the panel column that colour lies in, on colour's page:
// a shade steps within them. The last page's column holds 243 to 255.
struct PanelColumn {
  int first;
  int last;
};
PanelColumn PanelColumnOf(int colour);
