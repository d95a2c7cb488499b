// Tests of the six button actions and the settings menu, run one at a time on the headless editor.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "app/button_actions.h"
#include "app/editor_state.h"
#include "draw/primitives.h"
#include "platform/gdi.h"
#include "platform/headless/headless.h"
#include "platform/window.h"
#include "support/editor_fixture.h"
#include "support/file_bytes.h"
#include "support/panel_bmp.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_compare.h"
#include "support/screen_text.h"
#include "textentry/entry.h"

namespace {

using pixtest::Bytes;
using pixtest::CountCalls;
using pixtest::IndexOfCall;
using pixtest::ScreenPixels;
using pixtest::TextShownAt;

constexpr plat::COLORREF kWhite = plat::RGB(255, 255, 255);
constexpr pixtest::ScreenRect kPromptArea = {390, 405, 665, 495};  // region 5

std::vector<int> SoundIds() {
  std::vector<int> ids;
  for (const auto& sound : plat::headless::Sounds()) {
    ids.push_back(sound.resource);
  }
  return ids;
}

// One poll for each key, with a poll of no key between two presses of the
// same key, which an entry would otherwise take for one held key.
void QueueTyped(const std::string& text, const std::uint8_t* (*codeOf)(char)) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0 && text[i] == text[i - 1]) {
      plat::headless::QueueKeys({});
    }
    plat::headless::QueueKeys({*codeOf(text[i])});
  }
}

// Name keys for a lower-case word of letters.
void QueueWord(const std::string& word) {
  static const std::uint8_t codes[26] = {
      plat::DIK_A, plat::DIK_B, plat::DIK_C, plat::DIK_D, plat::DIK_E, plat::DIK_F, plat::DIK_G,
      plat::DIK_H, plat::DIK_I, plat::DIK_J, plat::DIK_K, plat::DIK_L, plat::DIK_M, plat::DIK_N,
      plat::DIK_O, plat::DIK_P, plat::DIK_Q, plat::DIK_R, plat::DIK_S, plat::DIK_T, plat::DIK_U,
      plat::DIK_V, plat::DIK_W, plat::DIK_X, plat::DIK_Y, plat::DIK_Z};
  QueueTyped(word, [](char c) { return &codes[c - 'a']; });
}

// A click in the settings menu at dx, dy from where the cursor is: the left
// button up first, since the menu takes only a press made in it.
void QueueMenuClick(int dx, int dy = 0) {
  plat::headless::QueueMouse(0, 0, false);
  plat::headless::QueueMouse(dx, dy, true);
}

// Digit keys, then Enter.
void QueueNumber(const std::string& digits) {
  static const std::uint8_t codes[10] = {plat::DIK_0, plat::DIK_1, plat::DIK_2, plat::DIK_3, plat::DIK_4,
                                         plat::DIK_5, plat::DIK_6, plat::DIK_7, plat::DIK_8, plat::DIK_9};
  QueueTyped(digits, [](char c) { return &codes[c - '0']; });
  plat::headless::QueueKeys({plat::DIK_RETURN});
}

class ActionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::OpenTestEditor());
    ASSERT_GT(pixtest::CopyButtonBitmaps(), 0u) << "the button bitmaps were not built";
  }
  void TearDown() override { pixtest::CloseTestEditor(); }

  void Fresh() {
    pixtest::CloseTestEditor();
    ASSERT_TRUE(pixtest::OpenTestEditor());
  }

  static void Carry(ButtonAction action) {
    editorState.pendingAction = action;
    CarryOutAction();
  }

  pixtest::ScratchDir scratch_;
};

