// Ctrl+N on the headless editor: the name, the width and the height typed in
// turn; a file that exists opens at image 0, a new one starts black with no
// number; Escape in any of the three entries changes nothing, and the editor
// goes on.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "canvas/image_history.h"
#include "platform/headless/headless.h"
#include "support/editor_fixture.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/scratch_dir.h"
#include "support/screen_text.h"

namespace {

using pixtest::Bytes;
using Polls = std::vector<std::vector<std::uint8_t>>;

constexpr int kSide = 16;
constexpr std::size_t kImage = kSide * kSide;

void Chord(std::initializer_list<int> keys) {
  plat::headless::HoldKeys(keys);
  pixtest::IdlePasses(1);
  plat::headless::HoldKeys({});
  pixtest::IdlePasses(1);
}

std::string NumberShown() {
  return pixtest::ReadScreenText(672, 524, 16) + "|" + pixtest::ReadScreenText(672, 540, 16);
}

// Each poll's keys down; a poll of no key lets Enter go between two entries.
const Polls kNewName = {{plat::DIK_N}, {plat::DIK_E}, {plat::DIK_W}, {plat::DIK_RETURN}, {}};
const Polls kEightByEight = {{plat::DIK_8}, {plat::DIK_RETURN}, {}, {plat::DIK_8}, {plat::DIK_RETURN}};

Polls Joined(std::initializer_list<Polls> parts) {
  Polls all;
  for (const Polls& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

class NewFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("test1.pix")));
    ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("walk.pix")));
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{kSide, kSide}));
    ASSERT_TRUE(pixtest::WriteFileBytes("walk.pix", pixtest::Pattern(4 * kImage, 3, 1, 81)));
    ASSERT_TRUE(pixtest::StartEditor());
    pixtest::IdlePasses(1);
    pixtest::PutWorkingView({kSide, kSide, Drawn()});
    pixtest::IdlePasses(1);
  }
  void TearDown() override { pixtest::StopEditor(); }

  static const Bytes& Drawn() {
    static const Bytes drawn = pixtest::Pattern(kImage, 5, 40, 80);
    return drawn;
  }

  // Ctrl+N with the keyboard's polls queued, and Escape down at the poll
  // after them when asked for (its reads: the pass's own, then one a poll).
  static void NewFile(const Polls& polls, bool escape) {
    const int escapeAt = escape ? static_cast<int>(polls.size()) + 1 : -1;
    for (const auto& poll : polls) {
      std::array<std::uint8_t, 256> keys = {};
      for (const std::uint8_t code : poll) {
        keys[code] = 0x80;
      }
      plat::headless::QueueKeyboard(keys);
    }
    for (int read = 0; read <= escapeAt; ++read) {
      plat::headless::QueueEscape(read == escapeAt);
    }
    plat::headless::ClearLog();
    Chord({plat::VK_CONTROL, plat::VK_N});
  }

  pixtest::ScratchDir scratch_;
};

TEST_F(NewFileTest, ANewFileStartsBlackWithNoNumberAndCtrlSAppendsIt) {
  const std::size_t steps = UndoableSteps();
  NewFile(Joined({kNewName, kEightByEight}), false);
  EXPECT_STREQ("new.pix", editorState.loadFileName);
  EXPECT_STREQ("new.pix", editorState.saveFileName);
  EXPECT_EQ(8, editorState.width);
  EXPECT_EQ(8, editorState.height);
  EXPECT_EQ(Bytes(64, 0), pixtest::ReadWorkingView(8, 8).pixels);
  EXPECT_EQ(std::string(16, ' ') + "|" + std::string(16, ' '), NumberShown());
  EXPECT_EQ(steps + 1, UndoableSteps());
  EXPECT_FALSE(pixtest::FileExists("new.pix")) << "made by the first save only";

  pixtest::PutWorkingView({8, 8, pixtest::Pattern(64, 7, 2, 81)});
  Chord({plat::VK_CONTROL, plat::VK_S});
  EXPECT_EQ(pixtest::Pattern(64, 7, 2, 81), pixtest::ReadFileBytes("new.pix"));
  EXPECT_EQ("Pix number:     |0 of 1          ", NumberShown());

  Chord({plat::VK_CONTROL, plat::VK_Z});
  EXPECT_EQ(kSide, editorState.width) << "undone: the image and its size as they were";
  EXPECT_EQ(Drawn(), pixtest::ReadWorkingView(kSide, kSide).pixels);
}

TEST_F(NewFileTest, EnterAloneKeepsTheNameAndSizeAndTheFileOpensAtImageZero) {
  const std::size_t steps = UndoableSteps();
  NewFile({{plat::DIK_RETURN}, {}, {plat::DIK_RETURN}, {}, {plat::DIK_RETURN}}, false);
  EXPECT_STREQ("walk.pix", editorState.loadFileName);
  EXPECT_STREQ("walk.pix", editorState.saveFileName);
  EXPECT_EQ(kSide, editorState.width);
  EXPECT_EQ(pixtest::Pattern(kImage, 3, 1, 81), pixtest::ReadWorkingView(kSide, kSide).pixels);
  EXPECT_EQ("Pix number:     |0 of 4          ", NumberShown());
  EXPECT_EQ(steps + 1, UndoableSteps());
}

TEST_F(NewFileTest, EscapeInAnyOfTheEntriesChangesNothingAndTheEditorGoesOn) {
  const struct {
    const char* where;
    Polls polls;  // typed before Escape
  } cases[] = {
      {"the name", {{plat::DIK_N}, {plat::DIK_E}}},
      {"the width", Joined({kNewName, {{plat::DIK_8}}})},
      {"the height", Joined({kNewName, {{plat::DIK_8}, {plat::DIK_RETURN}, {}, {plat::DIK_8}}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    const std::size_t steps = UndoableSteps();
    NewFile(c.polls, true);
    EXPECT_EQ(0u, plat::headless::KeyboardReadsLeft()) << "Escape came at the last poll";
    EXPECT_STREQ("walk.pix", editorState.loadFileName);
    EXPECT_STREQ("test1.pix", editorState.saveFileName);
    EXPECT_EQ(kSide, editorState.width);
    EXPECT_EQ(kSide, editorState.height);
    EXPECT_EQ(steps, UndoableSteps());
    EXPECT_EQ(Drawn(), pixtest::ReadWorkingView(kSide, kSide).pixels);
    EXPECT_EQ(0u, pixtest::CountCalls("PostMessageA(WM_CLOSE)"));
    EXPECT_TRUE(pixtest::PassAt(300, 300, false)) << "the editor goes on";
  }
}

}  // namespace
