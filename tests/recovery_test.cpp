// Unsaved work and its recovery copy: the mark, when the copy is written and
// removed, what it holds, and how the next start offers it back; on the
// headless backend with the state folder in a scratch folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "app/editor_state.h"
#include "app/recovery_keeper.h"
#include "app/unsaved_work.h"
#include "canvas/image_history.h"
#include "canvas/image_store.h"
#include "canvas/locked_screen.h"
#include "platform/headless/headless.h"
#include "platform/soft/xdg_state.h"
#include "platform/system.h"
#include "platform/window.h"
#include "storage/recovery_format.h"
#include "support/editor_fixture.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_compare.h"
#include "support/screen_text.h"

namespace {

namespace fs = std::filesystem;
using pixtest::Bytes;
using pixtest::IdlePasses;
using pixtest::PassAt;

constexpr int kWidth = 102;
constexpr int kHeight = 78;
constexpr std::size_t kTrailer = 96;
// Where the start-up messages' two lines are, on a screen that no pass has drawn yet.
constexpr pixtest::ScreenRect kMessageLines{30, 40, 600, 72};

// The note area's lines, as the screen shows them.
std::string Mark() {
  return pixtest::ReadScreenText(4, 504, 7);
}
std::string Note(int line) {
  return pixtest::ReadScreenText(4, 528 + 16 * line, 19);
}

void Stroke(int x, int y) {
  PassAt(x, y, true);
  PassAt(x + 10, y, true);
  PassAt(x + 10, y, false);
}
void Press(int x, int y) {
  PassAt(x, y, true);
  PassAt(x, y, false);
}
void Chord(std::initializer_list<int> keys) {
  plat::headless::HoldKeys(keys);
  IdlePasses(1);
  plat::headless::HoldKeys({});
  IdlePasses(1);
}
void Save() {
  Press(330, 510);
}
void Clear() {
  Press(450, 510);
}
void Load() {
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Press(200, 510);
}
// What a tool does: one step, then pixels painted through the one paint step.
void Tool() {
  BeginImageStep();
  for (int column = 20; column < 30; ++column) {
    SetWorkingPixel(column, 40, 29);
  }
  IdlePasses(1);
}

class RecoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The copies' times in their names and messages, whatever the machine's zone.
    setenv("TZ", "UTC", 1);
    tzset();
    ASSERT_GT(pixtest::CopyButtonBitmaps(), 0u);
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
  }
  void TearDown() override {
    EndRecovery();
    pixtest::StopEditor();
  }

  // The editor as RunEditorLoop starts it, keeping its copy in state_.
  void Start() {
    ASSERT_TRUE(pixtest::StartEditor());
    plat::headless::SetStateFolder(state_);
    StartRecovery();
  }
  void End() {
    EndRecovery();
    pixtest::StopEditor();
  }
  // One run that leaves a copy of a stroke behind, as a killed editor does.
  void LeaveACopy() {
    Start();
    Stroke(300, 200);
    End();
  }

  std::vector<std::string> StateFiles() const {
    plat::FinishQueuedFiles();
    std::vector<std::string> names;
    if (fs::is_directory(state_)) {
      for (const auto& entry : fs::directory_iterator(state_)) {
        names.push_back(entry.path().filename().string());
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // The files whose names end so (the copy: ".recovery").
  std::vector<std::string> FilesEndingIn(const std::string& end) const {
    std::vector<std::string> found;
    for (const std::string& name : StateFiles()) {
      if (name.size() > end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0) {
        found.push_back(name);
      }
    }
    return found;
  }
  // The one live copy's bytes; empty when there is none.
  Bytes CopyBytes() const {
    for (const std::string& name : FilesEndingIn(".recovery")) {
      if (name.find(".unreadable-") == std::string::npos) {
        return pixtest::ReadFileBytes(state_ + "/" + name);
      }
    }
    return {};
  }

  pixtest::ScratchDir scratch_;
  std::string state_ = scratch_.File("state");
};

TEST(RecoveryFormat, ChecksumIsZlibsCrc32) {
  const std::pair<std::string, std::uint32_t> kKnown[] = {
      {"", 0u},
      {"123456789", 0xCBF43926u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const auto& [text, crc] : kKnown) {
    EXPECT_EQ(recovery::Crc32(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), crc) << text;
  }
}

// Each field of the trailer where its layout says, written here byte by
// byte; read back, the copy is the one encoded.
TEST(RecoveryFormat, TheTrailersFieldsLieWhereTheLayoutSays) {
  const auto join = [](std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
      all.insert(all.end(), part.begin(), part.end());
    }
    return all;
  };
  struct Case {
    Bytes reference;
    std::uint8_t version;
    Bytes crc;
  };
  const Case kCases[] = {
      {{}, 1, {0xF3, 0xA1, 0xAA, 0x9C}},
      {{3, 4}, 2, {0xD5, 0x83, 0xEB, 0x9D}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(int{c.version});
    recovery::Copy copy;
    copy.width = 2;
    copy.height = 1;
    copy.pixNumber = 0x0A0B0C0D;
    copy.takenAt = 1714566896;
    std::strcpy(copy.loadFileName, "a.pix");
    std::strcpy(copy.saveFileName, "bb.pix");
    copy.pixels = {7, 9};
    copy.reference = c.reference;
    const Bytes expected = join({
        {7, 9},                                    // the working view
        c.reference,                               // the reference image (version 2)
        {'P', 'I', 'X', 'E', 'D', 'R', 'E', 'C'},  // 0
        {c.version, 0},                            // 8
        {96, 0},                                   // 10
        {2, 0, 0, 0},                              // 12 width
        {1, 0, 0, 0},                              // 16 height
        {0x0D, 0x0C, 0x0B, 0x0A},                  // 20 image number
        {0xF0, 0x36, 0x32, 0x66, 0, 0, 0, 0},      // 24 time
        pixtest::NameFileBytes("a.pix"),           // 32
        pixtest::NameFileBytes("bb.pix"),          // 57
        Bytes(6, 0),                               // 82
        c.crc,                                     // 88, zlib's crc32 of the bytes before
        {'R', 'E', 'C', 'X'},                      // 92
    });
    ASSERT_EQ(recovery::Encode(copy), expected) << pixtest::ShowBytes(recovery::Encode(copy));
    recovery::Copy back;
    ASSERT_EQ(recovery::Decode(expected, &back), recovery::Problem::None);
    EXPECT_EQ(back.pixels, copy.pixels);
    EXPECT_EQ(back.reference, c.reference);
    EXPECT_EQ(back.pixNumber, copy.pixNumber);
    EXPECT_EQ(back.takenAt, copy.takenAt);
    EXPECT_STREQ(back.saveFileName, "bb.pix");
  }
}

// A copy's length must be that of its version: one image, or two.
TEST(RecoveryFormat, TheLengthFollowsTheVersion) {
  recovery::Copy largest;
  largest.width = largest.height = 999;
  largest.pixels = pixtest::Pattern(999 * 999, 7, 3);
  largest.reference = pixtest::Pattern(999 * 999, 5, 1);
  const Bytes whole = recovery::Encode(largest);
  const auto resealed = [](Bytes bytes, std::size_t cut, std::uint8_t version) {
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    bytes[bytes.size() - kTrailer + 8] = version;
    recovery::Seal(bytes);
    return bytes;
  };
  struct Case {
    const char* what;
    Bytes bytes;
    recovery::Problem problem;
  };
  const Case kCases[] = {
      {"the largest copy", whole, recovery::Problem::None},
      {"version 2 over one image", resealed(whole, 999 * 999, 2), recovery::Problem::Truncated},
      {"version 1 over two images", resealed(whole, 0, 1), recovery::Problem::Truncated},
      {"a byte longer than the largest", Bytes(2 * 999 * 999 + kTrailer + 1, 0), recovery::Problem::Foreign},
  };
  for (const Case& c : kCases) {
    recovery::Copy copy;
    EXPECT_EQ(recovery::Decode(c.bytes, &copy), c.problem) << c.what;
  }
}

TEST(RecoveryFiles, ARenameNeverReplacesAFile) {
  pixtest::ScratchDir scratch;
  ASSERT_TRUE(pixtest::WriteFileBytes("from", "new"));
  ASSERT_TRUE(pixtest::WriteFileBytes("to", "old"));
  int error = 0;
  EXPECT_FALSE(plat::RenameFile("from", "to", &error));
  EXPECT_EQ(error, EEXIST);
  EXPECT_EQ(pixtest::ReadFileBytes("to"), Bytes({'o', 'l', 'd'}));
  EXPECT_TRUE(plat::RenameFile("from", "free", &error));
  EXPECT_EQ(pixtest::ReadFileBytes("free"), Bytes({'n', 'e', 'w'}));
}

TEST(RecoveryNames, TheStateFolderFollowsTheXdgRules) {
  struct Case {
    const char* stateHome;
    const char* home;
    const char* folder;
  };
  const Case kCases[] = {
      {"/x/state", "/home/ann", "/x/state/pixed"},
      {"/x/state//", "/home/ann", "/x/state/pixed"},
      {"relative/state", "/home/ann", "/home/ann/.local/state/pixed"},
      {"", "/home/ann/", "/home/ann/.local/state/pixed"},
      {nullptr, "/home/ann", "/home/ann/.local/state/pixed"},
      {nullptr, "relative", ""},
      {nullptr, nullptr, ""},
      {"/", nullptr, "/pixed"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(plat::soft::XdgStateFolder(c.stateHome, c.home), c.folder)
        << (c.stateHome ? c.stateHome : "(unset)") << " " << (c.home ? c.home : "(unset)");
  }
}

TEST(RecoveryNames, CopiesAreNamedAfterTheWorkingFolder) {
  struct Case {
    const char* folder;
    const char* tail;
  };
  const Case kCases[] = {
      {"/home/ann/art", "art-"},
      {"/home/ann/art/", "art-"},
      {"/home/ann/my sprites (old)", "my_sprites__old_-"},
      {"/", "folder-"},
      {"/home/ann/.hidden", "folder.hidden-"},
      {"C:\\Users\\ann\\Art", "Art-"},
  };
  for (const Case& c : kCases) {
    const std::string name = recovery::BaseNameFor(c.folder);
    EXPECT_EQ(name.substr(0, name.size() - 16), c.tail) << c.folder;
    EXPECT_EQ(name.find_first_not_of("0123456789abcdef", name.size() - 16), std::string::npos) << name;
  }
  EXPECT_NE(recovery::BaseNameFor("/a/art"), recovery::BaseNameFor("/b/art")) << "same tail, other folder";
  EXPECT_LE(recovery::BaseNameFor("/" + std::string(300, 'x')).size(), 32u + 1 + 16);
}

// The mark shows exactly while the image areas hold work that no file holds.
TEST_F(RecoveryTest, TheMarkFollowsEveryKindOfStep) {
  Start();
  const std::string blank(7, ' ');
  IdlePasses(1);
  EXPECT_EQ(Mark(), blank) << "a fresh start";
  struct Step {
    const char* what;
    std::function<void()> run;
    bool unsaved;
  };
  const Step kSteps[] = {
      {"stroke", [] { Stroke(300, 200); }, true},
      {"save", [] { Save(); }, false},
      {"tool", [] { Tool(); }, true},
      {"load", [] { Load(); }, false},
      {"undo of the load",
       [] {
         Chord({plat::VK_CONTROL, plat::VK_Z});
       },
       true},
      {"save", [] { Save(); }, false},
      {"redo",
       [] {
         Chord({plat::VK_CONTROL, plat::VK_Y});
       },
       true},
      {"save", [] { Save(); }, false},
      {"clear", [] { Clear(); }, true},
      {"failed save",
       [] {
         plat::headless::FailCall("OpenFile(test1.pix,a+b)");
         Save();
         plat::headless::StopFailingCall("OpenFile(test1.pix,a+b)");
       },
       true},
      {"save", [] { Save(); }, false},
      {"stroke", [] { Stroke(300, 200); }, true},
      {"Ctrl+S",
       [] {
         Chord({plat::VK_CONTROL, plat::VK_S});
       },
       false},
      {"stroke", [] { Stroke(300, 200); }, true},
      // Ctrl+S after Clear appended the last image: the step goes back one.
      {"a step to the previous image", [] { Chord({plat::VK_LEFT}); }, false},
      {"failed load",
       [] {
         plat::headless::FailCall("OpenFile(test1.pix,a+b)");
         Load();
         plat::headless::StopFailingCall("OpenFile(test1.pix,a+b)");
       },
       false},
      {"right click on the grid",
       [] {
         PassAt(300, 200, false, true);
         PassAt(300, 200, false);
       },
       false},
  };
  for (const Step& step : kSteps) {
    step.run();
    IdlePasses(1);
    EXPECT_EQ(WorkUnsaved(), step.unsaved) << step.what;
    EXPECT_EQ(Mark(), step.unsaved ? "Unsaved" : blank) << step.what;
  }
}

// The copy is the working view as a pix image of the current size, the
// trailer after it; a stroke, a tool and an undo each give a new one.
TEST_F(RecoveryTest, TheCopyHoldsTheWorkingViewAfterEachStep) {
  Start();
  const std::int64_t before = std::time(nullptr);
  struct Step {
    const char* what;
    std::function<void()> run;
  };
  const Step kSteps[] = {
      {"stroke", [] { Stroke(300, 200); }},
      {"tool", [] { Tool(); }},
      {"undo",
       [] {
         Chord({plat::VK_CONTROL, plat::VK_Z});
       }},
  };
  Bytes previous;
  for (const Step& step : kSteps) {
    plat::Sleep(1000);
    step.run();
    IdlePasses(1);
    const Bytes bytes = CopyBytes();
    ASSERT_EQ(bytes.size(), 2 * std::size_t{kWidth * kHeight} + kTrailer) << step.what;
    const Bytes image(bytes.begin(), bytes.begin() + kWidth * kHeight);
    EXPECT_EQ(image, pixtest::ReadWorkingView(kWidth, kHeight).pixels) << step.what;
    EXPECT_NE(bytes, previous) << step.what;
    previous = bytes;
    const Bytes trailer(bytes.end() - kTrailer, bytes.end());
    EXPECT_EQ(std::string(trailer.begin(), trailer.begin() + 8), "PIXEDREC");
    EXPECT_EQ(std::string(trailer.end() - 4, trailer.end()), "RECX");
    recovery::Copy copy;
    ASSERT_EQ(recovery::Decode(bytes, &copy), recovery::Problem::None) << step.what;
    EXPECT_EQ(copy.width, kWidth);
    EXPECT_EQ(copy.height, kHeight);
    EXPECT_STREQ(copy.loadFileName, "test1.pix");
    EXPECT_STREQ(copy.saveFileName, "test1.pix");
    EXPECT_GE(copy.takenAt, before);
    EXPECT_LE(copy.takenAt, std::time(nullptr));
  }
  // The stroke's cells in the current colour (255), the tool's in 29; the undo took the tool's away.
  const pixtest::Image shown = pixtest::ReadWorkingView(kWidth, kHeight);
  EXPECT_EQ(shown.pixels[38 * kWidth + 32], 255);
  EXPECT_EQ(shown.pixels[40 * kWidth + 25], 0);
}

TEST_F(RecoveryTest, ASaveRemovesTheCopyAndAFailedOneKeepsIt) {
  Start();
  Stroke(300, 200);
  ASSERT_FALSE(CopyBytes().empty());
  plat::headless::FailCall("OpenFile(test1.pix,a+b)");
  Save();
  EXPECT_FALSE(CopyBytes().empty()) << "nothing was saved";
  plat::headless::StopFailingCall("OpenFile(test1.pix,a+b)");
  Save();
  EXPECT_EQ(pixtest::ReadFileBytes("test1.pix").size(), std::size_t{kWidth * kHeight});
  EXPECT_TRUE(CopyBytes().empty());
  IdlePasses(3);
  EXPECT_TRUE(CopyBytes().empty()) << "no copy while the work is saved";
  End();
  EXPECT_TRUE(CopyBytes().empty()) << "none at the end either";
}

// Writes wait for the stroke's end, come at most once a second, and within
// two seconds of the step.
TEST_F(RecoveryTest, TheCopyIsNeverWrittenDuringAStroke) {
  Start();
  const auto replaces = [] {
    std::size_t count = 0;
    for (const std::string& call : plat::headless::CallLog()) {
      count += call.starts_with("QueueFileReplace(") ? 1 : 0;
    }
    return count;
  };
  plat::headless::ClearLog();
  for (int pass = 0; pass < 6; ++pass) {
    PassAt(300 + 5 * pass, 200, true);
    plat::Sleep(1500);
  }
  EXPECT_EQ(replaces(), 0u) << "the left button is down";
  PassAt(330, 200, false);
  EXPECT_EQ(replaces(), 1u) << "the stroke ended";
  // Two more steps at once: the second waits for its second.
  Stroke(300, 250);
  Stroke(300, 260);
  EXPECT_EQ(replaces(), 1u);
  for (int wait = 0; wait < 10 && replaces() == 1; ++wait) {
    plat::Sleep(100);
    IdlePasses(1);
  }
  EXPECT_EQ(replaces(), 2u);
  IdlePasses(5);
  plat::Sleep(5000);
  IdlePasses(1);
  EXPECT_EQ(replaces(), 2u) << "nothing changed since";
  const Bytes bytes = CopyBytes();
  ASSERT_EQ(bytes.size(), 2 * std::size_t{kWidth * kHeight} + kTrailer);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + kWidth * kHeight),
            pixtest::ReadWorkingView(kWidth, kHeight).pixels);
}

// A copy left by an earlier run: R puts it back as one step of the history,
// any other key sets it aside under its time, byte for byte.
TEST_F(RecoveryTest, TheNextStartOffersTheCopyBack) {
  LeaveACopy();
  const Bytes left = CopyBytes();
  ASSERT_EQ(left.size(), 2 * std::size_t{kWidth * kHeight} + kTrailer);
  const Bytes painted(left.begin(), left.begin() + kWidth * kHeight);

  // Put back, with R held at the start first: that press does not answer.
  ASSERT_TRUE(pixtest::StartEditor());
  plat::headless::SetStateFolder(state_);
  editorState.width = 16;
  plat::headless::QueueKeys({plat::DIK_R});
  plat::headless::QueueKeys({plat::DIK_LSHIFT});
  plat::headless::QueueKeys({plat::DIK_LSHIFT, plat::DIK_R});
  plat::headless::QueueKeys({plat::DIK_X});
  StartRecovery();
  EXPECT_EQ(plat::headless::KeyboardReadsLeft(), 1u) << "Shift+R answered, Shift alone did not";
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), kMessageLines, 0)) << "the question is gone";
  EXPECT_EQ(editorState.width, kWidth) << "the size came back";
  EXPECT_STREQ(editorState.saveFileName, "test1.pix");
  IdlePasses(1);
  EXPECT_EQ(pixtest::ReadWorkingView(kWidth, kHeight).pixels, painted);
  EXPECT_EQ(pixtest::ReadGridCells(kWidth, kHeight).pixels, painted);
  EXPECT_EQ(Mark(), "Unsaved");
  Chord({plat::VK_CONTROL, plat::VK_Z});
  EXPECT_EQ(pixtest::ReadWorkingView(kWidth, kHeight).pixels, Bytes(kWidth * kHeight, 0))
      << "Ctrl+Z shows the screen as it was before";
  Chord({plat::VK_CONTROL, plat::VK_Y});
  End();

  // Set aside with another key: renamed with its time and size, the same bytes.
  ASSERT_TRUE(pixtest::StartEditor());
  plat::headless::SetStateFolder(state_);
  plat::headless::QueueKeys({});
  plat::headless::QueueKeys({plat::DIK_X});
  StartRecovery();
  IdlePasses(1);
  EXPECT_EQ(pixtest::ReadWorkingView(kWidth, kHeight).pixels, Bytes(kWidth * kHeight, 0)) << "a usual start";
  EXPECT_TRUE(CopyBytes().empty());
  const std::vector<std::string> aside = FilesEndingIn(".102x78.pix");
  ASSERT_EQ(aside.size(), 1u) << ::testing::PrintToString(StateFiles());
  const Bytes kept = pixtest::ReadFileBytes(state_ + "/" + aside[0]);
  EXPECT_EQ(Bytes(kept.begin(), kept.begin() + kWidth * kHeight), painted) << "a pix image from byte 0";
  EXPECT_EQ(Note(0), "Old copy set aside ");
}

