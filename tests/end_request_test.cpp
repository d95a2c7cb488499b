// Tests of the system's request that the program end (a termination signal,
// the session ending): the run ends as on a close request, even in the middle
// of an entry or the settings menu, and the settings are written.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "app/editor_state.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "support/editor_fixture.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"

namespace {

using pixtest::Bytes;
using pixtest::ReadFileBytes;

constexpr int kIdle = 20;

// Clicks a button of the bar from the start position (400, 300).
void PressButtonAt(int x, int y) {
  plat::headless::QueueMouse(x - 400, y - 300, true);
}

// Settings, then (unless x is 0) a click at x in the menu, which starts at (537, 450).
// Without an end request the menu turns kIdle times before the click comes.
void OpenMenuAndChoose(int x) {
  PressButtonAt(200, 550);
  for (int i = 0; i < kIdle; ++i) {
    plat::headless::QueueMouse(0, 0, false);
  }
  plat::headless::QueueMouse(x - 537, 0, true);
}

void QueueKeyPollsOf(std::uint8_t key) {
  for (int i = 0; i < kIdle; ++i) {
    plat::headless::QueueKeys({key});
  }
}

class EndRequestTest : public ::testing::Test {
 protected:
  // Each settings file one byte longer than the program writes it, read as
  // the same settings: a file rewritten at the end is told by its length.
  void SeedSettingsFiles() {
    Bytes saveName = pixtest::NameFileBytes("out.pix");
    Bytes loadName = pixtest::NameFileBytes("sprites.pix");
    saveName.push_back('x');
    loadName.push_back('x');
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", saveName));
    ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", loadName));
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{16, 44, 99}));
  }
  void SetUp() override { ASSERT_TRUE(pixtest::WriteFileBytes("sprites.pix", Bytes(16 * 44 * 2, 7))); }
  pixtest::ScratchDir scratch_;
};

// Without the request every script here runs to its end and changes a setting
// or loads an image; with it nothing of the half-done work is kept.
TEST_F(EndRequestTest, TheRunEndsPromptlyWithItsSettingsWhereverItIs) {
  const struct {
    const char* where;
    std::function<void()> queue;
    std::size_t endAtRead;  // the mouse read of each pass and turn, the keyboard read of each poll
  } cases[] = {
      {"the main loop", [] {}, 3},
      {"the Load entry",
       [] {
         PressButtonAt(200, 510);
         QueueKeyPollsOf(plat::DIK_1);
       },
       3},
      {"the Offset entry",
       [] {
         PressButtonAt(450, 550);
         QueueKeyPollsOf(plat::DIK_1);
       },
       3},
      {"the settings menu", [] { OpenMenuAndChoose(450); }, 4},
      {"the load-name entry",
       [] {
         OpenMenuAndChoose(450);
         QueueKeyPollsOf(plat::DIK_A);
       },
       kIdle + 4},
      {"the width entry",
       [] {
         OpenMenuAndChoose(620);
         QueueKeyPollsOf(0);
       },
       kIdle + 4},
  };
  for (const auto& c : cases) {
    pixtest::FreshMachine();
    SeedSettingsFiles();
    c.queue();
    for (int i = 0; i < kIdle; ++i) {
      plat::headless::QueueMouse(0, 0, false);
    }
    plat::headless::RequestEndAtRead(c.endAtRead);
    EXPECT_EQ(pixtest::RunWinMain(), 0) << c.where;
    EXPECT_EQ(pixtest::CountCalls("RequestEnd"), 1u) << c.where;
    EXPECT_EQ(pixtest::CountCalls("PostMessageA(WM_CLOSE)"), 1u) << c.where;
    EXPECT_GE(plat::headless::MouseReadsLeft(), kIdle - 5u) << c.where << ": the run ended at once";
    EXPECT_EQ(pixtest::CountCalls("OpenFile(sprites.pix,a+b)"), 0u) << c.where << ": nothing was loaded";
    EXPECT_EQ(editorState.offsetNumber, 0) << c.where;
    EXPECT_EQ(ReadFileBytes("SaveName.dat"), pixtest::NameFileBytes("out.pix")) << c.where;
    EXPECT_EQ(ReadFileBytes("LoadName.dat"), pixtest::NameFileBytes("sprites.pix")) << c.where;
    EXPECT_EQ(ReadFileBytes("SaveSize.dat"), (Bytes{16, 44})) << c.where;
  }
}

}  // namespace
