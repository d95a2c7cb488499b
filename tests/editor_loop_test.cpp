// The main loop pass by pass and through WinMain: cursor, painting, button hits, Quad, colour picks, ending.
#include "app/editor_loop.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "canvas/image_store.h"
#include "platform/headless/headless.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_compare.h"
#include "support/screen_text.h"
#include "textentry/entry.h"

namespace {

using pixtest::IdlePasses;
using pixtest::Pass;
using pixtest::PassAt;
using Screen = std::vector<std::uint8_t>;

class EditorLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    ASSERT_TRUE(pixtest::StartEditor());
    ASSERT_EQ(400, editorState.cursorX);
    ASSERT_EQ(300, editorState.cursorY);
  }
  void TearDown() override { pixtest::StopEditor(); }

  pixtest::ScratchDir scratch_;
};

std::size_t Count(const std::string& call) {
  std::size_t count = 0;
  for (const std::string& entry : plat::headless::CallLog()) {
    count += entry == call;
  }
  return count;
}

std::size_t Clicks() {
  std::size_t clicks = 0;
  for (const auto& sound : plat::headless::Sounds()) {
    clicks += sound.resource == 8001;
  }
  return clicks;
}

struct ClampCase {
  int dx;
  int dy;
  int x;
  int y;
};

TEST_F(EditorLoopTest, CursorIsClampedTo795By595) {
  const ClampCase cases[] = {
      {1000, 0, 795, 300},          {395, 0, 795, 300},       {394, 0, 794, 300},
      {-1000, 0, 0, 300},           {-400, 0, 0, 300},        {-399, 0, 1, 300},
      {0, 1000, 400, 595},          {0, 295, 400, 595},       {0, 294, 400, 594},
      {0, -1000, 400, 0},           {0, -300, 400, 0},        {0, -299, 400, 1},
      {INT_MAX, INT_MAX, 795, 595}, {INT_MIN, INT_MIN, 0, 0},
  };
  for (const ClampCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "motion (" << c.dx << "," << c.dy << ")");
    PassAt(400, 300, false);
    Pass(c.dx, c.dy, false);
    EXPECT_EQ(c.x, editorState.cursorX);
    EXPECT_EQ(c.y, editorState.cursorY);
    EXPECT_EQ(c.x, plat::headless::CursorPos().x);
    EXPECT_EQ(c.y, plat::headless::CursorPos().y);
  }
}

TEST_F(EditorLoopTest, SystemCursorFollowsTheMoveAndEachClamp) {
  plat::headless::ClearLog();
  Pass(1000, -1000, false);
  const std::vector<std::string> expected = {"SetCursorPos(1400,-700)", "SetCursorPos(795,-700)",
                                             "SetCursorPos(795,0)"};
  EXPECT_EQ(expected, pixtest::CallsStartingWith("SetCursorPos")) << pixtest::CallLogText();
}

TEST_F(EditorLoopTest, StatusLineShowsTheClampedPositionAndNothingOfTheLastOne) {
  Pass(1000, 1000, false);
  EXPECT_EQ("Pointer (795,595)", pixtest::ReadScreenText(12, 572, 17));
  PassAt(5, 5, false);
  EXPECT_EQ("Pointer (5,5)    ", pixtest::ReadScreenText(12, 572, 17));
  // The settings menu leaves the position unclamped for the rest of its pass.
  plat::headless::QueueMouse(200 - 5, 550 - 5, true);  // over Settings
  plat::headless::QueueMouse(0, 0, false);             // let go in the menu
  plat::headless::QueueMouse(0, 100000, true);         // far below the save-name sub-button
  plat::headless::QueueKeys({plat::DIK_RETURN});
  RunEditorPass();
  EXPECT_EQ("Pointer (537,100450)", pixtest::ReadScreenText(12, 572, 20));
  PassAt(5, 5, false);
  EXPECT_EQ("Pointer (5,5)" + std::string(20, ' '), pixtest::ReadScreenText(12, 572, 33));
}

