// Tests of start-up: the window, the display and palette, the input devices,
// the order of the steps, and how a failing step ends the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/devices.h"
#include "app/editor_state.h"
#include "app/winmain.h"
#include "canvas/palette_table.h"
#include "platform/headless/headless.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_compare.h"

namespace {

using pixtest::CallsStartingWith;

void WriteSettingsFiles() {
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("test1.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("test1.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", pixtest::Bytes{102, 78}));
}

std::string Show(const plat::PALETTEENTRY& entry) {
  return "(" + std::to_string(entry.peRed) + ", " + std::to_string(entry.peGreen) + ", " +
         std::to_string(entry.peBlue) + ", flags " + std::to_string(entry.peFlags) + ")";
}

bool Same(const plat::PALETTEENTRY& a, const plat::PALETTEENTRY& b) {
  return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue && a.peFlags == b.peFlags;
}

// The calls that make or use a device, in order, as far as the last settings read
// (the palette file's first, then the three settings files).
std::vector<std::string> DeviceCallsOfStartUp() {
  std::vector<std::string> calls;
  int reads = 0;
  for (const std::string& call : plat::headless::CallLog()) {
    for (const char* prefix : {"DirectDraw", "Primary.", "BackBuffer.", "Palette.", "DirectInput", "Mouse.",
                               "Keyboard.", "OpenFile("}) {
      if (call.starts_with(prefix)) {
        calls.push_back(call);
        break;
      }
    }
    if (call.starts_with("OpenFile(") && ++reads == 4) {
      break;
    }
  }
  return calls;
}

class StartupTest : public ::testing::Test {
 protected:
  pixtest::ScratchDir scratch_;
};

// --- Devices and screen after InitDevices ---

TEST_F(StartupTest, StartUpLeavesABlackScreenTheCursorInTheMiddleAndEverySlotFilled) {
  WriteSettingsFiles();
  pixtest::FreshMachine();
  ASSERT_TRUE(pixtest::OpenTestWindow());
  ASSERT_EQ(InitDevices(), 1) << "failed at " << (FailedInitStep() ? FailedInitStep() : "?");
  EXPECT_EQ(FailedInitStep(), nullptr);
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), pixtest::kWholeScreen, 0));
  EXPECT_EQ(editorState.cursorX, 400);
  EXPECT_EQ(editorState.cursorY, 300);
  EXPECT_TRUE(plat::headless::DisplayExclusive());
  EXPECT_NE(displayDevice.directDraw, nullptr);
  EXPECT_NE(displayDevice.primarySurface, nullptr);
  EXPECT_NE(displayDevice.backBuffer, nullptr);
  EXPECT_NE(displayDevice.palette, nullptr);
  EXPECT_NE(inputDevices.directInput, nullptr);
  EXPECT_NE(inputDevices.mouse, nullptr);
  EXPECT_NE(inputDevices.keyboard, nullptr);
  // Both devices acquired: reading them works.
  plat::DIMOUSESTATE mouse = {};
  EXPECT_FALSE(plat::FAILED(inputDevices.mouse->GetDeviceState(sizeof mouse, &mouse)));
  std::uint8_t keys[256] = {};
  EXPECT_FALSE(plat::FAILED(inputDevices.keyboard->GetDeviceState(sizeof keys, keys)));
  EXPECT_EQ(plat::headless::Now(), 0u) << "no settings message with the files present";
  EXPECT_EQ(ShutdownApp(), 1);
}