TEST_F(RecoveryTest, TheQuestionShowsTheCopysTimeAndEndingTheProgramSetsItAside) {
  LeaveACopy();
  Bytes bytes = CopyBytes();
  recovery::Copy copy;
  ASSERT_EQ(recovery::Decode(bytes, &copy), recovery::Problem::None);
  copy.takenAt = 1714566896;  // 2024-05-01 12:34:56 UTC
  const std::string name = FilesEndingIn(".recovery").at(0);
  ASSERT_TRUE(pixtest::WriteFileBytes(state_ + "/" + name, recovery::Encode(copy)));

  ASSERT_TRUE(pixtest::StartEditor());
  plat::headless::SetStateFolder(state_);
  static std::vector<std::uint8_t> asked;
  asked.clear();
  plat::headless::SetSleepObserver([](std::uint32_t) {
    if (asked.empty()) {
      asked = plat::headless::Screen();
    }
  });
  plat::headless::QueueKeys({});
  plat::headless::QueueKeys({});
  plat::headless::RequestEndAtRead(2);
  StartRecovery();
  EXPECT_EQ(plat::headless::KeyboardReadsLeft(), 0u);
  plat::headless::SetSleepObserver(nullptr);
  EXPECT_TRUE(pixtest::TextShownAt(asked, "Unsaved work from 2024-05-01 12:34 (102 x 78) was kept.", 30, 40));
  EXPECT_TRUE(pixtest::TextShownAt(asked, "Press R to put it back, any other key to set it aside.", 30, 56));
  EXPECT_TRUE(CopyBytes().empty());
  EXPECT_EQ(FilesEndingIn(".20240501-123456.102x78.pix").size(), 1u)
      << ::testing::PrintToString(StateFiles());
}

