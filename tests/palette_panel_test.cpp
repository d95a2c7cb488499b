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

// The current colour's swatch is framed two pixels wide in the black gap
// round it, a pixel away: white on black, whatever the swatch's colour.
TEST_F(PalettePanelTest, TheCurrentColoursFrameFollowsIt) {
  const struct {
    int colour;
    int left;  // the frame's outer corners, from the swatch's place by hand
    int top;
  } frames[] = {{29, 717, 34}, {0, 682, 2}, {80, 752, 418}};
  int shownLeft = -1;
  int shownTop = -1;
  for (const auto& frame : frames) {
    SCOPED_TRACE(::testing::Message() << "colour " << frame.colour);
    editorState.currentColor = frame.colour;
    DrawPalettePanel();
    const pixtest::ScreenPixels screen = plat::headless::Screen();
    EXPECT_TRUE(pixtest::AllPixelsAre(screen, {frame.left, frame.top, frame.left + 26, frame.top + 2}, 15));
    EXPECT_TRUE(
        pixtest::AllPixelsAre(screen, {frame.left, frame.top + 14, frame.left + 26, frame.top + 16}, 15));
    EXPECT_TRUE(
        pixtest::AllPixelsAre(screen, {frame.left + 24, frame.top, frame.left + 26, frame.top + 16}, 15));
    if (shownLeft >= 0) {
      EXPECT_EQ(0, plat::headless::ScreenAt(shownLeft + 10, shownTop)) << "the last frame is gone";
    }
    shownLeft = frame.left;
    shownTop = frame.top;
  }
  editorState.currentColor = 255;  // on no swatch: no frame
  DrawPalettePanel();
  EXPECT_EQ(0, plat::headless::ScreenAt(752 + 10, 418));
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