TEST_F(StartupTest, WithoutSettingsFilesTheMessagesAreTheOnlyThingOnTheBlackScreen) {
  pixtest::FreshMachine();
  ASSERT_TRUE(pixtest::OpenTestWindow());
  static std::vector<pixtest::ScreenRect> shown;
  shown.clear();
  plat::headless::SetSleepObserver(
      [](std::uint32_t) { shown.push_back(pixtest::BoundsOfPixelsNot(plat::headless::Screen(), 0)); });
  ASSERT_EQ(InitDevices(), 1);
  plat::headless::SetSleepObserver(nullptr);
  // Each message, 34 cells at (30, 40), shows for its pause and nothing else
  // does; after the last one the screen is black again, so no letter is left
  // in the reference view or the grid's cells.
  ASSERT_EQ(shown.size(), 3u);
  for (const pixtest::ScreenRect& bounds : shown) {
    EXPECT_GE(bounds.left, 30);
    EXPECT_GE(bounds.top, 40);
    EXPECT_LE(bounds.right, 30 + 34 * 8);
    EXPECT_LE(bounds.bottom, 56);
    EXPECT_GT(bounds.right, bounds.left) << "a message shows";
  }
  EXPECT_EQ(pixtest::BoundsOfPixelsNot(plat::headless::Screen(), 0).right, 0);
  EXPECT_EQ(plat::headless::Now(), 6000u);
  // The reads came after both surfaces were cleared.
  const long clearedBack = pixtest::IndexOfCall("BackBuffer.Blt");
  const long firstRead = pixtest::IndexOfCall("OpenFile(SaveName.dat,r+t)");
  ASSERT_GE(clearedBack, 0);
  EXPECT_LT(clearedBack, firstRead);
  EXPECT_EQ(ShutdownApp(), 1);
}

TEST_F(StartupTest, StepsRunInTheirOrder) {
  WriteSettingsFiles();
  ASSERT_EQ(pixtest::RunProgram(), 0);
  const std::vector<std::string> expected = {
      "DirectDrawCreateEx",
      "DirectDraw.SetCooperativeLevel",
      "DirectDraw.SetDisplayMode",
      "DirectDraw.CreateSurface",
      "Primary.GetAttachedSurface",
      "OpenFile(Palette.gpl,rb)",
      "DirectDraw.CreatePalette",
      "Primary.SetPalette",
      "DirectInputCreateEx",
      "DirectInput.CreateDeviceEx(Mouse)",
      "Mouse.SetCooperativeLevel",
      "Mouse.SetDataFormat",
      "Mouse.Acquire",
      "DirectInput.CreateDeviceEx(Keyboard)",
      "Keyboard.SetDataFormat",
      "Keyboard.SetCooperativeLevel",
      "Keyboard.Acquire",
      "Primary.Blt",
      "BackBuffer.Blt",
      "OpenFile(SaveName.dat,r+t)",
      "OpenFile(LoadName.dat,r+t)",
      "OpenFile(SaveSize.dat,r+b)",
  };
  EXPECT_EQ(DeviceCallsOfStartUp(), expected) << pixtest::CallLogText();
  // The window is made, visible, before the display is taken.
  const long registered = pixtest::IndexOfCall("RegisterClassExA");
  const long created = pixtest::IndexOfCall("CreateWindowExA");
  ASSERT_GE(registered, 0);
  EXPECT_LT(registered, created);
  EXPECT_LT(created, pixtest::IndexOfCall("DirectDrawCreateEx"));
}

// --- The palette ---

TEST_F(StartupTest, PaletteHoldsTheFixedColoursBlackAndWhite) {
  WriteSettingsFiles();
  pixtest::FreshMachine();
  ASSERT_TRUE(pixtest::OpenTestWindow());
  ASSERT_EQ(InitDevices(), 1);
  const std::array<plat::PALETTEENTRY, 256> palette = plat::headless::Palette();
  constexpr std::uint8_t f = plat::PC_NOCOLLAPSE;
  struct Pin {
    int index;
    plat::PALETTEENTRY entry;
  };
  const Pin pins[] = {
      {0, {0, 0, 0, f}},        {4, {255, 0, 0, f}},       {7, {204, 204, 204, f}}, {15, {255, 255, 255, f}},
      {80, {255, 255, 255, f}}, {255, {255, 255, 255, f}}, {1, {0, 0, 204, f}},     {79, {253, 79, 79, f}},
  };
  for (const Pin& pin : pins) {
    EXPECT_TRUE(Same(palette[pin.index], pin.entry))
        << "entry " << pin.index << ": expected " << Show(pin.entry) << ", got " << Show(palette[pin.index]);
  }
  for (int i = 0; i <= 80; ++i) {
    const plat::PALETTEENTRY fixed = {fixedColours[i].red, fixedColours[i].green, fixedColours[i].blue, f};
    EXPECT_TRUE(Same(palette[i], fixed))
        << "entry " << i << ": expected " << Show(fixed) << ", got " << Show(palette[i]);
  }
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(palette[i].peFlags, plat::PC_NOCOLLAPSE) << "entry " << i;
  }
  ShutdownApp();
}