TEST_F(EditorLoopTest, PassesDoNotWait) {
  const std::uint64_t before = plat::headless::Now();
  plat::headless::ClearLog();
  IdlePasses(5);
  PassAt(300, 200, true);
  PassAt(730, 40, false, true);
  EXPECT_EQ(before, plat::headless::Now());
  EXPECT_TRUE(pixtest::CallsStartingWith("Sleep").empty()) << pixtest::CallLogText();
}

// The backends pace and time the loop on this call: once a pass, first, and
// never from the settings menu's turns or an entry's polls.
TEST_F(EditorLoopTest, EveryPassAndNothingElseSaysWhenItBegins) {
  PassAt(5, 5, false);
  plat::headless::ClearLog();
  plat::headless::QueueMouse(200 - 5, 550 - 5, true);  // Settings, held into the menu
  plat::headless::QueueMouse(0, 0, false);
  plat::headless::QueueMouse(0, 0, true);  // the save-name sub-button
  plat::headless::QueueKeys({plat::DIK_A});
  plat::headless::QueueKeys({plat::DIK_RETURN});
  RunEditorPass();
  IdlePasses(2);
  ASSERT_FALSE(plat::headless::CallLog().empty());
  EXPECT_EQ("BeginEditorPass", plat::headless::CallLog().front());
  EXPECT_EQ(3u, Count("BeginEditorPass")) << pixtest::CallLogText();
  EXPECT_EQ(2u, Count("Keyboard.GetDeviceState")) << "the entry polled";
}

TEST_F(EditorLoopTest, StepsRunInOrderWithinAPaintingPass) {
  // No bitmaps in the folder: the bar draws nothing and takes no device context.
  PassAt(300, 200, false);
  plat::headless::ClearLog();
  PassAt(300, 200, true);
  std::vector<std::string> calls;
  for (const std::string& call : plat::headless::CallLog()) {
    if (call.starts_with("Primary.") || call.starts_with("Mouse.GetDeviceState")) {
      calls.push_back(call);
    }
  }
  std::vector<std::string> expected;
  for (int i = 0; i < 10; ++i) {  // the ten text items
    expected.push_back("Primary.GetDC");
    expected.push_back("Primary.ReleaseDC");
  }
  for (const char* call :
       {"Primary.Lock", "Primary.Unlock", "Primary.GetDC", "Primary.ReleaseDC",  // panel
        "Mouse.GetDeviceState",                                                  // the pen paints in memory
        "Primary.Lock", "Primary.Unlock",                                        // the image areas drawn
        "Primary.GetDC", "Primary.ReleaseDC",                                    // status line
        "Primary.Lock", "Primary.Unlock", "Primary.GetDC", "Primary.ReleaseDC",  // the tool's swatch and name
        "Primary.GetDC", "Primary.ReleaseDC"}) {                                 // the unsaved mark
    expected.push_back(call);
  }
  EXPECT_EQ(expected, calls) << pixtest::CallLogText();
  // The copy for the undo is taken once a stroke, never on the passes after its first.
  plat::headless::ClearLog();
  PassAt(305, 200, true);
  EXPECT_EQ(3u, Count("Primary.Lock")) << "panel, image areas and the tool's swatch only\n"
                                       << pixtest::CallLogText();
}

TEST_F(EditorLoopTest, AFailedMouseReadNeitherMovesNorKeepsTheButtonDown) {
  Pass(-100, -100, true);
  plat::headless::FailCall("Mouse.GetDeviceState");
  for (int pass = 0; pass < 3; ++pass) {
    Pass(7, 9, true);
    EXPECT_EQ(300, editorState.cursorX) << "pass " << pass;
    EXPECT_EQ(200, editorState.cursorY) << "pass " << pass;
    EXPECT_EQ(0, editorState.mouseState.rgbButtons[0]) << "pass " << pass;
  }
}