// A copy that cannot be put back is set aside with one line, and the editor
// starts as usual.
TEST_F(RecoveryTest, ADamagedCopyIsSetAside) {
  struct Case {
    const char* what;
    std::function<void(Bytes&)> damage;
    const char* why;
  };
  const Case kCases[] = {
      {"cut short", [](Bytes& b) { b.resize(b.size() - 10); }, "wrong length"},
      {"cut to nothing", [](Bytes& b) { b.clear(); }, "wrong length"},
      {"bytes added", [](Bytes& b) { b.push_back(7); }, "wrong length"},
      {"a pixel changed", [](Bytes& b) { b[100] ^= 1; }, "damaged"},
      {"the size changed", [](Bytes& b) { b[b.size() - kTrailer + 12] = 103; }, "damaged"},
      {"a later version", [](Bytes& b) { b[b.size() - kTrailer + 8] = 3; }, "not a recovery copy"},
      {"another file", [](Bytes& b) { b = Bytes(2'000'000, 'x'); }, "not a recovery copy"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(state_);
    LeaveACopy();
    const std::string name = FilesEndingIn(".recovery").at(0);
    Bytes bytes = CopyBytes();
    c.damage(bytes);
    ASSERT_TRUE(pixtest::WriteFileBytes(state_ + "/" + name, bytes));

    ASSERT_TRUE(pixtest::StartEditor());
    plat::headless::SetStateFolder(state_);
    static std::vector<std::uint8_t> shown;
    shown.clear();
    plat::headless::SetSleepObserver([](std::uint32_t ms) {
      if (ms == 2000) {
        shown = plat::headless::Screen();
      }
    });
    StartRecovery();
    plat::headless::SetSleepObserver(nullptr);
    EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), kMessageLines, 0)) << "erased after";
    const std::string line =
        std::string("The recovery copy could not be read (") + c.why + "): it is set aside.";
    EXPECT_TRUE(pixtest::TextShownAt(shown, line, 30, 40));
    IdlePasses(1);
    EXPECT_EQ(pixtest::ReadWorkingView(kWidth, kHeight).pixels, Bytes(kWidth * kHeight, 0));
    EXPECT_EQ(editorState.width, kWidth);
    const std::vector<std::string> aside = FilesEndingIn(".recovery");
    ASSERT_EQ(aside.size(), 1u) << ::testing::PrintToString(StateFiles());
    EXPECT_NE(aside[0].find(".unreadable-"), std::string::npos) << aside[0];
    EXPECT_EQ(pixtest::ReadFileBytes(state_ + "/" + aside[0]), bytes) << "kept as it was";
    Stroke(300, 200);
    EXPECT_EQ(CopyBytes().size(), 2 * std::size_t{kWidth * kHeight} + kTrailer) << "new copies are kept";
    End();
  }
}

