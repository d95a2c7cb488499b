// Where everything lies on the editor's 800 x 600 screen: the three image
// areas and how an image pixel maps onto each, the palette panel, the button
// bar, the text fields and the regions erased before a text is rewritten.
// Every part of the editor that draws, reads or paints a place of the screen
// takes it from here; nothing else writes these numbers.
#pragma once

#include <cstdint>

#include "../platform/display.h"

namespace layout {

struct ScreenPoint {
  int x;
  int y;
};

// Screen pixels from (left, top) to (right - 1, bottom - 1).
struct ScreenRect {
  int left;
  int top;
  int right;
  int bottom;

  constexpr bool Contains(std::int64_t x, std::int64_t y) const {
    return left <= x && x < right && top <= y && y < bottom;
  }
};

// A screen position computed from an image position. It is 64 bits wide: an
// image of 999 x 999 or a cursor far off the grid maps to positions off the
// screen, which the caller drops.
struct ScreenPixel {
  std::int64_t x;
  std::int64_t y;
};

// ---- The image areas -------------------------------------------------------
// Image pixel (column, row) is counted from 0 at the image's top left. The
// images live in memory (canvas/image_store.h); the screen shows them in
// three places: the reference view (the image as last loaded), the editing
// grid (magnified, canvas/grid_view.h) and the working view (the image being
// edited).

// The views' frames hold this many pixels: an image of up to this size is
// shown whole at 1:1, a larger one reduced by a whole factor.
inline constexpr int kShownColumns = 102;
inline constexpr int kShownRows = 78;

// Image pixel (0, 0) of each 1:1 view.
inline constexpr ScreenPoint kReferenceView{6, 6};
inline constexpr ScreenPoint kWorkingView{6, 128};

// The white outline round a view: one pixel outside the image it shows.
constexpr ScreenRect FrameAround(ScreenPoint view) {
  return {view.x - 1, view.y - 1, view.x + kShownColumns, view.y + kShownRows};
}

// The editing grid's area: cells of kGridAreaWidth x kGridAreaHeight pixels
// from kGridOrigin, at a pitch of kLeastPitch to kMostPitch (a cell and its
// line). At start the pitch is kStartPitch, where the area holds
// kShownColumns x kShownRows cells and the whole lattice is drawn with the
// marks round it; each cell is a kCellSize square inside its lines.
inline constexpr ScreenPoint kGridOrigin{140, 5};
inline constexpr int kGridAreaWidth = 510;
inline constexpr int kGridAreaHeight = 390;
inline constexpr int kStartPitch = 5;
inline constexpr int kLeastPitch = 1;
inline constexpr int kMostPitch = 32;
// From this pitch up each cell keeps a line of grid; below it the lines
// would hide half the image, and the cells touch.
inline constexpr int kLeastPitchWithLines = 4;
inline constexpr int kCellSize = kStartPitch - 1;
inline constexpr int kGridColumns = kShownColumns;
inline constexpr int kGridRows = kShownRows;
static_assert(kGridColumns * kStartPitch == kGridAreaWidth && kGridRows * kStartPitch == kGridAreaHeight);

// The outline round the whole grid at the start pitch.
inline constexpr ScreenRect kGridFrame{kGridOrigin.x, kGridOrigin.y, kGridOrigin.x + kGridAreaWidth,
                                       kGridOrigin.y + kGridAreaHeight};

// The marks round the grid at the start pitch: grey ones at its middle
// column and row, red ones where the image's width and height end. The
// width mark is two pixels above the grid (y kWidthMarkTop and the one
// below), the height mark two pixels left of it (x kHeightMarkLeft and the
// one right of it).
inline constexpr int kMiddleColumn = 51;
inline constexpr int kMiddleRow = 39;
inline constexpr int kWidthMarkTop = 2;
inline constexpr int kHeightMarkLeft = 137;

// ---- Where the mouse acts ----------------------------------------------------
// The cursor stays within 0 to kCursorMaxX and 0 to kCursorMaxY (not the
// screen's last pixels), and starts at kCursorStart.
inline constexpr int kCursorMaxX = 795;
inline constexpr int kCursorMaxY = 595;
inline constexpr ScreenPoint kCursorStart{400, 300};
// The left button paints above this line and hits the button bar below
// kButtonHitTop; the right button picks from the panel right of kPanelPickLeft
// and above kPanelPickBottom (both excluded).
inline constexpr int kPaintBottom = 396;
inline constexpr int kButtonHitTop = 500;
inline constexpr int kPanelPickLeft = 684;
inline constexpr int kPanelPickBottom = 432;

// ---- The palette panel -------------------------------------------------------
// Swatch of colour 27 c + k: column c (0 to 2), row k (0 to 26), a
// kSwatchWidth x kSwatchHeight rectangle filled with that palette index.
inline constexpr int kSwatchColumns = 3;
inline constexpr int kSwatchRows = 27;
inline constexpr int kSwatchWidth = 20;
inline constexpr int kSwatchHeight = 10;
inline constexpr int kSwatchRowPitch = 16;

constexpr int SwatchLeft(int column) {
  return 685 + 35 * column;
}
constexpr int SwatchTop(int row) {
  return 5 + kSwatchRowPitch * row;
}
// Where Save and the colour pick read a swatch's colour back from the screen.
constexpr int SwatchSampleX(int column) {
  return SwatchLeft(column) + kSwatchWidth / 2;
}
constexpr int SwatchSampleY(int row) {
  return SwatchTop(row) + kSwatchHeight / 2;
}
// The white outline round colour 0's swatch, whatever the current colour.
inline constexpr ScreenRect kColourZeroOutline{684, 4, 706, 16};
// The current colour's frame: kCurrentFrameWidth pixels wide, its outer edge
// kCurrentFrameGap pixels outside the swatch, in the gaps between swatches
// (kSwatchRowPitch - kSwatchHeight = 6 pixels between rows).
inline constexpr int kCurrentFrameGap = 3;
inline constexpr int kCurrentFrameWidth = 2;
// The right button picks row k while 4 + 16 k < y < 16 + 16 k, and the
// column from x: between the middle bounds the middle column, right of
// kPickRightColumnAfter the right one, else the left one.
constexpr bool InPickRow(std::int64_t y, int row) {
  return SwatchTop(row) - 1 < y && y < SwatchTop(row) + kSwatchHeight + 1;
}
inline constexpr int kPickMiddleColumnAfter = 719;
inline constexpr int kPickMiddleColumnBefore = 741;
inline constexpr int kPickRightColumnAfter = 754;

// The panel shows kPanelColours entries at a time, a page: page p holds the
// entries from kPanelColours p on (the last page the 13 up to 255), entry
// kPanelColours p + 27 c + k in column c, row k.
inline constexpr int kPanelColours = kSwatchColumns * kSwatchRows;
inline constexpr int kPaletteEntries = 256;
inline constexpr int kPanelPages = (kPaletteEntries + kPanelColours - 1) / kPanelColours;
// All the panel draws (swatches, the frames in the gaps round them, the
// outline round colour 0), cleared when the page turns.
inline constexpr ScreenRect kPanelArea{682, 2, 779, 435};
static_assert(kPanelArea.right > SwatchLeft(kSwatchColumns - 1) + kSwatchWidth + kCurrentFrameGap &&
              kPanelArea.bottom > SwatchTop(kSwatchRows - 1) + kSwatchHeight + kCurrentFrameGap);

// ---- The button bar ------------------------------------------------------------
// Each button is a bitmap drawn with its top-left corner at its place; it is
// hit strictly inside kButtonWidth x kButtonHeight from there.
inline constexpr int kButtonWidth = 89;
inline constexpr int kButtonHeight = 23;
inline constexpr ScreenPoint kLoadButton{160, 500};
inline constexpr ScreenPoint kSaveButton{285, 500};
inline constexpr ScreenPoint kClearButton{410, 500};
inline constexpr ScreenPoint kQuitButton{535, 500};
inline constexpr ScreenPoint kSettingsButton{160, 540};
inline constexpr ScreenPoint kQuadButton{285, 540};
inline constexpr ScreenPoint kOffsetButton{410, 540};

// The settings menu's three sub-buttons in a row, chosen by x alone while the
// cursor is held in kMenuClip; the menu puts the cursor at kMenuCursorStart.
inline constexpr int kSubButtonTop = 440;
inline constexpr int kSubButtonWidth = 64;
inline constexpr int kLoadNameSubButtonLeft = 420;
inline constexpr int kSaveNameSubButtonLeft = 505;
inline constexpr int kSizeSubButtonLeft = 590;
inline constexpr ScreenRect kMenuClip{420, 440, 654, 460};
inline constexpr ScreenPoint kMenuCursorStart{537, 450};

// ---- Texts -------------------------------------------------------------------------
// The text fields: a label and its value.
inline constexpr ScreenPoint kLoadNameLabel{150, 410};
inline constexpr ScreenPoint kLoadNameValue{270, 410};
inline constexpr ScreenPoint kSaveNameLabel{150, 430};
inline constexpr ScreenPoint kSaveNameValue{270, 430};
inline constexpr ScreenPoint kWidthLabel{150, 450};
inline constexpr ScreenPoint kWidthValue{205, 450};
inline constexpr ScreenPoint kHeightLabel{245, 450};
inline constexpr ScreenPoint kHeightValue{311, 450};
inline constexpr ScreenPoint kOffsetLabel{150, 470};
inline constexpr ScreenPoint kOffsetValue{220, 470};

// The prompt area, where actions ask and the keyboard entries echo.
inline constexpr ScreenPoint kPrompt{420, 410};
inline constexpr ScreenPoint kEntryEcho{420, 440};
inline constexpr ScreenPoint kEntryHint{420, 470};

// The status line and the colour number of a pick.
inline constexpr ScreenPoint kPointerStatus{12, 572};
inline constexpr ScreenPoint kColourStatus{360, 572};
// The picked colour's value and name ("#3399ff Sky"), on the status line right
// of the tool's status, to the screen's edge (the name cut there).
inline constexpr ScreenPoint kColourNameStatus{680, 572};

// The messages of Save, Ctrl+S and Load (what was saved, or why nothing
// was): kMessageLines lines of kMessageCells characters from kMessageTop, in
// the prompt area below the prompt line and the file names' values, which
// reach over it. The next action's prompt takes the place again.
inline constexpr ScreenPoint kMessageTop{390, 447};
inline constexpr int kMessageCells = 34;
inline constexpr int kMessageLines = 3;
inline constexpr int kTextLinePitch = 16;
inline constexpr int kTextCellWidth = 8;

// F1's list of keys: a box over the grid, kKeyListMargin pixels round its
// text, one line every kKeyListLinePitch pixels.
inline constexpr ScreenRect kKeyListBox{150, 13, 640, 389};
inline constexpr int kKeyListMargin = 8;
inline constexpr int kKeyListLinePitch = 16;

// Where the settings files' messages show at start-up and at the end, on a
// screen that is black there at those times.
inline constexpr ScreenPoint kSettingsMessage{30, 40};

// The places of the screen that lie outside the image areas and that the
// editor's own texts do not use yet, for what it shows besides the image:
// the tool in use with a swatch of the current colour, on the status line
// right of the colour number;
inline constexpr ScreenRect kToolStatusArea{440, 572, 680, 588};
// The tool status in it: the current colour's swatch in a white frame
// (kToolSwatchFrame, the frame one pixel wide round the swatch), and the
// tool's name right of it, in kToolNameCells text cells.
inline constexpr ScreenRect kToolSwatchFrame{440, 573, 454, 587};
inline constexpr ScreenPoint kToolName{460, 572};
inline constexpr int kToolNameCells = 26;
static_assert(kToolName.x + 8 * kToolNameCells <= kToolStatusArea.right);
// the image number and the count of images, in the corner below the panel;
inline constexpr ScreenRect kImageNumberArea{670, 440, plat::kScreenWidth, plat::kScreenHeight};
// short notes such as the unsaved mark, left of the button bar.
inline constexpr ScreenRect kNoteArea{0, 500, 156, 570};
// In the note area: "Unsaved" while the image areas hold work that no file
// holds, and below it a note of two lines about the recovery copy. A line
// holds kNoteCells characters of the 8 x 16 font, lines kTextLineHeight apart.
inline constexpr int kTextLineHeight = 16;
inline constexpr ScreenPoint kUnsavedMark{4, 504};
inline constexpr ScreenPoint kRecoveryNote{4, 528};
inline constexpr int kNoteCells = 19;
// The question about a recovery copy at start-up: two lines from the place of
// the settings messages, on the same black screen.
inline constexpr ScreenPoint kStartQuestionSecondLine{kSettingsMessage.x,
                                                      kSettingsMessage.y + kTextLineHeight};

// In kImageNumberArea, lines of kImageNumberCells characters (to the screen's
// right edge): "Pix number:", under it the number and the count of images
// ("3 of 12"), the count on the next line when both do not fit on one; above
// them, while the images play, their rate.
inline constexpr int kImageNumberCells = 16;
inline constexpr ScreenPoint kPlayRateLine{672, 508};
inline constexpr ScreenPoint kImageNumberLabel{672, 524};
inline constexpr ScreenPoint kImageNumberValue{672, 540};
inline constexpr ScreenPoint kImageCountValue{672, 556};
// Under the palette panel, above those lines: which entries the panel shows
// ("Colors 81-161"), in kPanelLabelCells cells, once a page has been turned.
inline constexpr ScreenPoint kPanelLabel{672, 444};
inline constexpr int kPanelLabelCells = 15;
static_assert(kPanelLabel.y >= kPanelArea.bottom && kPanelLabel.y + kTextLinePitch <= kPlayRateLine.y &&
              kPanelLabel.x + kTextCellWidth * kPanelLabelCells <= kImageNumberArea.right);
inline constexpr int kColourNameCells = (plat::kScreenWidth - kColourNameStatus.x) / kTextCellWidth;
static_assert(kToolStatusArea.right <= kColourNameStatus.x);
static_assert(kImageNumberLabel.x + kTextCellWidth * kImageNumberCells <= kImageNumberArea.right &&
              kPlayRateLine.y >= kImageNumberArea.top &&
              kImageCountValue.y + kTextLinePitch <= kPointerStatus.y);

// ---- Regions erased before a text is rewritten ------------------------------------
// EraseRegion's codes. The rectangles are handed to GDI's Rectangle: what
// turns black is left to right - 1 and top to bottom - 1.
enum ScreenRegion : int {
  kMenuPromptRegion = 1,    // a settings entry's prompt and the sub-buttons
  kEchoRegion = 2,          // the typed text's echo
  kLoadNameRegion = 3,      // the load-file name's value
  kSaveNameRegion = 4,      // the save-file name's value
  kPromptAreaRegion = 5,    // the whole prompt area, when an action ends
  kNumberPromptRegion = 6,  // before "Load Pix Number:" and "Change Offset Number:"
  kColourNumberRegion = 7,  // before the colour number of a pick
  kOffsetRegion = 8,        // the offset's value
  kImageNumberRegion = 9,   // the image number's value
  kWidthRegion = 10,        // the width's value
  kHeightRegion = 11,       // the height's value
};
inline constexpr int kFirstRegion = kMenuPromptRegion;
inline constexpr int kLastRegion = kHeightRegion;

// Indexed by code; entry 0 is unused.
inline constexpr ScreenRect kRegionRects[kLastRegion + 1] = {
    {0, 0, 0, 0},         {420, 410, 655, 465}, {410, 435, 670, 460}, {265, 406, 412, 427},
    {265, 428, 412, 449}, {390, 405, 665, 495}, {521, 440, 605, 470}, {200, 460, 270, 479},
    {202, 467, 260, 488}, {775, 550, 795, 580}, {197, 448, 238, 468}, {298, 448, 340, 468},
};

// The messages lie in the prompt area, which every action erases at its end.
static_assert(kRegionRects[kPromptAreaRegion].left <= kMessageTop.x &&
              kMessageTop.x + kTextCellWidth * kMessageCells <= kRegionRects[kPromptAreaRegion].right &&
              kMessageTop.y + kTextLinePitch * kMessageLines <= kRegionRects[kPromptAreaRegion].bottom);

}  // namespace layout
