// Tests of the three settings files: reading, writing, messages and damaged files.
#include "storage/settings_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/editor_state.h"
#include "draw/primitives.h"
#include "platform/gdi.h"
#include "platform/headless/headless.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_compare.h"

namespace {

using pixtest::Bytes;
using pixtest::NameFileBytes;
using pixtest::ReadFileBytes;
using pixtest::ShowBytes;

Bytes NameBuffer(const char (&name)[25]) {
  return Bytes(name, name + 25);
}

// A black screen with text drawn at (30, 40) in white straight through the
// platform's GDI, as the messages must look.
pixtest::ScreenPixels ScreenWithMessage(const char* text) {
  pixtest::ScreenPixels pixels(800 * 600, 0);
  plat::HDC dc = plat::CreateSurfaceDC(pixels.data(), 800, 600, 800, paletteTable);
  plat::SetTextColor(dc, plat::RGB(255, 255, 255));
  plat::SetBkColor(dc, 0);
  plat::SetBkMode(dc, plat::OPAQUE);
  plat::TextOutA(dc, 30, 40, text, static_cast<int>(std::strlen(text)));
  plat::DestroySurfaceDC(dc);
  return pixels;
}

struct Operation {
  const char* name;
  void (*run)();
  const char* file;
  const char* failureMessage;
};

const Operation kReads[] = {
    {"ReadSaveNameFile", ReadSaveNameFile, "SaveName.dat", "SaveName file could not be opened\n"},
    {"ReadLoadNameFile", ReadLoadNameFile, "LoadName.dat", "LoadName file could not be opened\n"},
    {"ReadSizeFile", ReadSizeFile, "SaveSize.dat", "SaveSize file could not be opened\n"},
};
// The writers' results, in the order of kWrites.
int (*const kWriters[])() = {WriteSaveNameFile, WriteLoadNameFile, WriteSizeFile};
const Operation kWrites[] = {
    {"WriteSaveNameFile", [] { WriteSaveNameFile(); }, "SaveName.dat", "Problem opening the SaveName file\n"},
    {"WriteLoadNameFile", [] { WriteLoadNameFile(); }, "LoadName.dat", "Problem opening the LoadName file\n"},
    {"WriteSizeFile", [] { WriteSizeFile(); }, "SaveSize.dat", "SaveSize file could not be opened\n"},
};

class SettingsFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(pixtest::OpenTestDisplay()); }
  void TearDown() override { pixtest::CloseTestDisplay(); }

  // Runs op on a black screen and checks that it showed its message during
  // a pause of 2 s, and left the screen black again.
  void ExpectFailureMessage(const Operation& op) {
    FillSurface(displayDevice.primarySurface, 0);
    const std::uint64_t before = plat::headless::Now();
    screenAtPause.clear();
    plat::headless::SetSleepObserver([](std::uint32_t) { screenAtPause = plat::headless::Screen(); });
    op.run();
    plat::headless::SetSleepObserver(nullptr);
    EXPECT_EQ(plat::headless::Now() - before, 2000u) << op.name;
    const pixtest::ScreenPixels expected = ScreenWithMessage(op.failureMessage);
    ASSERT_NE(pixtest::BoundsOfPixelsNot(expected, 0).right, 0);
    EXPECT_TRUE(pixtest::SameOutside(expected, screenAtPause, {0, 0, 0, 0})) << op.name;
    EXPECT_EQ(pixtest::BoundsOfPixelsNot(plat::headless::Screen(), 0).right, 0)
        << op.name << ": the message is erased after its pause";
  }

  static inline pixtest::ScreenPixels screenAtPause;

  pixtest::ScratchDir scratch_;
};

TEST_F(SettingsFilesTest, FirstRunShowsEachMessageForTwoSecondsAndKeepsTheDefaults) {
  for (const Operation& op : kReads) {
    ExpectFailureMessage(op);
  }
  EXPECT_EQ(plat::headless::Now(), 6000u);
  EXPECT_EQ(NameBuffer(editorState.saveFileName), NameFileBytes("test1.pix"));
  EXPECT_EQ(NameBuffer(editorState.loadFileName), NameFileBytes("test1.pix"));
  EXPECT_EQ(editorState.width, 102);
  EXPECT_EQ(editorState.height, 78);
  EXPECT_FALSE(pixtest::FileExists("SaveName.dat")) << "a failed read creates nothing";
}

