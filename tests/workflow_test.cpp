// Whole-editor scenarios: settings, painting, saving, offset, loading, clearing and quitting in one run.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/devices.h"
#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "app/winmain.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "platform/window.h"
#include "support/editor_fixture.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_compare.h"
#include "support/screen_text.h"

namespace {

using pixtest::Bytes;
using pixtest::FirstDifference;
using pixtest::ReadFileBytes;

constexpr plat::COLORREF kWhite = plat::RGB(255, 255, 255);

// Queues mouse states that take the editor's cursor to given points, one pass each.
class MouseScript {
 public:
  void MoveTo(int x, int y, bool left = false, bool right = false) {
    plat::headless::QueueMouse(x - x_, y - y_, left, right);
    x_ = x;
    y_ = y;
  }
  // Down in one pass, up in the next.
  void Click(int x, int y) {
    MoveTo(x, y, true);
    MoveTo(x, y);
  }
  void RightClick(int x, int y) {
    MoveTo(x, y, false, true);
    MoveTo(x, y);
  }
  // Settings: the menu moves the cursor to (537, 450) and reads on until a
  // click made in it, after the button was let go.
  void Settings(int subButtonX) {
    MoveTo(200, 550, true);
    x_ = 537;
    y_ = 450;
    MoveTo(537, 450);
    MoveTo(subButtonX, 450, true);
    MoveTo(subButtonX, 450);
  }
  // The cursor position over grid cell (column, row).
  void PaintCell(int column, int row) { Click(142 + 5 * column, 7 + 5 * row); }

 private:
  int x_ = 400;
  int y_ = 300;
};

// One poll a key, a poll of no key between two presses of the same key.
void QueueText(const std::string& text) {
  char previous = '\0';
  for (char c : text) {
    if (c == previous) {
      plat::headless::QueueKeys({});
    }
    previous = c;
    std::uint8_t code = 0;
    if (c >= '1' && c <= '9') {
      code = static_cast<std::uint8_t>(plat::DIK_1 + (c - '1'));
    } else if (c == '0') {
      code = plat::DIK_0;
    } else {
      static const std::string letters = "qwertyuiop";
      static const std::string middle = "asdfghjkl";
      static const std::string bottom = "zxcvbnm";
      if (letters.find(c) != std::string::npos) {
        code = static_cast<std::uint8_t>(plat::DIK_Q + letters.find(c));
      } else if (middle.find(c) != std::string::npos) {
        code = static_cast<std::uint8_t>(plat::DIK_A + middle.find(c));
      } else {
        code = static_cast<std::uint8_t>(plat::DIK_Z + bottom.find(c));
      }
    }
    plat::headless::QueueKeys({code});
  }
  plat::headless::QueueKeys({plat::DIK_RETURN});
}

constexpr int kSide = 16;
constexpr int kImage = kSide * kSide;

Bytes SpritesFile() {
  Bytes file = pixtest::Pattern(2 * kImage, 7, 1, 81);
  for (std::uint8_t& byte : file) {
    byte = byte == 15 ? 16 : byte;
  }
  return file;
}

// What is on the working view when each save happens.
Bytes PaintedImage(bool withSecondColour) {
  Bytes image(kImage, 0);
  image[0 * kSide + 0] = 4;
  image[1 * kSide + 3] = 4;
  image[15 * kSide + 15] = 4;
  if (withSecondColour) {
    image[3 * kSide + 5] = 29;
  }
  return image;
}

class WorkflowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pixtest::FreshMachine();
    ASSERT_GT(pixtest::CopyButtonBitmaps(), 0u);
    // Settings present, so start-up shows no messages.
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("test1.pix")));
    ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("test1.pix")));
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{102, 78}));
    ASSERT_TRUE(pixtest::WriteFileBytes("sprites.pix", SpritesFile()));
  }

  // WinMain's start-up and loop without its shutdown, so the screen can still be read.
  static bool RunEditorKeepingTheScreen() {
    if (!pixtest::OpenTestWindow() || InitDevices() == 0) {
      return false;
    }
    RunEditorLoop();
    return true;
  }

  pixtest::ScratchDir scratch_;
};

// Size 16 x 16, names "sprites" and "out", paint, save twice, offset 1, paint, save, load 1.
void QueueWorkUpToTheLoad(MouseScript& mouse) {
  mouse.Settings(600);
  QueueText("16");
  QueueText("16");
  mouse.Settings(450);
  QueueText("sprites");
  mouse.Settings(540);
  QueueText("out");

  mouse.RightClick(695, 74);  // colour 4
  mouse.PaintCell(0, 0);
  mouse.PaintCell(3, 1);
  mouse.PaintCell(15, 15);
  mouse.Click(300, 510);  // Save
  mouse.Click(300, 510);  // Save

  mouse.Click(450, 550);  // Offset
  QueueText("1");
  mouse.RightClick(730, 40);  // colour 29
  mouse.PaintCell(5, 3);
  mouse.Click(300, 510);  // Save over image 1

  mouse.Click(200, 510);  // Load
  QueueText("1");
}

