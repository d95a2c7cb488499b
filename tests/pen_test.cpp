// The pens: cursor-to-pixel mapping, the cell and the working-view pixel, the image's edge and what the grid
// shows.
#include "canvas/pen.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "app/editor_state.h"
#include "canvas/image_store.h"
#include "draw/image_areas.h"
#include "platform/headless/headless.h"
#include "support/program_run.h"
#include "support/screen_compare.h"

namespace {

using Pixel = std::pair<int, int>;
using PixelSet = std::set<Pixel>;

constexpr int kInk = 200;

class PenTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(pixtest::OpenTestDisplay()); }
  void TearDown() override { pixtest::CloseTestDisplay(); }
};

// Every pixel of the screen that holds value.
PixelSet PixelsOf(std::uint8_t value) {
  const std::vector<std::uint8_t> screen = plat::headless::Screen();
  PixelSet pixels;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      if (screen[static_cast<std::size_t>(y) * 800 + x] == value) {
        pixels.insert({x, y});
      }
    }
  }
  return pixels;
}

void AddRect(PixelSet& pixels, int left, int top, int right, int bottom) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      pixels.insert({x, y});
    }
  }
}

std::string Show(const PixelSet& pixels) {
  std::ostringstream out;
  int shown = 0;
  for (const auto& [x, y] : pixels) {
    if (shown++ == 12) {
      out << " ...";
      break;
    }
    out << " (" << x << "," << y << ")";
  }
  return out.str();
}

::testing::AssertionResult SamePixels(const PixelSet& expected, const PixelSet& actual) {
  PixelSet missing;
  PixelSet extra;
  for (const Pixel& p : expected) {
    if (!actual.contains(p)) {
      missing.insert(p);
    }
  }
  for (const Pixel& p : actual) {
    if (!expected.contains(p)) {
      extra.insert(p);
    }
  }
  if (missing.empty() && extra.empty()) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "expected " << expected.size() << " pixels, painted " << actual.size()
         << "; missing:" << Show(missing) << "; unexpected:" << Show(extra);
}

struct SingleCase {
  int cursorX;
  int cursorY;
  bool inImage;   // the pen paints only pixels of the 102 x 78 image
  int blockLeft;  // the block covers blockLeft..+4, blockTop..+4
  int blockTop;
  int viewX;  // the working-view pixel
  int viewY;
};

// Literal screen positions, worked out by hand from the grid's layout.
const SingleCase kSingleCases[] = {
    {140, 6, true, 140, 5, 6, 128},      // image pixel (0, 0)
    {144, 10, true, 140, 5, 6, 128},     // still (0, 0): bottom-right of the cell
    {136, 6, true, 140, 5, 6, 128},      // truncation: x 136..139 is column 0
    {139, 2, true, 140, 5, 6, 128},      // and y 2..10 is row 0
    {135, 6, false, 0, 0, 0, 0},         // column -1
    {145, 6, true, 145, 5, 7, 128},      // a vertical grid line belongs to the cell to its right
    {140, 1, false, 0, 0, 0, 0},         // row -1
    {140, 0, false, 0, 0, 0, 0},         // row -1
    {140, 11, true, 140, 10, 6, 129},    // a horizontal line belongs to the cell above: y 11 is row 1
    {140, 395, true, 140, 390, 6, 205},  // row 77, the last
    {649, 6, true, 645, 5, 107, 128},    // column 101, the last
    {650, 6, false, 0, 0, 0, 0},         // column 102, right of the image
    {10, 50, false, 0, 0, 0, 0},         // far left: column -26
    {300, 200, true, 300, 195, 38, 166},
};

TEST_F(PenTest, SinglePenMapsTheCursorToOneBlockAndOneViewPixel) {
  for (const SingleCase& c : kSingleCases) {
    SCOPED_TRACE(::testing::Message() << "cursor (" << c.cursorX << "," << c.cursorY << ")");
    ASSERT_TRUE(pixtest::OpenTestDisplay());
    editorState.cursorX = c.cursorX;
    editorState.cursorY = c.cursorY;
    PaintPen(kInk);
    DrawImageAreas();
    PixelSet expected;
    if (c.inImage) {
      // The cell inside its lines, right of and below the block's corner.
      AddRect(expected, c.blockLeft + 1, c.blockTop + 1, c.blockLeft + 4, c.blockTop + 4);
      expected.insert({c.viewX, c.viewY});
    }
    EXPECT_TRUE(SamePixels(expected, PixelsOf(kInk)));
    pixtest::CloseTestDisplay();
  }
}

TEST_F(PenTest, QuadPenPaintsTwoByTwoWithTheCursorAtTopLeft) {
  editorState.cursorX = 300;  // column 32
  editorState.cursorY = 200;  // row 38
  PaintQuadPen(kInk);
  DrawImageAreas();
  PixelSet expected;
  for (const int left : {301, 306}) {  // columns 32, 33 and rows 38, 39
    for (const int top : {196, 201}) {
      AddRect(expected, left, top, left + 3, top + 3);
    }
  }
  AddRect(expected, 38, 166, 39, 167);
  EXPECT_TRUE(SamePixels(expected, PixelsOf(kInk)));
}

