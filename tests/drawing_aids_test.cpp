// The drawing aids against models of the test's own: mirroring with every tool at an even and an odd size,
// pixel-perfect strokes, Shift constraining the shapes, Alt picking with every tool, shading at a column's
// ends.
#include "canvas/drawing_aids.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/editor_state.h"
#include "canvas/image_history.h"
#include "canvas/image_store.h"
#include "canvas/tools.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/scratch_dir.h"

namespace {

using pixtest::Bytes;
using pixtest::IdlePasses;
using pixtest::PassAt;
using Cells = std::set<std::pair<int, int>>;

int X(int column) {
  return 142 + 5 * column;
}
int Y(int row) {
  return 7 + 5 * row;
}

using pixtest::Chord;
using pixtest::Key;
// A stroke or a drag through the cells, pressed at the first and let go at the last.
void Stroke(std::initializer_list<std::pair<int, int>> cells, std::initializer_list<int> held = {}) {
  plat::headless::HoldKeys(held);
  for (const auto& [column, row] : cells) {
    PassAt(X(column), Y(row), true);
  }
  const auto last = *(cells.end() - 1);
  PassAt(X(last.first), Y(last.second), false);
  plat::headless::HoldKeys({});
  IdlePasses(1);
}

class DrawingAidsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    ASSERT_TRUE(pixtest::StartEditor());
    IdlePasses(1);
  }
  void TearDown() override { pixtest::StopEditor(); }

  // A fresh image of the size, every pixel `background`.
  static void Fresh(int width, int height, std::uint8_t background = 0) {
    editorState.width = width;
    editorState.height = height;
    ReplaceWorkingImage(FilledImage(width, height, background));
    IdlePasses(1);
  }

  pixtest::ScratchDir scratch_;
};

// The cells of the working image that hold colour.
Cells CellsOf(std::uint8_t colour) {
  Cells cells;
  const IndexImage& image = WorkingImage();
  for (int row = 0; row < image.height; ++row) {
    for (int column = 0; column < image.width; ++column) {
      if (image.At(column, row) == colour) {
        cells.insert({column, row});
      }
    }
  }
  return cells;
}

// The model's mirror across the vertical axis: column c of w becomes w - 1 - c.
Cells MirroredLeftRight(const Cells& cells, int width) {
  Cells both = cells;
  for (const auto& [column, row] : cells) {
    both.insert({width - 1 - column, row});
  }
  return both;
}

struct ToolRun {
  const char* name;
  int key;
  std::function<void()> draw;
};

const ToolRun kTools[] = {
    {"pen", plat::VK_B,
     [] {
       Stroke({{1, 1}, {3, 2}});
     }},
    {"line", plat::VK_L,
     [] {
       Stroke({{0, 4}, {4, 6}});
     }},
    {"rectangle", plat::VK_U,
     [] {
       Stroke({{1, 1}, {4, 3}});
     }},
    {"ellipse", 0,
     [] {
       Stroke({{0, 0}, {4, 5}});
     }},
};

// Each tool drawn once without mirroring and once with it, at an even and
// an odd width: the mirrored drawing is the plain one and its mirror, the
// mirror's last pixel included, as one step.
TEST_F(DrawingAidsTest, EveryToolMirrorsAcrossTheAxisAtBothParities) {
  for (const int width : {12, 13}) {
    for (const ToolRun& tool : kTools) {
      SCOPED_TRACE(::testing::Message() << tool.name << " at width " << width);
      if (tool.key != 0) {
        Key(tool.key);
      } else {
        Chord({plat::VK_SHIFT, plat::VK_U});
      }
      Fresh(width, 9);
      tool.draw();
      const Cells plain = CellsOf(255);
      ASSERT_FALSE(plain.empty());
      Fresh(width, 9);
      Key(plat::VK_X);
      const std::size_t steps = UndoableSteps();
      tool.draw();
      Key(plat::VK_X);
      EXPECT_EQ(MirroredLeftRight(plain, width), CellsOf(255));
      EXPECT_EQ(steps + 1, UndoableSteps());
    }
  }
}

// Both axes: a pen dot mirrored into four, and the one on both axes of an
// odd image painted once.
TEST_F(DrawingAidsTest, BothAxesMirrorIntoFour) {
  Fresh(13, 9);
  Key(plat::VK_X);
  Key(plat::VK_Y);
  Stroke({{2, 1}});
  Stroke({{6, 4}});
  EXPECT_EQ((Cells{{2, 1}, {10, 1}, {2, 7}, {10, 7}, {6, 4}}), CellsOf(255));
}

// A mirrored fill fills the area at the mirrored seed too, and no more: a
// wall on the axis (odd width, the middle column) or beside it (even) keeps
// each fill on its side.
TEST_F(DrawingAidsTest, AMirroredFillFillsBothAreasAndLeaksNowhere) {
  for (const int width : {12, 13}) {
    SCOPED_TRACE(width);
    Fresh(width, 6, 9);
    // A wall of colour 4 round the left area: columns 0..2, rows 0..2.
    IndexImage walled = FilledImage(width, 6, 9);
    for (int i = 0; i <= 3; ++i) {
      walled.At(3, i) = 4;
      walled.At(i, 3) = 4;
      walled.At(width - 4, i) = 4;
      walled.At(width - 1 - i, 3) = 4;
    }
    ReplaceWorkingImage(walled);
    Key(plat::VK_G);
    Key(plat::VK_X);
    Stroke({{1, 1}});
    Key(plat::VK_X);
    Cells expected;
    for (int row = 0; row <= 2; ++row) {
      for (int column = 0; column <= 2; ++column) {
        expected.insert({column, row});
        expected.insert({width - 1 - column, row});
      }
    }
    EXPECT_EQ(expected, CellsOf(255));
  }
}