void QueueClearAndQuit(MouseScript& mouse) {
  mouse.Click(450, 510);         // Clear
  mouse.MoveTo(580, 510, true);  // Quit
}

TEST_F(WorkflowTest, AWholeSessionThroughWinMain) {
  MouseScript mouse;
  QueueWorkUpToTheLoad(mouse);
  QueueClearAndQuit(mouse);
  EXPECT_EQ(pixtest::RunWinMain(), 0);
  EXPECT_EQ(plat::headless::MouseReadsLeft(), 0u);
  EXPECT_EQ(plat::headless::KeyboardReadsLeft(), 0u);

  const Bytes expectedOut = [] {
    Bytes out = PaintedImage(false);
    const Bytes second = PaintedImage(true);
    out.insert(out.end(), second.begin(), second.end());
    return out;
  }();
  const Bytes out = ReadFileBytes("out.pix");
  EXPECT_EQ(out, expectedOut) << FirstDifference(expectedOut, out);
  EXPECT_EQ(ReadFileBytes("sprites.pix"), SpritesFile()) << "loading leaves its file alone";
  EXPECT_FALSE(pixtest::FileExists("test1.pix")) << "nothing was saved or loaded under the old names";

  std::vector<int> sounds;
  for (const auto& sound : plat::headless::Sounds()) {
    sounds.push_back(sound.resource);
  }
  const std::vector<int> expectedSounds = {8001, 8001, 8001, 8001, 8001, 8001,  // three settings menus
                                           8001, 8002, 8001, 8002,              // two saves
                                           8001,                                // offset
                                           8001, 8002,                          // save over image 1
                                           8001, 8001, 8001};                   // load, clear, quit
  EXPECT_EQ(sounds, expectedSounds);

  EXPECT_EQ(ReadFileBytes("SaveName.dat"), pixtest::NameFileBytes("out.pix"));
  EXPECT_EQ(ReadFileBytes("LoadName.dat"), pixtest::NameFileBytes("sprites.pix"));
  EXPECT_EQ(ReadFileBytes("SaveSize.dat"), (Bytes{16, 16}));
}

TEST_F(WorkflowTest, TheScreenAfterTheLoadAndAfterClear) {
  MouseScript mouse;
  QueueWorkUpToTheLoad(mouse);
  mouse.MoveTo(580, 510, true);  // Quit
  ASSERT_TRUE(RunEditorKeepingTheScreen());
  const pixtest::ScreenPixels loaded = plat::headless::Screen();
  const Bytes sprites = SpritesFile();
  const Bytes image1(sprites.begin() + kImage, sprites.end());
  EXPECT_EQ(pixtest::ReadReferenceView(kSide, kSide).pixels, image1);
  EXPECT_EQ(pixtest::ReadGridCells(kSide, kSide).pixels, image1);
  EXPECT_TRUE(pixtest::GridCellsUniform(kSide, kSide));
  EXPECT_EQ(pixtest::ReadWorkingView(kSide, kSide).pixels, image1);
  EXPECT_TRUE(pixtest::TextShownAt(loaded, "sprites.pix", 270, 410));
  EXPECT_TRUE(pixtest::TextShownAt(loaded, "out.pix", 270, 430));
  EXPECT_TRUE(pixtest::TextShownAt(loaded, "16", 205, 450));
  EXPECT_TRUE(pixtest::TextShownAt(loaded, "16", 311, 450));
  EXPECT_TRUE(pixtest::TextShownAt(loaded, "0", 220, 470)) << "the offset went back to 0";
  EXPECT_TRUE(pixtest::TextShownAt(loaded, "Pix number:", 672, 524));
  EXPECT_TRUE(pixtest::TextShownAt(loaded, "1 of 2", 672, 540));
  EXPECT_TRUE(pixtest::AllPixelsAre(loaded, {390, 405, 665, 495}, 0)) << "no prompt is left behind";
  ShutdownApp();

  pixtest::FreshMachine();
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("test1.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("test1.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{102, 78}));
  MouseScript again;
  QueueWorkUpToTheLoad(again);
  QueueClearAndQuit(again);
  ASSERT_TRUE(RunEditorKeepingTheScreen());
  const pixtest::ScreenPixels cleared = plat::headless::Screen();
  EXPECT_TRUE(pixtest::AllPixelsAre(cleared, {6, 6, 6 + kSide, 6 + kSide}, 0)) << "reference view";
  EXPECT_TRUE(pixtest::AllPixelsAre(cleared, {6, 128, 6 + kSide, 128 + kSide}, 0)) << "working view";
  EXPECT_EQ(pixtest::ReadGridCells(kSide, kSide).pixels, Bytes(kImage, 0));
  EXPECT_TRUE(pixtest::AllPixelsAre(cleared, {685, 550, 795, 566}, 0)) << "the image number is gone";
  // The next passes drew the fixed parts again.
  EXPECT_EQ(cleared[5 * 800 + 140], pixtest::IndexOfColour(kWhite)) << "grid corner";
  EXPECT_TRUE(pixtest::TextShownAt(cleared, "sprites.pix", 270, 410));
  EXPECT_EQ(cleared[10 * 800 + 730], 27) << "palette swatch 27";
  ShutdownApp();
}

