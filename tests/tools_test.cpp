// The artist's tools on the headless editor: fill, line, rectangle, ellipse, flips, shifts
// and the mended pen, each checked against a model of the test's own and the bytes Save
// writes, undone and redone pixel for pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/editor_state.h"
#include "app/key_list.h"
#include "app/tool_status.h"
#include "canvas/image_history.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "support/editor_fixture.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/scratch_dir.h"
#include "support/screen_text.h"
#include "support/shape_models.h"

namespace {

using pixtest::Bytes;
using pixtest::CellSet;
using pixtest::IdlePasses;
using pixtest::PassAt;
using Screen = std::vector<std::uint8_t>;

constexpr int kW = 102;
constexpr int kH = 78;
constexpr int kImageBytes = kW * kH;

struct Cell {
  int column;
  int row;
};

// The cursor over a cell's inside, and the cell under a cursor position
// (C's division truncates toward zero).
int X(int column) {
  return 142 + 5 * column;
}
int Y(int row) {
  return 7 + 5 * row;
}
Cell CellUnder(int x, int y) {
  return {(x - 140) / 5, (y - 6) / 5};
}

// ---- Input, as an artist gives it -------------------------------------------------

// The keys down for one pass, then up for one.
using pixtest::Chord;
using pixtest::Key;
void Undo() {
  Chord({plat::VK_CONTROL, plat::VK_Z});
}
void Redo() {
  Chord({plat::VK_CONTROL, plat::VK_Y});
}

void Click(int x, int y) {
  PassAt(x, y, true);
  PassAt(x, y, false);
}
void ClickCell(Cell cell) {
  Click(X(cell.column), Y(cell.row));
}
// Shift held at the press.
void ShiftClickCell(Cell cell) {
  plat::headless::HoldKeys({plat::VK_SHIFT});
  PassAt(X(cell.column), Y(cell.row), true);
  plat::headless::HoldKeys({});
  PassAt(X(cell.column), Y(cell.row), false);
}
// Pressed at from, held through via (where the preview shows another shape)
// to to, let go there.
void Drag(Cell from, Cell via, Cell to) {
  PassAt(X(from.column), Y(from.row), true);
  PassAt(X(via.column), Y(via.row), true);
  PassAt(X(to.column), Y(to.row), true);
  PassAt(X(to.column), Y(to.row), false);
}
// The right button on the colour's swatch.
void Pick(int colour) {
  const int x = 695 + 35 * (colour / 27);
  const int y = 10 + 16 * (colour % 27);
  PassAt(x, y, false, true);
  PassAt(x, y, false);
}
void Load() {
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Click(200, 510);
}
void Save() {
  Click(330, 510);
}

// ---- The model: the image as palette indices, and what each tool makes of it ------

using Image = Bytes;

std::uint8_t& At(Image& image, int column, int row) {
  return image[static_cast<std::size_t>(row * kW + column)];
}
std::uint8_t PixelOf(const Image& image, int column, int row) {
  return image[static_cast<std::size_t>(row * kW + column)];
}

// The colour a palette index shows: 15, 80 and 255 are all white.
std::uint32_t Shown(std::uint8_t index) {
  const plat::PALETTEENTRY entry = plat::headless::Palette()[index];
  return std::uint32_t{entry.peRed} << 16 | std::uint32_t{entry.peGreen} << 8 | entry.peBlue;
}

// A breadth-first walk over side neighbours of the seed's shown colour, or
// every pixel of that colour.
void ModelFill(Image& image, Cell seed, std::uint8_t colour, bool everywhere) {
  const std::uint32_t target = Shown(At(image, seed.column, seed.row));
  if (target == Shown(colour)) {
    return;
  }
  if (everywhere) {
    for (std::uint8_t& pixel : image) {
      pixel = Shown(pixel) == target ? colour : pixel;
    }
    return;
  }
  std::deque<Cell> open = {seed};
  At(image, seed.column, seed.row) = colour;
  while (!open.empty()) {
    const Cell cell = open.front();
    open.pop_front();
    for (const Cell next : {Cell{cell.column - 1, cell.row}, Cell{cell.column + 1, cell.row},
                            Cell{cell.column, cell.row - 1}, Cell{cell.column, cell.row + 1}}) {
      if (next.column >= 0 && next.row >= 0 && next.column < kW && next.row < kH &&
          Shown(At(image, next.column, next.row)) == target) {
        At(image, next.column, next.row) = colour;
        open.push_back(next);
      }
    }
  }
}

// The cells within the image.
void ModelPaint(Image& image, const CellSet& cells, std::uint8_t colour) {
  for (const auto& [column, row] : cells) {
    if (column >= 0 && row >= 0 && column < kW && row < kH) {
      At(image, column, row) = colour;
    }
  }
}

// The quad pen's 2 x 2 block at each cell.
CellSet Blocks(const CellSet& cells) {
  CellSet blocks;
  for (const auto& [column, row] : cells) {
    for (const auto& d : {std::pair{0, 0}, std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
      blocks.insert({column + d.first, row + d.second});
    }
  }
  return blocks;
}

Image Moved(const Image& image, int (*columnFrom)(int), int (*rowFrom)(int)) {
  Image moved(image.size());
  for (int row = 0; row < kH; ++row) {
    for (int column = 0; column < kW; ++column) {
      moved[static_cast<std::size_t>(row * kW + column)] =
          image[static_cast<std::size_t>(rowFrom(row) * kW + columnFrom(column))];
    }
  }
  return moved;
}
int Same(int at) {
  return at;
}

// ---- Start images -----------------------------------------------------------------

// Panel colours but white 15, which Save writes as 80.
Image Busy() {
  Image image = pixtest::Pattern(kImageBytes, 7, 1, 81);
  for (std::uint8_t& pixel : image) {
    pixel = pixel == 15 ? 16 : pixel;
  }
  return image;
}

// Colour 1 with the outline of a rectangle in colour 2 from (10, 10) to (30, 24);
// a gap in its right side when open. A patch of colour 3 elsewhere.
Image Outlined(bool open) {
  Image image(kImageBytes, 1);
  for (int i = 10; i <= 30; ++i) {
    At(image, i, 10) = 2;
    At(image, i, 24) = 2;
  }
  for (int i = 10; i <= 24; ++i) {
    At(image, 10, i) = 2;
    At(image, 30, i) = open && i == 17 ? 1 : 2;
  }
  for (int i = 0; i < 9; ++i) {
    At(image, 60 + i % 3, 50 + i / 3) = 3;
  }
  return image;
}
Image ClosedOutline() {
  return Outlined(false);
}
Image OpenOutline() {
  return Outlined(true);
}

// Colours 1 to 6 in a pattern that scatters each over the image, and a
// block of white 15 at the top left.
Image Scattered() {
  Image image = pixtest::Pattern(kImageBytes, 5, 0, 6);
  for (std::uint8_t& pixel : image) {
    ++pixel;
  }
  for (int i = 0; i < 25; ++i) {
    At(image, i % 5, i / 5) = 15;
  }
  return image;
}

// ---- The cases ----------------------------------------------------------------------

struct Scenario {
  const char* name;
  Image (*start)();
  void (*act)();
  void (*model)(Image& image);
  std::size_t steps;  // steps of the history the action makes
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

const Scenario kScenarios[] = {
    {"FillStaysInsideAClosedOutline", ClosedOutline,
     [] {
       Key(plat::VK_G);
       Pick(29);
       ClickCell({20, 17});
     },
     [](Image& image) {
       ModelFill(image, {20, 17}, 29, false);
       ASSERT_EQ(1, At(image, 5, 5)) << "the model stays inside";
     },
     1},
    {"FillLeaksThroughAGap", OpenOutline,
     [] {
       Key(plat::VK_G);
       Pick(29);
       ClickCell({20, 17});
     },
     [](Image& image) {
       ModelFill(image, {20, 17}, 29, false);
       ASSERT_EQ(29, At(image, 5, 5)) << "the model leaks";
     },
     1},
    {"FillOnThePixelsOwnColourDoesNothing", Scattered,
     [] {
       Key(plat::VK_G);
       Pick(80);
       ClickCell({2, 2});  // white 15 under white 80
       Pick(PixelOf(Scattered(), 40, 40));
       ClickCell({40, 40});
     },
     [](Image&) {}, 0},
    {"ShiftFillReplacesOneColourEverywhere", Scattered,
     [] {
       Key(plat::VK_G);
       Pick(29);
       ShiftClickCell({40, 40});
     },
     [](Image& image) {
       ModelFill(image, {40, 40}, 29, true);
     },
     1},
    {"LinesAcrossDownAndAslantAndPastTheEdge", Busy,
     [] {
       Pick(29);
       Key(plat::VK_L);
       Drag({5, 5}, {20, 30}, {40, 5});
       Drag({50, 60}, {70, 10}, {50, 2});
       Drag({90, 40}, {60, 70}, {60, 10});
       // Let go far below and right of the grid: the end is held to the image.
       PassAt(X(95), Y(70), true);
       PassAt(760, 450, true);
       PassAt(760, 450, false);
     },
     [](Image& image) {
       ModelPaint(image, pixtest::ModelLine(5, 5, 40, 5), 29);
       ModelPaint(image, pixtest::ModelLine(50, 60, 50, 2), 29);
       ModelPaint(image, pixtest::ModelLine(90, 40, 60, 10), 29);
       ModelPaint(image, pixtest::ModelLine(95, 70, 101, 77), 29);
     },
     4},
    {"RectanglesOutlinedAndFilledDraggedEachWay", Busy,
     [] {
       Pick(29);
       Key(plat::VK_U);
       Drag({5, 5}, {60, 60}, {20, 15});    // down and right
       Drag({40, 10}, {2, 2}, {30, 20});    // down and left
       Key(plat::VK_U);                     // filled
       Drag({70, 40}, {99, 70}, {60, 30});  // up and left
       Drag({80, 50}, {80, 50}, {95, 45});  // up and right
     },
     [](Image& image) {
       ModelPaint(image, pixtest::ModelRectangle(5, 5, 20, 15, false), 29);
       ModelPaint(image, pixtest::ModelRectangle(40, 10, 30, 20, false), 29);
       ModelPaint(image, pixtest::ModelRectangle(70, 40, 60, 30, true), 29);
       ModelPaint(image, pixtest::ModelRectangle(80, 50, 95, 45, true), 29);
     },
     4},
    {"EllipsesOutlinedAndFilledDraggedEachWay", Busy,
     [] {
       Pick(33);
       Chord({plat::VK_SHIFT, plat::VK_U});
       Drag({5, 40}, {50, 70}, {25, 28});    // up and right: 21 x 13
       Drag({60, 5}, {3, 3}, {45, 24});      // down and left: 16 x 20
       Chord({plat::VK_SHIFT, plat::VK_U});  // filled
       Drag({90, 70}, {70, 50}, {70, 45});   // up and left: 21 x 26
       Drag({5, 60}, {5, 60}, {12, 77});     // down and right: 8 x 18
     },
     [](Image& image) {
       ModelPaint(image, pixtest::ModelEllipse(5, 40, 25, 28, false), 33);
       ModelPaint(image, pixtest::ModelEllipse(60, 5, 45, 24, false), 33);
       ModelPaint(image, pixtest::ModelEllipse(90, 70, 70, 45, true), 33);
       ModelPaint(image, pixtest::ModelEllipse(5, 60, 12, 77, true), 33);
     },
     4},
    {"FlipsTwiceGiveTheImageBack", Busy,
     [] {
       for (const int key : {plat::VK_H, plat::VK_H, plat::VK_V, plat::VK_V}) {
         Chord({plat::VK_SHIFT, key});
       }
     },
     [](Image&) {}, 4},
    {"FlipsAndShiftsEachWay", Busy,
     [] {
       for (const int key : {plat::VK_H, plat::VK_V, plat::VK_LEFT, plat::VK_UP, plat::VK_RIGHT,
                             plat::VK_DOWN, plat::VK_DOWN}) {
         Chord({plat::VK_SHIFT, key});
       }
     },
     [](Image& image) {
       image = Moved(
           image, [](int column) { return kW - 1 - column; }, Same);
       image = Moved(image, Same, [](int row) { return kH - 1 - row; });
       image = Moved(
           image, [](int column) { return (column + 1) % kW; }, Same);      // left
       image = Moved(image, Same, [](int row) { return (row + 1) % kH; });  // up
       image = Moved(
           image, [](int column) { return (column + kW - 1) % kW; }, Same);
       image = Moved(image, Same, [](int row) { return (row + kH - 1) % kH; });
       image = Moved(image, Same, [](int row) { return (row + kH - 1) % kH; });
     },
     7},
    {"ShiftByTheWidthGivesTheImageBack", Busy,
     [] {
       for (int i = 0; i < kW; ++i) {
         Chord({plat::VK_SHIFT, plat::VK_RIGHT});
       }
     },
     [](Image&) {}, kW},
    {"StrokeOffTheGridAndBackPaintsOnlyTheImage", Busy,
     [] {
       Pick(29);
       PassAt(X(3), Y(10), true);
       PassAt(60, 150, true);  // over the working view, left of the grid
       PassAt(20, 40, true);   // over the reference view
       PassAt(X(6), Y(14), true);
       PassAt(X(6), Y(14), false);
     },
     [](Image& image) {
       const Cell off = CellUnder(60, 150);
       const Cell further = CellUnder(20, 40);
       ModelPaint(image, pixtest::ModelLine(3, 10, off.column, off.row), 29);
       ModelPaint(image, pixtest::ModelLine(off.column, off.row, further.column, further.row), 29);
       ModelPaint(image, pixtest::ModelLine(further.column, further.row, 6, 14), 29);
     },
     1},
    {"FastStrokesAreJoined", Busy,
     [] {
       Pick(29);
       PassAt(X(10), Y(20), true);  // two passes ten cells apart
       PassAt(X(20), Y(20), true);
       PassAt(X(20), Y(20), false);
       Click(330, 551);  // Quad
       PassAt(X(30), Y(30), true);
       PassAt(X(40), Y(36), true);
       PassAt(X(40), Y(36), false);
       Click(330, 551);
     },
     [](Image& image) {
       ModelPaint(image, pixtest::ModelLine(10, 20, 20, 20), 29);
       ModelPaint(image, Blocks(pixtest::ModelLine(30, 30, 40, 36)), 29);
     },
     2},
    {"PressesOutsideTheImageDoNothing", Busy,
     [] {
       Pick(29);
       for (const int key : {plat::VK_B, plat::VK_G, plat::VK_L, plat::VK_U}) {
         Key(key);
         PassAt(660, 100, true);  // right of the last column
         PassAt(X(50), Y(50), true);
         PassAt(X(50), Y(50), false);
       }
       Key(plat::VK_G);
       Click(120, 100);  // left of the grid
       Click(X(50), 2);  // above it
     },
     [](Image& image) {
       // Only the pen, pressed outside, paints once the stroke comes in.
       const Cell start = CellUnder(660, 100);
       ModelPaint(image, pixtest::ModelLine(start.column, start.row, 50, 50), 29);
     },
     1},
    {"KeysTypedInAnEntryChooseNoTool", Busy,
     [] {
       Pick(29);
       for (const std::uint8_t key : {plat::DIK_G, plat::DIK_L, plat::DIK_U, plat::DIK_LBRACKET}) {
         plat::headless::QueueKeys({key});
       }
       Load();
       EXPECT_EQ(std::string("Pen"), ToolStatusName());
       EXPECT_EQ(29, editorState.currentColor);
       ClickCell({7, 7});
     },
     [](Image& image) { At(image, 7, 7) = 29; }, 2},
};

// The screen's painting area, rows 0 to 395, left of the palette panel
// (whose frame follows the colour picked).
Screen PaintingArea() {
  Screen screen = plat::headless::Screen();
  screen.resize(800 * 396);
  for (std::size_t i = 0; i < screen.size(); ++i) {
    if (i % 800 >= 680) {
      screen[i] = 0;
    }
  }
  return screen;
}

// Outside the working view and the grid (which the tools write), nothing
// may change: not the reference view, not the black screen round them.
bool InWrittenAreas(int x, int y) {
  const bool working = x >= 6 && x < 6 + kW && y >= 128 && y < 128 + kH;
  const bool grid = x >= 140 && x <= 140 + 5 * kW && y >= 5 && y <= 5 + 5 * kH;
  return working || grid;
}

::testing::AssertionResult Shows(const Screen& expected, bool onlyOutside = false) {
  const Screen actual = PaintingArea();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const int x = static_cast<int>(i % 800);
    const int y = static_cast<int>(i / 800);
    if (expected[i] != actual[i] && !(onlyOutside && InWrittenAreas(x, y))) {
      return ::testing::AssertionFailure() << "first difference at (" << x << "," << y << "): expected "
                                           << int{expected[i]} << ", got " << int{actual[i]};
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult SameImage(const Image& expected, const Image& actual) {
  for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
    if (expected[i] != actual[i]) {
      return ::testing::AssertionFailure() << "pixel (" << i % kW << "," << i / kW << ") is "
                                           << int{actual[i]} << ", expected " << int{expected[i]};
    }
  }
  if (expected.size() != actual.size()) {
    return ::testing::AssertionFailure() << actual.size() << " pixels, expected " << expected.size();
  }
  return ::testing::AssertionSuccess();
}

// What Save writes for the model: its own indices.
Bytes Saved(const Image& image) {
  return image;
}

class ToolsTest : public ::testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    ASSERT_TRUE(pixtest::StartEditor());
    IdlePasses(1);
  }
  void TearDown() override { pixtest::StopEditor(); }

  pixtest::ScratchDir scratch_;
};

TEST_P(ToolsTest, Scenario) {
  const Scenario& scenario = GetParam();
  const Image start = scenario.start();
  ASSERT_TRUE(pixtest::WriteFileBytes("test1.pix", start));
  Load();
  IdlePasses(1);
  const Screen before = PaintingArea();
  const std::size_t stepsBefore = UndoableSteps();

  scenario.act();
  IdlePasses(1);
  Image model = start;
  scenario.model(model);

  EXPECT_TRUE(SameImage(model, pixtest::ReadWorkingView(kW, kH).pixels)) << "working view";
  EXPECT_TRUE(SameImage(model, pixtest::ReadGridCells(kW, kH).pixels)) << "grid";
  EXPECT_TRUE(pixtest::GridCellsUniform(kW, kH));
  EXPECT_TRUE(Shows(before, true)) << "outside the image";
  EXPECT_EQ(scenario.steps, UndoableSteps() - stepsBefore) << "steps of the history";

  const Screen after = PaintingArea();
  for (std::size_t i = 0; i < scenario.steps; ++i) {
    Undo();
  }
  EXPECT_TRUE(Shows(before)) << "undone";
  for (std::size_t i = 0; i < scenario.steps; ++i) {
    Redo();
  }
  EXPECT_TRUE(Shows(after)) << "redone";

  Save();
  const Bytes file = pixtest::ReadFileBytes("test1.pix");
  ASSERT_EQ(2u * kImageBytes, file.size());
  const Bytes saved(file.begin() + kImageBytes, file.end());
  EXPECT_TRUE(SameImage(Saved(model), saved)) << "saved";
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolsTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& scenario) {
                           return std::string(scenario.param.name);
                         });

// The whole screen as the last pass left it.
class ToolScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    ASSERT_TRUE(pixtest::WriteFileBytes("test1.pix", Busy()));
    ASSERT_TRUE(pixtest::StartEditor());
    IdlePasses(1);
    Load();
    IdlePasses(1);
  }
  void TearDown() override { pixtest::StopEditor(); }

  pixtest::ScratchDir scratch_;
};

