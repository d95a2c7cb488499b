// Input devices and the headless machine: scripted reads, run-out rules, clock, sounds, cursor, log, files.
#include "platform/headless/headless.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/system.h"
#include "platform/window.h"
#include "support/file_bytes.h"
#include "support/scratch_dir.h"

namespace {

using namespace plat;

LRESULT Procedure(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    WNDCLASSEX record = {};
    record.lpfnWndProc = Procedure;
    record.lpszClassName = "InputTest";
    ASSERT_NE(RegisterClassExA(&record), 0);
    window =
        CreateWindowExA(0, "InputTest", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(DirectInputCreateEx(GetModuleHandleA(nullptr), 0x0700, &input, nullptr), DI_OK);
    ASSERT_EQ(input->CreateDeviceEx(GUID_SysMouse, &mouse, nullptr), DI_OK);
    ASSERT_EQ(input->CreateDeviceEx(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
  }

  void OpenBoth() {
    ASSERT_EQ(mouse->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    ASSERT_EQ(mouse->SetDataFormat(c_dfDIMouse), DI_OK);
    ASSERT_EQ(mouse->Acquire(), DI_OK);
    ASSERT_EQ(keyboard->SetDataFormat(c_dfDIKeyboard), DI_OK);
    ASSERT_EQ(keyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
  }

  HWND window = nullptr;
  DirectInput* input = nullptr;
  InputDevice* mouse = nullptr;
  InputDevice* keyboard = nullptr;
};

TEST_F(InputTest, AcquireRules) {
  EXPECT_EQ(mouse->Acquire(), DIERR_INVALIDPARAM) << "no data format yet";
  ASSERT_EQ(mouse->SetDataFormat(c_dfDIMouse), DI_OK);
  EXPECT_EQ(mouse->Unacquire(), DI_NOEFFECT);
  EXPECT_EQ(mouse->Acquire(), DI_OK);
  EXPECT_EQ(mouse->Acquire(), DI_NOEFFECT);
  EXPECT_EQ(mouse->SetDataFormat(c_dfDIMouse), DIERR_ACQUIRED);
  EXPECT_EQ(mouse->Unacquire(), DI_OK);

  headless::QueueMouse(5, 6, true);
  DIMOUSESTATE state = {};
  EXPECT_EQ(mouse->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED);
  EXPECT_EQ(headless::MouseReadsLeft(), 1u) << "a failed read takes nothing from the script";
}

TEST_F(InputTest, KeyboardReadsFailWithoutFocusAndRecover) {
  OpenBoth();
  headless::QueueKeys({DIK_Q});
  headless::SetKeyboardFocus(false);
  std::array<std::uint8_t, 256> keys = {};
  EXPECT_EQ(keyboard->GetDeviceState(256, keys.data()), DIERR_INPUTLOST);
  EXPECT_EQ(headless::KeyboardReadsLeft(), 1u);
  DIMOUSESTATE state = {};
  EXPECT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK) << "the mouse reads in the background";
  headless::SetKeyboardFocus(true);
  ASSERT_EQ(keyboard->GetDeviceState(256, keys.data()), DI_OK) << "still acquired";
  EXPECT_EQ(keys[DIK_Q], 0x80);
}

TEST_F(InputTest, ReadSizeMustMatchTheDataFormat) {
  OpenBoth();
  headless::QueueMouse(1, 1, false);
  headless::QueueKeys({DIK_A});
  std::uint8_t buffer[300] = {};
  const std::uint32_t mouseSizes[] = {15, 256};
  for (std::uint32_t size : mouseSizes) {
    EXPECT_EQ(mouse->GetDeviceState(size, buffer), DIERR_INVALIDPARAM) << "mouse size " << size;
  }
  const std::uint32_t keyboardSizes[] = {16, 255};
  for (std::uint32_t size : keyboardSizes) {
    EXPECT_EQ(keyboard->GetDeviceState(size, buffer), DIERR_INVALIDPARAM) << "keyboard size " << size;
  }
  EXPECT_EQ(headless::MouseReadsLeft(), 1u);
  EXPECT_EQ(headless::KeyboardReadsLeft(), 1u);
}

TEST_F(InputTest, ScriptedReadsComeInOrderThenRunOut) {
  OpenBoth();
  headless::QueueMouse(3, -4, true);
  headless::QueueMouse(-7, 8, false, true);
  headless::QueueKeys({DIK_H, DIK_LSHIFT});
  headless::QueueKeys({});

  DIMOUSESTATE state = {};
  ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
  EXPECT_EQ(state.lX, 3);
  EXPECT_EQ(state.lY, -4);
  EXPECT_NE(state.rgbButtons[0], 0);
  EXPECT_EQ(state.rgbButtons[1], 0);
  ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
  EXPECT_EQ(state.lX, -7);
  EXPECT_EQ(state.lY, 8);
  EXPECT_EQ(state.rgbButtons[0], 0);
  EXPECT_NE(state.rgbButtons[1], 0);
  // Run out: the mouse holds still with its buttons up.
  for (int read = 0; read < 3; ++read) {
    ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 0);
    EXPECT_EQ(state.lY, 0);
    EXPECT_EQ(state.rgbButtons[0], 0);
    EXPECT_EQ(state.rgbButtons[1], 0);
  }

  std::array<std::uint8_t, 256> keys = {};
  ASSERT_EQ(keyboard->GetDeviceState(256, keys.data()), DI_OK);
  for (int code = 0; code < 256; ++code) {
    const bool down = code == DIK_H || code == DIK_LSHIFT;
    EXPECT_EQ(keys[code], down ? 0x80 : 0) << "scan code " << code;
  }
  ASSERT_EQ(keyboard->GetDeviceState(256, keys.data()), DI_OK);
  EXPECT_EQ(keys[DIK_H], 0);
  // Run out: Enter goes down, up, down, so any entry ends.
  for (int read = 0; read < 3; ++read) {
    keys.fill(0x55);
    ASSERT_EQ(keyboard->GetDeviceState(256, keys.data()), DI_OK);
    for (int code = 0; code < 256; ++code) {
      ASSERT_EQ(keys[code], code == DIK_RETURN && read != 1 ? 0x80 : 0)
          << "scan code " << code << ", read " << read;
    }
  }
}

TEST_F(InputTest, TheWheelAndTheMiddleButtonComeFromTheScript) {
  OpenBoth();
  headless::QueueWheel(1);
  headless::QueueWheel(-2);
  headless::QueueMouse(4, 0, false, false, true);
  const struct {
    std::int32_t lX, lZ;
    std::uint8_t middle;
  } reads[] = {{0, 120, 0}, {0, -240, 0}, {4, 0, 0x80}, {0, 0, 0}};
  for (const auto& read : reads) {
    DIMOUSESTATE state = {};
    ASSERT_EQ(mouse->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, read.lX);
    EXPECT_EQ(state.lZ, read.lZ);
    EXPECT_EQ(state.rgbButtons[2], read.middle);
    EXPECT_EQ(state.rgbButtons[0] | state.rgbButtons[1], 0) << "wheel " << read.lZ;
  }
}

// One keyboard gives an entry and the key state: a key the script types reads down once there.
TEST_F(InputTest, KeysTypedIntoAnEntryReadDownOnceInTheKeyState) {
  OpenBoth();
  const struct {
    std::uint8_t scanCode;
    int virtualKey;
    bool typed;
  } cases[] = {
      {DIK_N, VK_N, true},         {DIK_0, VK_0, true},   {DIK_5, VK_5, true},
      {DIK_SPACE, VK_SPACE, true}, {0xB8, VK_MENU, true}, {0x58, VK_F12, true},
      {0xD3, VK_DELETE, true},     {0xD1, VK_NEXT, true}, {DIK_RETURN, VK_RETURN, false},
      {0xC8, VK_UP, false},
  };
  for (const auto& c : cases) {
    headless::QueueKeys({c.scanCode});
    std::array<std::uint8_t, 256> keys = {};
    ASSERT_EQ(keyboard->GetDeviceState(256, keys.data()), DI_OK);
    EXPECT_EQ(GetAsyncKeyState(c.virtualKey) < 0, c.typed) << "virtual key " << c.virtualKey;
    EXPECT_EQ(GetAsyncKeyState(c.virtualKey), 0) << "virtual key " << c.virtualKey << " read down twice";
  }
}

TEST_F(InputTest, EscapeFollowsItsScriptThenTheRunOut) {
  headless::QueueEscape(false);
  headless::QueueEscape(true);
  headless::QueueEscape(false);
  EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 0);
  EXPECT_LT(GetAsyncKeyState(VK_ESCAPE), 0) << "bit 15 set";
  EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 0);
  EXPECT_LT(GetAsyncKeyState(VK_ESCAPE), 0) << "all scripts empty";

  OpenBoth();
  struct Case {
    int mouseLeft, keyboardLeft;
    bool escapeDown;
  };
  const Case cases[] = {{1, 0, false}, {0, 1, false}, {2, 2, false}, {0, 0, true}};
  for (const Case& c : cases) {
    headless::Reset();
    for (int i = 0; i < c.mouseLeft; ++i) {
      headless::QueueMouse(0, 0, false);
    }
    for (int i = 0; i < c.keyboardLeft; ++i) {
      headless::QueueKeys({});
    }
    EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE) < 0, c.escapeDown)
        << "mouse " << c.mouseLeft << ", keyboard " << c.keyboardLeft;
  }
  EXPECT_EQ(GetAsyncKeyState('A'), 0) << "other keys are never down";
}

