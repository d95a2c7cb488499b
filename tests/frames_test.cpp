// The two view outlines and the editing grid with its middle, previous and current size marks.
#include "draw/frames.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "canvas/pen.h"
#include "draw/primitives.h"
#include "platform/headless/headless.h"
#include "support/program_run.h"
#include "support/screen_compare.h"

namespace {

// Palette entries holding the line colours exactly.
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kRed = 4;
constexpr std::uint8_t kGrey = 7;
constexpr std::uint8_t kWhite = 15;
constexpr std::uint8_t kBackground = 9;  // drawn under everything, so untouched pixels show

class FramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::OpenTestDisplay());
    FillSurface(displayDevice.primarySurface, kBackground);
  }
  void TearDown() override { pixtest::CloseTestDisplay(); }
};

using Screen = std::vector<std::uint8_t>;

Screen Background() {
  return Screen(800 * 600, kBackground);
}

void Set(Screen& screen, int x, int y, std::uint8_t value) {
  screen[static_cast<std::size_t>(y) * 800 + x] = value;
}

void HorizontalLine(Screen& screen, int left, int right, int y) {
  for (int x = left; x <= right; ++x) {
    Set(screen, x, y, kWhite);
  }
}

void VerticalLine(Screen& screen, int x, int top, int bottom) {
  for (int y = top; y <= bottom; ++y) {
    Set(screen, x, y, kWhite);
  }
}

void Outline(Screen& screen, int left, int top, int right, int bottom) {
  HorizontalLine(screen, left, right, top);
  HorizontalLine(screen, left, right, bottom);
  VerticalLine(screen, left, top, bottom);
  VerticalLine(screen, right, top, bottom);
}

// The lattice without marks: lines at x = 140 + 5c and y = 5 + 5r, lines
// leaving out their end points, the outline closing the corner (650, 395).
Screen GridWithoutMarks() {
  Screen screen = Background();
  Outline(screen, 140, 5, 650, 395);
  for (int y = 5; y <= 395; y += 5) {
    HorizontalLine(screen, 140, 649, y);
  }
  for (int x = 140; x <= 650; x += 5) {
    VerticalLine(screen, x, 5, 394);
  }
  Set(screen, 395, 3, kGrey);
  Set(screen, 138, 200, kGrey);
  return screen;
}

::testing::AssertionResult ScreenIs(const Screen& expected) {
  return pixtest::SameOutside(expected, plat::headless::Screen(), {0, 0, 0, 0});
}

int CountOf(std::uint8_t value) {
  int count = 0;
  for (std::uint8_t pixel : plat::headless::Screen()) {
    count += pixel == value;
  }
  return count;
}

void SetSizes(int width, int height, int previousWidth, int previousHeight) {
  editorState.width = width;
  editorState.height = height;
  editorState.previousWidth = previousWidth;
  editorState.previousHeight = previousHeight;
}

TEST_F(FramesTest, InitialGridIsTheLatticeWithMiddleMarksAndErasedZeroMarks) {
  ASSERT_EQ(1, DrawEditingGrid(displayDevice.primarySurface));
  Screen expected = GridWithoutMarks();
  Set(expected, 140, 2, kBlack);  // previous width 0
  Set(expected, 140, 3, kBlack);
  Set(expected, 137, 5, kBlack);  // previous height 0
  Set(expected, 138, 5, kBlack);
  EXPECT_TRUE(ScreenIs(expected));
  EXPECT_EQ(0, CountOf(kRed));
}

TEST_F(FramesTest, ViewOutlinesEncloseTheViews) {
  ASSERT_EQ(1, DrawReferenceFrame(displayDevice.primarySurface));
  ASSERT_EQ(1, DrawWorkingFrame(displayDevice.primarySurface));
  Screen expected = Background();
  Outline(expected, 5, 5, 108, 84);
  Outline(expected, 5, 127, 108, 206);
  EXPECT_TRUE(ScreenIs(expected));
}

struct MarkPixel {
  int x;
  int y;
  std::uint8_t value;
};

struct MarkCase {
  const char* name;
  int width;
  int height;
  int previousWidth;
  int previousHeight;
  std::vector<MarkPixel> pixels;  // compared after the grid is drawn
  int redPixels;                  // red pixels on the whole screen
};