// A copy of 999 x 999 is put back whole: the working image, and the
// reference image it holds, or (a copy of version 1 holds none) its own
// image as the reference.
TEST_F(RecoveryTest, TheLargestCopyIsPutBackWhole) {
  constexpr int kSide = 999;
  for (const bool withReference : {true, false}) {
    SCOPED_TRACE(withReference ? "version 2" : "version 1");
    recovery::Copy copy;
    copy.width = kSide;
    copy.height = kSide;
    std::strcpy(copy.loadFileName, "big.pix");
    std::strcpy(copy.saveFileName, "big.pix");
    copy.pixels = pixtest::Pattern(std::size_t{kSide} * kSide, 7, 3, 81);
    if (withReference) {
      copy.reference = pixtest::Pattern(std::size_t{kSide} * kSide, 5, 1, 90);
    }
    ASSERT_TRUE(pixtest::StartEditor());
    plat::headless::SetStateFolder(state_);
    std::filesystem::create_directories(state_);
    const std::string name = recovery::BaseNameFor(plat::WorkingFolderPath()) + ".recovery";
    ASSERT_TRUE(pixtest::WriteFileBytes(state_ + "/" + name, recovery::Encode(copy)));
    plat::headless::QueueKeys({});
    plat::headless::QueueKeys({plat::DIK_R});
    StartRecovery();
    ASSERT_EQ(editorState.width, kSide);
    EXPECT_TRUE(WorkingImage().pixels == copy.pixels);
    EXPECT_TRUE(ReferenceImage().pixels == (withReference ? copy.reference : copy.pixels));
    EndRecovery();
    pixtest::StopEditor();
  }
}