TEST_F(InputTest, InjectedReadFailureLeavesTheScript) {
  OpenBoth();
  headless::QueueMouse(9, 9, true);
  headless::FailCall("Mouse.GetDeviceState");
  DIMOUSESTATE state = {};
  EXPECT_EQ(mouse->GetDeviceState(sizeof state, &state), E_FAIL);
  EXPECT_EQ(state.lX, 0);
  EXPECT_EQ(headless::MouseReadsLeft(), 1u);
  headless::FailCall("DirectInput.CreateDeviceEx(Keyboard)");
  InputDevice* another = nullptr;
  EXPECT_EQ(input->CreateDeviceEx(GUID_SysKeyboard, &another, nullptr), E_FAIL);
  EXPECT_EQ(another, nullptr);
  EXPECT_EQ(input->CreateDeviceEx(GUID_SysMouse, &another, nullptr), DI_OK) << "only the keyboard fails";
  EXPECT_EQ(another->Release(), 0u);
}

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override { headless::Reset(); }
};

TEST_F(MachineTest, SleepAdvancesTheVirtualClockOnly) {
  EXPECT_EQ(headless::Now(), 0u);
  Sleep(2000);
  Sleep(200);
  Sleep(0);
  EXPECT_EQ(headless::Now(), 2200u);
  EXPECT_EQ(GetTickCount64(), 2200u);
  EXPECT_EQ(headless::CallLog(), (std::vector<std::string>{"Sleep(2000)", "Sleep(200)", "Sleep(0)"}));
}