TEST_F(ActionsTest, EveryActionStartsWithTheClickAndItsPressedImage) {
  const struct {
    ButtonAction action;
    const char* pressed;
    int x;
    int y;
  } cases[] = {
      {ButtonAction::Load, "load_down_button.bmp", 160, 500},
      {ButtonAction::Save, "save_down_button.bmp", 285, 500},
      {ButtonAction::Quit, "quit_down_button.bmp", 535, 500},
      {ButtonAction::Settings, "settings_down_button.bmp", 160, 540},
      {ButtonAction::Offset, "offset_down.bmp", 410, 540},
      {ButtonAction::Clear, "clear_down_button.bmp", 410, 500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pressed);
    Fresh();
    plat::headless::QueueKeys({plat::DIK_RETURN});
    plat::headless::QueueKeys({plat::DIK_RETURN});
    QueueMenuClick(0);  // the settings menu's save name
    Carry(c.action);
    ASSERT_FALSE(plat::headless::Sounds().empty());
    EXPECT_EQ(plat::headless::Sounds()[0].resource, 8001);
    EXPECT_EQ(plat::headless::CallLog().front(), "PlaySoundA(8001)") << pixtest::CallLogText();
    if (c.action == ButtonAction::Clear) {
      // The pressed image is drawn before the pause; the fill then covers it.
      EXPECT_LT(IndexOfCall("Primary.GetDC"), IndexOfCall("Sleep(500)")) << pixtest::CallLogText();
      EXPECT_LT(IndexOfCall("Sleep(500)"), IndexOfCall("Primary.Blt")) << pixtest::CallLogText();
    } else {
      EXPECT_TRUE(pixtest::BitmapShownAt(plat::headless::Screen(), c.pressed, c.x, c.y));
    }
    EXPECT_EQ(editorState.pendingAction,
              c.action == ButtonAction::Quit ? ButtonAction::Quit : ButtonAction::None);
  }
}

TEST_F(ActionsTest, LoadShowsTheNumberAndLoadsThatImage) {
  editorState.width = 4;
  editorState.height = 2;
  std::memcpy(editorState.loadFileName, "in.pix", 7);
  ASSERT_TRUE(
      pixtest::WriteFileBytes("in.pix", Bytes{1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18}));
  DrawTextAt("Old Prompt Text", 400, 420, kWhite, displayDevice.primarySurface);
  QueueNumber("1");
  Carry(ButtonAction::Load);
  const ScreenPixels screen = plat::headless::Screen();
  EXPECT_EQ(editorState.pixNumber, 1);
  EXPECT_EQ(pixtest::ReadWorkingView(4, 2).pixels, (Bytes{11, 12, 13, 14, 15, 16, 17, 18}));
  EXPECT_EQ(pixtest::ReadReferenceView(4, 2).pixels, (Bytes{11, 12, 13, 14, 15, 16, 17, 18}));
  EXPECT_TRUE(pixtest::AllPixelsAre(screen, kPromptArea, 0)) << "the prompt area is erased at the end";
  EXPECT_EQ(editorState.pendingAction, ButtonAction::None);
  EXPECT_EQ(SoundIds(), std::vector<int>{8001});
  EXPECT_TRUE(TextShownAt(screen, "Pix number:", 672, 524));
  EXPECT_TRUE(TextShownAt(screen, "1 of 2", 672, 540));
}