TEST_F(SettingsFilesTest, WritingCreatesTheFilesWithTheDefaults) {
  for (const auto write : kWriters) {
    EXPECT_EQ(write(), 1);
  }
  EXPECT_EQ(ReadFileBytes("SaveName.dat"), NameFileBytes("test1.pix"));
  EXPECT_EQ(ReadFileBytes("LoadName.dat"), NameFileBytes("test1.pix"));
  EXPECT_EQ(ReadFileBytes("SaveSize.dat"), (Bytes{0x66, 0x4E})) << ShowBytes(ReadFileBytes("SaveSize.dat"));
  EXPECT_EQ(plat::headless::Now(), 0u) << "no pause without a failure";
  EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), pixtest::kWholeScreen, 0));
}

TEST_F(SettingsFilesTest, NamesOfEveryLengthTravelAsTwentyFiveBytes) {
  for (const std::string name : {"a.pix", "sprites.pix", "abcdefghijklmnopqrst.pix", ""}) {
    std::memset(editorState.saveFileName, 0, 25);
    std::memset(editorState.loadFileName, 0, 25);
    name.copy(editorState.saveFileName, 24);
    name.copy(editorState.loadFileName, 24);
    WriteSaveNameFile();
    WriteLoadNameFile();
    EXPECT_EQ(ReadFileBytes("SaveName.dat"), NameFileBytes(name)) << ShowBytes(ReadFileBytes("SaveName.dat"));
    EXPECT_EQ(ReadFileBytes("LoadName.dat"), NameFileBytes(name));

    std::strcpy(editorState.saveFileName, "before");
    std::strcpy(editorState.loadFileName, "before");
    ReadSaveNameFile();
    ReadLoadNameFile();
    EXPECT_STREQ(editorState.saveFileName, name.c_str());
    EXPECT_STREQ(editorState.loadFileName, name.c_str());
  }
}

TEST_F(SettingsFilesTest, AnUnchangedRunRewritesTheSameBytes) {
  // Bytes after the terminating zero are kept as they were read.
  Bytes saveName = NameFileBytes("out.pix");
  for (std::size_t i = 8; i < 25; ++i) {
    saveName[i] = static_cast<std::uint8_t>('A' + i);
  }
  const Bytes loadName = NameFileBytes("sprites.pix");
  const Bytes size = {16, 200};
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", saveName));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", loadName));
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", size));
  for (const Operation& op : kReads) {
    op.run();
  }
  EXPECT_STREQ(editorState.saveFileName, "out.pix");
  EXPECT_STREQ(editorState.loadFileName, "sprites.pix");
  EXPECT_EQ(editorState.width, 16);
  EXPECT_EQ(editorState.height, 200);
  // Other bytes in the files, so that a write that writes nothing shows.
  for (const Operation& op : kReads) {
    ASSERT_TRUE(pixtest::WriteFileBytes(op.file, Bytes(30, '?')));
  }
  for (const Operation& op : kWrites) {
    op.run();
  }
  EXPECT_EQ(ReadFileBytes("SaveName.dat"), saveName) << ShowBytes(ReadFileBytes("SaveName.dat"));
  EXPECT_EQ(ReadFileBytes("LoadName.dat"), loadName);
  EXPECT_EQ(ReadFileBytes("SaveSize.dat"), size);
  EXPECT_EQ(plat::headless::Now(), 0u);
}

TEST_F(SettingsFilesTest, SizesAreStoredAsTheirLowBytes) {
  struct Case {
    int width;
    int height;
    Bytes bytes;
  };
  const Case cases[] = {
      {300, 78, {44, 78}},     // 300 mod 256
      {10, 13, {0x0A, 0x0D}},  // binary: no line-end translation
      {255, 0, {0xFF, 0x00}}, {-1, 256, {0xFF, 0x00}}, {102, 78, {0x66, 0x4E}}, {1000000, -300, {0x40, 0xD4}},
  };
  for (const Case& c : cases) {
    editorState.width = c.width;
    editorState.height = c.height;
    WriteSizeFile();
    const Bytes written = ReadFileBytes("SaveSize.dat");
    EXPECT_EQ(written, c.bytes) << c.width << " x " << c.height << " gave " << ShowBytes(written);
    editorState.width = 7;
    editorState.height = 7;
    ReadSizeFile();
    EXPECT_EQ(editorState.width, c.bytes[0]) << c.width;
    EXPECT_EQ(editorState.height, c.bytes[1]) << c.height;
  }
}