TEST_F(EditorLoopTest, PaintsOnlyAboveY396) {
  PassAt(300, 395, true);  // row 77: block y 390..394
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {301, 391, 305, 395}, 255));
  EXPECT_EQ(255, plat::headless::ScreenAt(38, 205));
}

TEST_F(EditorLoopTest, PressBetweenY396And500NeitherPaintsNorHits) {
  for (int y : {396, 397, 450, 499, 500}) {
    for (int x : {200, 300, 450, 580, 700}) {
      SCOPED_TRACE(::testing::Message() << "press at (" << x << "," << y << ")");
      PassAt(x, y, false);
      const Screen before = plat::headless::Screen();
      const std::size_t sounds = plat::headless::Sounds().size();
      EXPECT_TRUE(PassAt(x, y, true));
      EXPECT_TRUE(pixtest::SameOutside(before, plat::headless::Screen(), {0, 0, 0, 0}));
      EXPECT_EQ(ButtonAction::None, editorState.pendingAction);
      EXPECT_EQ(0, editorState.quadMode);
      EXPECT_EQ(sounds, plat::headless::Sounds().size());
    }
  }
}

struct BarButtonCase {
  const char* name;
  int left;
  int top;
  ButtonAction action;  // None: Quad
};

const BarButtonCase kBarButtons[] = {
    {"Load", 160, 500, ButtonAction::Load},         {"Save", 285, 500, ButtonAction::Save},
    {"Clear", 410, 500, ButtonAction::Clear},       {"Quit", 535, 500, ButtonAction::Quit},
    {"Settings", 160, 540, ButtonAction::Settings}, {"Quad", 285, 540, ButtonAction::None},
    {"Offset", 410, 540, ButtonAction::Offset},
};

// The hit test alone, without carrying the action out.
TEST(ButtonBarHitTest, OpenRectanglesEightyNineByTwentyThree) {
  pixtest::ScratchDir scratch;  // no bitmaps here: Quad's blit finds no file
  pixtest::FreshMachine();
  for (const BarButtonCase& b : kBarButtons) {
    SCOPED_TRACE(b.name);
    struct Probe {
      int x;
      int y;
      bool hits;
    };
    const Probe probes[] = {
        {b.left + 1, b.top + 1, true},    {b.left + 88, b.top + 22, true},  {b.left + 44, b.top + 11, true},
        {b.left, b.top + 11, false},      {b.left + 89, b.top + 11, false}, {b.left + 44, b.top, false},
        {b.left + 44, b.top + 23, false}, {b.left, b.top, false},           {b.left + 89, b.top + 23, false},
    };
    for (const Probe& p : probes) {
      editorState = EditorState{};
      RearmButtonBar();
      HitButtonBar(p.x, p.y);
      const bool hit =
          b.action == ButtonAction::None ? editorState.quadMode == 1 : editorState.pendingAction == b.action;
      EXPECT_EQ(p.hits, hit) << "at (" << p.x << "," << p.y << ")";
      if (!p.hits) {
        EXPECT_EQ(ButtonAction::None, editorState.pendingAction) << "at (" << p.x << "," << p.y << ")";
        EXPECT_EQ(0, editorState.quadMode) << "at (" << p.x << "," << p.y << ")";
      }
    }
  }
  editorState = EditorState{};
}

TEST_F(EditorLoopTest, BorderPositionsOfClearDoNotCarryItOut) {
  plat::headless::ClearLog();
  for (const auto& [x, y] : {std::pair{410, 510}, std::pair{499, 510}, std::pair{450, 523}}) {
    PassAt(x, y, true);
  }
  EXPECT_EQ(0u, Count("Sleep(500)")) << pixtest::CallLogText();
  PassAt(411, 501, true);
  EXPECT_EQ(1u, Count("Sleep(500)")) << pixtest::CallLogText();
}