TEST_F(ActionsTest, LoadAndOffsetConvertTheTypedNumber) {
  const struct {
    const char* typed;
    std::int32_t value;
    const char* shown;
  } cases[] = {
      {"", 0, "0"},
      {"7", 7, "7"},
      {"0012", 12, "12"},
      {"2147483648", INT_MIN, nullptr},
      {"4294967295", -1, "-1"},
      {"99999999999", -1, "-1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
    Fresh();
    QueueNumber(c.typed);
    Carry(ButtonAction::Offset);
    const ScreenPixels afterOffset = plat::headless::Screen();
    EXPECT_EQ(editorState.offsetNumber, c.value);
    EXPECT_EQ(editorState.pendingAction, ButtonAction::None);
    EXPECT_TRUE(pixtest::AllPixelsAre(afterOffset, kPromptArea, 0));
    if (c.shown != nullptr) {
      EXPECT_TRUE(TextShownAt(afterOffset, c.shown, 220, 470));
    }
    QueueNumber(c.typed);
    Carry(ButtonAction::Load);
    EXPECT_EQ(editorState.pixNumber, c.value);
    if (c.shown != nullptr) {
      EXPECT_TRUE(TextShownAt(plat::headless::Screen(), std::string(c.shown) + " of 0", 672, 540));
    }
  }
}

TEST_F(ActionsTest, SavePlaysTheSavedSoundOnlyWhenTheImageWasWritten) {
  std::memcpy(editorState.saveFileName, "out.pix", 8);
  editorState.mouseState.rgbButtons[0] = 0x80;
  const std::uint64_t start = plat::headless::Now();
  Carry(ButtonAction::Save);
  EXPECT_EQ(SoundIds(), (std::vector<int>{8001, 8002}));
  EXPECT_EQ(plat::headless::Sounds()[1].at, start) << "the saved sound comes before the pause";
  EXPECT_EQ(plat::headless::Now() - start, 200u);
  EXPECT_EQ(editorState.mouseState.rgbButtons[0], 0) << "the left button is marked up";
  EXPECT_EQ(editorState.pendingAction, ButtonAction::None);
  EXPECT_EQ(pixtest::ReadFileBytes("out.pix").size(), 7956u);

  const struct {
    const char* what;
    int offset;
  } failures[] = {{"full disk", 0}, {"full disk at an offset", 2}, {"negative offset", -1}};
  for (const auto& f : failures) {
    SCOPED_TRACE(f.what);
    Fresh();
    std::memcpy(editorState.saveFileName, "full.pix", 9);
    unlink("full.pix");
    ASSERT_EQ(symlink("/dev/full", "full.pix"), 0);
    editorState.offsetNumber = f.offset;
    editorState.mouseState.rgbButtons[0] = 0x80;
    const std::uint64_t before = plat::headless::Now();
    Carry(ButtonAction::Save);
    EXPECT_EQ(SoundIds(), std::vector<int>{8001}) << "no saved sound for a failed save";
    EXPECT_EQ(plat::headless::Now() - before, 200u);
    EXPECT_EQ(editorState.offsetNumber, f.offset);
    EXPECT_EQ(editorState.mouseState.rgbButtons[0], 0);
    EXPECT_EQ(editorState.pendingAction, ButtonAction::None);
  }
}

TEST_F(ActionsTest, ClearBlackensTheScreenAfterHalfASecond) {
  DrawTextAt("something on the screen", 100, 100, kWhite, displayDevice.primarySurface);
  editorState.pixNumber = 5;
  const std::uint64_t start = plat::headless::Now();
  Carry(ButtonAction::Clear);
  EXPECT_EQ(plat::headless::Now() - start, 500u);
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), pixtest::kWholeScreen, 0));
  EXPECT_EQ(editorState.pixNumber, 0);
  EXPECT_EQ(editorState.pendingAction, ButtonAction::None);
}

TEST_F(ActionsTest, QuitPostsCloseAndStaysPending) {
  Carry(ButtonAction::Quit);
  EXPECT_EQ(CountCalls("PostMessageA(WM_CLOSE)"), 1u);
  EXPECT_EQ(editorState.pendingAction, ButtonAction::Quit);
  EXPECT_TRUE(plat::headless::WindowAlive()) << "the close request is left for the main loop";
  plat::MSG message = {};
  ASSERT_TRUE(plat::PeekMessageA(&message, nullptr, 0, 0, plat::PM_REMOVE));
  EXPECT_EQ(message.message, plat::WM_CLOSE);
  EXPECT_EQ(message.wParam, 0u);
  EXPECT_EQ(message.lParam, 0);
}

TEST_F(ActionsTest, NoneDoesNothing) {
  Carry(ButtonAction::None);
  EXPECT_TRUE(plat::headless::CallLog().empty()) << pixtest::CallLogText();
}

// The settings menu.

