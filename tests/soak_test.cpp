// A long run of the whole editor on random input: it must keep going, keep its
// state sound, carry its settings from one start to the next, and use no more
// memory at the end than after warming up.
//
// PIXED_SOAK_PASSES sets the number of passes (100,000 by default),
// PIXED_SOAK_SEED replays the run of a seed printed earlier.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "platform/headless/headless.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/random_input.h"
#include "support/scratch_dir.h"

// AddressSanitizer holds freed memory back (256 MB of it by default) to catch
// late uses, so the resident size climbs until that quarantine is full. The
// passes free some 30 KB each: a smaller quarantine, still more than a
// thousand passes deep, keeps the warm-up short. ASAN_OPTIONS still rules.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=32";
}

namespace {

using pixtest::Bytes;

// The editor is shut down and started again after this many passes, which
// also clears away the pix files it saved.
constexpr std::uint64_t kPassesPerStart = 10000;

std::uint64_t FromEnvironment(const char* name, std::uint64_t otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : otherwise;
}

// Resident memory of this process in KiB.
long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// What is wrong with the state after a pass; empty when nothing is.
std::string BrokenInvariant(const pixtest::RandomInput& input) {
  const EditorState& s = editorState;
  if (s.cursorX < 0 || s.cursorX > 795 || s.cursorY < 0 || s.cursorY > 595) {
    return "cursor off the screen at " + std::to_string(s.cursorX) + "," + std::to_string(s.cursorY);
  }
  if (s.pendingAction != ButtonAction::None) {
    return "an action left pending";
  }
  if (plat::headless::CursorClipped()) {
    return "the cursor still confined after the settings menu";
  }
  if (std::memchr(s.loadFileName, 0, 25) == nullptr || std::memchr(s.saveFileName, 0, 25) == nullptr) {
    return "a file name without its terminating zero";
  }
  if (input.PlannedPolls() != 0) {
    return "a click that should have opened an entry did not";
  }
  return "";
}

// The settings as the files must hold them after a shutdown.
Bytes ExpectedSettings() {
  Bytes bytes(editorState.saveFileName, editorState.saveFileName + 25);
  bytes.insert(bytes.end(), editorState.loadFileName, editorState.loadFileName + 25);
  bytes.push_back(static_cast<std::uint8_t>(editorState.width & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(editorState.height & 0xFF));
  return bytes;
}

Bytes SettingsOnDisk() {
  Bytes bytes = pixtest::ReadFileBytes("SaveName.dat");
  for (const char* file : {"LoadName.dat", "SaveSize.dat"}) {
    const Bytes more = pixtest::ReadFileBytes(file);
    bytes.insert(bytes.end(), more.begin(), more.end());
  }
  return bytes;
}

void RemovePixFiles() {
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    if (entry.path().extension() == ".pix") {
      std::filesystem::remove(entry.path());
    }
  }
}

TEST(SoakTest, RandomPassesKeepTheEditorSoundAndItsMemoryFlat) {
  const std::uint64_t passes = FromEnvironment("PIXED_SOAK_PASSES", 100000);
  const std::uint64_t seed = FromEnvironment("PIXED_SOAK_SEED", std::random_device{}());
  std::printf("soak: %llu passes, seed %llu (replay: PIXED_SOAK_SEED=%llu)\n",
              static_cast<unsigned long long>(passes), static_cast<unsigned long long>(seed),
              static_cast<unsigned long long>(seed));
  std::fflush(stdout);
  const std::string replay = "seed " + std::to_string(seed);

  // A small history fills during the warm-up and then stays full: the steps
  // it drops make room for new ones.
  ASSERT_EQ(setenv("PIXED_HISTORY_MB", "1", 1), 0);
  pixtest::ScratchDir scratch;
  ASSERT_GT(pixtest::CopyButtonBitmaps(), 0u);
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("a.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("b.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{24, 16}));
  Bytes settings = SettingsOnDisk();

  pixtest::RandomInput input(seed);
  // Long enough for the quarantine to fill.
  const std::uint64_t warmUp = std::max<std::uint64_t>(passes / 10, 5000);
  long warmKiB = 0;
  std::uint64_t saves = 0;
  std::uint64_t pass = 0;
  while (pass < passes) {
    ASSERT_TRUE(pixtest::StartEditor()) << replay;
    EXPECT_EQ(ExpectedSettings(), settings) << "the settings read back at pass " << pass << ", " << replay;
    plat::headless::SetLogging(false);
    plat::headless::SetInputSource(&input);
    for (std::uint64_t i = 0; i < kPassesPerStart && pass < passes; ++i, ++pass) {
      ASSERT_TRUE(RunEditorPass()) << "the editor ended by itself at pass " << pass << ", " << replay;
      const std::string broken = BrokenInvariant(input);
      ASSERT_EQ(broken, "") << "at pass " << pass << ", " << replay;
      if (pass + 1 == warmUp) {
        warmKiB = ResidentKiB();
      }
    }
    // Escape, as a user ends the editor: pressed, and when an entry or the
    // menu that a click of the same pass opened took the press (it cancels
    // them and nothing more), let go and pressed again.
    bool escape = true;
    input.SetEscape(escape);
    int endingPasses = 0;
    while (RunEditorPass()) {
      ASSERT_LT(++endingPasses, 8) << "Escape did not end the editor, " << replay;
      escape = !escape;
      input.SetEscape(escape);
    }
    input.SetEscape(false);
    for (const auto& sound : plat::headless::Sounds()) {
      saves += sound.resource == 8002 ? 1 : 0;
    }
    pixtest::StopEditor();
    settings = ExpectedSettings();
    EXPECT_EQ(SettingsOnDisk(), settings) << "the settings written at pass " << pass << ", " << replay;
    RemovePixFiles();
  }
  const auto& entries = input.EntriesOpened();
  std::printf("soak: %llu saves; entries: %llu numbers, %llu names, %llu sizes\n",
              static_cast<unsigned long long>(saves), static_cast<unsigned long long>(entries.numbers),
              static_cast<unsigned long long>(entries.names), static_cast<unsigned long long>(entries.sizes));
  if (passes >= kPassesPerStart) {
    // The random input still reaches the buttons, the menu and the entries.
    EXPECT_GT(saves, 0u) << replay;
    EXPECT_GT(entries.numbers, 0u) << replay;
    EXPECT_GT(entries.names, 0u) << replay;
    EXPECT_GT(entries.sizes, 0u) << replay;
  }
  const long endKiB = ResidentKiB();
  std::printf("soak: resident memory %ld KiB after %llu passes, %ld KiB at the end\n", warmKiB,
              static_cast<unsigned long long>(warmUp), endKiB);
  RecordProperty("warm_kib", std::to_string(warmKiB));
  RecordProperty("end_kib", std::to_string(endKiB));
  // The editor keeps nothing from pass to pass; what the allocator and the
  // sanitizers hold back settles during the warm-up.
  if (passes > warmUp) {
    EXPECT_LE(endKiB - warmKiB, 4096) << replay;
  }
}

}  // namespace
