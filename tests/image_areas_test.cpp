// The image areas drawn from the images in memory: the start lattice and its marks, the other pitches, the
// views, and drawing only what changed against drawing everything.
#include "draw/image_areas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <vector>

#include "app/editor_state.h"
#include "canvas/drawing_aids.h"
#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/onion_layer.h"
#include "canvas/pen.h"
#include "canvas/reference_cover.h"
#include "canvas/selection.h"
#include "canvas/shape_preview.h"
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
constexpr std::uint8_t kBackground = 9;  // under everything, so untouched pixels show

class ImageAreasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::OpenTestDisplay());
    FillSurface(displayDevice.primarySurface, kBackground);
  }
  void TearDown() override { pixtest::CloseTestDisplay(); }
};

using Screen = std::vector<std::uint8_t>;

void Set(Screen& screen, int x, int y, std::uint8_t value) {
  screen[static_cast<std::size_t>(y) * 800 + x] = value;
}

void Line(Screen& screen, int left, int top, int right, int bottom, std::uint8_t value) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      Set(screen, x, y, value);
    }
  }
}

// The start screen's image areas with a black 102 x 78 image, worked out from
// the layout: the lattice's lines at x = 140 + 5c and y = 5 + 5r, black
// cells, the marks' strips black with the grey middle marks, and the views'
// outlines round black views.
Screen StartAreas() {
  Screen screen(800 * 600, kBackground);
  Line(screen, 137, 2, 650, 395, kBlack);
  for (int y = 5; y <= 395; y += 5) {
    Line(screen, 140, y, 650, y, kWhite);
  }
  for (int x = 140; x <= 650; x += 5) {
    Line(screen, x, 5, x, 395, kWhite);
  }
  Set(screen, 395, 3, kGrey);
  Set(screen, 138, 200, kGrey);
  for (const int top : {5, 127}) {
    Line(screen, 5, top, 108, top + 79, kWhite);
    Line(screen, 6, top + 1, 107, top + 78, kBlack);
  }
  return screen;
}

void SetSize(int width, int height) {
  editorState.width = width;
  editorState.height = height;
}

TEST_F(ImageAreasTest, StartIsTheLatticeWithItsMiddleMarksAndTheViewOutlines) {
  DrawImageAreas();
  EXPECT_TRUE(pixtest::SameOutside(StartAreas(), plat::headless::Screen(), {0, 0, 0, 0}));
}

struct MarkPixel {
  int x;
  int y;
  std::uint8_t value;
};

struct MarkCase {
  const char* name;
  int fromWidth;
  int fromHeight;
  int width;
  int height;
  std::vector<MarkPixel> pixels;
  int redPixels;  // on the whole screen
};

const MarkCase kMarkCases[] = {
    {"width 50", 102, 78, 50, 78, {{390, 2, kRed}, {390, 3, kRed}}, 2},
    {"width 50 to 60",
     50,
     78,
     60,
     78,
     {{390, 2, kBlack}, {390, 3, kBlack}, {440, 2, kRed}, {440, 3, kRed}},
     2},
    {"width 51 over the middle", 102, 78, 51, 78, {{395, 2, kRed}, {395, 3, kRed}}, 2},
    {"width 51 to 60", 51, 78, 60, 78, {{395, 2, kBlack}, {395, 3, kGrey}, {440, 2, kRed}}, 2},
    {"height 39 over the middle", 102, 78, 102, 39, {{137, 200, kRed}, {138, 200, kRed}}, 2},
    {"height 39 to 40", 102, 39, 102, 40, {{137, 200, kBlack}, {138, 200, kGrey}, {137, 205, kRed}}, 2},
    {"width 0 on the left edge", 102, 78, 0, 78, {{140, 2, kRed}, {140, 3, kRed}}, 2},
    {"height 0 on the top edge", 102, 78, 102, 0, {{137, 5, kRed}, {138, 5, kRed}}, 2},
    {"full size draws no marks", 50, 39, 102, 78, {{137, 395, kBlack}, {645, 2, kBlack}}, 0},
    {"oversize draws no marks", 102, 78, 200, 300, {{140, 2, kBlack}}, 0},
    {"negative width is signed", 102, 78, -1, 78, {{135, 2, kRed}, {135, 3, kRed}}, 2},
    // Positions off the screen are not drawn, even where 32-bit wrapping
    // would bring them back onto it.
    {"huge sizes", 102, 78, -858993432, INT_MIN, {}, 0},
};

TEST_F(ImageAreasTest, SizeMarksShowTheSizeNowAndNothingOfTheOneBefore) {
  for (const MarkCase& c : kMarkCases) {
    SCOPED_TRACE(c.name);
    FillSurface(displayDevice.primarySurface, kBackground);
    SetSize(c.fromWidth, c.fromHeight);
    DrawImageAreas();
    SetSize(c.width, c.height);
    DrawImageAreas();
    for (const MarkPixel& p : c.pixels) {
      EXPECT_EQ(p.value, plat::headless::ScreenAt(p.x, p.y)) << "at (" << p.x << "," << p.y << ")";
    }
    int red = 0;
    for (const std::uint8_t pixel : plat::headless::Screen()) {
      red += pixel == kRed;
    }
    EXPECT_EQ(c.redPixels, red);
  }
}

TEST_F(ImageAreasTest, APaintedCellKeepsItsLines) {
  DrawImageAreas();
  editorState.cursorX = 300;  // cell (32, 38): lines at x 300 and y 195
  editorState.cursorY = 200;
  PaintPen(200);
  DrawImageAreas();
  for (int i = 0; i <= 5; ++i) {
    EXPECT_EQ(kWhite, plat::headless::ScreenAt(300, 195 + i)) << "left line, y " << 195 + i;
    EXPECT_EQ(kWhite, plat::headless::ScreenAt(300 + i, 195)) << "top line, x " << 300 + i;
  }
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {301, 196, 305, 200}, 200));
  EXPECT_EQ(200, plat::headless::ScreenAt(6 + 32, 128 + 38));
}