TEST_F(ToolScreenTest, TheStatusNamesTheToolAndShowsTheColour) {
  const struct {
    void (*input)();
    const char* name;
  } steps[] = {
      {[] { Key(plat::VK_G); }, "Fill"},
      {[] { Key(plat::VK_L); }, "Line"},
      {[] { Key(plat::VK_U); }, "Rectangle"},
      {[] { Key(plat::VK_U); }, "Filled rectangle"},
      {[] { Key(plat::VK_U); }, "Rectangle"},
      {[] {
         Chord({plat::VK_SHIFT, plat::VK_U});
       },
       "Ellipse"},
      {[] {
         Chord({plat::VK_SHIFT, plat::VK_U});
       },
       "Filled ellipse"},
      {[] { Key(plat::VK_U); }, "Rectangle"},
      {[] {
         Chord({plat::VK_SHIFT, plat::VK_U});
       },
       "Filled ellipse"},
      {[] { Key(plat::VK_B); }, "Pen"},
      {[] { Click(330, 551); }, "Quad pen"},
      {[] { Click(330, 551); }, "Pen"},
  };
  EXPECT_EQ("Pen             ", pixtest::ReadScreenText(460, 572, 16)) << "at the start";
  for (const auto& step : steps) {
    step.input();
    EXPECT_EQ(std::string(step.name) + std::string(16 - std::string(step.name).size(), ' '),
              pixtest::ReadScreenText(460, 572, 16));
  }
  for (const int colour : {255, 4, 0}) {
    if (colour != 255) {
      Pick(colour);
    }
    EXPECT_EQ(colour, plat::headless::ScreenAt(447, 580)) << "the swatch";
    EXPECT_EQ(15, plat::headless::ScreenAt(440, 573)) << "its frame";
  }
}

