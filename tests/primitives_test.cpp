// Tests of the drawing primitives: region erasing, bitmap files, text and fills.
#include "draw/primitives.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/editor_state.h"
#include "harness/bmp_writer.h"
#include "platform/gdi.h"
#include "platform/headless/headless.h"
#include "platform/window.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_compare.h"

namespace {

using pixtest::ScreenPixels;
using pixtest::ScreenRect;

constexpr std::uint8_t kGrey = 7;    // (204, 204, 204)
constexpr std::uint8_t kRed = 4;     // (255, 0, 0)
constexpr std::uint8_t kWhite = 15;  // the lowest white entry
constexpr std::uint8_t kBlue = 1;    // (0, 0, 204)

class PrimitivesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::OpenTestDisplay());
    primary_ = displayDevice.primarySurface;
  }
  void TearDown() override { pixtest::CloseTestDisplay(); }

  // A screen of one colour, so that anything drawn shows.
  ScreenPixels FillAndRead(std::uint8_t index) {
    FillSurface(primary_, index);
    return plat::headless::Screen();
  }

  // True when the primary surface can be locked: no device context was left out.
  bool PrimaryIsFree() {
    plat::DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    if (plat::FAILED(primary_->Lock(nullptr, &desc, plat::DDLOCK_WAIT, nullptr))) {
      return false;
    }
    primary_->Unlock(nullptr);
    return true;
  }

  pixtest::ScratchDir scratch_;
  plat::DrawSurface* primary_ = nullptr;
};

// --- FillSurface ---

TEST_F(PrimitivesTest, FillSurfaceSetsEveryPixelToTheIndex) {
  for (const std::uint8_t index : {std::uint8_t{0}, kGrey, std::uint8_t{200}, std::uint8_t{255}}) {
    const ScreenPixels screen = FillAndRead(index);
    EXPECT_TRUE(pixtest::AllPixelsAre(screen, pixtest::kWholeScreen, index)) << "index " << int{index};
  }
}

TEST_F(PrimitivesTest, FillSurfaceOfTheBackBufferLeavesThePrimaryAlone) {
  const ScreenPixels before = FillAndRead(kGrey);
  FillSurface(displayDevice.backBuffer, 0);
  EXPECT_EQ(before, plat::headless::Screen());
  FillSurface(nullptr, 3);  // no surface: nothing at all
  EXPECT_EQ(before, plat::headless::Screen());
}

// --- EraseRegion ---

TEST_F(PrimitivesTest, EachRegionErasesExactlyItsRectangle) {
  const ScreenRect expected[12] = {
      {0, 0, 0, 0},         {420, 410, 655, 465}, {410, 435, 670, 460}, {265, 406, 412, 427},
      {265, 428, 412, 449}, {390, 405, 665, 495}, {521, 440, 605, 470}, {200, 460, 270, 479},
      {202, 467, 260, 488}, {775, 550, 795, 580}, {197, 448, 238, 468}, {298, 448, 340, 468},
  };
  for (int code = 1; code <= 11; ++code) {
    const ScreenPixels before = FillAndRead(kGrey);
    EraseRegion(code);
    const ScreenPixels after = plat::headless::Screen();
    const ScreenRect& area = expected[code];
    EXPECT_TRUE(pixtest::AllPixelsAre(after, area, 0)) << "code " << code;
    EXPECT_TRUE(pixtest::SameOutside(before, after, area)) << "code " << code;
    EXPECT_TRUE(PrimaryIsFree()) << "code " << code;
  }
}

TEST_F(PrimitivesTest, RegionNineIsTheImageNumberBox) {
  const ScreenPixels before = FillAndRead(kGrey);
  EraseRegion(9);
  const ScreenPixels after = plat::headless::Screen();
  EXPECT_TRUE(pixtest::AllPixelsAre(after, {775, 550, 795, 580}, 0));
  EXPECT_TRUE(pixtest::SameOutside(before, after, {775, 550, 795, 580}));
  EXPECT_EQ(pixtest::BoundsOfPixelsNot(after, kGrey).left, 775);
  const ScreenRect bounds = pixtest::BoundsOfPixelsNot(after, kGrey);
  EXPECT_EQ(bounds.top, 550);
  EXPECT_EQ(bounds.right, 795);
  EXPECT_EQ(bounds.bottom, 580);
}

