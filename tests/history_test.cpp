// Undo, redo and the colour picked from the image: scenarios of the whole editor on the headless backend.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "canvas/image_history.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "support/editor_fixture.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/scratch_dir.h"
#include "support/screen_text.h"

namespace {

using pixtest::Bytes;
using pixtest::IdlePasses;
using pixtest::PassAt;
using Screen = std::vector<std::uint8_t>;

constexpr int kImageBytes = 102 * 78;

// Two images of panel colours but 15 (whose white saves as 80); pixel (5, 5)
// of image 1 has a colour that no swatch shows.
Bytes LoadFile() {
  Bytes file = pixtest::Pattern(2 * kImageBytes, 7, 1, 81);
  for (std::uint8_t& byte : file) {
    byte = byte == 15 ? 16 : byte;
  }
  return file;
}

// The first palette entry above the panel whose colour no swatch shows.
std::uint8_t UnmatchedIndex() {
  const auto palette = plat::headless::Palette();
  for (int index = 81; index < 255; ++index) {
    bool matched = false;
    for (int swatch = 0; swatch <= 80; ++swatch) {
      matched = matched || (palette[index].peRed == palette[swatch].peRed &&
                            palette[index].peGreen == palette[swatch].peGreen &&
                            palette[index].peBlue == palette[swatch].peBlue);
    }
    if (!matched) {
      return static_cast<std::uint8_t>(index);
    }
  }
  return 0;
}

// The painting area (screen rows 0 to 395) as the last pass left it: the three
// image areas and the fixed parts around them.
Screen PaintingArea() {
  Screen screen = plat::headless::Screen();
  screen.resize(800 * 396);
  return screen;
}

::testing::AssertionResult Shows(const Screen& expected) {
  const Screen actual = PaintingArea();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] != actual[i]) {
      return ::testing::AssertionFailure()
             << "first difference at (" << i % 800 << "," << i / 800 << "): expected " << int{expected[i]}
             << ", got " << int{actual[i]};
    }
  }
  return ::testing::AssertionSuccess();
}

// Left button down over two cells, then up.
void Stroke(int x, int y) {
  PassAt(x, y, true);
  PassAt(x + 10, y, true);
  PassAt(x + 10, y, false);
}

// The keys down for one pass, then up for one.
void Chord(std::initializer_list<int> keys) {
  plat::headless::HoldKeys(keys);
  IdlePasses(1);
  plat::headless::HoldKeys({});
  IdlePasses(1);
}
void Undo() {
  Chord({plat::VK_CONTROL, plat::VK_Z});
}
void Redo() {
  Chord({plat::VK_CONTROL, plat::VK_Y});
}

void Press(int x, int y) {
  PassAt(x, y, true);
  PassAt(x, y, false);
}
// Load with the image number typed (0 or 1) and Enter.
void Load(int image) {
  if (image == 1) {
    plat::headless::QueueKeys({plat::DIK_1});
  }
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Press(200, 510);
}
void Clear() {
  Press(450, 510);
}
void Save() {
  Press(330, 510);
}
void RightClick(int x, int y) {
  PassAt(x, y, false, true);
  PassAt(x, y, false);
}