TEST_F(ToolScreenTest, BracketsStepThroughAllTheColours) {
  const struct {
    int key;
    int colour;
  } steps[] = {
      {plat::VK_OEM_6, 0},   {plat::VK_OEM_4, 255}, {plat::VK_OEM_4, 254},
      {plat::VK_OEM_6, 255}, {plat::VK_OEM_6, 0},   {plat::VK_OEM_6, 1},
  };
  ASSERT_EQ(255, editorState.currentColor);
  for (const auto& step : steps) {
    Key(step.key);
    EXPECT_EQ(step.colour, editorState.currentColor);
    const std::string shown = "color " + std::to_string(step.colour);
    EXPECT_EQ(shown, pixtest::ReadScreenText(360, 572, static_cast<int>(shown.size())));
  }
  editorState.currentColor = 81;
  Key(plat::VK_OEM_4);
  EXPECT_EQ(80, editorState.currentColor) << "[ across a page";
}

TEST_F(ToolScreenTest, TheKeyListComesAndGoesLeavingNothingBehind) {
  const Screen before = PaintingArea();
  const std::size_t steps = UndoableSteps();
  const auto listShown = [] {
    const bool drawn = pixtest::ReadScreenText(158, 21, 4) == "Keys";
    EXPECT_EQ(drawn, KeyListShown());
    return drawn;
  };
  // Each way of taking the list away: a click on Save, a press in the grid,
  // Escape, a letter, F1 on its last page, Ctrl+Z.
  const std::vector<void (*)()> dismissals = {
      [] { Click(330, 510); },
      [] {
        ClickCell({30, 30});
      },
      [] {
        plat::headless::QueueEscape(true);
        IdlePasses(1);
        plat::headless::QueueEscape(false);
        IdlePasses(1);
      },
      [] { Key('Q'); },
      [] {
        for (int page = 0; page < KeyListPages(); ++page) {
          Key(plat::VK_F1);
        }
      },
      [] { Undo(); },
  };
  for (std::size_t i = 0; i < dismissals.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << "dismissal " << i);
    Key(plat::VK_F1);
    IdlePasses(2);
    ASSERT_TRUE(listShown());
    EXPECT_TRUE(Shows(before, true)) << "the list lies within the grid";
    dismissals[i]();
    EXPECT_FALSE(listShown());
    EXPECT_TRUE(Shows(before))
        << "the screen under the list came back, and the key or click did nothing else";
    EXPECT_EQ(steps, UndoableSteps());
    EXPECT_TRUE(plat::headless::WindowAlive());
  }
  EXPECT_EQ(static_cast<std::size_t>(kImageBytes), pixtest::ReadFileBytes("test1.pix").size())
      << "nothing saved";
  // The press after it counts again.
  Pick(29);
  ClickCell({30, 30});
  EXPECT_EQ(29, plat::headless::ScreenAt(X(30), Y(30)));
}

