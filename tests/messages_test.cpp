// Window classes, the window and the message queue: quitting through WM_CLOSE, WM_QUIT and WM_PAINT.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/window.h"

namespace {

using namespace plat;

constexpr std::uint32_t kUserMessage = 0x0400;

// What the recording procedure saw, and how it answers.
struct Procedure {
  std::vector<std::uint32_t> seen;
  bool paints = true;
  LRESULT createResult = 0;
};
Procedure procedure;

LRESULT RecordingProcedure(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  procedure.seen.push_back(message);
  switch (message) {
    case WM_CREATE:
      return procedure.createResult;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      if (procedure.paints) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
      }
      return 0;
    case kUserMessage:
      return static_cast<LRESULT>(wParam + 1000);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

WNDCLASSEX ClassRecord(const char* name, WNDPROC proc = RecordingProcedure) {
  WNDCLASSEX record = {};
  record.cbSize = sizeof record;
  record.lpfnWndProc = proc;
  record.lpszClassName = name;
  return record;
}

HWND Create(const char* className = "Main") {
  return CreateWindowExA(0, className, "DirectDraw Test for Game", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                         nullptr, nullptr, nullptr, nullptr);
}

// Takes and dispatches one message; returns its identifier, or 0 when none waited.
std::uint32_t Pump() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    return 0;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return message.message;
}

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    procedure = Procedure{};
    WNDCLASSEX record = ClassRecord("Main");
    ASSERT_NE(RegisterClassExA(&record), 0);
  }
};

TEST_F(MessagesTest, ClassRegistrationRefusesBadRecords) {
  const WNDCLASSEX noProcedure = ClassRecord("A", nullptr);
  const WNDCLASSEX noName = ClassRecord(nullptr);
  const WNDCLASSEX twice = ClassRecord("Main");
  EXPECT_EQ(RegisterClassExA(&noProcedure), 0);
  EXPECT_EQ(RegisterClassExA(&noName), 0);
  EXPECT_EQ(RegisterClassExA(&twice), 0);
}

TEST_F(MessagesTest, CreatingTheWindowSendsCreateAtOnce) {
  EXPECT_EQ(Create("Unknown"), nullptr);
  EXPECT_TRUE(procedure.seen.empty());
  EXPECT_FALSE(headless::WindowAlive());

  const HWND window = Create();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(procedure.seen, std::vector<std::uint32_t>{WM_CREATE});
  EXPECT_TRUE(headless::WindowAlive());
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(GetActiveWindow(), window);
  EXPECT_EQ(Create(), nullptr) << "a second window while the first lives";
  ASSERT_TRUE(DestroyWindow(window));
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

LRESULT DestroyAgainProcedure(HWND window, std::uint32_t message, WPARAM, LPARAM) {
  procedure.seen.push_back(message);
  if (message == WM_DESTROY) {
    EXPECT_FALSE(DestroyWindow(window)) << "destroyed while being destroyed";
    EXPECT_FALSE(PostMessageA(window, WM_CLOSE, 0, 0));
  }
  return 0;
}

TEST_F(MessagesTest, DestroyingFromWithinDestroyHappensOnce) {
  const WNDCLASSEX record = ClassRecord("Again", DestroyAgainProcedure);
  ASSERT_NE(RegisterClassExA(&record), 0);
  const HWND window = Create("Again");
  ASSERT_TRUE(DestroyWindow(window));
  EXPECT_EQ(procedure.seen, (std::vector<std::uint32_t>{WM_CREATE, WM_DESTROY}));
}

TEST_F(MessagesTest, CloseDestroysTheWindowAndQuitCarriesTheCode) {
  const HWND window = Create();
  ASSERT_NE(window, nullptr);
  procedure.seen.clear();
  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  EXPECT_EQ(Pump(), WM_CLOSE);
  EXPECT_EQ(procedure.seen, (std::vector<std::uint32_t>{WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(headless::WindowAlive());
  EXPECT_FALSE(IsWindow(window));

  MSG message = {};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 0u);
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "quit is taken once";
}

TEST_F(MessagesTest, PostingToADestroyedOrUnknownWindowFails) {
  const HWND window = Create();
  ASSERT_TRUE(DestroyWindow(window));
  EXPECT_FALSE(DestroyWindow(window)) << "destroyed twice";
  EXPECT_FALSE(PostMessageA(window, WM_CLOSE, 0, 0));
  int notAWindow = 0;
  EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(&notAWindow), WM_CLOSE, 0, 0));
  MSG message = {};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_QUIT) << "nothing else was queued";
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, QuitWaitsForEveryPostedMessage) {
  const HWND window = Create();
  procedure.paints = true;
  ASSERT_EQ(Pump(), WM_PAINT);
  PostQuitMessage(7);
  ASSERT_TRUE(PostMessageA(window, kUserMessage, 1, 0));
  ASSERT_TRUE(PostMessageA(nullptr, kUserMessage + 1, 2, 0));
  ASSERT_TRUE(PostMessageA(window, kUserMessage, 3, 0));
  std::vector<WPARAM> order;
  MSG message = {};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    order.push_back(message.message == WM_QUIT ? 100 + message.wParam : message.wParam);
  }
  EXPECT_EQ(order, (std::vector<WPARAM>{1, 2, 3, 107}));
}