// A press held on Clear, then slid onto Save, carries out Clear once and
// nothing more until it is let go; the next press saves, once.
TEST_F(EditorLoopTest, HoldingClearOrSaveCarriesItOutOncePerPress) {
  plat::headless::ClearLog();
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(PassAt(450, 510, true));
  }
  EXPECT_EQ(1u, Count("Sleep(500)")) << pixtest::CallLogText();
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(PassAt(330, 510, true));
  }
  EXPECT_EQ(0u, Count("Sleep(200)")) << pixtest::CallLogText();
  PassAt(330, 510, false);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(PassAt(330, 510, true));
  }
  // A save ends with the saved sound and 200 ms.
  EXPECT_EQ(1u, Count("Sleep(200)")) << pixtest::CallLogText();
  EXPECT_EQ(1u, Count("PlaySoundA(8002)")) << pixtest::CallLogText();
  EXPECT_EQ(ButtonAction::None, editorState.pendingAction);
}

// A press still down when an entry ends is the entry's, as a key is: it
// carries the action out again only once it has been let go and pressed anew.
TEST_F(EditorLoopTest, HoldingLoadOrOffsetCarriesItOutOncePerPress) {
  for (const auto& [x, y] : {std::pair{200, 510}, std::pair{450, 550}}) {
    SCOPED_TRACE(::testing::Message() << "held at (" << x << "," << y << ")");
    const std::size_t before = Clicks();
    // All the states queued at once, so the entries never find the scripts
    // run out (which would press Escape).
    plat::headless::QueueMouse(x - editorState.cursorX, y - editorState.cursorY, true);
    plat::headless::QueueMouse(0, 0, true);
    plat::headless::QueueMouse(0, 0, true);
    plat::headless::QueueMouse(0, 0, false);
    plat::headless::QueueMouse(0, 0, true);
    plat::headless::QueueMouse(0, 0, false);
    for (int i = 0; i < 6; ++i) {
      EXPECT_TRUE(RunEditorPass());
    }
    EXPECT_EQ(before + 2, Clicks());
    EXPECT_EQ(ButtonAction::None, editorState.pendingAction);
  }
}

TEST_F(EditorLoopTest, QuadTogglesOncePerPress) {
  for (int i = 0; i < 4; ++i) {
    PassAt(300, 550, true);
  }
  EXPECT_EQ(1, editorState.quadMode);
  EXPECT_EQ(1u, Clicks());
  EXPECT_EQ(0, editorState.clickArmed);
  PassAt(300, 550, false);
  EXPECT_EQ(1, editorState.quadMode);
  EXPECT_EQ(1, editorState.clickArmed);
  for (int i = 0; i < 3; ++i) {
    PassAt(300, 550, true);
  }
  EXPECT_EQ(0, editorState.quadMode);
  EXPECT_EQ(2u, Clicks());
}

TEST_F(EditorLoopTest, QuadButtonImageFollowsTheMode) {
  ASSERT_GE(pixtest::CopyButtonBitmaps(), 20u);
  const pixtest::ScreenRect quad = {285, 540, 374, 563};
  IdlePasses(1);
  const Screen off = plat::headless::Screen();
  PassAt(300, 550, true);
  const Screen on = plat::headless::Screen();
  EXPECT_FALSE(pixtest::SameInside(off, on, quad)) << "the on image looks like the off image";
  PassAt(300, 550, false);
  EXPECT_TRUE(pixtest::SameInside(on, plat::headless::Screen(), quad));
  PassAt(300, 550, true);
  PassAt(300, 550, false);
  EXPECT_TRUE(pixtest::SameInside(off, plat::headless::Screen(), quad));
}

