// Ctrl+Shift+E on the headless editor: the GIF, the sheet with its JSON and the
// PNG of the image being edited, each byte for byte what the built pixtool
// exports of the same file at the preview's rate in the folder's palette; and
// in a read-only folder, nothing written, and the reason shown and printed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>

#include "app/frame_keys.h"
#include "app/image_export.h"
#include "export/file_names.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "support/editor_fixture.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/pixtool_run.h"
#include "support/scratch_dir.h"
#include "support/screen_text.h"

namespace {

using pixtest::Bytes;
using pixtest::ReadFileBytes;

constexpr int kSide = 16;
constexpr int kImages = 4;
constexpr std::uint8_t kRedInk = 4;
constexpr std::uint8_t kWhiteInk = 15;
// Three presses of + from the default 8 a second.
constexpr int kRate = 11;

void Key(std::initializer_list<int> keys) {
  plat::headless::HoldKeys(keys);
  pixtest::IdlePasses(1);
  plat::headless::HoldKeys({});
  pixtest::IdlePasses(1);
}

void ExportKey() {
  Key({plat::VK_CONTROL, plat::VK_SHIFT, plat::VK_E});
}

// The three lines of the message place, in the ink given.
std::string MessageShown(std::uint8_t ink) {
  std::string lines;
  for (int line = 0; line < 3; ++line) {
    std::string text = pixtest::ReadScreenText(390, 447 + 16 * line, 34, ink);
    text.erase(text.find_last_not_of(' ') + 1);
    lines += text + "|";
  }
  return lines;
}

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

void WriteFolder() {
  Bytes file;
  for (int k = 0; k < kImages; ++k) {
    const Bytes image = pixtest::Pattern(kSide * kSide, 7 + 2 * k, 31 * k);
    file.insert(file.end(), image.begin(), image.end());
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("walk.pix", file));
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("walk.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("walk.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{kSide, kSide}));
  // Colours of the folder's own over entries 1 and 2, which pixtool takes from here too; black stays
  // black, the screen's texts read on it.
  ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", std::string("#000000\n#c0ffee\n#fe0102\n")));
}

// pixtool's export of walk.pix into expected/, as "pixtool export" is told to make each file.
void PixtoolExports() {
  std::filesystem::create_directory("expected");
  const std::vector<std::string> common = {"export", "walk.pix", "--size", "16x16"};
  const std::string rate = std::to_string(kRate);
  for (const std::vector<std::string>& what :
       {std::vector<std::string>{"--all", "--fps", rate, "-o", "expected/walk.gif"},
        {"--all", "--fps", rate, "-o", "expected/walk-sheet.png", "--json", "expected/walk-sheet.json"},
        {"--image", "3", "-o", "expected/walk-3.png"}}) {
    std::vector<std::string> arguments = common;
    arguments.insert(arguments.end(), what.begin(), what.end());
    const pixtest::ToolRun run = pixtest::Pixtool(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
  }
}

TEST(EditorExportTest, TheKeyWritesWhatPixtoolExports) {
  pixtest::ScratchDir scratch;
  WriteFolder();
  ASSERT_TRUE(pixtest::StartEditor());
  StartFrames();
  pixtest::IdlePasses(1);
  Key({plat::VK_END});
  Key({plat::VK_RETURN});
  for (int i = 0; i < kRate - 8; ++i) {
    Key({plat::VK_OEM_PLUS});
  }
  Key({plat::VK_RETURN});
  const Bytes loaded = pixtest::ReadWorkingView(kSide, kSide).pixels;
  pixtest::PassAt(150, 10, true);
  pixtest::PassAt(150, 10, false);
  ASSERT_NE(loaded, pixtest::ReadWorkingView(kSide, kSide).pixels) << "the stroke changed nothing";

  const struct {
    const char* name;
    bool saveFirst;
    bool imageAsSaved;
    const char* message;
  } cases[] = {
      {"unsaved", false, false,
       "Exported walk-3.png as shown, and|walk.gif and walk-sheet.png/.json|of walk.pix as saved|"},
      {"saved with Ctrl+S", true, true, "Exported walk-3.png, walk.gif and|walk-sheet.png/.json||"},
  };
  const std::set<std::string> names = {"walk.gif", "walk-sheet.png", "walk-sheet.json", "walk-3.png"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.saveFirst) {
      Key({plat::VK_CONTROL, plat::VK_S});
    }
    ExportKey();
    EXPECT_EQ(c.message, MessageShown(kWhiteInk)) << MessageShown(kRedInk);
    PixtoolExports();
    for (const std::string& name : names) {
      const bool same = ReadFileBytes(name) == ReadFileBytes("expected/" + name);
      EXPECT_EQ(same, name != "walk-3.png" || c.imageAsSaved) << name;
    }
    std::filesystem::remove_all("expected");
  }
  std::set<std::string> expected = {"walk.pix", "SaveName.dat", "LoadName.dat", "SaveSize.dat",
                                    "Palette.gpl"};
  expected.insert(names.begin(), names.end());
  EXPECT_EQ(expected, FilesIn(".")) << "no other file, no temporary one left";
  pixtest::StopEditor();
}