TEST_F(PrimitivesTest, CodesOutsideOneToElevenDrawNothing) {
  for (const int code : {0, 12, -1, 100, INT_MIN, INT_MAX}) {
    const ScreenPixels before = FillAndRead(kGrey);
    EraseRegion(code);
    EXPECT_EQ(before, plat::headless::Screen()) << "code " << code;
    EXPECT_TRUE(PrimaryIsFree()) << "code " << code;
  }
}

// --- DrawTextAt ---

TEST_F(PrimitivesTest, TextIsOpaqueOnBlackInItsOwnCells) {
  struct Case {
    plat::COLORREF colour;
    std::uint8_t ink;
  };
  const Case cases[] = {
      {plat::RGB(255, 255, 255), kWhite},
      {plat::RGB(255, 0, 0), kRed},
      {plat::PALETTEINDEX(15), kWhite},
      {plat::RGB(204, 204, 204), kGrey},
  };
  for (const Case& c : cases) {
    const ScreenPixels before = FillAndRead(kBlue);
    EXPECT_EQ(DrawTextAt("Hm", 100, 200, c.colour, primary_), 1);
    const ScreenPixels after = plat::headless::Screen();
    const ScreenRect cells = {100, 200, 116, 216};
    EXPECT_TRUE(pixtest::SameOutside(before, after, cells)) << "colour " << std::hex << c.colour;
    int ink = 0;
    int paper = 0;
    for (int y = cells.top; y < cells.bottom; ++y) {
      for (int x = cells.left; x < cells.right; ++x) {
        const std::uint8_t pixel = after[static_cast<std::size_t>(y) * 800 + x];
        ink += pixel == c.ink;
        paper += pixel == 0;
      }
    }
    EXPECT_EQ(ink + paper, 16 * 16) << "only ink " << int{c.ink} << " and black in the cells";
    EXPECT_GT(ink, 10) << "the letters show";
    EXPECT_GT(paper, 100) << "the background is black, not the old blue";
    EXPECT_TRUE(PrimaryIsFree());
  }
}

TEST_F(PrimitivesTest, EmptyTextReturnsOneAndDrawsNothing) {
  const ScreenPixels before = FillAndRead(kGrey);
  EXPECT_EQ(DrawTextAt("", 300, 300, plat::RGB(255, 255, 255), primary_), 1);
  EXPECT_EQ(before, plat::headless::Screen());
  EXPECT_TRUE(PrimaryIsFree());
}

TEST_F(PrimitivesTest, NewlineIsDrawnAsACellNotALineBreak) {
  const ScreenPixels before = FillAndRead(kGrey);
  EXPECT_EQ(DrawTextAt("A\n", 30, 40, plat::RGB(255, 255, 255), primary_), 1);
  const ScreenPixels after = plat::headless::Screen();
  // Two cells side by side on one line; the newline's cell is painted (black background).
  EXPECT_EQ(pixtest::BoundsOfPixelsNot(after, kGrey).right, 46);
  EXPECT_EQ(pixtest::BoundsOfPixelsNot(after, kGrey).bottom, 56);
  EXPECT_TRUE(pixtest::SameOutside(before, after, {30, 40, 46, 56}));
  EXPECT_EQ(after[41 * 800 + 38], 0) << "the newline's cell replaced the grey";
  EXPECT_TRUE(pixtest::AllPixelsAre(after, {30, 56, 46, 72}, kGrey)) << "nothing on the next line";
}

