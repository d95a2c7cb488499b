// Tests of loading pix images onto the screen and saving the working view, byte for byte.
#include "storage/pix_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "canvas/image_store.h"
#include "canvas/palette_panel.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "platform/gdi.h"
#include "platform/headless/headless.h"
#include "support/editor_fixture.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_compare.h"

namespace {

using pixtest::Bytes;
using pixtest::FirstDifference;
using pixtest::Image;
using pixtest::Pattern;
using pixtest::ReadFileBytes;
using pixtest::WriteFileBytes;

constexpr int kImageBytes = 102 * 78;

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count) {
  Bytes slice(count, 255);
  for (std::size_t i = 0; i < count && from + i < bytes.size(); ++i) {
    slice[i] = bytes[from + i];
  }
  return slice;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

void SetName(char (&field)[25], const std::string& name) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, name.data(), name.size());
}

class PixFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::OpenTestDisplay());
    SetName(editorState.loadFileName, "in.pix");
    SetName(editorState.saveFileName, "out.pix");
  }
  void TearDown() override { pixtest::CloseTestDisplay(); }

  // The surface is free again: neither a lock nor a device context was kept.
  static void ExpectSurfaceFree() {
    plat::DDSURFACEDESC2 desc = {};
    EXPECT_FALSE(plat::FAILED(displayDevice.primarySurface->Lock(nullptr, &desc, plat::DDLOCK_WAIT, nullptr)))
        << "the primary surface is still locked or has a device context out";
    displayDevice.primarySurface->Unlock(nullptr);
  }

  pixtest::ScratchDir scratch_;
};

// Both images hold the expected bytes, and every image area shows them,
// each grid cell as a whole.
void ExpectImageOnScreen(const Bytes& expected, int width, int height) {
  EXPECT_EQ(WorkingImage().pixels, expected) << "working image";
  EXPECT_EQ(ReferenceImage().pixels, expected) << "reference image";
  if (width > 102 || height > 78) {
    return;
  }
  EXPECT_EQ(pixtest::ReadReferenceView(width, height).pixels, expected)
      << "reference view: " << FirstDifference(expected, pixtest::ReadReferenceView(width, height).pixels);
  EXPECT_EQ(pixtest::ReadGridCells(width, height).pixels, expected)
      << "grid: " << FirstDifference(expected, pixtest::ReadGridCells(width, height).pixels);
  EXPECT_TRUE(pixtest::GridCellsUniform(width, height)) << "a grid cell holds two values";
  EXPECT_EQ(pixtest::ReadWorkingView(width, height).pixels, expected)
      << "working view: " << FirstDifference(expected, pixtest::ReadWorkingView(width, height).pixels);
}

TEST_F(PixFileTest, LoadsImageNOfTheFile) {
  const Bytes file = Pattern(3 * kImageBytes, 7, 3);
  ASSERT_TRUE(WriteFileBytes("in.pix", file));
  for (int n : {1, 0, 2}) {
    SCOPED_TRACE("image " + std::to_string(n));
    EXPECT_EQ(LoadPixImage(n), 1);
    ExpectImageOnScreen(Slice(file, static_cast<std::size_t>(n) * kImageBytes, kImageBytes), 102, 78);
    ExpectSurfaceFree();
  }
  EXPECT_EQ(ReadFileBytes("in.pix"), file) << "loading must not change the file";
}