TEST_F(SettingsFilesTest, AShortNameFileReplacesOnlyTheBytesItHolds) {
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", std::string("ab")));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", std::string("")));
  ReadSaveNameFile();
  ReadLoadNameFile();
  EXPECT_STREQ(editorState.saveFileName, "abst1.pix");
  EXPECT_STREQ(editorState.loadFileName, "test1.pix") << "an empty file changes nothing";
  EXPECT_EQ(plat::headless::Now(), 0u) << "a short file is not a failure";
}

TEST_F(SettingsFilesTest, ALongNameFileGivesOnlyItsFirstTwentyFiveBytes) {
  std::string contents = std::string("xy.pix") + '\0';
  contents += std::string(40, 'Z');
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", contents));
  ReadLoadNameFile();
  EXPECT_STREQ(editorState.loadFileName, "xy.pix");
  EXPECT_EQ(NameBuffer(editorState.loadFileName), Bytes(contents.begin(), contents.begin() + 25));
}

TEST_F(SettingsFilesTest, ANameFileWithoutAZeroEndsTheNameAtByteTwentyFour) {
  const std::string full = "ABCDEFGHIJKLMNOPQRSTUVWXY";  // 25 bytes, no zero
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", full));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", full + "more"));
  ReadSaveNameFile();
  ReadLoadNameFile();
  EXPECT_STREQ(editorState.saveFileName, "ABCDEFGHIJKLMNOPQRSTUVWX");
  EXPECT_STREQ(editorState.loadFileName, "ABCDEFGHIJKLMNOPQRSTUVWX");
  WriteSaveNameFile();
  EXPECT_EQ(ReadFileBytes("SaveName.dat"), NameFileBytes("ABCDEFGHIJKLMNOPQRSTUVWX"));
}

TEST_F(SettingsFilesTest, AShortSizeFileKeepsTheValuesItDoesNotHold) {
  struct Case {
    Bytes bytes;
    int width;
    int height;
  };
  const Case cases[] = {
      {{}, 50, 60},        // empty: both kept
      {{0x20}, 0x20, 60},  // one byte: height kept
      {{1, 2, 3}, 1, 2},   // extra bytes ignored
      {{0, 0}, 0, 0},      // zero is a value, not a missing byte
      {{255, 255}, 255, 255},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", c.bytes));
    editorState.width = 50;
    editorState.height = 60;
    ReadSizeFile();
    EXPECT_EQ(editorState.width, c.width) << ShowBytes(c.bytes);
    EXPECT_EQ(editorState.height, c.height) << ShowBytes(c.bytes);
  }
  EXPECT_EQ(plat::headless::Now(), 0u);
}

