// The grid as a view: zoom to fit, the wheel about the pointer, pans to each edge and their limits, a click
// in a view, and the tools on large images at other pitches and places, against models of the test's own.
#include "canvas/grid_view.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "canvas/image_store.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/scratch_dir.h"

namespace {

using pixtest::IdlePasses;
using pixtest::PassAt;

class GridViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    ASSERT_TRUE(pixtest::StartEditor());
    IdlePasses(1);
  }
  void TearDown() override { pixtest::StopEditor(); }

  pixtest::ScratchDir scratch_;
};

void SetSize(int width, int height) {
  editorState.width = width;
  editorState.height = height;
  IdlePasses(1);
}

using pixtest::Chord;

// The mouse moved to (x, y) in one pass, with the wheel turned and the buttons as given.
void MouseAt(int x, int y, int notches = 0, bool left = false, bool middle = false) {
  plat::DIMOUSESTATE state{};
  state.lX = x - editorState.cursorX;
  state.lY = y - editorState.cursorY;
  state.lZ = 120 * notches;
  state.rgbButtons[0] = left ? 0x80 : 0;
  state.rgbButtons[2] = middle ? 0x80 : 0;
  plat::headless::QueueMouse(state);
  RunEditorPass();
}

GridView View() {
  return CurrentGridView();
}