TEST_F(PixFileTest, LoadFillsWhatThePixFileLacksWith255) {
  const Bytes twoImages = Pattern(2 * kImageBytes, 3, 1, 81);
  const struct {
    const char* what;
    std::size_t fileLength;
    int n;
    std::size_t bytesPresent;  // of image n, the rest reads 255
  } cases[] = {
      {"image just past the end", kImageBytes, 1, 0},
      {"image far past the end", kImageBytes, 100, 0},
      {"file ends inside the image", kImageBytes + 100, 1, 100},
      {"empty file", 0, 0, 0},
      {"negative image number", 2 * kImageBytes, -1, 0},
      {"most negative image number", 2 * kImageBytes, INT_MIN, 0},
      {"largest image number", 2 * kImageBytes, INT_MAX, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes file = Slice(twoImages, 0, c.fileLength);
    ASSERT_TRUE(WriteFileBytes("in.pix", file));
    FillSurface(displayDevice.primarySurface, 0);
    EXPECT_EQ(LoadPixImage(c.n), 1);
    Bytes expected(kImageBytes, 255);
    std::copy_n(file.begin() + static_cast<long>(c.fileLength - c.bytesPresent), c.bytesPresent,
                expected.begin());
    ExpectImageOnScreen(expected, 102, 78);
    EXPECT_EQ(ReadFileBytes("in.pix"), file) << "loading must not change the file";
  }
}

// 2,147,483,647 images of 10,000 bytes lie beyond the largest file many file
// systems allow (16 TiB on ext4), so the seek there fails: still past the end.
TEST_F(PixFileTest, LoadOfAnImageWhereNoSeekReachesFills255) {
  editorState.width = 100;
  editorState.height = 100;
  const Bytes file = Pattern(10000, 3, 1, 81);
  ASSERT_TRUE(WriteFileBytes("in.pix", file));
  EXPECT_EQ(LoadPixImage(INT_MAX), 1);
  ExpectImageOnScreen(Bytes(10000, 255), 100, 100);
  EXPECT_EQ(ReadFileBytes("in.pix"), file);
}

TEST_F(PixFileTest, LoadOfAMissingFileCreatesItEmpty) {
  SetName(editorState.loadFileName, "sprites.pix");
  ASSERT_FALSE(pixtest::FileExists("sprites.pix"));
  EXPECT_EQ(LoadPixImage(0), 1);
  EXPECT_TRUE(pixtest::FileExists("sprites.pix"));
  EXPECT_TRUE(ReadFileBytes("sprites.pix").empty());
  ExpectImageOnScreen(Bytes(kImageBytes, 255), 102, 78);
}

TEST_F(PixFileTest, LoadWritesOnlyTheImageAreas) {
  const Bytes file = Pattern(kImageBytes, 11, 5);
  ASSERT_TRUE(WriteFileBytes("in.pix", file));
  FillSurface(displayDevice.primarySurface, 7);
  EXPECT_EQ(LoadPixImage(0), 1);
  const pixtest::ScreenPixels screen = plat::headless::Screen();
  std::vector<bool> written(800 * 600, false);
  for (int y = 0; y < 78; ++y) {
    for (int x = 0; x < 102; ++x) {
      written[static_cast<std::size_t>((6 + y) * 800 + 6 + x)] = true;
      written[static_cast<std::size_t>((128 + y) * 800 + 6 + x)] = true;
      for (int d = 0; d < 16; ++d) {
        written[static_cast<std::size_t>((6 + 5 * y + d / 4) * 800 + 141 + 5 * x + d % 4)] = true;
      }
    }
  }
  int changed = 0;
  for (std::size_t i = 0; i < written.size(); ++i) {
    changed += !written[i] && screen[i] != 7;
  }
  EXPECT_EQ(changed, 0) << "pixels outside the views and cell interiors (grid lines included) changed";
  ExpectImageOnScreen(file, 102, 78);
}

TEST_F(PixFileTest, LoadOfATwoByTwoImage) {
  editorState.width = 2;
  editorState.height = 2;
  ASSERT_TRUE(WriteFileBytes("in.pix", Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(LoadPixImage(1), 1);
  ExpectImageOnScreen(Bytes{5, 6, 7, 8}, 2, 2);
  // Beyond the 2 x 2 image the views and the grid's cells are black.
  Bytes cells = pixtest::ReadGridCells(102, 78).pixels;
  cells[0] = cells[1] = cells[102] = cells[103] = 0;
  EXPECT_EQ(cells, Bytes(kImageBytes, 0));
  const pixtest::ScreenPixels screen = plat::headless::Screen();
  EXPECT_TRUE(pixtest::AllPixelsAre(screen, {8, 6, 107, 84}, 0));
  EXPECT_TRUE(pixtest::AllPixelsAre(screen, {6, 8, 8, 84}, 0));
  EXPECT_TRUE(pixtest::AllPixelsAre(screen, {8, 128, 107, 206}, 0));
}

TEST_F(PixFileTest, LoadWithWidthOrHeightZeroLoadsNothing) {
  ASSERT_TRUE(WriteFileBytes("in.pix", Pattern(kImageBytes, 1, 1)));
  for (auto [width, height] : {std::pair{0, 78}, std::pair{102, 0}, std::pair{0, 0}}) {
    SCOPED_TRACE("size " + std::to_string(width) + " x " + std::to_string(height));
    editorState.width = width;
    editorState.height = height;
    EXPECT_EQ(LoadPixImage(1), 1);
    EXPECT_TRUE(WorkingImage().pixels.empty());
    EXPECT_TRUE(pixtest::AllPixelsAre(plat::headless::Screen(), pixtest::kWholeScreen, 0));
  }
}

TEST_F(PixFileTest, LoadFileThatIsADirectory) {
  ASSERT_EQ(mkdir("in.pix", 0755), 0);
  SetWorkingPixel(3, 3, 9);
  EXPECT_EQ(LoadPixImage(0), 0);
  EXPECT_EQ(9, WorkingImage().At(3, 3)) << "the images stay as they were";
}

TEST_F(PixFileTest, ReadOnlyLoadFileCannotBeLoaded) {
  scratch_.OpenToEveryone();
  const Bytes file = Pattern(kImageBytes, 5, 9, 81);
  ASSERT_TRUE(WriteFileBytes("locked.pix", file));
  ASSERT_TRUE(WriteFileBytes("open.pix", file));
  ASSERT_EQ(chmod("locked.pix", 0444), 0);
  ASSERT_EQ(chmod("open.pix", 0666), 0);
  // Codes: 10 + the result of the load, plus 100 when the screen changed.
  auto loadAs = [](const char* name) {
    return pixtest::RunAsUnprivilegedChild([name] {
      SetName(editorState.loadFileName, name);
      const int result = LoadPixImage(0);
      const bool changed = WorkingImage().pixels != Bytes(kImageBytes, 0);
      return 10 + result + (changed ? 100 : 0);
    });
  };
  EXPECT_EQ(loadAs("open.pix"), 111) << "a writable file loads (control case)";
  EXPECT_EQ(loadAs("locked.pix"), 10) << "a read-only file gives 0 and loads nothing";
  EXPECT_EQ(ReadFileBytes("locked.pix"), file);
}

TEST_F(PixFileTest, LoadOfImagesLargerThanTheViewsTakesThemWhole) {
  const struct {
    int width;
    int height;
  } sizes[] = {{900, 3}, {3, 200}, {999, 999}};
  for (const auto& size : sizes) {
    SCOPED_TRACE("size " + std::to_string(size.width) + " x " + std::to_string(size.height));
    editorState.width = size.width;
    editorState.height = size.height;
    const std::size_t bytes = static_cast<std::size_t>(size.width) * size.height;
    const Bytes file = Pattern(2 * bytes, 13, 7, 251);
    ASSERT_TRUE(WriteFileBytes("in.pix", file));
    EXPECT_EQ(LoadPixImage(1), 1);
    ExpectImageOnScreen(Slice(file, bytes, bytes), size.width, size.height);
  }
}

// Saving: the working image's own indices.
class PixSaveTest : public PixFileTest {
 protected:
  void SetUp() override {
    PixFileTest::SetUp();
    DrawPalettePanel();
  }

  static Image RandomImage(int seed, int width = 102, int height = 78) {
    return {width, height, Pattern(static_cast<std::size_t>(width) * height, 37, seed, 81)};
  }

  static Bytes SaveOf(const Image& image) {
    pixtest::PutWorkingView(image);
    EXPECT_EQ(SavePixImage(), 1);
    return image.pixels;
  }
};

TEST_F(PixSaveTest, SaveWritesOneImageOf7956Bytes) {
  const Image image = RandomImage(4);
  const Bytes expected = SaveOf(image);
  const Bytes written = ReadFileBytes("out.pix");
  EXPECT_EQ(written.size(), 7956u);
  EXPECT_EQ(written, expected) << FirstDifference(expected, written);
  ExpectSurfaceFree();
}

TEST_F(PixSaveTest, TwoSavesAppendInOrder) {
  const Bytes first = SaveOf(RandomImage(1));
  const Bytes second = SaveOf(RandomImage(2));
  const Bytes written = ReadFileBytes("out.pix");
  EXPECT_EQ(written, Concat({first, second})) << FirstDifference(Concat({first, second}), written);
  // Offset 0 appends even to a file that already holds image 0.
  const Bytes third = SaveOf(RandomImage(3));
  EXPECT_EQ(ReadFileBytes("out.pix"), Concat({first, second, third}));
}

TEST_F(PixSaveTest, OffsetWritesOverItsImageSlot) {
  const struct {
    const char* what;
    int imagesBefore;
    int offset;
  } cases[] = {
      {"inside a long file", 4, 2},
      {"last image", 3, 2},
      {"past the end of a short file", 1, 3},
      {"just past the end", 2, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes before = Pattern(static_cast<std::size_t>(c.imagesBefore) * kImageBytes, 1, 0, 81);
    ASSERT_TRUE(WriteFileBytes("out.pix", before));
    editorState.offsetNumber = c.offset;
    const Bytes image = SaveOf(RandomImage(c.offset + 10));
    EXPECT_EQ(editorState.offsetNumber, 0) << "a completed save resets the offset";
    Bytes expected = before;
    expected.resize(
        std::max<std::size_t>(before.size(), static_cast<std::size_t>(c.offset + 1) * kImageBytes), 0);
    std::copy(image.begin(), image.end(), expected.begin() + static_cast<long>(c.offset) * kImageBytes);
    const Bytes written = ReadFileBytes("out.pix");
    EXPECT_EQ(written, expected) << FirstDifference(expected, written);
  }
}

TEST_F(PixSaveTest, FailedSavesWriteNothingAndKeepTheOffset) {
  const Bytes existing = Pattern(2 * kImageBytes, 1, 0, 81);
  const struct {
    const char* what;
    bool fileExists;
    int offset;
    int width;
    int height;
  } cases[] = {
      {"offset on a missing file", false, 1, 102, 78},
      {"negative offset", true, -3, 102, 78},
      {"negative offset, missing file", false, -1, 102, 78},
      {"most negative offset", true, INT_MIN, 102, 78},
      {"position beyond any file offset", true, INT_MAX, INT_MAX, INT_MAX},
      {"negative position from a negative width", true, 1, -102, 78},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    unlink("out.pix");
    if (c.fileExists) {
      ASSERT_TRUE(WriteFileBytes("out.pix", existing));
    }
    editorState.offsetNumber = c.offset;
    editorState.width = c.width;
    editorState.height = c.height;
    pixtest::PutWorkingView(RandomImage(5));
    EXPECT_EQ(SavePixImage(), 0);
    EXPECT_EQ(editorState.offsetNumber, c.offset) << "a failed save keeps the offset";
    EXPECT_EQ(pixtest::FileExists("out.pix"), c.fileExists);
    if (c.fileExists) {
      EXPECT_EQ(ReadFileBytes("out.pix"), existing);
    }
    ExpectSurfaceFree();
  }
}

TEST_F(PixSaveTest, FullDiskIsAFailure) {
  ASSERT_EQ(symlink("/dev/full", "out.pix"), 0);
  for (int offset : {0, 1}) {
    SCOPED_TRACE("offset " + std::to_string(offset));
    editorState.offsetNumber = offset;
    pixtest::PutWorkingView(RandomImage(6));
    EXPECT_EQ(SavePixImage(), 0);
    EXPECT_EQ(editorState.offsetNumber, offset);
    ExpectSurfaceFree();
  }
  // Even a single byte that cannot be written is found at the close.
  editorState.width = 1;
  editorState.height = 1;
  editorState.offsetNumber = 0;
  EXPECT_EQ(SavePixImage(), 0);
}

TEST_F(PixSaveTest, DiskFillingUpHalfWayLeavesTheFileAsItWas) {
  scratch_.OpenToEveryone();
  const struct {
    const char* what;
    std::size_t bytesBefore;
    int offset;
  } cases[] = {
      {"appending", kImageBytes, 0},
      {"over a slot past the end", kImageBytes, 3},
      {"over a slot the file ends inside", kImageBytes + kImageBytes / 2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes before = Pattern(c.bytesBefore, 7, 3, 81);
    ASSERT_TRUE(WriteFileBytes("out.pix", before));
    ASSERT_EQ(chmod("out.pix", 0666), 0);
    // The file may grow by a few hundred bytes only: the write fails part way.
    const int status = pixtest::RunAsUnprivilegedChild([&c] {
      const rlim_t most = c.bytesBefore + 300;
      const rlimit limit{most, most};
      std::signal(SIGXFSZ, SIG_IGN);
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return 99;
      }
      editorState.offsetNumber = c.offset;
      pixtest::PutWorkingView(RandomImage(8));
      const int result = SavePixImage();
      return 10 + result + (editorState.offsetNumber == c.offset ? 0 : 100);
    });
    EXPECT_EQ(status, 10) << "the save fails and keeps the offset";
    EXPECT_EQ(ReadFileBytes("out.pix"), before) << "no half image is left behind";
  }
}

TEST_F(PixSaveTest, ZeroSizeWritesNoByte) {
  editorState.width = 0;
  EXPECT_EQ(SavePixImage(), 1);
  EXPECT_TRUE(pixtest::FileExists("out.pix")) << "offset 0 still creates the file";
  EXPECT_TRUE(ReadFileBytes("out.pix").empty());
  const Bytes existing = Pattern(100, 1, 0);
  ASSERT_TRUE(WriteFileBytes("out.pix", existing));
  editorState.width = 102;
  editorState.height = 0;
  editorState.offsetNumber = 3;
  EXPECT_EQ(SavePixImage(), 1);
  EXPECT_EQ(ReadFileBytes("out.pix"), existing);
  EXPECT_EQ(editorState.offsetNumber, 0);
}

// Every index is saved as it stands, those of one colour (15, 80 and 255 are
// all white) and those above the panel's 80 among them: an image loaded and
// saved unchanged is saved byte for byte.
TEST_F(PixSaveTest, LoadThenSaveGivesTheSameBytes) {
  const struct {
    const char* what;
    int width;
    int height;
  } sizes[] = {{"the usual size", 102, 78}, {"wider than the screen", 900, 3}, {"the largest", 999, 999}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(size.what);
    unlink("out.pix");
    editorState.width = size.width;
    editorState.height = size.height;
    const std::size_t bytes = static_cast<std::size_t>(size.width) * size.height;
    const Bytes file = Pattern(2 * bytes, 29, 3, 256);
    ASSERT_TRUE(WriteFileBytes("in.pix", file));
    EXPECT_EQ(LoadPixImage(1), 1);
    EXPECT_EQ(SavePixImage(), 1);
    const Bytes expected = Slice(file, bytes, bytes);
    EXPECT_EQ(ReadFileBytes("out.pix"), expected) << FirstDifference(expected, ReadFileBytes("out.pix"));
  }
  editorState.width = 256;
  editorState.height = 1;
  Bytes every(256);
  for (std::size_t i = 0; i < every.size(); ++i) {
    every[i] = static_cast<std::uint8_t>(255 - i);
  }
  unlink("out.pix");
  pixtest::PutWorkingView({256, 1, every});
  EXPECT_EQ(SavePixImage(), 1);
  EXPECT_EQ(ReadFileBytes("out.pix"), every);
}

}  // namespace