// The copy holds the working image whole, whatever its size; sealed with the
// checksum it is the file Encode makes.
TEST_F(RecoveryTest, TheCopyHoldsTheWorkingImage) {
  ASSERT_TRUE(pixtest::StartEditor());
  for (const int side : {999, 120, 5}) {
    SCOPED_TRACE(side);
    editorState.width = side;
    editorState.height = side;
    const Bytes image = pixtest::Pattern(static_cast<std::size_t>(side) * side, 13, 5);
    pixtest::PutWorkingView({side, side, image});
    recovery::Copy copy = recovery::CaptureWork();
    EXPECT_EQ(copy.pixels, image);
    const Bytes whole = recovery::Encode(copy);
    Bytes sealed = recovery::EncodeUnsealed(copy);
    recovery::Seal(sealed);
    EXPECT_EQ(sealed, whole);
  }
}

// A read-only or full state folder: the editor works on and says once, on
// the screen and on stderr, that it keeps no copy.
TEST_F(RecoveryTest, AReadOnlyOrFullStateFolderIsToldOnce) {
  struct Case {
    plat::headless::DiskFault fault;
    const char* reason;
    const char* error;
  };
  const Case kCases[] = {
      {plat::headless::DiskFault::ReadOnly, "no right to write", "Read-only file system"},
      {plat::headless::DiskFault::Full, "the disk is full", "No space left on device"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.reason);
    ASSERT_TRUE(pixtest::StartEditor());
    plat::headless::SetStateFolder(state_);
    plat::headless::SetStateFolderFault(c.fault);
    ::testing::internal::CaptureStderr();
    StartRecovery();
    for (int step = 0; step < 3; ++step) {
      Stroke(300, 200 + 10 * step);
      plat::FinishQueuedFiles();
      plat::Sleep(1000);
      IdlePasses(1);
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Note(0), "No recovery copy:  ");
    EXPECT_EQ(Note(1), std::string(c.reason) + std::string(19 - std::string(c.reason).size(), ' '));
    EXPECT_EQ(Mark(), "Unsaved");
    const std::string told = "cannot keep a recovery copy in " + state_ + ": " + c.error;
    EXPECT_NE(said.find(told), std::string::npos) << said;
    EXPECT_EQ(said.find(told), said.rfind(told)) << "told once: " << said;
    Save();
    EXPECT_EQ(pixtest::ReadFileBytes("test1.pix").size(), std::size_t{kWidth * kHeight})
        << "the editor works on";
    End();
    std::filesystem::remove("test1.pix");
  }
}