TEST_F(PrimitivesTest, TextIsClippedAtEveryScreenEdge) {
  struct Case {
    int x;
    int y;
    ScreenRect visible;
  };
  // "WWW" is 24 x 16; what shows is the part inside the screen.
  const Case cases[] = {
      {790, 100, {790, 100, 800, 116}},  // right edge: must not wrap into the next row
      {-20, 100, {0, 100, 4, 116}},      // left edge
      {100, 590, {100, 590, 124, 600}},  // bottom edge
      {100, -10, {100, 0, 124, 6}},      // top edge
      {796, 596, {796, 596, 800, 600}},  // corner
      {5000, 5000, {0, 0, 0, 0}},        // wholly off the screen
      {-5000, -5000, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const ScreenPixels before = FillAndRead(kGrey);
    EXPECT_EQ(DrawTextAt("WWW", c.x, c.y, plat::RGB(255, 255, 255), primary_), 1);
    const ScreenPixels after = plat::headless::Screen();
    EXPECT_TRUE(pixtest::SameOutside(before, after, c.visible)) << "text at " << c.x << "," << c.y;
    if (c.visible.right > c.visible.left) {
      EXPECT_FALSE(pixtest::AllPixelsAre(after, c.visible, kGrey)) << "text at " << c.x << "," << c.y;
    }
  }
}

// --- DrawBitmapFile ---

// A 5 x 3 bitmap whose pixels are all different in place, so a flipped or
// shifted copy shows.
const std::vector<pixtest::Rgb> kColours = {
    {0, 0, 0}, {255, 0, 0}, {0, 0, 204}, {204, 204, 204}, {255, 255, 255}, {0, 255, 0},
};
const std::vector<std::uint8_t> kPixels = {
    1, 2, 3, 4, 5,  //
    0, 1, 1, 1, 0,  //
    5, 4, 3, 2, 1,
};
// Palette entries of those colours: black 0, red 4, blue 1, grey 7, white 15, green 18.
const std::uint8_t kEntryOf[] = {0, 4, 1, 7, 15, 18};

// Eight-bit and 24-bit files of the same picture land on the same palette entries.
TEST_F(PrimitivesTest, BitmapCoversExactlyItsOwnSizeAtItsPlace) {
  std::vector<pixtest::Rgb> rgb;
  for (const std::uint8_t index : kPixels) {
    rgb.push_back(kColours[index]);
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("small.bmp", pixtest::MakeBmp8(5, 3, kColours, kPixels)));
  ASSERT_TRUE(pixtest::WriteFileBytes("deep.bmp", pixtest::MakeBmp24(5, 3, rgb)));
  for (const char* name : {"small.bmp", "deep.bmp"}) {
    const ScreenPixels before = FillAndRead(200);
    EXPECT_EQ(DrawBitmapFile(primary_, 40, 30, name), 1) << name;
    const ScreenPixels after = plat::headless::Screen();
    EXPECT_TRUE(pixtest::SameOutside(before, after, {40, 30, 45, 33})) << name;
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(int{after[static_cast<std::size_t>(30 + y) * 800 + 40 + x]}, kEntryOf[kPixels[y * 5 + x]])
            << name << " pixel (" << x << "," << y << ")";
      }
    }
    EXPECT_TRUE(PrimaryIsFree()) << name;
  }
}