// Without sound (no audio device, or one that fails) the editor does the same
// work: the same file, the same screen, the same pauses.
TEST_F(WorkflowTest, SoundsThatFailChangeNothingElse) {
  struct Outcome {
    Bytes out;
    pixtest::ScreenPixels screen;
    std::uint64_t clock;
    std::size_t sounds;
  };
  const auto session = [](bool soundFails) {
    pixtest::FreshMachine();
    std::filesystem::remove("out.pix");
    EXPECT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("test1.pix")));
    EXPECT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("test1.pix")));
    EXPECT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{102, 78}));
    if (soundFails) {
      plat::headless::FailCall("PlaySoundA(8001)");
      plat::headless::FailCall("PlaySoundA(8002)");
    }
    MouseScript mouse;
    QueueWorkUpToTheLoad(mouse);
    mouse.MoveTo(580, 510, true);  // Quit
    EXPECT_TRUE(RunEditorKeepingTheScreen());
    Outcome outcome{ReadFileBytes("out.pix"), plat::headless::Screen(), plat::headless::Now(),
                    plat::headless::Sounds().size()};
    ShutdownApp();
    return outcome;
  };
  const Outcome withSound = session(false);
  const Outcome silent = session(true);
  EXPECT_GT(withSound.sounds, 0u);
  EXPECT_EQ(silent.sounds, 0u);
  EXPECT_EQ(silent.out, withSound.out) << FirstDifference(withSound.out, silent.out);
  EXPECT_EQ(silent.out.size(), 2u * kImage);
  EXPECT_TRUE(silent.screen == withSound.screen);
  EXPECT_EQ(silent.clock, withSound.clock);
}

// Each field shows a long value and then a short one: nothing of the long one may stay.
void QueueColour(MouseScript& mouse, const char* number) {
  const int colour = std::stoi(number);
  mouse.RightClick(700 + 30 * (colour / 27), 10 + 16 * (colour % 27));
}
// Between two rows of the panel: the colour stays, at first the start colour 255.
void QueueBetweenRows(MouseScript& mouse, const char* /*unused*/) {
  mouse.RightClick(700, 18);
}
void QueueLoad(MouseScript& mouse, const char* number) {
  mouse.Click(200, 510);
  QueueText(number);
}
void QueueOffset(MouseScript& mouse, const char* number) {
  mouse.Click(450, 550);
  QueueText(number);
}
// A save over an existing file sets the offset back to 0.
void QueueSave(MouseScript& mouse, const char* /*unused*/) {
  mouse.Click(300, 510);
}
// Width and height both.
void QueueSize(MouseScript& mouse, const char* digits) {
  mouse.Settings(600);
  QueueText(digits);
  QueueText(digits);
}
void QueueLoadName(MouseScript& mouse, const char* name) {
  mouse.Settings(450);
  QueueText(name);
}
void QueueSaveName(MouseScript& mouse, const char* name) {
  mouse.Settings(540);
  QueueText(name);
}