TEST_F(MessagesTest, EscapeHeldDownStillEndsPromptly) {
  const HWND window = Create();
  // Each pass posts a close request and takes one message, as the editor does.
  int passes = 0;
  int destroys = 0;
  bool quit = false;
  while (!quit && passes < 50) {
    ++passes;
    PostMessageA(window, WM_CLOSE, 0, 0);
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      quit = message.message == WM_QUIT;
      DispatchMessageA(&message);
    }
  }
  for (std::uint32_t seen : procedure.seen) {
    destroys += seen == WM_DESTROY ? 1 : 0;
  }
  EXPECT_TRUE(quit);
  EXPECT_LE(passes, 4) << "passes until WM_QUIT";
  EXPECT_EQ(destroys, 1);
}

TEST_F(MessagesTest, PaintRepeatsUntilValidated) {
  const HWND window = Create();
  procedure.paints = false;
  EXPECT_EQ(Pump(), WM_PAINT);
  EXPECT_EQ(Pump(), WM_PAINT) << "not validated: asked again";
  ASSERT_TRUE(PostMessageA(window, kUserMessage, 0, 0));
  EXPECT_EQ(Pump(), kUserMessage) << "posted messages come before painting";
  procedure.paints = true;
  EXPECT_EQ(Pump(), WM_PAINT);
  EXPECT_EQ(Pump(), 0u) << "validated by BeginPaint/EndPaint";
}

TEST_F(MessagesTest, DestroyingDropsTheWindowsMessages) {
  const HWND window = Create();
  ASSERT_TRUE(PostMessageA(window, kUserMessage, 0, 0));
  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  MSG message = {window, kUserMessage, 0, 0};
  ASSERT_TRUE(DestroyWindow(window));
  procedure.seen.clear();
  EXPECT_EQ(DispatchMessageA(&message), 0) << "dispatch to a destroyed window";
  EXPECT_TRUE(procedure.seen.empty());
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, InjectedFailuresStopTheCall) {
  headless::FailCall("CreateWindowExA");
  EXPECT_EQ(Create(), nullptr);
  EXPECT_TRUE(procedure.seen.empty());
  EXPECT_FALSE(headless::WindowAlive());

  headless::Reset();
  procedure = Procedure{};
  headless::FailCall("RegisterClassExA");
  WNDCLASSEX record = ClassRecord("Main");
  EXPECT_EQ(RegisterClassExA(&record), 0);

  headless::Reset();
  ASSERT_NE(RegisterClassExA(&record), 0);
  const HWND window = Create();
  ASSERT_NE(window, nullptr);
  procedure.paints = true;
  ASSERT_EQ(Pump(), WM_PAINT);
  headless::FailCall("PostMessageA(WM_CLOSE)");
  EXPECT_FALSE(PostMessageA(window, WM_CLOSE, 0, 0));
  EXPECT_TRUE(PostMessageA(window, kUserMessage, 0, 0)) << "other messages still go";
  EXPECT_EQ(Pump(), kUserMessage);
  EXPECT_EQ(Pump(), 0u);
}

TEST_F(MessagesTest, CallLogFollowsTheQuitPath) {
  const HWND window = Create();
  procedure.paints = true;
  ASSERT_EQ(Pump(), WM_PAINT);
  headless::ClearLog();
  PostMessageA(window, WM_CLOSE, 0, 0);
  Pump();
  Pump();
  const std::vector<std::string> expected = {"PostMessageA(WM_CLOSE)",     "PeekMessageA(WM_CLOSE)",
                                             "TranslateMessage(WM_CLOSE)", "DispatchMessageA(WM_CLOSE)",
                                             "DefWindowProcA(WM_CLOSE)",   "DestroyWindow",
                                             "PostQuitMessage(0)",         "PeekMessageA(WM_QUIT)",
                                             "TranslateMessage(WM_QUIT)",  "DispatchMessageA(WM_QUIT)"};
  EXPECT_EQ(headless::CallLog(), expected);
}

}  // namespace
