// Tests of the end of a run: the window procedure, Escape, and shutdown's
// settings writes and releases.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/editor_state.h"
#include "app/winmain.h"
#include "platform/headless/headless.h"
#include "platform/window.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"

namespace {

using pixtest::CallsStartingWith;
using pixtest::IndexOfCall;

const std::vector<std::string> kReleaseOrder = {
    "Keyboard.Unacquire", "Keyboard.Release",    "Mouse.Unacquire",
    "Mouse.Release",      "DirectInput.Release", "Palette.Release",
    "BackBuffer.Release", "Primary.Release",     "DirectDraw.RestoreDisplayMode",
    "DirectDraw.Release",
};

const std::vector<std::string> kWrites = {
    "OpenFile(SaveName.dat,w+t)",
    "OpenFile(LoadName.dat,w+t)",
    "OpenFile(SaveSize.dat,w+b)",
};

// The release calls of the log, in order.
std::vector<std::string> ReleaseCalls() {
  std::vector<std::string> calls;
  for (const std::string& call : plat::headless::CallLog()) {
    if (call.ends_with(".Release") || call.ends_with(".Unacquire") ||
        call == "DirectDraw.RestoreDisplayMode") {
      calls.push_back(call);
    }
  }
  return calls;
}

std::vector<std::string> Writes() {
  std::vector<std::string> writes;
  for (const std::string& call : CallsStartingWith("OpenFile(")) {
    if (call.find(",w") != std::string::npos) {
      writes.push_back(call);
    }
  }
  return writes;
}

class ShutdownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("out.pix")));
    ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("sprites.pix")));
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", pixtest::Bytes{16, 300 & 0xFF}));
  }
  pixtest::ScratchDir scratch_;
};

TEST_F(ShutdownTest, EscapeEndsTheRunWithOneShutdown) {
  ASSERT_EQ(pixtest::RunProgram(), 0);
  EXPECT_EQ(Writes(), kWrites) << pixtest::CallLogText();
  EXPECT_EQ(ReleaseCalls(), kReleaseOrder) << pixtest::CallLogText();
  EXPECT_EQ(CallsStartingWith("PostQuitMessage(").size(), 1u);
  EXPECT_EQ(CallsStartingWith("PostQuitMessage(0)").size(), 1u) << "the quit message carries 0";
  EXPECT_GE(IndexOfCall("PeekMessageA(WM_QUIT)"), 0) << "the loop ended on WM_QUIT";
  // Written after the window was gone, released after the writes.
  const long destroyed = IndexOfCall("DestroyWindow");
  ASSERT_GE(destroyed, 0);
  EXPECT_LT(destroyed, IndexOfCall(kWrites[0]));
  EXPECT_LT(IndexOfCall(kWrites[2]), IndexOfCall(kReleaseOrder[0]));
  // Every slot emptied, display given back.
  EXPECT_EQ(displayDevice.directDraw, nullptr);
  EXPECT_EQ(displayDevice.primarySurface, nullptr);
  EXPECT_EQ(displayDevice.backBuffer, nullptr);
  EXPECT_EQ(displayDevice.palette, nullptr);
  EXPECT_EQ(inputDevices.directInput, nullptr);
  EXPECT_EQ(inputDevices.mouse, nullptr);
  EXPECT_EQ(inputDevices.keyboard, nullptr);
  EXPECT_FALSE(plat::headless::DisplayExclusive());
  EXPECT_FALSE(plat::headless::WindowAlive());
  EXPECT_TRUE(plat::headless::Screen().empty());
}

TEST_F(ShutdownTest, UnchangedSettingsAreWrittenBackAsTheyWere) {
  ASSERT_EQ(pixtest::RunProgram(), 0);
  EXPECT_EQ(pixtest::ReadFileBytes("SaveName.dat"), pixtest::NameFileBytes("out.pix"));
  EXPECT_EQ(pixtest::ReadFileBytes("LoadName.dat"), pixtest::NameFileBytes("sprites.pix"));
  EXPECT_EQ(pixtest::ReadFileBytes("SaveSize.dat"), (pixtest::Bytes{16, 44}));
  EXPECT_TRUE(CallsStartingWith("Sleep(2000)").empty()) << "no settings message";
}