// Values worked out apart from the program, by stepping the generator's
// recurrence by hand.
TEST_F(StartupTest, GeneratorGivesItsKnownSequence) {
  PaletteRandom generator;
  const std::uint32_t expected[] = {330177771u, 135115861u, 3885783u, 761386273u};
  for (const std::uint32_t value : expected) {
    EXPECT_EQ(NextPaletteRandom(generator), value);
  }
  EXPECT_TRUE(generator.prepared);
  PaletteRandom other;
  for (int i = 0; i < 10000; ++i) {
    EXPECT_LT(NextPaletteRandom(other), 1u << 30) << "call " << i;
  }
}

TEST_F(StartupTest, GeneratedEntriesAreTheSameInEveryRun) {
  constexpr std::uint8_t f = plat::PC_NOCOLLAPSE;
  struct Pin {
    int index;
    plat::PALETTEENTRY entry;
  };
  const Pin pins[] = {
      {81, {53, 164, 137, f}},   {82, {167, 227, 146, f}}, {100, {19, 177, 160, f}},
      {128, {100, 107, 140, f}}, {200, {41, 175, 90, f}},  {254, {225, 122, 235, f}},
  };
  WriteSettingsFiles();
  std::array<plat::PALETTEENTRY, 256> first = {};
  for (int run = 0; run < 2; ++run) {
    pixtest::FreshMachine();
    ASSERT_TRUE(pixtest::OpenTestWindow());
    ASSERT_EQ(InitDevices(), 1);
    const std::array<plat::PALETTEENTRY, 256> palette = plat::headless::Palette();
    for (const Pin& pin : pins) {
      EXPECT_TRUE(Same(palette[pin.index], pin.entry))
          << "run " << run << " entry " << pin.index << ": expected " << Show(pin.entry) << ", got "
          << Show(palette[pin.index]);
    }
    if (run == 0) {
      first = palette;
    } else {
      for (int i = 0; i < 256; ++i) {
        EXPECT_TRUE(Same(first[i], palette[i])) << "entry " << i << " changed between runs";
      }
    }
    ShutdownApp();
  }
}

// --- Failures ---

TEST_F(StartupTest, WithoutAClassOrAWindowNothingElseHappens) {
  for (const char* failing : {"RegisterClassExA", "CreateWindowExA"}) {
    pixtest::FreshMachine();
    plat::headless::FailCall(failing);
    EXPECT_EQ(pixtest::RunWinMain(), 1) << failing;
    EXPECT_EQ(pixtest::IndexOfCall("DirectDrawCreateEx"), -1) << failing;
    EXPECT_TRUE(CallsStartingWith("OpenFile(").empty()) << failing;
    EXPECT_FALSE(pixtest::FileExists("SaveName.dat")) << failing;
    EXPECT_FALSE(plat::headless::WindowAlive()) << failing;
  }
}

TEST_F(StartupTest, AFailedAcquireIsNotNoticed) {
  WriteSettingsFiles();
  for (const char* failing : {"Mouse.Acquire", "Keyboard.Acquire"}) {
    pixtest::FreshMachine();
    plat::headless::FailCall(failing);
    EXPECT_EQ(pixtest::RunWinMain(), 0) << failing;
    // The palette file's read, the three settings reads and the three writes.
    EXPECT_EQ(CallsStartingWith("OpenFile(").size(), 7u) << failing << "\n" << pixtest::CallLogText();
  }
}