TEST_F(MachineTest, SoundsAreRecordedWithTheirTime) {
  const HINSTANCE module = GetModuleHandleA(nullptr);
  EXPECT_TRUE(PlaySoundA(8001, module, SND_RESOURCE | SND_ASYNC));
  Sleep(150);
  EXPECT_TRUE(PlaySoundA(8002, module, SND_RESOURCE | SND_ASYNC));
  EXPECT_FALSE(PlaySoundA(8003, module, SND_RESOURCE | SND_ASYNC)) << "no such resource";
  headless::FailCall("PlaySoundA(8001)");
  EXPECT_FALSE(PlaySoundA(8001, module, SND_RESOURCE | SND_ASYNC));
  const std::vector<headless::SoundPlayed>& sounds = headless::Sounds();
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_EQ(sounds[0].resource, 8001);
  EXPECT_EQ(sounds[0].at, 0u);
  EXPECT_EQ(sounds[1].resource, 8002);
  EXPECT_EQ(sounds[1].at, 150u);
}

TEST_F(MachineTest, CursorStaysOnTheScreenAndInsideItsClip) {
  const RECT clip = {420, 440, 654, 460};
  // The backends' one rule: an empty rectangle holds the cursor at its left and top edges.
  const RECT empty = {30, 40, 30, 40};
  const RECT offScreen = {900, 700, 1000, 800};
  struct Move {
    const RECT* clip;
    int x, y;
    int expectedX, expectedY;
  };
  const Move moves[] = {{nullptr, -5, 700, 0, 599}, {nullptr, 900, -1, 799, 0},  {&clip, 500, 450, 500, 450},
                        {&clip, 0, 0, 420, 440},    {&clip, 654, 460, 653, 459}, {nullptr, 10, 10, 10, 10},
                        {&empty, 99, 99, 30, 40},   {&offScreen, 0, 0, 799, 599}};
  for (const Move& m : moves) {
    ClipCursor(m.clip);
    EXPECT_EQ(headless::CursorClipped(), m.clip != nullptr);
    EXPECT_TRUE(SetCursorPos(m.x, m.y));
    EXPECT_EQ(headless::CursorPos().x, m.expectedX) << m.x << "," << m.y;
    EXPECT_EQ(headless::CursorPos().y, m.expectedY) << m.x << "," << m.y;
  }
  EXPECT_EQ(headless::SetCursorPosCalls(), 8u);
  EXPECT_EQ(headless::CallLog()[4], "ClipCursor(420,440,654,460)");
  EXPECT_EQ(headless::CallLog()[10], "ClipCursor(null)");
}

