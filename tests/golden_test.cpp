// Whole-screen golden images: the start screen and a short painting session, compared index for index.
//
// PIXED_UPDATE_GOLDEN=1 in the environment rewrites tests/golden/*.png from
// the current program instead of comparing.
#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "platform/headless/headless.h"
#include "support/editor_session.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_text.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct IndexedImage {
  std::vector<std::uint8_t> pixels;  // kWidth x kHeight palette indices
  std::array<plat::PALETTEENTRY, 256> palette = {};
};

std::string GoldenPath(const char* name) {
  return std::string(PIXED_SOURCE_DIR) + "/tests/golden/" + name;
}

bool UpdatingGolden() {
  const char* update = std::getenv("PIXED_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

// 8-bit palette PNG with all 256 entries. Only raw pointers live across setjmp.
bool WritePng(const std::string& path, const IndexedImage& image) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color colours[256];
  for (int i = 0; i < 256; ++i) {
    colours[i] = {image.palette[i].peRed, image.palette[i].peGreen, image.palette[i].peBlue};
  }
  png_set_PLTE(png, info, colours, 256);
  png_write_info(png, info);
  for (int y = 0; y < kHeight; ++y) {
    png_write_row(png, image.pixels.data() + static_cast<std::size_t>(y) * kWidth);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

// Reads an 800 x 600 8-bit palette PNG; false for anything else.
bool ReadPng(const std::string& path, IndexedImage& image) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  image.pixels.assign(static_cast<std::size_t>(kWidth) * kHeight, 0);
  std::uint8_t* pixels = image.pixels.data();
  plat::PALETTEENTRY* palette = image.palette.data();
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  png_colorp colours = nullptr;
  int count = 0;
  if (png_get_image_width(png, info) != kWidth || png_get_image_height(png, info) != kHeight ||
      png_get_bit_depth(png, info) != 8 || png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE ||
      png_get_interlace_type(png, info) != PNG_INTERLACE_NONE ||
      png_get_PLTE(png, info, &colours, &count) == 0 || count != 256) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return false;
  }
  for (int i = 0; i < 256; ++i) {
    palette[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
  }
  for (int y = 0; y < kHeight; ++y) {
    png_read_row(png, pixels + static_cast<std::size_t>(y) * kWidth, nullptr);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return true;
}

IndexedImage CurrentScreen() {
  IndexedImage image;
  image.pixels = plat::headless::Screen();
  image.palette = plat::headless::Palette();
  return image;
}

// Compares the screen with the golden file, or rewrites the file when asked.
::testing::AssertionResult MatchesGolden(const char* name) {
  const IndexedImage actual = CurrentScreen();
  if (actual.pixels.size() != static_cast<std::size_t>(kWidth) * kHeight) {
    return ::testing::AssertionFailure() << "no screen to compare";
  }
  const std::string path = GoldenPath(name);
  if (UpdatingGolden()) {
    if (!WritePng(path, actual)) {
      return ::testing::AssertionFailure() << "could not write " << path;
    }
    return ::testing::AssertionSuccess() << "rewrote " << path;
  }
  IndexedImage expected;
  if (!ReadPng(path, expected)) {
    return ::testing::AssertionFailure()
           << "cannot read " << path << " as an 800 x 600 8-bit palette PNG (PIXED_UPDATE_GOLDEN=1 makes it)";
  }
  for (int i = 0; i < 256; ++i) {
    const auto& e = expected.palette[i];
    const auto& a = actual.palette[i];
    if (e.peRed != a.peRed || e.peGreen != a.peGreen || e.peBlue != a.peBlue) {
      return ::testing::AssertionFailure()
             << "palette entry " << i << ": expected (" << +e.peRed << "," << +e.peGreen << "," << +e.peBlue
             << "), got (" << +a.peRed << "," << +a.peGreen << "," << +a.peBlue << ")";
    }
  }
  std::size_t differing = 0;
  std::size_t first = 0;
  for (std::size_t i = 0; i < actual.pixels.size(); ++i) {
    if (actual.pixels[i] != expected.pixels[i]) {
      if (differing++ == 0) {
        first = i;
      }
    }
  }
  if (differing != 0) {
    return ::testing::AssertionFailure() << differing << " pixels differ from " << path << "; first at ("
                                         << first % kWidth << "," << first / kWidth << "): expected index "
                                         << +expected.pixels[first] << ", got " << +actual.pixels[first];
  }
  return ::testing::AssertionSuccess();
}

class GoldenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    // The start screen shows every button: all twenty bitmaps must be there.
    ASSERT_GE(pixtest::CopyButtonBitmaps(), 20u);
    ASSERT_TRUE(pixtest::StartEditor());
  }
  void TearDown() override { pixtest::StopEditor(); }

  pixtest::ScratchDir scratch_;
};

TEST_F(GoldenTest, StartScreen) {
  pixtest::IdlePasses(1);
  ASSERT_EQ("Pointer (400,300)", pixtest::ReadScreenText(12, 572, 17));
  EXPECT_TRUE(MatchesGolden("startup.png"));
  // A still mouse changes nothing from pass to pass.
  const std::vector<std::uint8_t> first = plat::headless::Screen();
  pixtest::IdlePasses(3);
  EXPECT_TRUE(first == plat::headless::Screen());
}

TEST_F(GoldenTest, ShortPaintingSession) {
  pixtest::PassAt(300, 200, true);  // single pen in white (255)
  pixtest::Pass(5, 0, true);
  pixtest::Pass(5, 5, true);
  pixtest::PassAt(730, 40, false, true);  // pick colour 29
  pixtest::PassAt(400, 100, true);
  pixtest::PassAt(141, 6, true);    // top-left cell
  pixtest::PassAt(300, 550, true);  // Quad on
  pixtest::PassAt(300, 550, false);
  pixtest::PassAt(765, 106, false, true);  // pick colour 60
  pixtest::PassAt(200, 300, true);         // quad pen
  pixtest::Pass(10, 0, true);
  pixtest::Pass(0, 10, true);
  pixtest::PassAt(649, 395, true);  // bottom-right corner, spilling below the grid
  pixtest::PassAt(500, 450, false);
  ASSERT_EQ(1, editorState.quadMode);
  ASSERT_EQ(60, editorState.currentColor);
  EXPECT_TRUE(MatchesGolden("painting.png"));
}

}  // namespace