TEST_F(PrimitivesTest, BitmapIsClippedAtEveryScreenEdge) {
  ASSERT_TRUE(pixtest::WriteFileBytes("small.bmp", pixtest::MakeBmp8(5, 3, kColours, kPixels)));
  struct Case {
    int x;
    int y;
    ScreenRect visible;
  };
  const Case cases[] = {
      {797, 10, {797, 10, 800, 13}},    {-3, 10, {0, 10, 2, 13}},
      {10, 598, {10, 598, 15, 600}},    {10, -2, {10, 0, 15, 1}},
      {798, 599, {798, 599, 800, 600}}, {800, 600, {0, 0, 0, 0}},
      {-100000, 5, {0, 0, 0, 0}},       {INT_MAX - 2, INT_MAX - 1, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const ScreenPixels before = FillAndRead(200);
    DrawBitmapFile(primary_, c.x, c.y, "small.bmp");
    const ScreenPixels after = plat::headless::Screen();
    EXPECT_TRUE(pixtest::SameOutside(before, after, c.visible)) << "bitmap at " << c.x << "," << c.y;
    EXPECT_TRUE(PrimaryIsFree());
  }
  // The right-edge case shows the bitmap's first three columns, not its end.
  FillAndRead(200);
  DrawBitmapFile(primary_, 797, 10, "small.bmp");
  EXPECT_EQ(plat::headless::ScreenAt(797, 10), kEntryOf[1]);
  EXPECT_EQ(plat::headless::ScreenAt(799, 12), kEntryOf[3]);
}

// Drawn when readable, left out otherwise, and never a wait. Each name is
// drawn in a child without root rights, so that file modes count, and with a
// deadline, so that a read that blocks fails the case instead of the run.
TEST_F(PrimitivesTest, MissingOrUndrawableBitmapReturnsZeroAndChangesNothing) {
  namespace fs = std::filesystem;
  const pixtest::Bytes good = pixtest::MakeBmp8(5, 3, kColours, kPixels);
  ASSERT_TRUE(pixtest::WriteFileBytes("good.bmp", good));
  ASSERT_TRUE(pixtest::WriteFileBytes("empty.bmp", pixtest::Bytes{}));
  ASSERT_TRUE(pixtest::WriteFileBytes("text.bmp", std::string("not a bitmap at all")));
  ASSERT_TRUE(pixtest::WriteFileBytes("secret.bmp", good));
  fs::permissions("secret.bmp", fs::perms::none);
  fs::create_directory("folder.bmp");
  ASSERT_EQ(0, mkfifo("pipe.bmp", 0644));
  // A FIFO with a writer that has put a whole bitmap into it.
  ASSERT_EQ(0, mkfifo("fed.bmp", 0644));
  const int writer = open("fed.bmp", O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(static_cast<ssize_t>(good.size()), write(writer, good.data(), good.size()));
  fs::create_symlink("/dev/zero", "zero.bmp");
  scratch_.OpenToEveryone();

  const struct {
    const char* name;
    bool drawn;
  } cases[] = {
      {"good.bmp", true},  {"missing.bmp", false}, {"empty.bmp", false},
      {"text.bmp", false}, {"secret.bmp", false},  {"folder.bmp", false},
      {"pipe.bmp", false}, {"fed.bmp", false},     {"zero.bmp", false},
      {"", false},
  };
  for (const auto& c : cases) {
    const int status = pixtest::RunAsUnprivilegedChild([&] {
      alarm(10);
      const ScreenPixels before = FillAndRead(kGrey);
      const int result = DrawBitmapFile(primary_, 10, 10, c.name);
      return result | (before != plat::headless::Screen() ? 2 : 0) | (PrimaryIsFree() ? 0 : 4);
    });
    if (status == 125) {
      GTEST_SKIP() << "cannot drop root rights for the unreadable file";
    }
    // -1: the child hung past its deadline or died.
    EXPECT_EQ(status, c.drawn ? 3 : 0) << c.name;
  }
  close(writer);
  EXPECT_EQ(DrawBitmapFile(primary_, 10, 10, nullptr), 0);
  EXPECT_EQ(DrawBitmapFile(nullptr, 10, 10, "good.bmp"), 0);
}

TEST_F(PrimitivesTest, AReplacedFileShowsAtTheNextPass) {
  ASSERT_TRUE(pixtest::WriteFileBytes("button.bmp", pixtest::MakeBmp8(2, 1, kColours, {1, 1})));
  FillAndRead(kGrey);
  ASSERT_EQ(DrawBitmapFile(primary_, 0, 0, "button.bmp"), 1);
  EXPECT_EQ(plat::headless::ScreenAt(0, 0), kEntryOf[1]);
  ASSERT_TRUE(pixtest::WriteFileBytes("button.bmp", pixtest::MakeBmp8(2, 1, kColours, {5, 5})));
  plat::BeginEditorPass();
  ASSERT_EQ(DrawBitmapFile(primary_, 0, 0, "button.bmp"), 1);
  EXPECT_EQ(plat::headless::ScreenAt(0, 0), kEntryOf[5]);
  // Taken away and put back while the program runs.
  ASSERT_EQ(0, unlink("button.bmp"));
  FillAndRead(kGrey);
  plat::BeginEditorPass();
  EXPECT_EQ(DrawBitmapFile(primary_, 0, 0, "button.bmp"), 0);
  EXPECT_EQ(plat::headless::ScreenAt(0, 0), kGrey);
  ASSERT_TRUE(pixtest::WriteFileBytes("button.bmp", pixtest::MakeBmp8(2, 1, kColours, {2, 2})));
  plat::BeginEditorPass();
  EXPECT_EQ(DrawBitmapFile(primary_, 0, 0, "button.bmp"), 1);
  EXPECT_EQ(plat::headless::ScreenAt(0, 0), kEntryOf[2]);
}

// A surface that is locked gives no device context: nothing is drawn.
TEST_F(PrimitivesTest, NothingIsDrawnWithoutADeviceContext) {
  ASSERT_TRUE(pixtest::WriteFileBytes("small.bmp", pixtest::MakeBmp8(5, 3, kColours, kPixels)));
  const ScreenPixels before = FillAndRead(kGrey);
  EXPECT_EQ(DrawTextAt("x", 0, 0, plat::RGB(255, 255, 255), nullptr), 0);
  plat::DDSURFACEDESC2 desc = {};
  desc.dwSize = sizeof desc;
  ASSERT_FALSE(plat::FAILED(primary_->Lock(nullptr, &desc, plat::DDLOCK_WAIT, nullptr)));
  EraseRegion(5);
  EXPECT_EQ(DrawTextAt("x", 0, 0, plat::RGB(255, 255, 255), primary_), 0);
  EXPECT_EQ(DrawBitmapFile(primary_, 10, 10, "small.bmp"), 0);
  primary_->Unlock(nullptr);
  EXPECT_EQ(before, plat::headless::Screen());
}

// Every file of the BMP test suite, good, questionable and bad: drawn or not,
// never a crash, never a pixel outside the bitmap's own rectangle.
TEST_F(PrimitivesTest, EveryTestSuiteBitmapIsDrawnOrLeftOut) {
  namespace fs = std::filesystem;
  const fs::path suite = fs::path(PIXED_TESTDATA_DIR) / "bmpsuite";
  ASSERT_TRUE(fs::is_directory(suite)) << suite;
  int files = 0;
  int drawn = 0;
  for (const char* folder : {"g", "q", "b"}) {
    for (const auto& entry : fs::directory_iterator(suite / folder)) {
      const std::string path = entry.path().string();
      ++files;
      // The bitmap's size as the platform reads it, to know its rectangle.
      int width = 0;
      int height = 0;
      if (plat::HBITMAP bitmap = plat::LoadImageA(nullptr, path.c_str(), plat::IMAGE_BITMAP, 0, 0,
                                                  plat::LR_LOADFROMFILE | plat::LR_CREATEDIBSECTION)) {
        plat::BITMAP description = {};
        if (plat::GetObjectA(bitmap, sizeof description, &description) != 0) {
          width = description.bmWidth;
          height = description.bmHeight;
        }
        plat::DeleteObject(bitmap);
      }
      const ScreenPixels before = FillAndRead(200);
      const int result = DrawBitmapFile(primary_, 100, 50, path.c_str());
      const ScreenPixels after = plat::headless::Screen();
      if (result == 1) {
        ++drawn;
        EXPECT_GT(width, 0) << path;
        EXPECT_TRUE(pixtest::SameOutside(before, after, {100, 50, 100 + width, 50 + height})) << path;
      } else {
        EXPECT_EQ(result, 0) << path;
        EXPECT_EQ(before, after) << path << " was not drawn but changed the screen";
      }
      EXPECT_TRUE(PrimaryIsFree()) << path;
    }
  }
  EXPECT_GT(files, 50);
  EXPECT_GT(drawn, 0) << "not one of " << files << " files drawn";
}

}  // namespace