TEST_F(MachineTest, LoggingCanBeSwitchedOffAndCleared) {
  Sleep(1);
  headless::SetLogging(false);
  Sleep(2);
  headless::SetLogging(true);
  Sleep(3);
  EXPECT_EQ(headless::CallLog(), (std::vector<std::string>{"Sleep(1)", "Sleep(3)"}));
  headless::ClearLog();
  EXPECT_TRUE(headless::CallLog().empty());
}

TEST_F(MachineTest, ResetGivesAFreshMachine) {
  WNDCLASSEX record = {};
  record.lpfnWndProc = Procedure;
  record.lpszClassName = "Fresh";
  ASSERT_NE(RegisterClassExA(&record), 0);
  ASSERT_NE(CreateWindowExA(0, "Fresh", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  PostQuitMessage(4);
  Sleep(50);
  PlaySoundA(8001, nullptr, SND_RESOURCE);
  headless::QueueMouse(1, 1, true);
  headless::QueueKeys({DIK_A});
  headless::QueueEscape(false);
  RECT clip = {1, 1, 5, 5};
  ClipCursor(&clip);
  headless::FailCall("Sleep(9)");
  headless::FailCall("RegisterClassExA");
  headless::SetLogging(false);

  headless::Reset();
  EXPECT_FALSE(headless::WindowAlive());
  EXPECT_EQ(headless::Now(), 0u);
  EXPECT_TRUE(headless::Sounds().empty());
  EXPECT_EQ(headless::MouseReadsLeft(), 0u);
  EXPECT_EQ(headless::KeyboardReadsLeft(), 0u);
  EXPECT_LT(GetAsyncKeyState(VK_ESCAPE), 0) << "Escape script emptied";
  EXPECT_FALSE(headless::CursorClipped());
  EXPECT_EQ(headless::SetCursorPosCalls(), 0u);
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "quit message dropped";
  EXPECT_NE(RegisterClassExA(&record), 0) << "classes and failures forgotten";
  EXPECT_EQ(headless::CallLog(),
            (std::vector<std::string>{"GetAsyncKeyState(VK_ESCAPE)", "RegisterClassExA"}))
      << "logging back on";
}

TEST_F(MachineTest, OpenFileIsLoggedAndCanBeMadeToFail) {
  pixtest::ScratchDir scratch;
  std::FILE* file = OpenFile("SaveName.dat", "w+t");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::fputs("abc", file), 1);
  std::fclose(file);
  EXPECT_EQ(pixtest::ReadFileBytes("SaveName.dat"), (pixtest::Bytes{'a', 'b', 'c'}));
  EXPECT_EQ(OpenFile("Missing.dat", "r+t"), nullptr);

  headless::FailCall("OpenFile(LoadName.dat,w+t)");
  errno = 0;
  EXPECT_EQ(OpenFile("LoadName.dat", "w+t"), nullptr);
  EXPECT_NE(errno, 0);
  EXPECT_FALSE(pixtest::FileExists("LoadName.dat")) << "a failed open creates nothing";

  ASSERT_EQ(mkdir("SaveSize.dat", 0755), 0);
  EXPECT_EQ(OpenFile("SaveSize.dat", "r+t"), nullptr) << "a directory in the file's place";
  const std::vector<std::string> expected = {"OpenFile(SaveName.dat,w+t)", "OpenFile(Missing.dat,r+t)",
                                             "OpenFile(LoadName.dat,w+t)", "OpenFile(SaveSize.dat,r+t)"};
  EXPECT_EQ(headless::CallLog(), expected);
}

}  // namespace