TEST_F(ShutdownTest, FirstRunCreatesTheSettingsFilesWithTheDefaults) {
  for (const char* file : {"SaveName.dat", "LoadName.dat", "SaveSize.dat"}) {
    std::filesystem::remove(file);
  }
  ASSERT_EQ(pixtest::RunProgram(), 0);
  EXPECT_EQ(CallsStartingWith("Sleep(2000)").size(), 3u);
  EXPECT_GE(plat::headless::Now(), 6000u);
  EXPECT_EQ(pixtest::ReadFileBytes("SaveName.dat"), pixtest::NameFileBytes("test1.pix"));
  EXPECT_EQ(pixtest::ReadFileBytes("LoadName.dat"), pixtest::NameFileBytes("test1.pix"));
  EXPECT_EQ(pixtest::ReadFileBytes("SaveSize.dat"), (pixtest::Bytes{0x66, 0x4E}));
}

TEST_F(ShutdownTest, EscapeHeldForManyPassesStillShutsDownOnce) {
  pixtest::FreshMachine();
  for (int pass = 0; pass < 200; ++pass) {
    plat::headless::QueueEscape(true);
    plat::headless::QueueMouse(0, 0, false);
  }
  ASSERT_EQ(pixtest::RunWinMain(), 0);
  EXPECT_EQ(Writes(), kWrites);
  EXPECT_EQ(ReleaseCalls(), kReleaseOrder);
  EXPECT_EQ(CallsStartingWith("PostQuitMessage(").size(), 1u);
  EXPECT_GT(plat::headless::MouseReadsLeft(), 190u) << "the loop ended promptly";
}

// Writes that fail still show their messages while the display exists,
// shutdown goes on to release everything, and the exit status tells.
TEST_F(ShutdownTest, FailedWritesShowTheirMessagesBeforeTheDisplayIsReleased) {
  pixtest::FreshMachine();
  for (const std::string& write : kWrites) {
    plat::headless::FailCall(write);
  }
  ASSERT_EQ(pixtest::RunWinMain(), kExitSettingsNotWritten);
  const std::vector<std::string> pauses = CallsStartingWith("Sleep(2000)");
  EXPECT_EQ(pauses.size(), 3u);
  const auto& log = plat::headless::CallLog();
  long lastPause = -1;
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i] == "Sleep(2000)") {
      lastPause = static_cast<long>(i);
    }
  }
  EXPECT_LT(lastPause, IndexOfCall("Primary.Release"));
  EXPECT_EQ(ReleaseCalls(), kReleaseOrder);
  EXPECT_EQ(pixtest::ReadFileBytes("SaveName.dat"), pixtest::NameFileBytes("out.pix")) << "left as it was";

  // One write failing is enough, whichever it is; the others are still made.
  for (const std::string& write : kWrites) {
    std::filesystem::remove("SaveSize.dat");
    pixtest::FreshMachine();
    plat::headless::FailCall(write);
    EXPECT_EQ(pixtest::RunWinMain(), kExitSettingsNotWritten) << write;
    EXPECT_EQ(Writes(), kWrites) << write;
    EXPECT_EQ(pixtest::FileExists("SaveSize.dat"), write != kWrites[2]) << write;
  }
}

// A working folder the user may not write in (a first run in a read-only
// folder): start-up and shutdown show their messages, and the exit status
// tells. Checked in a child that dropped root.
TEST_F(ShutdownTest, AReadOnlyWorkingFolderFailsTheWritesAndTheExitStatusTells) {
  for (const char* file : {"SaveName.dat", "LoadName.dat", "SaveSize.dat"}) {
    std::filesystem::remove(file);
  }
  ASSERT_EQ(chmod(scratch_.Path().c_str(), 0555), 0);
  const int status = pixtest::RunAsUnprivilegedChild([] {
    const int exit = pixtest::RunProgram();
    return exit == kExitSettingsNotWritten && CallsStartingWith("Sleep(2000)").size() == 6 ? 0 : 1;
  });
  EXPECT_EQ(status, 0) << "1: wrong exit status or not six messages; -1: the child died";
  EXPECT_TRUE(std::filesystem::is_empty(scratch_.Path()));
}