TEST_F(EditorLoopTest, PressSlidingOntoQuadTogglesOnceIfArmed) {
  PassAt(300, 200, true);  // painting
  PassAt(300, 550, true);  // slid onto Quad: armed since start
  EXPECT_EQ(1, editorState.quadMode);
  PassAt(300, 530, true);  // off and back on without a release
  PassAt(300, 550, true);
  EXPECT_EQ(1, editorState.quadMode);
  EXPECT_EQ(1u, Clicks());
  PassAt(300, 200, false);  // released elsewhere: re-armed
  PassAt(300, 200, true);
  PassAt(300, 550, true);
  EXPECT_EQ(0, editorState.quadMode);
  EXPECT_EQ(2u, Clicks());
}

TEST_F(EditorLoopTest, QuadModeSelectsThePen) {
  PassAt(300, 550, true);
  PassAt(300, 200, true);  // quad: cells (32, 38) to (33, 39)
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {301, 196, 305, 200}, 255));
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {306, 201, 310, 205}, 255));
  EXPECT_EQ(255, plat::headless::ScreenAt(39, 167));
}

struct PickCase {
  int x;
  int y;
  int colour;  // -1: the colour stays as it was
};

TEST_F(EditorLoopTest, PaletteClicksPickTheSwatchUnderTheCursor) {
  const PickCase cases[] = {
      {730, 40, 29},
      {760, 425, 80},
      {700, 10, 0},
      {745, 10, 0},
      {695, 10, 0},
      {730, 10, 27},
      {765, 426, 80},
      {700, 63, 3},
      {748, 40, 2},
      {720, 5, 27},
      {740, 15, 27},
      {741, 15, 0},
      {754, 15, 0},
      {755, 15, 54},
      {795, 431, 80},
      {685, 431, 26},
      {719, 105, 6},
      {700, 431, 26},
      // Off the rows, off the panel: nothing is picked, however long held.
      {730, 4, -1},
      {730, 16, -1},
      {730, 20, -1},
      {760, 18, -1},
      {700, 0, -1},
      {684, 10, -1},
      {700, 432, -1},
      {795, 500, -1},
  };
  for (const PickCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "right button at (" << c.x << "," << c.y << ")");
    editorState.currentColor = 12;
    for (int i = 0; i < 3; ++i) {
      PassAt(c.x, c.y, false, true);
    }
    EXPECT_EQ(c.colour < 0 ? 12 : c.colour, editorState.currentColor);
    if (c.colour >= 0) {
      const std::string shown = "color " + std::to_string(c.colour);
      EXPECT_EQ(shown, pixtest::ReadScreenText(360, 572, static_cast<int>(shown.size())));
    }
  }
}

TEST_F(EditorLoopTest, BothButtonsOverThePanelPickTheNewColourAndPaintNothing) {
  editorState.width = 999;       // an image reaching under the panel, shown in part
  PassAt(700, 85, false, true);  // row 5, left column
  ASSERT_EQ(5, editorState.currentColor);
  const std::vector<std::uint8_t> image = WorkingImage().pixels;
  PassAt(730, 40, true, true);
  EXPECT_EQ(29, editorState.currentColor);
  EXPECT_TRUE(image == WorkingImage().pixels) << "the grid does not show what lies under the panel";
  EXPECT_EQ(29, plat::headless::ScreenAt(732, 37)) << "the swatch as it is";
  EXPECT_EQ("color 29", pixtest::ReadScreenText(360, 572, 8));
  // The pick erases region 7, over the width and offset values, after they were drawn.
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {200, 460, 270, 479}, 0));
}

TEST_F(EditorLoopTest, StrokesPaintCellsAndNeverTheirLinesOrTheSwatches) {
  editorState.width = 999;
  PassAt(300, 200, true);  // cell (32, 38): its inside x 301..304, y 196..199
  PassAt(750, 10, true);   // in the gap between swatch columns
  PassAt(700, 10, true);   // over swatch 0
  EXPECT_EQ(15, plat::headless::ScreenAt(300, 195));
  EXPECT_EQ(15, plat::headless::ScreenAt(300, 199));
  EXPECT_EQ(15, plat::headless::ScreenAt(304, 195));
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {301, 196, 305, 200}, 255));
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {700, 5, 705, 10}, 0));
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), {750, 5, 755, 10}, 0));
}