TEST_F(WorkflowTest, AShortValueLeavesNothingOfTheLongOneBeforeIt) {
  const struct {
    const char* field;
    void (*queueLong)(MouseScript&, const char*);
    const char* longValue;
    void (*queueShort)(MouseScript&, const char*);
    const char* shortValue;
    int x;
    int y;
    const char* shown;  // every cell the widest value can take
  } cases[] = {
      {"colour", QueueColour, "26", QueueColour, "5", 360, 572, "color 5  "},
      {"colour after the start colour", QueueBetweenRows, "", QueueColour, "5", 360, 572, "color 5  "},
      {"image number", QueueLoad, "2147483648", QueueLoad, "5", 672, 540, "5 of 0          "},
      {"offset", QueueOffset, "2147483648", QueueOffset, "5", 220, 470, "5          "},
      {"offset after a save", QueueOffset, "12", QueueSave, "", 220, 470, "0          "},
      {"width", QueueSize, "999", QueueSize, "5", 205, 450, "5  "},
      {"height", QueueSize, "999", QueueSize, "5", 311, 450, "5  "},
      {"load name", QueueLoadName, "abcdefghijklmnopqrs", QueueLoadName, "a", 270, 410,
       "a.pix                  "},
      {"save name", QueueSaveName, "abcdefghijklmnopqrs", QueueSaveName, "a", 270, 430,
       "a.pix                  "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    pixtest::FreshMachine();
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("test1.pix")));
    ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("test1.pix")));
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{102, 78}));
    ASSERT_TRUE(pixtest::WriteFileBytes("test1.pix", Bytes{}));
    MouseScript mouse;
    c.queueLong(mouse, c.longValue);
    c.queueShort(mouse, c.shortValue);
    mouse.MoveTo(580, 510, true);  // Quit
    ASSERT_TRUE(RunEditorKeepingTheScreen());
    EXPECT_EQ(plat::headless::KeyboardReadsLeft(), 0u);
    const int cells = static_cast<int>(std::string(c.shown).size());
    EXPECT_EQ(c.shown, pixtest::ReadScreenText(c.x, c.y, cells));
    ShutdownApp();
  }
}

// Escape pressed in the settings menu or in an entry cancels it and nothing
// else: nothing typed is taken, and the editor goes on, also while that
// Escape is held; Escape pressed again in the main loop ends it.
TEST_F(WorkflowTest, EscapeInTheMenuOrAnEntryCancelsItAndTheEditorGoesOn) {
  struct Case {
    const char* where;
    int button;      // the x of the button clicked after the stroke (y 510 or 550)
    int subButton;   // the menu's choice, 0 for Escape in the menu itself
    int quietReads;  // Escape tests that find it up after the click's pass
    int heldPasses;  // passes after the cancel that still find Escape down
  };
  const Case kCases[] = {
      {"the settings menu", 200, 0, 0, 0},
      {"Load's number", 200, -1, 0, 2},
      {"the load name", 200, 450, 2, 0},
      {"the width", 200, 620, 2, 1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.where);
    pixtest::FreshMachine();
    const std::string state = scratch_.File("state-" + std::to_string(c.subButton));
    std::filesystem::create_directory(state);
    plat::headless::SetStateFolder(state);
    MouseScript mouse;
    mouse.MoveTo(300, 200, true);  // a stroke of two cells
    mouse.MoveTo(310, 200, true);
    mouse.MoveTo(310, 200);
    const bool load = c.subButton < 0;
    mouse.MoveTo(c.button, load ? 510 : 550, true);
    if (c.subButton > 0) {
      plat::headless::QueueMouse(0, 0, false);
      plat::headless::QueueMouse(c.subButton - 537, 0, true);
    }
    for (int read = 0; read < 4 + c.quietReads; ++read) {
      plat::headless::QueueEscape(false);
    }
    plat::headless::QueueEscape(true);
    // Held on, let go for three passes, then pressed again.
    for (int pass = 0; pass < c.heldPasses; ++pass) {
      plat::headless::QueueEscape(true);
    }
    for (int pass = 0; pass < 3; ++pass) {
      plat::headless::QueueEscape(false);
    }
    plat::headless::QueueEscape(true);
    QueueText("12");
    const int passesAfter = c.heldPasses + 4;
    for (int i = 0; i < passesAfter + 2; ++i) {
      plat::headless::QueueMouse(0, 0, false);
    }
    EXPECT_EQ(pixtest::RunWinMain(), 0);
    EXPECT_EQ(plat::headless::KeyboardReadsLeft(), 3u) << "nothing was typed after Escape";
    EXPECT_EQ(plat::headless::MouseReadsLeft(), 2u) << "the editor ended at the second Escape\n"
                                                    << pixtest::CallLogText();
    EXPECT_EQ(pixtest::CountCalls("PostMessageA(WM_CLOSE)"), 1u);
    EXPECT_EQ(ReadFileBytes("LoadName.dat"), pixtest::NameFileBytes("test1.pix"));
    EXPECT_EQ(ReadFileBytes("SaveSize.dat"), (Bytes{102, 78}));
    std::size_t copies = 0;
    for (const auto& entry : std::filesystem::directory_iterator(state)) {
      copies += entry.path().extension() == ".recovery" && entry.file_size() == 2 * 102 * 78 + 96 ? 1 : 0;
    }
    EXPECT_EQ(copies, 1u) << "the strokes' recovery copy is kept";
  }
}

}  // namespace