TEST_F(ActionsTest, MenuConfinesTheCursorUntilAChoice) {
  QueueMenuClick(0);
  QueueWord("m");
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Carry(ButtonAction::Settings);
  const long moved = IndexOfCall("SetCursorPos(537,450)");
  const long clipped = IndexOfCall("ClipCursor(420,440,654,460)");
  const long firstRead = IndexOfCall("Mouse.GetDeviceState");
  const long released = IndexOfCall("ClipCursor(null)");
  const long entry = IndexOfCall("Keyboard.GetDeviceState");
  EXPECT_TRUE(IndexOfCall("Sleep(100)") >= 0 && IndexOfCall("Sleep(100)") < moved) << pixtest::CallLogText();
  EXPECT_TRUE(0 <= moved && moved < clipped && clipped < firstRead && firstRead < released &&
              released < entry)
      << pixtest::CallLogText();
  EXPECT_EQ(CountCalls("Mouse.GetDeviceState"), 2u);
  EXPECT_EQ(CountCalls("Sleep(50)"), 2u) << "one pause per menu turn";
  EXPECT_FALSE(plat::headless::CursorClipped());
  EXPECT_EQ(SoundIds(), (std::vector<int>{8001, 8001})) << "the menu's choice clicks too";
  // The middle sub-button was under the cursor.
  EXPECT_STREQ(editorState.saveFileName, "m.pix");
  EXPECT_STREQ(editorState.loadFileName, "test1.pix");
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), kPromptArea, 0));
  EXPECT_EQ(editorState.pendingAction, ButtonAction::None);
}