// An 8 x 8 image at pitch 32: cells of 31 pixels inside lines every 32, the
// outline at the image's edge, nothing of the lattice beyond it.
TEST_F(ImageAreasTest, AZoomedImageIsGridOnlyWithinItsEdge) {
  SetSize(8, 8);
  SetWorkingPixel(7, 7, 60);
  ZoomToFit();
  ASSERT_EQ(32, CurrentGridView().pitch);
  DrawImageAreas();
  const Screen screen = plat::headless::Screen();
  EXPECT_TRUE(
      pixtest::AllPixelsAre(screen, {140 + 7 * 32 + 1, 5 + 7 * 32 + 1, 140 + 8 * 32, 5 + 8 * 32}, 60));
  EXPECT_TRUE(pixtest::AllPixelsAre(screen, {140, 5 + 8 * 32, 140 + 8 * 32 + 1, 5 + 8 * 32 + 1}, kWhite));
  EXPECT_TRUE(pixtest::AllPixelsAre(screen, {140 + 8 * 32 + 1, 5, 651, 396}, kBlack));
  EXPECT_TRUE(pixtest::AllPixelsAre(screen, {137, 2, 651, 4}, kBlack)) << "no marks but at the start pitch";
}

// At pitch 1 there are no lines: the image is its pixels, framed a pixel outside.
TEST_F(ImageAreasTest, PitchOneIsThePixelsInAFrame) {
  SetSize(200, 200);
  SetWorkingPixel(0, 0, 60);
  SetWorkingPixel(199, 199, 61);
  ZoomToFit();
  ASSERT_EQ(1, CurrentGridView().pitch);
  DrawImageAreas();
  EXPECT_EQ(60, plat::headless::ScreenAt(140, 5));
  EXPECT_EQ(61, plat::headless::ScreenAt(339, 204));
  EXPECT_EQ(kWhite, plat::headless::ScreenAt(139, 4));
  EXPECT_EQ(kWhite, plat::headless::ScreenAt(340, 205));
}

// A large image is reduced in the views by the least whole factor that fits,
// and the part the grid shows is marked there in dots.
TEST_F(ImageAreasTest, ALargeImageIsReducedInTheViewsWithTheGridsPartMarked) {
  SetSize(999, 999);  // factor 13: 77 x 77 view pixels
  SetWorkingPixel(13 * 5, 13 * 70, 60);
  SetWorkingPixel(13 * 5 + 1, 13 * 71, 61);  // not sampled
  DrawImageAreas();
  EXPECT_EQ(60, plat::headless::ScreenAt(6 + 5, 128 + 70));
  EXPECT_NE(61, plat::headless::ScreenAt(6 + 5, 128 + 71));
  EXPECT_EQ(kBlack, plat::headless::ScreenAt(6 + 77, 128 + 40)) << "past the reduced picture";
  // The grid shows columns 0..101 and rows 0..77: view pixels 0..7 and 0..5.
  EXPECT_NE(plat::headless::ScreenAt(6 + 7, 128), plat::headless::ScreenAt(6 + 7, 129));
  EXPECT_EQ(kWhite, plat::headless::ScreenAt(6, 128));
  EXPECT_EQ(kBlack, plat::headless::ScreenAt(6 + 8, 128 + 2)) << "outside the mark";
}

// Whatever happens to the images and the view, the areas drawn pass by pass
// from what changed equal the areas drawn whole.
TEST_F(ImageAreasTest, DrawingWhatChangedGivesWhatDrawingEverythingGives) {
  std::mt19937 random(20261209);
  SetSize(150, 90);
  DrawImageAreas();
  for (int step = 0; step < 300; ++step) {
    const int what = static_cast<int>(random() % 12);
    const int column = static_cast<int>(random() % 160);
    const int row = static_cast<int>(random() % 100);
    const int colour = static_cast<int>(random() % 256);
    switch (what) {
      case 0:
      case 1:
      case 2:
        SetWorkingPixel(column, row, colour);
        break;
      case 3:
        ZoomStep(random() % 2 == 0 ? 1 : -1, 140 + column * 3, 5 + row * 3);
        break;
      case 4:
        PanBy(static_cast<int>(random() % 21) - 10, static_cast<int>(random() % 21) - 10);
        break;
      case 5:
        ShowShape({{column, row}, {column + 1, row}, {column, row + 2}}, colour);
        break;
      case 6:
        HideShape();
        break;
      case 7:
        SelectCells({column, row}, {column + 4, row + 3});
        break;
      case 8:
        BeginSelectionMove();
        MoveFloatingTo(column - 2, row - 2);
        break;
      case 9: {
        OnionLayer onion;
        onion.shown = random() % 2 == 0;
        onion.previous = FilledImage(150, 90, static_cast<std::uint8_t>(colour));
        SetOnion(onion);
        break;
      }
      case 10:
        random() % 2 == 0 ? ToggleMirrorLeftRight() : ToggleMirrorTopBottom();
        break;
      default: {
        CoverPicture picture{};
        picture.fill(static_cast<std::uint8_t>(colour));
        if (random() % 2 == 0) {
          LayReferenceCover(picture);
        } else {
          LiftReferenceCover();
        }
      }
    }
    DrawImageAreas();
    const Screen drawnBit = plat::headless::Screen();
    RedrawImageAreas();
    DrawImageAreas();
    ASSERT_TRUE(pixtest::SameOutside(plat::headless::Screen(), drawnBit, {0, 0, 0, 0}))
        << "after step " << step;
  }
}

}  // namespace