TEST_F(EditorLoopTest, QuitCompletesItsPassAndEndsTheLoop) {
  plat::headless::ClearLog();
  EXPECT_FALSE(PassAt(580, 510, true));
  EXPECT_EQ(ButtonAction::Quit, editorState.pendingAction);
  EXPECT_EQ("Pointer (580,510)", pixtest::ReadScreenText(12, 572, 17));
  EXPECT_EQ(1u, Count("PostMessageA(WM_CLOSE)")) << pixtest::CallLogText();
  EXPECT_EQ(0u, Count("DispatchMessageA(WM_CLOSE)")) << pixtest::CallLogText();
}

class WholeProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    pixtest::FreshMachine();
  }
  pixtest::ScratchDir scratch_;
};

TEST_F(WholeProgramTest, QuitEndsAfterTheFirstPassWithoutDispatchingTheClose) {
  plat::headless::QueueMouse(180, 210, true);  // (400, 300) -> (580, 510), over Quit
  for (int i = 0; i < 3; ++i) {
    plat::headless::QueueMouse(0, 0, false);
  }
  EXPECT_EQ(0, pixtest::RunWinMain());
  EXPECT_EQ(1u, Count("Mouse.GetDeviceState")) << pixtest::CallLogText();
  EXPECT_EQ(1u, Count("PostMessageA(WM_CLOSE)")) << pixtest::CallLogText();
  EXPECT_EQ(0u, Count("DispatchMessageA(WM_CLOSE)")) << pixtest::CallLogText();
  EXPECT_EQ(0u, Count("PeekMessageA(WM_QUIT)")) << pixtest::CallLogText();
  EXPECT_EQ(ButtonAction::Quit, editorState.pendingAction);
}

TEST_F(WholeProgramTest, EscapeEndsThroughCloseDestroyAndQuit) {
  for (bool down : {false, false, true, false, false, false}) {
    plat::headless::QueueEscape(down);
  }
  for (int i = 0; i < 6; ++i) {
    plat::headless::QueueMouse(0, 0, false);
  }
  EXPECT_EQ(0, pixtest::RunWinMain());
  // Escape is seen in pass 3, which still reads the mouse; pass 4 takes WM_QUIT.
  EXPECT_EQ(3u, Count("Mouse.GetDeviceState")) << pixtest::CallLogText();
  const long posted = pixtest::IndexOfCall("PostMessageA(WM_CLOSE)");
  const long dispatched = pixtest::IndexOfCall("DispatchMessageA(WM_CLOSE)");
  const long quitPosted = pixtest::IndexOfCall("PostQuitMessage(0)");
  const long quitTaken = pixtest::IndexOfCall("PeekMessageA(WM_QUIT)");
  EXPECT_GE(posted, 0) << pixtest::CallLogText();
  EXPECT_LT(posted, dispatched) << pixtest::CallLogText();
  EXPECT_LT(dispatched, quitPosted) << pixtest::CallLogText();
  EXPECT_LT(quitPosted, quitTaken) << pixtest::CallLogText();
  EXPECT_EQ(1u, Count("PostMessageA(WM_CLOSE)")) << pixtest::CallLogText();
  EXPECT_FALSE(plat::headless::WindowAlive());
}

TEST_F(WholeProgramTest, NameEntryBufferIsEmptiedBeforeTheFirstPass) {
  std::memset(nameText, 'x', sizeof nameText);
  EXPECT_EQ(0, pixtest::RunWinMain());
  for (std::size_t i = 0; i < sizeof nameText; ++i) {
    EXPECT_EQ(0, nameText[i]) << "byte " << i;
  }
}

}  // namespace