struct Scenario {
  const char* name;
  void (*run)();
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

const Scenario kScenarios[] = {
    {"StrokeUndoneAndRedone",
     [] {
       const Screen before = PaintingArea();
       Stroke(300, 200);
       const Screen after = PaintingArea();
       ASSERT_FALSE(Shows(before));
       Chord({plat::VK_Z});
       Chord({plat::VK_CONTROL});
       EXPECT_TRUE(Shows(after)) << "Z or Ctrl alone";
       Undo();
       EXPECT_TRUE(Shows(before)) << "Ctrl+Z";
       Redo();
       EXPECT_TRUE(Shows(after)) << "Ctrl+Y";
       Undo();
       Chord({plat::VK_CONTROL, plat::VK_SHIFT, plat::VK_Z});
       EXPECT_TRUE(Shows(after)) << "Ctrl+Shift+Z";
     }},
    {"TwoStrokesUndoneOneAtATime",
     [] {
       const Screen before = PaintingArea();
       Stroke(300, 200);
       const Screen first = PaintingArea();
       Stroke(300, 203);  // over the same cells and new ones
       Undo();
       EXPECT_TRUE(Shows(first));
       Undo();
       EXPECT_TRUE(Shows(before));
       Undo();
       EXPECT_TRUE(Shows(before)) << "nothing more to undo";
     }},
    {"LoadUndoneWithTheReferenceView",
     [] {
       Load(0);
       Stroke(300, 200);
       const Screen painted = PaintingArea();
       Load(1);
       ASSERT_NE(plat::headless::ScreenAt(6, 6), painted[6 * 800 + 6]);
       Undo();
       EXPECT_TRUE(Shows(painted));
       Redo();
       const Bytes file = LoadFile();
       EXPECT_EQ(pixtest::ReadReferenceView(102, 78).pixels, Bytes(file.begin() + kImageBytes, file.end()));
     }},
    {"ClearUndone",
     [] {
       Load(1);
       const Screen loaded = PaintingArea();
       Clear();
       ASSERT_EQ(0, plat::headless::ScreenAt(6, 128));
       Undo();
       EXPECT_TRUE(Shows(loaded));
     }},
    {"NewStrokeAfterAnUndoDropsTheRedo",
     [] {
       Stroke(300, 200);
       Undo();
       Stroke(400, 300);
       const Screen second = PaintingArea();
       EXPECT_EQ(0u, RedoableSteps());
       Redo();
       EXPECT_TRUE(Shows(second));
     }},
    {"SaveAfterAnUndoWritesWhatTheScreenShows",
     [] {
       Load(1);
       Stroke(300, 200);
       Undo();
       Save();
       const Bytes file = pixtest::ReadFileBytes("test1.pix");
       ASSERT_EQ(3u * kImageBytes, file.size());
       const Bytes saved(file.begin() + 2 * kImageBytes, file.end());
       EXPECT_EQ(Bytes(file.begin() + kImageBytes, file.begin() + 2 * kImageBytes), saved)
           << "image 1 as loaded";
       EXPECT_EQ(pixtest::ReadWorkingView(102, 78).pixels, saved);
     }},
    {"CapReachedDropsTheOldestSteps",
     [] {
       // 1 MB holds four steps of 450 x 450: the oldest holds the reference
       // image too (405,000 bytes), the others their working image alone.
       ASSERT_EQ(0, setenv("PIXED_HISTORY_MB", "1", 1));
       pixtest::StopEditor();
       ASSERT_TRUE(pixtest::StartEditor());
       editorState.width = 450;
       editorState.height = 450;
       IdlePasses(1);
       std::vector<Screen> screens = {PaintingArea()};
       for (int stroke = 0; stroke < 6; ++stroke) {
         Stroke(150 + 60 * stroke, 100);
         screens.push_back(PaintingArea());
       }
       EXPECT_EQ(4u, UndoableSteps());
       EXPECT_LE(HistoryBytes(), 1024u * 1024u);
       for (int undo = 0; undo < 6; ++undo) {
         Undo();
       }
       EXPECT_TRUE(Shows(screens[2])) << "the first two strokes stay";
     }},
    {"ZeroTurnsTheHistoryOff",
     [] {
       ASSERT_EQ(0, setenv("PIXED_HISTORY_MB", "0", 1));
       pixtest::StopEditor();
       ASSERT_TRUE(pixtest::StartEditor());
       Stroke(300, 200);
       const Screen painted = PaintingArea();
       Undo();
       EXPECT_TRUE(Shows(painted));
       EXPECT_EQ(0u, HistoryBytes());
     }},
    {"ColourPickedFromTheGridTheWorkingViewAndTheReferenceView",
     [] {
       Bytes file = LoadFile();
       file[kImageBytes + 5 * 102 + 5] = UnmatchedIndex();
       ASSERT_TRUE(pixtest::WriteFileBytes("test1.pix", file));
       Load(1);
       const auto colourAt = [&file](int column, int row) { return file[kImageBytes + row * 102 + column]; };
       PassAt(730, 40, false, true);      // swatch 29
       Stroke(142 + 5 * 10, 7 + 5 * 20);  // cells (10, 20) and (12, 20) in colour 29
       RightClick(142 + 5 * 40, 7 + 5 * 30);
       EXPECT_EQ(colourAt(40, 30), editorState.currentColor) << "grid cell (40, 30)";
       RightClick(6 + 10, 6 + 20);
       EXPECT_EQ(colourAt(10, 20), editorState.currentColor) << "reference view, as loaded";
       RightClick(6 + 10, 128 + 20);
       EXPECT_EQ(29, editorState.currentColor) << "working view, as painted";
       ASSERT_EQ(1, colourAt(63, 0));
       RightClick(6 + 63, 6);  // a one-digit colour after a two-digit one
       EXPECT_EQ("color 1 ", pixtest::ReadScreenText(360, 572, 8));
       RightClick(120, 100);
       EXPECT_EQ(1, editorState.currentColor) << "no image between the views and the grid";
       RightClick(142 + 5 * 5, 7 + 5 * 5);
       EXPECT_EQ(UnmatchedIndex(), editorState.currentColor) << "an index no swatch shows is picked as it is";
       editorState.currentColor = 15;
       Stroke(300, 300);
       RightClick(300, 300);
       EXPECT_EQ(15, editorState.currentColor) << "white 15 stays 15, as saved";
     }},
    {"CtrlZTypedInAnEntryDoesNothing",
     [] {
       Stroke(300, 200);
       const Screen painted = PaintingArea();
       plat::headless::QueueKeys({plat::DIK_LCONTROL, plat::DIK_Z});
       plat::headless::QueueKeys({plat::DIK_RETURN});
       // The Load entry runs in the pass of the press: the screen then, before any pass after the
       // entry could take its Ctrl+Z for an undo.
       PassAt(200, 510, true);
       const Screen loaded = PaintingArea();
       ASSERT_FALSE(Shows(painted)) << "image 0 loaded";
       PassAt(200, 510, false);
       IdlePasses(3);
       EXPECT_TRUE(Shows(loaded));
       EXPECT_EQ(2u, UndoableSteps());
     }},
    {"HeldCtrlZRepeatsAfterHalfASecondTenASecond",
     [] {
       for (int stroke = 0; stroke < 4; ++stroke) {
         Stroke(150 + 60 * stroke, 100);
       }
       plat::headless::HoldKeys({plat::VK_CONTROL, plat::VK_Z});
       IdlePasses(3);
       EXPECT_EQ(3u, UndoableSteps());
       for (const auto& [ms, left] : {std::pair{499u, 3u}, {1u, 2u}, {99u, 2u}, {1u, 1u}}) {
         plat::Sleep(ms);
         IdlePasses(1);
         EXPECT_EQ(left, UndoableSteps()) << "after " << ms << " ms more";
       }
       plat::headless::HoldKeys({});
     }},
    {"AStepLargerThanTheCapIsDoneWithoutAnUndo",
     [] {
       // 1 MB holds no step of 999 x 999; the steps before it stay.
       ASSERT_EQ(0, setenv("PIXED_HISTORY_MB", "1", 1));
       pixtest::StopEditor();
       ASSERT_TRUE(pixtest::StartEditor());
       Load(1);
       const Screen loaded = PaintingArea();
       Stroke(300, 200);
       ASSERT_EQ(2u, UndoableSteps());
       editorState.width = 999;
       editorState.height = 999;
       Clear();
       IdlePasses(1);
       EXPECT_EQ(2u, UndoableSteps());
       Undo();
       EXPECT_EQ(102, editorState.width) << "the size as it was before the stroke";
       EXPECT_TRUE(Shows(loaded)) << "the stroke before it is undone";
     }},
    {"LargestSizeUndonePixelForPixel",
     [] {
       // 999 x 999, as the size entry takes it, its top-left part in the grid.
       ASSERT_TRUE(pixtest::WriteFileBytes("test1.pix", pixtest::Pattern(999 * 999, 7, 1, 81)));
       editorState.width = 999;
       editorState.height = 999;
       IdlePasses(1);
       const Screen before = PaintingArea();
       Load(0);
       const Screen loaded = PaintingArea();
       Stroke(600, 6);  // top row, as far right as the grid shows
       const Screen painted = PaintingArea();
       Undo();
       EXPECT_TRUE(Shows(loaded));
       Undo();
       EXPECT_TRUE(Shows(before));
       Redo();
       EXPECT_TRUE(Shows(loaded));
       Redo();
       EXPECT_TRUE(Shows(painted));
     }},
};

TEST(HistoryCap, OddSettingsAreTakenSensibly) {
  constexpr std::uint64_t kMB = 1024 * 1024;
  const struct {
    const char* text;
    std::uint64_t bytes;
    CapSetting how;
  } cases[] = {
      {nullptr, 64 * kMB, CapSetting::Taken},
      {"", 64 * kMB, CapSetting::Taken},
      {"0", 0, CapSetting::Taken},
      {" 8\t", 8 * kMB, CapSetting::Taken},
      {"1024", 1024 * kMB, CapSetting::Taken},
      {"1025", 1024 * kMB, CapSetting::TooLarge},
      {"99999999999999999999999999", 1024 * kMB, CapSetting::TooLarge},
      {"-1", 64 * kMB, CapSetting::Invalid},
      {"+5", 64 * kMB, CapSetting::Invalid},
      {"1.5", 64 * kMB, CapSetting::Invalid},
      {"12MB", 64 * kMB, CapSetting::Invalid},
      {"lots", 64 * kMB, CapSetting::Invalid},
      {" ", 64 * kMB, CapSetting::Taken},
  };
  for (const auto& c : cases) {
    CapSetting how = CapSetting::Taken;
    EXPECT_EQ(c.bytes, HistoryCapFromSetting(c.text, &how)) << (c.text ? c.text : "unset");
    EXPECT_EQ(c.how, how) << (c.text ? c.text : "unset");
  }
}

class HistoryTest : public ::testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    ASSERT_TRUE(pixtest::WriteFileBytes("test1.pix", LoadFile()));
    ASSERT_TRUE(pixtest::StartEditor());
    IdlePasses(1);
  }
  void TearDown() override {
    pixtest::StopEditor();
    unsetenv("PIXED_HISTORY_MB");
  }

  pixtest::ScratchDir scratch_;
};

TEST_P(HistoryTest, Scenario) {
  GetParam().run();
}

INSTANTIATE_TEST_SUITE_P(Scenarios, HistoryTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& scenario) {
                           return std::string(scenario.param.name);
                         });

}  // namespace