const MarkCase kMarkCases[] = {
    {"width 50", 50, 78, 0, 0, {{390, 2, kRed}, {390, 3, kRed}}, 2},
    {"width 50 to 60",
     60,
     78,
     50,
     0,
     {{390, 2, kBlack}, {390, 3, kBlack}, {440, 2, kRed}, {440, 3, kRed}},
     2},
    {"width 51 over the middle", 51, 78, 0, 0, {{395, 2, kRed}, {395, 3, kRed}}, 2},
    {"width 51 to 60", 60, 78, 51, 0, {{395, 2, kBlack}, {395, 3, kGrey}, {440, 2, kRed}}, 2},
    {"height 39 over the middle", 102, 39, 0, 0, {{137, 200, kRed}, {138, 200, kRed}}, 2},
    {"height 39 to 40", 102, 40, 0, 39, {{137, 200, kBlack}, {138, 200, kGrey}, {137, 205, kRed}}, 2},
    {"width 0 on the left edge", 0, 78, 0, 0, {{140, 2, kRed}, {140, 3, kRed}}, 2},
    {"height 0 on the top edge", 102, 0, 0, 0, {{137, 5, kRed}, {138, 5, kRed}}, 2},
    {"full size draws no marks", 102, 78, 0, 0, {}, 0},
    {"oversize draws no marks", 200, 300, 0, 0, {{140, 2, kBlack}}, 0},
    {"previous height 78 is erased", 102, 78, 0, 78, {{137, 395, kBlack}, {138, 395, kBlack}}, 0},
    {"previous height 79 is not", 102, 78, 0, 79, {{137, 400, kBackground}, {138, 400, kBackground}}, 0},
    {"previous width 102 is not", 102, 78, 102, 0, {{650, 2, kBackground}, {650, 3, kBackground}}, 0},
    {"previous width 101 is", 102, 78, 101, 0, {{645, 2, kBlack}, {645, 3, kBlack}}, 0},
    {"negative width is signed", -1, 78, 0, 0, {{135, 2, kRed}, {135, 3, kRed}}, 2},
    // Positions off the screen are not drawn, even where 32-bit wrapping
    // would bring them back onto it (x = 276 here).
    {"huge sizes", -858993432, INT_MIN, INT_MIN, -858993432, {}, 0},
    {"negative heights", 102, -2, 0, -100, {}, 0},
};

TEST_F(FramesTest, SizeMarks) {
  for (const MarkCase& c : kMarkCases) {
    SCOPED_TRACE(c.name);
    FillSurface(displayDevice.primarySurface, kBackground);
    SetSizes(c.width, c.height, c.previousWidth, c.previousHeight);
    ASSERT_EQ(1, DrawEditingGrid(displayDevice.primarySurface));
    for (const MarkPixel& p : c.pixels) {
      EXPECT_EQ(p.value, plat::headless::ScreenAt(p.x, p.y)) << "at (" << p.x << "," << p.y << ")";
    }
    EXPECT_EQ(c.redPixels, CountOf(kRed));
  }
}

TEST_F(FramesTest, WidthChangeSequenceRestoresTheMiddleMark) {
  // 51 then 60 then 70: the grey middle mark comes back once the width leaves 51.
  SetSizes(51, 78, 0, 0);
  DrawEditingGrid(displayDevice.primarySurface);
  EXPECT_EQ(kRed, plat::headless::ScreenAt(395, 3));
  SetSizes(60, 78, 51, 0);
  DrawEditingGrid(displayDevice.primarySurface);
  EXPECT_EQ(kGrey, plat::headless::ScreenAt(395, 3));
  EXPECT_EQ(kBlack, plat::headless::ScreenAt(395, 2));
  SetSizes(70, 78, 60, 0);
  DrawEditingGrid(displayDevice.primarySurface);
  EXPECT_EQ(kBlack, plat::headless::ScreenAt(440, 2));
  EXPECT_EQ(kRed, plat::headless::ScreenAt(490, 2));
  EXPECT_EQ(kGrey, plat::headless::ScreenAt(395, 3));
}

TEST_F(FramesTest, NoDeviceContextDrawsNothing) {
  plat::headless::FailCall("Primary.GetDC");
  const Screen before = plat::headless::Screen();
  EXPECT_EQ(0, DrawReferenceFrame(displayDevice.primarySurface));
  EXPECT_EQ(0, DrawEditingGrid(displayDevice.primarySurface));
  EXPECT_EQ(0, DrawWorkingFrame(displayDevice.primarySurface));
  EXPECT_TRUE(ScreenIs(before));
  EXPECT_EQ(0, DrawEditingGrid(nullptr));
}

TEST_F(FramesTest, EachCallGivesItsDeviceContextBack) {
  plat::headless::ClearLog();
  DrawReferenceFrame(displayDevice.primarySurface);
  DrawEditingGrid(displayDevice.primarySurface);
  DrawWorkingFrame(displayDevice.primarySurface);
  const std::vector<std::string> expected = {"Primary.GetDC",     "Primary.ReleaseDC", "Primary.GetDC",
                                             "Primary.ReleaseDC", "Primary.GetDC",     "Primary.ReleaseDC"};
  EXPECT_EQ(expected, pixtest::CallsStartingWith("Primary.")) << pixtest::CallLogText();
}

TEST_F(FramesTest, GridLinesUnderAPenStrokeComeBackOnTheNextDrawing) {
  DrawEditingGrid(displayDevice.primarySurface);
  editorState.cursorX = 300;  // cell (32, 38): block x 300..304, y 195..199
  editorState.cursorY = 200;
  PaintPen(200);
  EXPECT_EQ(200, plat::headless::ScreenAt(300, 195));
  DrawEditingGrid(displayDevice.primarySurface);
  for (int i = 0; i <= 4; ++i) {
    EXPECT_EQ(kWhite, plat::headless::ScreenAt(300, 195 + i)) << "left line, y " << 195 + i;
    EXPECT_EQ(kWhite, plat::headless::ScreenAt(300 + i, 195)) << "top line, x " << 300 + i;
  }
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {301, 196, 305, 200}, 200));
}

}  // namespace
