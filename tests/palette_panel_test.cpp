// The palette panel: swatch contents and places, the outline round colour 0, locking and repair.
#include "canvas/palette_panel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "canvas/pen.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "platform/headless/headless.h"
#include "support/program_run.h"
#include "support/screen_compare.h"

namespace {

constexpr std::uint8_t kWhite = 15;
constexpr std::uint8_t kBackground = 200;  // outside the panel's indices 0..80

class PalettePanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::OpenTestDisplay());
    FillSurface(displayDevice.primarySurface, kBackground);
  }
  void TearDown() override { pixtest::CloseTestDisplay(); }
};

using Screen = std::vector<std::uint8_t>;

// The panel as it must look on a background: swatch 27c + k at x 685/720/755
// (+20), y 5 + 16k (+10); the outline (684,4)-(706,16) in white.
Screen ExpectedPanel() {
  Screen screen(800 * 600, kBackground);
  const int lefts[3] = {685, 720, 755};
  for (int c = 0; c < 3; ++c) {
    for (int k = 0; k < 27; ++k) {
      for (int y = 5 + 16 * k; y <= 14 + 16 * k; ++y) {
        for (int x = lefts[c]; x <= lefts[c] + 19; ++x) {
          screen[static_cast<std::size_t>(y) * 800 + x] = static_cast<std::uint8_t>(27 * c + k);
        }
      }
    }
  }
  for (int x = 684; x <= 706; ++x) {
    screen[4 * 800 + x] = kWhite;
    screen[16 * 800 + x] = kWhite;
  }
  for (int y = 4; y <= 16; ++y) {
    screen[static_cast<std::size_t>(y) * 800 + 684] = kWhite;
    screen[static_cast<std::size_t>(y) * 800 + 706] = kWhite;
  }
  return screen;
}

TEST_F(PalettePanelTest, DrawsEverySwatchAndTheOutlineAndNothingElse) {
  DrawPalettePanel();
  EXPECT_TRUE(pixtest::SameOutside(ExpectedPanel(), plat::headless::Screen(), {0, 0, 0, 0}));
}

TEST_F(PalettePanelTest, SamplePointsReadTheirSwatchIndex) {
  DrawPalettePanel();
  for (int c = 0; c < 3; ++c) {
    for (int k = 0; k < 27; ++k) {
      EXPECT_EQ(27 * c + k, plat::headless::ScreenAt(layout::SwatchSampleX(c), layout::SwatchSampleY(k)))
          << "column " << c << " row " << k;
    }
  }
}

TEST_F(PalettePanelTest, SwatchesUnderOneLockThenOutlineUnderADeviceContext) {
  plat::headless::ClearLog();
  DrawPalettePanel();
  const std::vector<std::string> expected = {"Primary.Lock", "Primary.Unlock", "Primary.GetDC",
                                             "Primary.ReleaseDC"};
  EXPECT_EQ(expected, pixtest::CallsStartingWith("Primary.")) << pixtest::CallLogText();
}

TEST_F(PalettePanelTest, FailedLockDrawsNothing) {
  plat::headless::FailCall("Primary.Lock");
  DrawPalettePanel();
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), pixtest::kWholeScreen, kBackground));
}

TEST_F(PalettePanelTest, NoDeviceContextLeavesTheSwatchesWithoutOutline) {
  plat::headless::FailCall("Primary.GetDC");
  DrawPalettePanel();
  EXPECT_EQ(0, plat::headless::ScreenAt(695, 10));
  EXPECT_EQ(80, plat::headless::ScreenAt(774, 430));
  EXPECT_EQ(kBackground, plat::headless::ScreenAt(684, 4));
  EXPECT_EQ(kBackground, plat::headless::ScreenAt(706, 10));
}

TEST_F(PalettePanelTest, StrokesOverSwatchesAreRepairedButNotInTheGaps) {
  DrawPalettePanel();
  // The pen paints only the image: one as wide as the size entry takes
  // reaches under the panel.
  editorState.width = 999;
  const int ink = 100;
  // (cursor) -> block: (700, 10) -> x 700..704, y 5..9, over swatch 0;
  // (750, 10) -> x 750..754, in the gap between the middle and right columns;
  // (780, 30) -> x 780..784, right of the panel.
  for (const auto& [x, y] : {std::pair{700, 10}, std::pair{750, 10}, std::pair{780, 30}}) {
    editorState.cursorX = x;
    editorState.cursorY = y;
    PaintPen(ink);
  }
  EXPECT_EQ(ink, plat::headless::ScreenAt(700, 5));
  DrawPalettePanel();
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {700, 5, 705, 10}, 0));
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {750, 5, 755, 10}, ink));
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {780, 25, 785, 30}, ink));
}

TEST_F(PalettePanelTest, ClearedScreenGetsThePanelBack) {
  DrawPalettePanel();
  FillSurface(displayDevice.primarySurface, 0);
  DrawPalettePanel();
  EXPECT_EQ(kWhite, plat::headless::ScreenAt(684, 4));
  EXPECT_EQ(53, plat::headless::ScreenAt(730, 426));
  EXPECT_EQ(54, plat::headless::ScreenAt(765, 10));
}

}  // namespace