// Each tested step, made to fail: start-up stops there, the objects made so
// far are let go in the shutdown order, nothing more is drawn or written,
// one line on stderr names the step, and the exit status is 1.
TEST_F(StartupTest, AFailingStepEndsTheProgramCleanly) {
  struct Case {
    const char* call;
    const char* step;
    const char* existing;  // objects made before the failure: D(irectDraw) P(rimary) B(ack) L (palette)
                           // I(nput) M(ouse) K(eyboard)
  };
  const Case cases[] = {
      {"DirectDrawCreateEx", "DirectDrawCreateEx", ""},
      {"DirectDraw.SetCooperativeLevel", "SetCooperativeLevel", "D"},
      {"DirectDraw.SetDisplayMode", "SetDisplayMode", "D"},
      {"DirectDraw.CreateSurface", "CreateSurface", "D"},
      {"Primary.GetAttachedSurface", "GetAttachedSurface", "DP"},
      {"DirectDraw.CreatePalette", "CreatePalette", "DPB"},
      {"Primary.SetPalette", "SetPalette", "DPBL"},
      {"DirectInputCreateEx", "DirectInputCreateEx", "DPBL"},
      {"DirectInput.CreateDeviceEx(Mouse)", "CreateDeviceEx(Mouse)", "DPBLI"},
      {"Mouse.SetCooperativeLevel", "Mouse.SetCooperativeLevel", "DPBLIM"},
      {"Mouse.SetDataFormat", "Mouse.SetDataFormat", "DPBLIM"},
      {"DirectInput.CreateDeviceEx(Keyboard)", "CreateDeviceEx(Keyboard)", "DPBLIM"},
      {"Keyboard.SetDataFormat", "Keyboard.SetDataFormat", "DPBLIMK"},
      {"Keyboard.SetCooperativeLevel", "Keyboard.SetCooperativeLevel", "DPBLIMK"},
  };
  struct Release {
    char object;
    const char* call;
  };
  const Release shutdownOrder[] = {
      {'K', "Keyboard.Unacquire"}, {'K', "Keyboard.Release"},    {'M', "Mouse.Unacquire"},
      {'M', "Mouse.Release"},      {'I', "DirectInput.Release"}, {'L', "Palette.Release"},
      {'B', "BackBuffer.Release"}, {'P', "Primary.Release"},     {'D', "DirectDraw.RestoreDisplayMode"},
      {'D', "DirectDraw.Release"},
  };
  // Not the defaults: a write of the never-read settings would show.
  const pixtest::Bytes sizeBefore = {16, 200};
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", sizeBefore));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    pixtest::FreshMachine();
    plat::headless::FailCall(c.call);
    ::testing::internal::CaptureStderr();
    const int status = pixtest::RunWinMain();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    ASSERT_NE(FailedInitStep(), nullptr);
    EXPECT_STREQ(FailedInitStep(), c.step);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find(c.step), std::string::npos) << errors;

    // After the failing call: exactly the releases of what exists, in order.
    const long failed = pixtest::IndexOfCall(c.call);
    ASSERT_GE(failed, 0);
    const auto& log = plat::headless::CallLog();
    const std::vector<std::string> after(log.begin() + failed + 1, log.end());
    std::vector<std::string> expected;
    for (const Release& release : shutdownOrder) {
      if (std::string(c.existing).find(release.object) != std::string::npos) {
        expected.push_back(release.call);
      }
    }
    EXPECT_EQ(after, expected) << pixtest::CallLogText();
    EXPECT_TRUE(CallsStartingWith("OpenFile(S").empty() && CallsStartingWith("OpenFile(L").empty())
        << "settings neither read nor written";
    EXPECT_TRUE(plat::headless::Screen().empty()) << "the primary surface is gone";
    EXPECT_FALSE(plat::headless::DisplayExclusive());
    EXPECT_EQ(displayDevice.directDraw, nullptr);
    EXPECT_EQ(displayDevice.primarySurface, nullptr);
    EXPECT_EQ(inputDevices.mouse, nullptr);
    EXPECT_EQ(inputDevices.keyboard, nullptr);
  }
  EXPECT_EQ(pixtest::ReadFileBytes("SaveSize.dat"), sizeBefore);
}

}  // namespace
