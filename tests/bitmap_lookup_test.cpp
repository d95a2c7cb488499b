// Bitmap files by name: case aside in their folder, then in the program's own bitmap folder.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "draw/primitives.h"
#include "harness/bmp_writer.h"
#include "platform/headless/headless.h"
#include "platform/soft/gdi_counts.h"
#include "platform/system.h"
#include "platform/window.h"
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
// change to the folder is seen at the next pass's draw all the same.
TEST(BitmapLookup, AnArtFolderChangedWhileTheProgramRunsIsSeenAtTheNextDraw) {
  namespace fs = std::filesystem;
  pixtest::ScratchDir scratch;
  ASSERT_TRUE(pixtest::OpenTestDisplay());
  ASSERT_TRUE(Make({"own/savesettings.bmp", kBlue}));
  plat::SetBitmapFolder(scratch.File("own").c_str());
  const auto shown = [] {
    plat::BeginEditorPass();
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

// Pictures of 2 x 2 pixels as 0xRRGGBB values, row by row.
using Picture2x2 = std::vector<std::uint32_t>;
constexpr int kSide = 2;

// Picture number n: four colours of the screen's palette, none black, no two pictures alike.
pixtest::Bytes Picture(int n) {
  const auto palette = plat::headless::Palette();
  std::vector<pixtest::Rgb> colours;
  for (int i = 1; i <= kSide * kSide; ++i) {
    const plat::PALETTEENTRY& entry = palette[static_cast<std::size_t>(kSide * kSide * n + i)];
    colours.push_back({entry.peRed, entry.peGreen, entry.peBlue});
  }
  return pixtest::MakeBmp8(kSide, kSide, colours, {0, 1, 2, 3});
}

// The file's pixels, as SDL2 reads the file.
Picture2x2 DecodedPicture(const std::string& path) {
  Picture2x2 picture;
  SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
  SDL_Surface* converted =
      loaded != nullptr ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0) : nullptr;
  if (converted != nullptr && converted->w == kSide && converted->h == kSide) {
    for (int y = 0; y < kSide; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(
          static_cast<const std::uint8_t*>(converted->pixels) + y * converted->pitch);
      for (int x = 0; x < kSide; ++x) {
        picture.push_back(row[x] & 0xFFFFFFu);
      }
    }
  }
  SDL_FreeSurface(converted);
  SDL_FreeSurface(loaded);
  return picture;
}

// The colours the screen shows at (left, top).
Picture2x2 ScreenPicture(int left, int top) {
  const auto palette = plat::headless::Palette();
  Picture2x2 picture;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const plat::PALETTEENTRY& entry = palette[plat::headless::ScreenAt(left + x, top + y)];
      picture.push_back(std::uint32_t{entry.peRed} << 16 | std::uint32_t{entry.peGreen} << 8 | entry.peBlue);
    }
  }
  return picture;
}

// The black of a screen nothing was drawn on.
Picture2x2 Unpainted() {
  return Picture2x2(kSide * kSide, 0);
}

// A bitmap kept between draws shows a change at the next pass's draw: replaced, created, deleted,
// or another name of other letters found first. Folders that cannot be watched are read every time
// and show the same; a watched folder's file is read again only after a change.
TEST(BitmapLookup, KeptBitmapsShowEveryChangeAtTheNextDraw) {
  namespace fs = std::filesystem;
  const auto write = [](const std::string& path, int picture) {
    ASSERT_TRUE(pixtest::WriteFileBytes(path, Picture(picture))) << path;
  };
  const auto remove = [](const std::string& path) { ASSERT_TRUE(fs::remove(path)) << path; };
  const struct Step {
    const char* what;
    std::function<void()> change;
    const char* shown;  // the file whose picture shows; null for none
    bool kept;          // the folders report a change to it: not read again until then
  } steps[] = {
      {"the program's own", [] {}, "own/savesettings.bmp", true},
      {"created in other letters", [&] { write("SaveSettings.bmp", 1); }, "SaveSettings.bmp", true},
      {"replaced in place", [&] { write("SaveSettings.bmp", 2); }, "SaveSettings.bmp", true},
      {"replaced by a rename",
       [&] {
         write("new.tmp", 3);
         fs::rename("new.tmp", "SaveSettings.bmp");
       },
       "SaveSettings.bmp", true},
      {"other letters first in byte order appear", [&] { write("SAVESETTINGS.BMP", 4); }, "SAVESETTINGS.BMP",
       true},
      {"the name itself appears", [&] { write("savesettings.bmp", 5); }, "savesettings.bmp", true},
      {"the name itself deleted", [&] { remove("savesettings.bmp"); }, "SAVESETTINGS.BMP", true},
      {"other letters deleted", [&] { remove("SAVESETTINGS.BMP"); }, "SaveSettings.bmp", true},
      {"a link to a file elsewhere",
       [&] {
         remove("SaveSettings.bmp");
         fs::create_directory("elsewhere");
         write("elsewhere/linked.bmp", 6);
         fs::create_symlink("elsewhere/linked.bmp", "savesettings.bmp");
       },
       "savesettings.bmp", false},
      {"the linked file replaced", [&] { write("elsewhere/linked.bmp", 7); }, "savesettings.bmp", false},
      {"a file with a second name elsewhere",
       [&] {
         remove("savesettings.bmp");
         write("savesettings.bmp", 8);
         fs::create_hard_link("savesettings.bmp", "elsewhere/second.bmp");
       },
       "savesettings.bmp", false},
      {"written through its second name", [&] { write("elsewhere/second.bmp", 9); }, "savesettings.bmp",
       false},
      {"deleted: the program's own again", [&] { remove("savesettings.bmp"); }, "own/savesettings.bmp", true},
      {"the program's own replaced", [&] { write("own/savesettings.bmp", 10); }, "own/savesettings.bmp",
       true},
      {"the program's own deleted", [&] { remove("own/savesettings.bmp"); }, nullptr, false},
  };
  for (const bool watched : {true, false}) {
    SCOPED_TRACE(watched ? "folders watched" : "folders that cannot be watched");
    pixtest::ScratchDir scratch;
    ASSERT_TRUE(pixtest::OpenTestDisplay());
    fs::create_directory("own");
    write("own/savesettings.bmp", 0);
    plat::SetBitmapFolder(scratch.File("own").c_str());
    if (!watched) {
      plat::headless::FailCall("WatchFolder(.)");
    }
    int x = 0;
    for (const Step& step : steps) {
      SCOPED_TRACE(step.what);
      step.change();
      plat::BeginEditorPass();
      x += 4;
      const int drawn = DrawBitmapFile(displayDevice.primarySurface, x, 10, "savesettings.bmp");
      EXPECT_EQ(drawn, step.shown != nullptr ? 1 : 0);
      EXPECT_EQ(ScreenPicture(x, 10), step.shown != nullptr ? DecodedPicture(step.shown) : Unpainted());
      const std::size_t readBefore = plat::soft::BitmapFilesRead();
      DrawBitmapFile(displayDevice.primarySurface, x, 10, "savesettings.bmp");
      const bool readAgain = step.shown != nullptr && !(watched && step.kept);
      EXPECT_EQ(plat::soft::BitmapFilesRead() - readBefore, readAgain ? 1u : 0u) << "unchanged, drawn again";
    }
    plat::SetBitmapFolder(nullptr);
    pixtest::CloseTestDisplay();
  }
}

}  // namespace