// A read-only folder: nothing is written, and the message and the standard error say why. Checked in
// a child that dropped root.
TEST(EditorExportTest, AReadOnlyFolderGetsNothingAndIsTold) {
  pixtest::ScratchDir scratch;
  scratch.OpenToEveryone();
  WriteFolder();
  ASSERT_TRUE(pixtest::WriteFileBytes("stderr.txt", std::string()));
  // The settings files open for writing as well as reading.
  for (const char* name : {"stderr.txt", "SaveName.dat", "LoadName.dat", "SaveSize.dat"}) {
    ASSERT_EQ(0, chmod(name, 0666));
  }
  ASSERT_EQ(0, chmod(scratch.Path().c_str(), 0555));
  const std::set<std::string> before = FilesIn(scratch.Path());
  const int status = pixtest::RunAsUnprivilegedChild([] {
    if (std::freopen("stderr.txt", "w", stderr) == nullptr || !pixtest::StartEditor()) {
      return 100;
    }
    StartFrames();
    pixtest::IdlePasses(1);
    ExportKey();
    const bool told = MessageShown(kRedInk) == "walk-0.png could not be written:|Permission denied||";
    pixtest::StopEditor();
    return told ? 0 : 1;
  });
  EXPECT_EQ(0, status) << "1: the message place said otherwise; 100 or -1: the child failed";
  EXPECT_EQ(before, FilesIn(scratch.Path()));
  // Its first line; the settings files' writes at the end fail after it.
  const Bytes printed = ReadFileBytes(scratch.File("stderr.txt"));
  const std::string text(printed.begin(), printed.end());
  EXPECT_EQ("pixed: walk-0.png could not be written: Permission denied\n",
            text.substr(0, text.find('\n') + 1));
}

// A load file named as an export would be is never written over.
TEST(EditorExportTest, TheLoadFileIsNeverAnExport) {
  pixtest::ScratchDir scratch;
  WriteFolder();
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("walk.GIF")));
  ASSERT_TRUE(std::filesystem::copy_file("walk.pix", "walk.GIF"));
  const std::set<std::string> before = FilesIn(".");
  ASSERT_TRUE(pixtest::StartEditor());
  pixtest::IdlePasses(1);
  ExportKey();
  EXPECT_EQ("walk.gif would be written over|walk.GIF: nothing exported||", MessageShown(kRedInk));
  EXPECT_EQ(before, FilesIn("."));
  EXPECT_EQ(ReadFileBytes("walk.pix"), ReadFileBytes("walk.GIF"));
  pixtest::StopEditor();
}

// The frames of the JSON are named after the pix file's stem, as pixtool named them through
// std::filesystem; the files go beside the load file.
TEST(EditorExportTest, NamesFollowTheLoadFile) {
  for (const char* path : {"walk.pix", "art/walk.pix", "walk.tar.pix", "walk", "walk.", ".pix", "..", ".",
                           "a/..", "a/.b.pix", "...", "a.b/c", "a/", ""}) {
    EXPECT_EQ(std::filesystem::path(path).stem().string(), pixexport::FileStem(path)) << path;
  }
  const ExportNames names = ExportNamesFor("art/walk.pix", 3);
  EXPECT_EQ("art/walk.gif|art/walk-sheet.png|art/walk-sheet.json|art/walk-3.png",
            names.gif + "|" + names.sheet + "|" + names.json + "|" + names.image);
}

}  // namespace
