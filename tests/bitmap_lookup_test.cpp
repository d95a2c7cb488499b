// Bitmap files by name: case aside in their folder, then in the program's own bitmap folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "draw/primitives.h"
#include "harness/bmp_writer.h"
#include "platform/headless/headless.h"
#include "platform/soft/file_lookup.h"
#include "platform/system.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kRed = 4;
constexpr int kBlue = 1;
constexpr int kGreen = 18;
constexpr int kFolder = -1;  // a folder of that name instead of a file
constexpr int kNone = -1;    // nothing drawn

struct File {
  std::string path;  // in the working folder; "own/..." in the program's bitmap folder
  int colour;
};

bool Make(const File& file) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(fs::path(file.path).parent_path(), error);
  if (file.colour == kFolder) {
    return fs::create_directory(file.path, error);
  }
  const pixtest::Rgb rgb = file.colour == kRed    ? pixtest::Rgb{255, 0, 0}
                           : file.colour == kBlue ? pixtest::Rgb{0, 0, 204}
                                                  : pixtest::Rgb{0, 255, 0};
  return pixtest::WriteFileBytes(file.path, pixtest::MakeBmp8(1, 1, {rgb}, {0}));
}

TEST(BitmapLookup, ExactNameThenCaseAsideThenTheProgramsOwnFolder) {
  const struct {
    const char* what;
    std::vector<File> files;
    const char* asked;
    int shown;
  } cases[] = {
      {"exact name", {{"savesettings.bmp", kRed}}, "savesettings.bmp", kRed},
      {"the artist's capitals", {{"SaveSettings.bmp", kRed}}, "savesettings.bmp", kRed},
      {"exact beats case aside",
       {{"SaveSettings.bmp", kBlue}, {"savesettings.bmp", kRed}},
       "savesettings.bmp",
       kRed},
      {"of two case variants the first in byte order",
       {{"SaveSettings.bmp", kBlue}, {"SAVESETTINGS.BMP", kGreen}},
       "savesettings.bmp",
       kGreen},
      {"in a subfolder", {{"art/SaveSettings.bmp", kRed}}, "art/savesettings.bmp", kRed},
      {"no near names",
       {{"savesettings.bmp.old", kRed}, {"avesettings.bmp", kRed}},
       "savesettings.bmp",
       kNone},
      {"missing here, the program's own", {{"own/savesettings.bmp", kBlue}}, "savesettings.bmp", kBlue},
      {"the program's own, case aside", {{"own/SaveSettings.bmp", kBlue}}, "savesettings.bmp", kBlue},
      {"the artist's wins",
       {{"savesettings.bmp", kRed}, {"own/savesettings.bmp", kBlue}},
       "savesettings.bmp",
       kRed},
      {"the artist's wins case aside",
       {{"SAVESETTINGS.BMP", kRed}, {"own/savesettings.bmp", kBlue}},
       "savesettings.bmp",
       kRed},
      {"an unusable name of the artist's is not passed over",
       {{"savesettings.bmp", kFolder}, {"own/savesettings.bmp", kBlue}},
       "savesettings.bmp",
       kNone},
      {"a path is not looked for in the program's folder",
       {{"own/art/savesettings.bmp", kBlue}},
       "art/savesettings.bmp",
       kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    pixtest::ScratchDir scratch;
    ASSERT_TRUE(pixtest::OpenTestDisplay());
    for (const File& file : c.files) {
      ASSERT_TRUE(Make(file)) << file.path;
    }
    plat::SetBitmapFolder(scratch.File("own").c_str());
    const int drawn = DrawBitmapFile(displayDevice.primarySurface, 10, 10, c.asked);
    plat::SetBitmapFolder(nullptr);
    EXPECT_EQ(drawn, c.shown == kNone ? 0 : 1);
    EXPECT_EQ(int{plat::headless::ScreenAt(10, 10)}, c.shown == kNone ? 0 : c.shown);
    pixtest::CloseTestDisplay();
  }
}

// The names of a folder left alone for a while are kept between draws; a
// change to the folder is seen at the next one all the same.
TEST(BitmapLookup, AnArtFolderChangedWhileTheProgramRunsIsSeenAtTheNextDraw) {
  namespace fs = std::filesystem;
  pixtest::ScratchDir scratch;
  ASSERT_TRUE(pixtest::OpenTestDisplay());
  ASSERT_TRUE(Make({"own/savesettings.bmp", kBlue}));
  plat::SetBitmapFolder(scratch.File("own").c_str());
  const auto shown = [] {
    DrawBitmapFile(displayDevice.primarySurface, 10, 10, "savesettings.bmp");
    return int{plat::headless::ScreenAt(10, 10)};
  };
  const auto quiet = [] {
    fs::last_write_time(".", fs::file_time_type::clock::now() - std::chrono::hours(1));
  };
  quiet();
  EXPECT_EQ(shown(), kBlue);
  ASSERT_TRUE(Make({"SaveSettings.bmp", kRed}));
  EXPECT_EQ(shown(), kRed) << "put in";
  quiet();
  EXPECT_EQ(shown(), kRed);
  ASSERT_TRUE(fs::remove("SaveSettings.bmp"));
  EXPECT_EQ(shown(), kBlue) << "taken away";
  plat::SetBitmapFolder(nullptr);
  pixtest::CloseTestDisplay();
}

// The browser keeps the program's own bitmaps, which nothing there can change:
// replaced behind its back they still show as first read, while a bitmap the
// artist puts in the working folder wins at once and is read at every draw.
TEST(BitmapLookup, KeptProgramBitmapsGiveWayToTheArtistsAtOnce) {
  namespace fs = std::filesystem;
  pixtest::ScratchDir scratch;
  ASSERT_TRUE(pixtest::OpenTestDisplay());
  ASSERT_TRUE(Make({"own/savesettings.bmp", kBlue}));
  plat::SetBitmapFolder(scratch.File("own").c_str());
  plat::soft::KeepFallbackBitmaps();
  const auto shown = [] {
    EXPECT_EQ(DrawBitmapFile(displayDevice.primarySurface, 10, 10, "savesettings.bmp"), 1);
    return int{plat::headless::ScreenAt(10, 10)};
  };
  EXPECT_EQ(shown(), kBlue);
  ASSERT_TRUE(Make({"own/savesettings.bmp", kGreen}));
  EXPECT_EQ(shown(), kBlue) << "the program's own, read once";
  ASSERT_TRUE(Make({"SaveSettings.bmp", kRed}));
  EXPECT_EQ(shown(), kRed) << "the artist's, put in";
  ASSERT_TRUE(Make({"SaveSettings.bmp", kGreen}));
  EXPECT_EQ(shown(), kGreen) << "the artist's, replaced";
  ASSERT_TRUE(fs::remove("SaveSettings.bmp"));
  EXPECT_EQ(shown(), kBlue) << "the artist's taken away";
  plat::SetBitmapFolder(nullptr);
  pixtest::CloseTestDisplay();
}

}  // namespace