// The working folder removed under the running editor: saving and loading
// fail silently, the passes go on, and shutdown shows the three write
// messages and releases everything.
TEST_F(ShutdownTest, AWorkingFolderRemovedWhileRunningFailsOnlyTheWrites) {
  ASSERT_GT(pixtest::CopyButtonBitmaps(), 0u);
  ASSERT_TRUE(pixtest::StartEditor());
  ASSERT_TRUE(pixtest::PassAt(330, 511, true));  // Save
  ASSERT_TRUE(pixtest::FileExists("out.pix"));
  std::filesystem::remove_all(scratch_.Path());
  plat::headless::ClearLog();
  for (const auto& [x, y] : {std::pair{330, 511}, std::pair{200, 510}, std::pair{200, 100}}) {
    EXPECT_TRUE(pixtest::PassAt(x, y, true)) << x << "," << y;  // Save, Load, paint
    pixtest::IdlePasses(2);
  }
  EXPECT_EQ(CallsStartingWith("PlaySoundA(8002)").size(), 0u) << "a failed save plays no \"saved\" sound";
  EXPECT_EQ(ShutdownApp(), 0);
  EXPECT_EQ(CallsStartingWith("Sleep(2000)").size(), 3u);
  EXPECT_EQ(ReleaseCalls(), kReleaseOrder);
  EXPECT_FALSE(std::filesystem::exists(scratch_.Path()));
}

// --- The window procedure ---

TEST_F(ShutdownTest, WindowProcedureAnswersItsFourCases) {
  pixtest::FreshMachine();
  ASSERT_TRUE(pixtest::OpenTestWindow());
  const plat::HWND window = editorState.windowHandle;

  plat::headless::ClearLog();
  EXPECT_EQ(MainWindowProc(window, plat::WM_CREATE, 0, 0), 0);
  EXPECT_TRUE(plat::headless::CallLog().empty()) << pixtest::CallLogText();

  EXPECT_EQ(MainWindowProc(window, plat::WM_PAINT, 0, 0), 0);
  EXPECT_EQ(plat::headless::CallLog(), (std::vector<std::string>{"BeginPaint", "EndPaint"}));
  // Validated: the platform stops sending WM_PAINT.
  plat::MSG message = {};
  while (plat::PeekMessageA(&message, nullptr, 0, 0, plat::PM_REMOVE)) {
    EXPECT_NE(message.message, plat::WM_PAINT);
  }

  plat::headless::ClearLog();
  EXPECT_EQ(MainWindowProc(window, plat::WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(plat::headless::WindowAlive()) << "WM_CLOSE goes to the default handling";
  EXPECT_GE(IndexOfCall("DefWindowProcA(WM_CLOSE)"), 0) << pixtest::CallLogText();
  EXPECT_EQ(CallsStartingWith("PostQuitMessage(0)").size(), 1u) << "WM_DESTROY posts the quit message";
  ASSERT_TRUE(plat::PeekMessageA(&message, nullptr, 0, 0, plat::PM_REMOVE));
  EXPECT_EQ(message.message, plat::WM_QUIT);
  EXPECT_EQ(message.wParam, 0u);
}

TEST_F(ShutdownTest, OtherMessagesGoToTheDefaultHandling) {
  pixtest::FreshMachine();
  ASSERT_TRUE(pixtest::OpenTestWindow());
  plat::headless::ClearLog();
  constexpr std::uint32_t someMessage = 0x0200;
  EXPECT_EQ(MainWindowProc(editorState.windowHandle, someMessage, 1, 2), 0);
  EXPECT_EQ(CallsStartingWith("DefWindowProcA(").size(), 1u) << pixtest::CallLogText();
  EXPECT_TRUE(plat::headless::WindowAlive());
}

}  // namespace