TEST_F(PenTest, QuadPenIsCutAtTheImagesEdge) {
  editorState.cursorX = 649;  // column 101, the last of 102
  editorState.cursorY = 395;  // row 77, the last of 78
  PaintQuadPen(kInk);
  DrawImageAreas();
  PixelSet expected;
  AddRect(expected, 646, 391, 649, 394);  // column 102 and row 78 lie outside
  expected.insert({107, 205});
  EXPECT_TRUE(SamePixels(expected, PixelsOf(kInk)));
}

TEST_F(PenTest, CellsTheGridDoesNotShowAreNotPainted) {
  editorState.width = 999;  // the grid shows columns 0 to 101 of it
  editorState.height = 999;
  editorState.cursorX = 795;  // column 131
  editorState.cursorY = 100;
  PaintQuadPen(kInk);
  PaintPen(kInk);
  for (const std::uint8_t pixel : WorkingImage().pixels) {
    ASSERT_NE(kInk, pixel);
  }
}

TEST_F(PenTest, QuadPenLeftOfTheImagePaintsNothing) {
  editorState.width = 999;
  editorState.height = 999;
  editorState.cursorX = 0;  // columns -28 and -27, rows -1 and 0: none of the image
  editorState.cursorY = 0;
  PaintQuadPen(kInk);
  DrawImageAreas();
  EXPECT_TRUE(PixelsOf(kInk).empty()) << "painted:" << Show(PixelsOf(kInk));
}

TEST_F(PenTest, ExtremeCursorPositionsPaintNothingAndStayInsideTheSurface) {
  const std::pair<int, int> positions[] = {{INT_MIN, 100}, {INT_MAX, 100},     {300, INT_MIN},
                                           {300, INT_MAX}, {INT_MIN, INT_MIN}, {-1000000, 600},
                                           {-1000000, 599}};
  for (const auto& [x, y] : positions) {
    SCOPED_TRACE(::testing::Message() << "cursor (" << x << "," << y << ")");
    editorState.cursorX = x;
    editorState.cursorY = y;
    PaintPen(kInk);
    PaintQuadPen(kInk);
    DrawImageAreas();
    EXPECT_TRUE(PixelsOf(kInk).empty()) << "painted:" << Show(PixelsOf(kInk));
  }
}

TEST_F(PenTest, ColourIsStoredAsItsLowByte) {
  const std::pair<int, std::uint8_t> colours[] = {{0x1234, 0x34}, {256, 0}, {-1, 255}, {80, 80}, {511, 255}};
  editorState.cursorX = 300;
  editorState.cursorY = 200;
  for (const auto& [colour, stored] : colours) {
    PaintPen(colour);
    DrawImageAreas();
    EXPECT_EQ(stored, plat::headless::ScreenAt(302, 197)) << "colour " << colour;
    EXPECT_EQ(stored, plat::headless::ScreenAt(38, 166)) << "colour " << colour;
  }
}

// The pen paints the image in memory: the screen shows it once the areas
// are drawn, and a screen that cannot be locked loses nothing of it.
TEST_F(PenTest, ThePenPaintsTheImageAndTheScreenFollows) {
  editorState.cursorX = 300;
  editorState.cursorY = 200;
  DrawImageAreas();
  plat::headless::ClearLog();
  PaintPen(kInk);
  PaintQuadPen(kInk);
  EXPECT_TRUE(pixtest::CallsStartingWith("Primary.").empty()) << pixtest::CallLogText();
  EXPECT_EQ(kInk, WorkingImage().At(33, 39));
  plat::headless::FailCall("Primary.Lock");
  DrawImageAreas();
  EXPECT_TRUE(PixelsOf(kInk).empty());
  plat::headless::StopFailingCall("Primary.Lock");
  DrawImageAreas();
  EXPECT_EQ(kInk, plat::headless::ScreenAt(307, 202));
}

TEST(PutLockedPixelTest, StoresTheLowByteAtXPlusYTimesPitch) {
  std::vector<std::uint8_t> memory(4 * 16, 0);
  PutLockedPixel(3, 2, 0x1AB, memory.data(), 16);
  PutLockedPixel(0, 0, 7, memory.data(), 16);
  PutLockedPixel(9, 3, -2, memory.data(), 16);
  for (std::size_t i = 0; i < memory.size(); ++i) {
    const std::uint8_t expected = i == 35 ? 0xAB : i == 0 ? 7 : i == 57 ? 0xFE : 0;
    EXPECT_EQ(expected, memory[i]) << "byte " << i;
  }
}

}  // namespace