// The largest size the entry takes, its top-left part in the grid: every
// tool, each undone pixel for pixel.
TEST_F(ToolScreenTest, LargestImageEveryToolUndonePixelForPixel) {
  ASSERT_TRUE(pixtest::WriteFileBytes("test1.pix", pixtest::Pattern(999 * 999, 7, 1, 81)));
  editorState.width = 999;
  editorState.height = 999;
  IdlePasses(1);
  Load();
  IdlePasses(1);
  Pick(29);
  const std::vector<void (*)()> actions = {
      [] {
        Key(plat::VK_G);
        ClickCell({20, 20});
      },
      [] {
        ShiftClickCell({21, 20});
      },
      [] {
        Chord({plat::VK_SHIFT, plat::VK_H});
      },
      [] {
        Chord({plat::VK_SHIFT, plat::VK_V});
      },
      [] {
        Chord({plat::VK_SHIFT, plat::VK_LEFT});
      },
      [] {
        Key(plat::VK_U);
        Key(plat::VK_U);
        Drag({1, 1}, {50, 50}, {131, 77});
      },
      [] {
        Chord({plat::VK_SHIFT, plat::VK_U});
        Drag({101, 77}, {3, 3}, {0, 0});
      },
      [] {
        Key(plat::VK_B);
        PassAt(795, 6, true);
        PassAt(0, 395, true);
        PassAt(0, 395, false);
      },
  };
  for (std::size_t i = 0; i < actions.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << "action " << i);
    const Screen before = PaintingArea();
    actions[i]();
    IdlePasses(1);
    const Screen after = PaintingArea();
    EXPECT_FALSE(Shows(before)) << "the action changed the image";
    Undo();
    EXPECT_TRUE(Shows(before));
    Redo();
    EXPECT_TRUE(Shows(after));
  }
}

}  // namespace