// A second editor in the same working folder leaves the first one's copy alone.
TEST_F(RecoveryTest, ASecondEditorInTheFolderKeepsNoCopy) {
  LeaveACopy();
  const Bytes first = CopyBytes();
  const std::vector<std::string> locks = FilesEndingIn(".lock");
  ASSERT_EQ(locks.size(), 1u);
  int error = 0;
  ASSERT_EQ(plat::TakeFileLock(state_ + "/" + locks[0], &error), plat::LockOutcome::Taken);
  Start();
  Stroke(300, 300);
  plat::Sleep(2000);
  IdlePasses(2);
  EXPECT_EQ(Note(0), "No recovery copy:  ");
  EXPECT_EQ(Note(1), "another pixed runs ");
  End();
  EXPECT_EQ(CopyBytes(), first) << "neither offered, set aside nor written over";
  plat::ReleaseFileLock(state_ + "/" + locks[0]);
}

// A Save whose remove of the copy fails (the state folder made read-only
// meanwhile) marks the copy: no start offers it back, and one that may
// removes it.
TEST_F(RecoveryTest, ACopyThatASaveCouldNotRemoveIsNotOfferedBack) {
  struct Case {
    const char* what;
    plat::headless::DiskFault atNextStart;
    std::size_t copiesLeft;
  };
  const Case kCases[] = {
      {"the folder writable again", plat::headless::DiskFault::None, 0},
      {"the folder still read-only", plat::headless::DiskFault::FolderReadOnly, 1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(state_);
    Start();
    Stroke(300, 200);
    ASSERT_FALSE(CopyBytes().empty());
    plat::headless::SetStateFolderFault(plat::headless::DiskFault::FolderReadOnly);
    ::testing::internal::CaptureStderr();
    Save();
    plat::FinishQueuedFiles();
    IdlePasses(1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("could not be removed (Permission denied): it is marked as saved"), std::string::npos)
        << said;
    End();

    ASSERT_TRUE(pixtest::StartEditor());
    plat::headless::SetStateFolder(state_);
    plat::headless::SetStateFolderFault(c.atNextStart);
    plat::headless::QueueKeys({});
    plat::headless::QueueKeys({plat::DIK_X});
    StartRecovery();
    EXPECT_EQ(plat::headless::KeyboardReadsLeft(), 2u) << "no question was asked";
    EXPECT_EQ(FilesEndingIn(".recovery").size(), c.copiesLeft) << ::testing::PrintToString(StateFiles());
    EXPECT_TRUE(FilesEndingIn(".pix").empty()) << "nothing set aside";
    End();
  }
}

// A copy that cannot be set aside stays as it was, and no copy is kept over it.
TEST_F(RecoveryTest, ACopyThatCannotBeSetAsideStays) {
  LeaveACopy();
  const Bytes left = CopyBytes();
  ASSERT_TRUE(pixtest::StartEditor());
  plat::headless::SetStateFolder(state_);
  plat::headless::SetStateFolderFault(plat::headless::DiskFault::FolderReadOnly);
  plat::headless::QueueKeys({});
  plat::headless::QueueKeys({plat::DIK_X});
  StartRecovery();
  EXPECT_EQ(recovery::KeeperStanding(), recovery::Standing::CannotSetAside);
  EXPECT_EQ(recovery::KeeperError(), EACCES);
  Stroke(300, 300);
  plat::Sleep(2000);
  IdlePasses(2);
  EXPECT_EQ(Note(0), "No recovery copy:  ");
  EXPECT_EQ(Note(1), "no right to write  ");
  EXPECT_EQ(CopyBytes(), left);
}

// The writer's thread survives a job that throws: the old copy stays whole,
// the failure is told once, and the next write works.
TEST_F(RecoveryTest, AWriteThatThrowsLeavesTheOldCopy) {
  Start();
  Stroke(300, 200);
  const Bytes old = CopyBytes();
  ASSERT_FALSE(old.empty());
  ::testing::internal::CaptureStderr();
  for (int attempt = 0; attempt < 2; ++attempt) {
    plat::QueueFileReplace(recovery::CopyPath(), Bytes(10, 1),
                           [](std::vector<std::uint8_t>&) { throw std::bad_alloc(); });
    plat::FinishQueuedFiles();
    IdlePasses(1);
  }
  EXPECT_EQ(CopyBytes(), old);
  EXPECT_EQ(Note(1), "the write failed   ");
  plat::Sleep(1000);
  Stroke(300, 250);
  plat::FinishQueuedFiles();
  IdlePasses(1);
  const std::string said = ::testing::internal::GetCapturedStderr();
  const std::string told = "cannot keep a recovery copy in " + state_ + ": Cannot allocate memory";
  EXPECT_NE(said.find(told), std::string::npos) << said;
  EXPECT_EQ(said.find(told), said.rfind(told)) << "told once: " << said;
  EXPECT_NE(CopyBytes(), old) << "the next write worked";
  EXPECT_EQ(Note(0), std::string(19, ' '));
}

// A file where the state folder should be is told as such, whatever errno
// held before.
TEST_F(RecoveryTest, AFileInTheStateFoldersPlaceIsToldAsSuch) {
  ASSERT_TRUE(pixtest::WriteFileBytes(state_, "x"));
  ::testing::internal::CaptureStderr();
  errno = ENOSPC;
  Start();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("cannot keep a recovery copy in " + state_ + ": Not a directory"), std::string::npos)
      << said;
}

}  // namespace