TEST_F(ActionsTest, MenuHitsOnTheCursorsXAlone) {
  enum Choice { None, LoadName, SaveName, Size };
  const struct {
    int x;
    int dy;
    Choice expected;
  } cases[] = {
      {420, 0, None}, {421, 0, LoadName}, {450, -300, LoadName}, {483, 900, LoadName}, {484, 0, None},
      {505, 0, None}, {506, 0, SaveName}, {568, 40, SaveName},   {569, 0, None},       {590, 0, None},
      {591, 0, Size}, {653, -8, Size},    {654, 0, None},        {700, 0, None},       {0, 0, None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("click at x = " + std::to_string(c.x) + ", y moved by " + std::to_string(c.dy));
    Fresh();
    QueueMenuClick(c.x - 537, c.dy);
    // When the click chose nothing the menu stays open: this one picks the load name.
    plat::headless::QueueMouse(450 - c.x, 0, true);
    plat::headless::QueueKeys({plat::DIK_Z});
    plat::headless::QueueKeys({plat::DIK_0});
    plat::headless::QueueKeys({plat::DIK_RETURN});
    plat::headless::QueueKeys({plat::DIK_RETURN});
    plat::headless::QueueKeys({plat::DIK_RETURN});
    Carry(ButtonAction::Settings);
    const Choice chosen = std::strcmp(editorState.loadFileName, "z0.pix") == 0   ? LoadName
                          : std::strcmp(editorState.saveFileName, "z0.pix") == 0 ? SaveName
                          : editorState.width == 0                               ? Size
                                                                                 : None;
    EXPECT_EQ(plat::headless::MouseReadsLeft(), c.expected == None ? 0u : 1u);
    EXPECT_EQ(chosen, c.expected == None ? LoadName : c.expected);
  }
}

TEST_F(ActionsTest, MenuDoesNotClampTheCursor) {
  plat::headless::QueueMouse(300, 0, false);  // x 837, beyond the menu
  plat::headless::QueueMouse(-100, 0, true);  // x 737: still beyond the last sub-button
  plat::headless::QueueMouse(-200, 0, true);  // x 537: the middle one
  QueueWord("c");
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Carry(ButtonAction::Settings);
  EXPECT_EQ(plat::headless::MouseReadsLeft(), 0u);
  EXPECT_STREQ(editorState.saveFileName, "c.pix");
  EXPECT_TRUE(IndexOfCall("SetCursorPos(837,450)") >= 0) << pixtest::CallLogText();
}

TEST_F(ActionsTest, EscapeInTheMenuClosesItWithNothingChosen) {
  plat::headless::QueueEscape(false);
  plat::headless::QueueEscape(true);
  plat::headless::QueueMouse(0, 0, false);
  plat::headless::QueueMouse(-80, 0, true);  // a click on the load name that comes too late
  QueueWord("ab");
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Carry(ButtonAction::Settings);
  EXPECT_EQ(CountCalls("PostMessageA(WM_CLOSE)"), 0u) << "the editor goes on\n" << pixtest::CallLogText();
  EXPECT_EQ(plat::headless::MouseReadsLeft(), 1u) << "the menu closed at the turn that saw Escape";
  EXPECT_EQ(plat::headless::KeyboardReadsLeft(), 3u) << "no entry ran";
  EXPECT_STREQ(editorState.loadFileName, "test1.pix");
  EXPECT_FALSE(plat::headless::CursorClipped());
  EXPECT_EQ(editorState.pendingAction, ButtonAction::None);
}

TEST_F(ActionsTest, NameChoicesCopyAll25BytesAndShowTheName) {
  EraseRegion(3);
  DrawTextAt("averyverylongoldname.pix", 270, 410, kWhite, displayDevice.primarySurface);
  QueueMenuClick(450 - 537);
  QueueWord("sprites");
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Carry(ButtonAction::Settings);
  EXPECT_EQ(std::memcmp(editorState.loadFileName, nameText, 25), 0);
  const char expected[25] = "sprites.pix";
  EXPECT_EQ(std::memcmp(editorState.loadFileName, expected, 25), 0) << editorState.loadFileName;
  const ScreenPixels screen = plat::headless::Screen();
  EXPECT_TRUE(pixtest::AllPixelsAre(screen, {270 + 8 * 11, 406, 412, 427}, 0)) << "the old name is erased";
  EXPECT_TRUE(TextShownAt(screen, "sprites.pix", 270, 410));

  Fresh();
  std::memcpy(nameText, "leftover_bytes_after_nul", 25);
  QueueMenuClick(540 - 537);
  QueueWord("out");
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Carry(ButtonAction::Settings);
  const char expectedSave[25] = "out.pix";
  EXPECT_EQ(std::memcmp(editorState.saveFileName, expectedSave, 25), 0) << editorState.saveFileName;
  EXPECT_STREQ(editorState.loadFileName, "test1.pix");
  EXPECT_TRUE(TextShownAt(plat::headless::Screen(), "out.pix", 270, 430));
}

TEST_F(ActionsTest, SizeChoiceTakesWidthThenHeight) {
  const struct {
    const char* what;
    std::vector<std::vector<std::uint8_t>> polls;
    int width;
    int height;
  } cases[] = {
      {"16 x 20",
       {{plat::DIK_1}, {plat::DIK_6}, {plat::DIK_RETURN}, {plat::DIK_2}, {plat::DIK_0}, {plat::DIK_RETURN}},
       16,
       20},
      {"a fourth digit dropped, then Enter",
       {{plat::DIK_1},
        {plat::DIK_2},
        {plat::DIK_0},
        {plat::DIK_7},
        {plat::DIK_RETURN},
        {plat::DIK_6},
        {plat::DIK_4},
        {plat::DIK_RETURN}},
       120,
       64},
      {"Enter still down ends the height, which stays as it was",
       {{plat::DIK_5}, {plat::DIK_RETURN}, {plat::DIK_RETURN}},
       5,
       30},
      {"a digit typed and deleted keeps the width; a typed 0 is taken",
       {{plat::DIK_7}, {plat::DIK_BACK}, {plat::DIK_RETURN}, {plat::DIK_0}, {plat::DIK_RETURN}},
       40,
       0},
      {"zero and above the layout",
       {{plat::DIK_0},
        {plat::DIK_RETURN},
        {plat::DIK_9},
        {},
        {plat::DIK_9},
        {},
        {plat::DIK_9},
        {plat::DIK_RETURN}},
       0,
       999},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Fresh();
    editorState.width = 40;
    editorState.height = 30;
    QueueMenuClick(600 - 537);
    for (const auto& poll : c.polls) {
      std::array<std::uint8_t, 256> keys = {};
      for (std::uint8_t key : poll) {
        keys[key] = 0x80;
      }
      plat::headless::QueueKeyboard(keys);
    }
    plat::headless::QueueKeys({plat::DIK_Z});  // must stay unread
    Carry(ButtonAction::Settings);
    EXPECT_EQ(plat::headless::KeyboardReadsLeft(), 1u);
    EXPECT_EQ(editorState.width, c.width);
    EXPECT_EQ(editorState.height, c.height);
    EXPECT_EQ(editorState.previousWidth, 40);
    EXPECT_EQ(editorState.previousHeight, 30);
    const ScreenPixels screen = plat::headless::Screen();
    EXPECT_TRUE(TextShownAt(screen, std::to_string(c.width), 205, 450));
    EXPECT_TRUE(TextShownAt(screen, std::to_string(c.height), 311, 450));
  }
}

TEST_F(ActionsTest, MenuTakesOnlyAPressMadeInIt) {
  // The press on Settings still down at three reads, over the save name.
  for (int read = 0; read < 3; ++read) {
    plat::headless::QueueMouse(0, 0, true);
  }
  QueueMenuClick(450 - 537);
  QueueWord("q");
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Carry(ButtonAction::Settings);
  EXPECT_EQ(plat::headless::MouseReadsLeft(), 0u);
  EXPECT_STREQ(editorState.loadFileName, "q.pix");
  EXPECT_STREQ(editorState.saveFileName, "test1.pix") << "the held press chose the save name";
}

TEST_F(ActionsTest, NameEntryWithNothingTypedKeepsTheName) {
  const std::vector<std::vector<std::uint8_t>> typings[] = {
      {{plat::DIK_RETURN}},
      {{plat::DIK_A}, {plat::DIK_B}, {plat::DIK_BACK}, {}, {plat::DIK_BACK}, {plat::DIK_RETURN}},
  };
  for (const auto& polls : typings) {
    SCOPED_TRACE(std::to_string(polls.size()) + " polls");
    Fresh();
    QueueMenuClick(540 - 537);
    for (const auto& poll : polls) {
      std::array<std::uint8_t, 256> keys = {};
      for (std::uint8_t key : poll) {
        keys[key] = 0x80;
      }
      plat::headless::QueueKeyboard(keys);
    }
    Carry(ButtonAction::Settings);
    EXPECT_EQ(plat::headless::KeyboardReadsLeft(), 0u);
    EXPECT_STREQ(editorState.saveFileName, "test1.pix");
    EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), kPromptArea, 0));
    EXPECT_EQ(editorState.pendingAction, ButtonAction::None);
  }
}

TEST_F(ActionsTest, EachMenuStartsClosed) {
  QueueMenuClick(450 - 537);
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Carry(ButtonAction::Settings);
  // A menu left open or chosen would skip the mouse here, and one that
  // remembered the button seen up would take the held press on the save name.
  plat::headless::QueueMouse(0, 0, true);
  QueueMenuClick(600 - 537);
  plat::headless::QueueKeys({plat::DIK_1});
  plat::headless::QueueKeys({plat::DIK_RETURN});
  plat::headless::QueueKeys({plat::DIK_2});
  plat::headless::QueueKeys({plat::DIK_RETURN});
  plat::headless::QueueKeys({plat::DIK_Z});
  Carry(ButtonAction::Settings);
  EXPECT_EQ(plat::headless::MouseReadsLeft(), 0u);
  EXPECT_EQ(editorState.width, 1);
  EXPECT_EQ(editorState.height, 2);
}

}  // namespace