TEST_F(GridViewTest, ZoomToFitGivesTheLargestPitchAtWhichTheImageFits) {
  // Worked out from the grid's area of 510 x 390: the least of 510 / width
  // and 390 / height, at most 32, at least 1.
  const struct {
    int width;
    int height;
    int pitch;
  } cases[] = {{8, 8, 32},  {16, 16, 24}, {102, 78, 5}, {200, 200, 1},
               {510, 1, 1}, {1, 390, 1},  {999, 999, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
    SetSize(c.width, c.height);
    PanBy(1000, 1000);
    Chord({plat::VK_CONTROL, plat::VK_0});
    EXPECT_EQ(c.pitch, View().pitch);
    EXPECT_EQ(0, View().firstColumn) << "pixel (0, 0) in the top-left cell";
    EXPECT_EQ(0, View().firstRow);
    Chord({plat::VK_CONTROL, plat::VK_1});
    EXPECT_EQ(5, View().pitch);
  }
}

// The image pixel under the pointer stays under it, as far as the image's
// edges let it: here in the middle of a large image.
TEST_F(GridViewTest, AWheelStepKeepsThePixelUnderThePointer) {
  SetSize(400, 400);
  PanBy(100, 100);
  const int x = 337;
  const int y = 211;
  for (const int notches : {1, 1, 3, -2, -1}) {
    SCOPED_TRACE(notches);
    const GridView before = View();
    const ImageCell under = GridCellAt(before, x, y);
    MouseAt(x, y, notches);
    EXPECT_EQ(before.pitch + notches, View().pitch);
    EXPECT_EQ(under, GridCellAt(View(), x, y));
  }
}

TEST_F(GridViewTest, AStepAtEitherLimitDoesNothing) {
  SetSize(200, 200);
  ZoomAt(layout::kMostPitch, 300, 200);
  const GridView most = View();
  MouseAt(300, 200, 1);
  EXPECT_EQ(most, View()) << "no pitch past 32";
  ZoomAt(layout::kLeastPitch, 300, 200);
  MouseAt(300, 200, -1);
  EXPECT_EQ(1, View().pitch) << "none under 1";
  Chord({plat::VK_CONTROL, plat::VK_LEFT});
  EXPECT_EQ(0, View().firstColumn) << "the image fits: nothing to scroll";
  MouseAt(650, 300, 1);
  EXPECT_EQ(1, View().pitch) << "the wheel zooms only over the grid";
}

// At 999 x 999 and the start pitch the grid shows 102 x 78 cells: the part
// shown goes to each edge and no further.
TEST_F(GridViewTest, PansReachEachEdgeAndStopThere) {
  SetSize(999, 999);
  for (int step = 0; step < 80; ++step) {
    Chord({plat::VK_CONTROL, plat::VK_RIGHT});
    Chord({plat::VK_CONTROL, plat::VK_DOWN});
  }
  EXPECT_EQ(999 - 102, View().firstColumn);
  EXPECT_EQ(999 - 78, View().firstRow);
  // Dragged with the middle button, the image follows the pointer by whole cells.
  MouseAt(300, 200, 0, false, true);
  MouseAt(300 + 5 * 40, 200 + 5 * 30 + 3, 0, false, true);
  MouseAt(300 + 5 * 40, 200 + 5 * 30 + 3, 0, false, false);
  EXPECT_EQ(999 - 102 - 40, View().firstColumn);
  EXPECT_EQ(999 - 78 - 30, View().firstRow);
  for (int step = 0; step < 80; ++step) {
    Chord({plat::VK_CONTROL, plat::VK_LEFT});
    Chord({plat::VK_CONTROL, plat::VK_UP});
  }
  EXPECT_EQ(0, View().firstColumn);
  EXPECT_EQ(0, View().firstRow);
}

// Space with the left button drags the image and paints nothing; a click in
// a view shows that part in the grid.
TEST_F(GridViewTest, SpaceDragAndAViewClickMoveTheGridWithoutPainting) {
  SetSize(999, 999);
  const std::vector<std::uint8_t> image = WorkingImage().pixels;
  plat::headless::HoldKeys({plat::VK_SPACE});
  MouseAt(600, 300, 0, true);
  MouseAt(600 - 5 * 20, 300 - 5 * 10, 0, true);
  MouseAt(600 - 5 * 20, 300 - 5 * 10, 0, false);
  plat::headless::HoldKeys({});
  EXPECT_EQ(20, View().firstColumn);
  EXPECT_EQ(10, View().firstRow);
  // The working view shows every 13th pixel: view pixel (40, 40) is image pixel (520, 520).
  MouseAt(6 + 40, 128 + 40, 0, true);
  MouseAt(6 + 40, 128 + 40, 0, false);
  EXPECT_EQ(520 - 102 / 2, View().firstColumn);
  EXPECT_EQ(520 - 78 / 2, View().firstRow);
  EXPECT_TRUE(image == WorkingImage().pixels) << "nothing painted";
}

TEST_F(GridViewTest, AWheelTurnedDuringAnEntryIsDropped) {
  SetSize(200, 200);
  plat::DIMOUSESTATE press{};
  press.lX = 200 - editorState.cursorX;
  press.lY = 510 - editorState.cursorY;
  press.rgbButtons[0] = 0x80;
  plat::headless::QueueMouse(press);
  plat::headless::QueueKeys({plat::DIK_RETURN});
  RunEditorPass();  // Load's entry, then the wheel turned in it reaches the next read
  MouseAt(300, 200, 3);
  EXPECT_EQ(5, View().pitch);
}

// The tools paint where the grid shows the image, at any pitch and place:
// a pen stroke, a rectangle and a fill, each against a model.
TEST_F(GridViewTest, ToolsPaintLargeImagesWhereverTheGridShowsThem) {
  const struct {
    const char* what;
    int side;
    int notches;   // wheel steps about (140, 5) from the start pitch
    int panRight;  // Ctrl+Right presses
  } cases[] = {{"200 x 200 at pitch 1", 200, -4, 0}, {"999 x 999 at pitch 7, panned", 999, 2, 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetSize(c.side, c.side);
    Chord({plat::VK_CONTROL, plat::VK_1});
    MouseAt(140, 5, c.notches);
    for (int i = 0; i < c.panRight; ++i) {
      Chord({plat::VK_CONTROL, plat::VK_RIGHT});
    }
    const GridView view = View();
    const int pitch = view.pitch;
    const int inset = pitch >= 4 ? 1 : 0;
    // The screen position inside the cell of image pixel (column, row).
    const auto x = [&](int column) { return 140 + (column - view.firstColumn) * pitch + inset; };
    const auto y = [&](int row) { return 5 + (row - view.firstRow) * pitch + inset; };
    std::vector<std::uint8_t> model(static_cast<std::size_t>(c.side) * c.side, 0);
    const auto set = [&](int column, int row, int colour) {
      model[static_cast<std::size_t>(row) * c.side + column] = static_cast<std::uint8_t>(colour);
    };
    const int left = view.firstColumn + 2;
    const int top = view.firstRow + 3;
    // Colour 2, picked from its swatch: a stroke along a row.
    MouseAt(695, 42, 0);
    plat::headless::QueueMouse(0, 0, false, true);
    RunEditorPass();
    MouseAt(x(left), y(top), 0, true);
    MouseAt(x(left + 9), y(top), 0, true);
    MouseAt(x(left + 9), y(top), 0, false);
    for (int column = left; column <= left + 9; ++column) {
      set(column, top, 2);
    }
    // A rectangle outline from (left, top + 2) to (left + 5, top + 6).
    Chord({plat::VK_U});
    MouseAt(x(left), y(top + 2), 0, true);
    MouseAt(x(left + 5), y(top + 6), 0, true);
    MouseAt(x(left + 5), y(top + 6), 0, false);
    for (int column = left; column <= left + 5; ++column) {
      set(column, top + 2, 2);
      set(column, top + 6, 2);
    }
    for (int row = top + 2; row <= top + 6; ++row) {
      set(left, row, 2);
      set(left + 5, row, 2);
    }
    // A fill inside it, in colour 3.
    MouseAt(695, 58, 0);
    plat::headless::QueueMouse(0, 0, false, true);
    RunEditorPass();
    Chord({plat::VK_G});
    MouseAt(x(left + 2), y(top + 4), 0, true);
    MouseAt(x(left + 2), y(top + 4), 0, false);
    for (int row = top + 3; row <= top + 5; ++row) {
      for (int column = left + 1; column <= left + 4; ++column) {
        set(column, row, 3);
      }
    }
    EXPECT_TRUE(model == WorkingImage().pixels);
    Chord({plat::VK_B});
    FillImages(0);
  }
}

}  // namespace