// Only a regular file holds settings. A folder, a FIFO or a device in a
// file's place (a FIFO blocked start-up for good, /dev/zero gave a size of
// 0 x 0, /dev/null swallowed the names) counts as a file that cannot be
// opened, both ways, and is left as it was; a link to a regular file is
// followed. Root may open anything: this holds for every user.
TEST_F(SettingsFilesTest, OnlyRegularFilesAreReadAndWritten) {
  namespace fs = std::filesystem;
  enum class Node { Folder, Fifo, LinkToZero, LinkToNull, LinkToFile };
  const struct {
    const char* what;
    Node node;
  } cases[] = {{"a folder", Node::Folder},
               {"a FIFO", Node::Fifo},
               {"a link to /dev/zero", Node::LinkToZero},
               {"a link to /dev/null", Node::LinkToNull},
               {"a link to a regular file", Node::LinkToFile}};
  const Bytes stored[] = {NameFileBytes("linked.pix"), NameFileBytes("linked.pix"), Bytes{20, 30}};
  for (const auto& c : cases) {
    for (std::size_t i = 0; i < 3; ++i) {
      const char* file = kReads[i].file;
      const std::string target = std::string("target-") + file;
      switch (c.node) {
        case Node::Folder:
          ASSERT_TRUE(fs::create_directory(file));
          break;
        case Node::Fifo:
          ASSERT_EQ(mkfifo(file, 0666), 0);
          break;
        case Node::LinkToZero:
          fs::create_symlink("/dev/zero", file);
          break;
        case Node::LinkToNull:
          fs::create_symlink("/dev/null", file);
          break;
        case Node::LinkToFile:
          ASSERT_TRUE(pixtest::WriteFileBytes(target, stored[i]));
          fs::create_symlink(target, file);
          break;
      }
      const fs::file_status before = fs::symlink_status(file);
      editorState = EditorState{};
      if (c.node == Node::LinkToFile) {
        // Read and written back through the link: the defaults would differ.
        kReads[i].run();
        ASSERT_TRUE(pixtest::WriteFileBytes(target, Bytes(30, '?')));
        EXPECT_EQ(kWriters[i](), 1) << file;
        EXPECT_TRUE(fs::is_symlink(file)) << file << ": the link is kept";
        EXPECT_EQ(ReadFileBytes(target), stored[i]) << file << ": " << ShowBytes(ReadFileBytes(target));
      } else {
        ExpectFailureMessage(kReads[i]);
        ExpectFailureMessage(kWrites[i]);
        EXPECT_EQ(kWriters[i](), 0) << file << " in place of " << c.what;
        EXPECT_EQ(fs::symlink_status(file).type(), before.type()) << file << " as " << c.what;
        EXPECT_STREQ(editorState.saveFileName, "test1.pix") << c.what;
        EXPECT_STREQ(editorState.loadFileName, "test1.pix") << c.what;
        EXPECT_EQ(editorState.width, 102) << c.what;
        EXPECT_EQ(editorState.height, 78) << c.what;
      }
      fs::remove(file);
    }
  }
}

// A disk that fills up: the open works, the bytes do not all reach the file.
// Each write still shows its message and reports the failure.
TEST_F(SettingsFilesTest, AWriteThatFailsAfterTheOpenIsAFailure) {
  scratch_.OpenToEveryone();
  const int failures = pixtest::RunAsUnprivilegedChild([] {
    const rlimit limit{1, 1};
    std::signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
      return 99;
    }
    int bad = 0;
    for (std::size_t i = 0; i < 3; ++i) {
      bad |= kWriters[i]() != 0 ? 1 << i : 0;
    }
    return bad | (plat::headless::Now() != 6000 ? 8 : 0);
  });
  EXPECT_EQ(failures, 0) << "bits 0-2: a write reported success; 3: not three messages; -1: child died";
}

// A read-only file counts as missing when read (it is opened for update) and
// is left alone when written. Checked in a child that dropped root.
TEST_F(SettingsFilesTest, ReadOnlyFilesCountAsMissingAndAreNotChanged) {
  scratch_.OpenToEveryone();
  const Bytes saveName = NameFileBytes("mine.pix");
  const Bytes size = {20, 30};
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", saveName));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", saveName));
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", size));
  for (const char* file : {"SaveName.dat", "LoadName.dat", "SaveSize.dat"}) {
    ASSERT_EQ(chmod(file, 0444), 0);
  }
  const int failures = pixtest::RunAsUnprivilegedChild([] {
    int bad = 0;
    for (const Operation& op : kReads) {
      op.run();
    }
    bad |= std::strcmp(editorState.saveFileName, "test1.pix") != 0 ? 1 : 0;
    bad |= std::strcmp(editorState.loadFileName, "test1.pix") != 0 ? 2 : 0;
    bad |= editorState.width != 102 || editorState.height != 78 ? 4 : 0;
    bad |= plat::headless::Now() != 6000 ? 8 : 0;
    editorState.width = 1;
    std::strcpy(editorState.saveFileName, "other.pix");
    for (const Operation& op : kWrites) {
      op.run();
    }
    bad |= plat::headless::Now() != 12000 ? 16 : 0;
    return bad;
  });
  EXPECT_EQ(failures, 0) << "bit 0/1: a name was read, 2: a size was read, 3/4: pauses wrong; -1: child died";
  EXPECT_EQ(ReadFileBytes("SaveName.dat"), saveName);
  EXPECT_EQ(ReadFileBytes("LoadName.dat"), saveName);
  EXPECT_EQ(ReadFileBytes("SaveSize.dat"), size);
}

}  // namespace