// A staircase drawn pixel by pixel keeps no corner of an L: what was under
// each dropped corner comes back as it was.
TEST_F(DrawingAidsTest, PixelPerfectDropsEveryCornerAndPutsItsPixelBack) {
  Fresh(12, 9, 7);
  Key(plat::VK_P);
  Stroke({{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}, {3, 2}, {3, 3}});
  EXPECT_EQ((Cells{{0, 0}, {1, 1}, {2, 2}, {3, 3}}), CellsOf(255));
  EXPECT_EQ(static_cast<std::size_t>(12 * 9 - 4), CellsOf(7).size()) << "the corners back in colour 7";
  // An arc drawn by hand, a pixel a pass: its corners go, its runs stay.
  Fresh(12, 9, 7);
  Stroke({{2, 0}, {3, 0}, {4, 0}, {4, 1}, {5, 1}, {6, 1}, {6, 2}, {6, 3}, {7, 3}, {7, 4}, {7, 5}});
  EXPECT_EQ((Cells{{2, 0}, {3, 0}, {4, 1}, {5, 1}, {6, 2}, {7, 3}, {7, 4}, {7, 5}}), CellsOf(255));
  // The quad pen ignores it, and says so.
  Fresh(12, 9, 7);
  PassAt(300, 550, true);  // Quad on
  PassAt(300, 550, false);
  Stroke({{0, 0}, {1, 0}, {1, 1}});
  EXPECT_EQ(8u, CellsOf(255).size()) << "three 2 x 2 blocks, overlapping";
  EXPECT_EQ(std::string("Quad pen: no pixel-perfect"), CurrentTool().name());
}

// Shift at the release: a line at 0, 45 or 90 degrees, a square, a circle.
TEST_F(DrawingAidsTest, ShiftConstrainsTheShapes) {
  const struct {
    const char* what;
    int key;
    bool shift;
    std::pair<int, int> to;
    Cells expected;
  } cases[] = {
      {"line near level",
       plat::VK_L,
       false,
       {9, 4},
       {{2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 2}, {8, 2}, {9, 2}}},
      {"line near upright", plat::VK_L, false, {3, 7}, {{2, 2}, {2, 3}, {2, 4}, {2, 5}, {2, 6}, {2, 7}}},
      {"line near 45", plat::VK_L, false, {6, 5}, {{2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}},
      {"rectangle to square", plat::VK_U, false, {4, 3}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fresh(12, 9);
    Key(c.key);
    Stroke({{2, 2}, c.to}, {plat::VK_SHIFT});
    if (!c.expected.empty()) {
      EXPECT_EQ(c.expected, CellsOf(255));
    } else {
      // The border of (2, 2)-(4, 4).
      EXPECT_EQ((Cells{{2, 2}, {3, 2}, {4, 2}, {2, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}}), CellsOf(255));
    }
  }
  // The ellipse becomes the circle in the square (2, 2)-(6, 6): as wide as high, and symmetric.
  Fresh(12, 9);
  Chord({plat::VK_SHIFT, plat::VK_U});
  Stroke({{2, 2}, {6, 4}}, {plat::VK_SHIFT});
  const Cells circle = CellsOf(255);
  ASSERT_FALSE(circle.empty());
  Cells transposed;
  for (const auto& [column, row] : circle) {
    transposed.insert({row, column});
  }
  EXPECT_EQ(circle, transposed);
  EXPECT_TRUE(circle.count({4, 6}) == 1 && circle.count({6, 4}) == 1);
}

// Alt with the left button picks, whatever the tool, and paints nothing.
TEST_F(DrawingAidsTest, AltClickPicksWithEveryToolAndKeepsIt) {
  Fresh(12, 9, 7);
  SetWorkingPixel(5, 5, 33);
  for (const int key : {plat::VK_B, plat::VK_G, plat::VK_L, plat::VK_U, plat::VK_M, plat::VK_D}) {
    SCOPED_TRACE(key);
    Key(key);
    const ToolRecord* tool = &CurrentTool();
    editorState.currentColor = 1;
    const std::vector<std::uint8_t> before = WorkingImage().pixels;
    Stroke({{5, 5}}, {plat::VK_MENU});
    EXPECT_EQ(33, editorState.currentColor);
    EXPECT_TRUE(before == WorkingImage().pixels);
    EXPECT_EQ(tool, &CurrentTool());
  }
}

// Shading steps each pixel once a stroke along the current colour's column
// (0 to 26 here) and never past its ends; other columns' pixels stay.
TEST_F(DrawingAidsTest, ShadingStaysWithinTheColumn) {
  Fresh(12, 9);
  const std::uint8_t row[] = {0, 5, 25, 26, 27, 40};
  for (int column = 0; column < 6; ++column) {
    SetWorkingPixel(column, 0, row[column]);
  }
  editorState.currentColor = 3;
  Key(plat::VK_D);
  Stroke({{0, 0}, {5, 0}, {0, 0}});  // back over them: once a stroke
  const Bytes after(WorkingImage().pixels.begin(), WorkingImage().pixels.begin() + 6);
  EXPECT_EQ((Bytes{1, 6, 26, 26, 27, 40}), after);
  Stroke({{0, 0}, {5, 0}}, {plat::VK_SHIFT});
  const Bytes back(WorkingImage().pixels.begin(), WorkingImage().pixels.begin() + 6);
  EXPECT_EQ((Bytes{0, 5, 25, 25, 27, 40}), back);
}

}  // namespace
