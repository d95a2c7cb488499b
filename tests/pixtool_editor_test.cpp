// The editor and pixtool agree: pixtool's PNG of an image shows the colours the
// editor shows for it, and a colour the editor saves as index i, pixtool imports as i.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/editor_state.h"
#include "canvas/palette_panel.h"
#include "platform/headless/headless.h"
#include "storage/pix_file.h"
#include "support/editor_fixture.h"
#include "support/file_bytes.h"
#include "support/pixtool_run.h"
#include "support/png_file.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"

namespace {

using pixtest::Bytes;
using pixtest::Pixtool;
using pixtest::ReadFileBytes;

constexpr int kSide = 16;
constexpr std::size_t kImage = kSide * kSide;

class PixtoolEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::OpenTestDisplay());
    DrawPalettePanel();
    editorState.width = kSide;
    editorState.height = kSide;
    std::memset(editorState.saveFileName, 0, sizeof editorState.saveFileName);
    std::memset(editorState.loadFileName, 0, sizeof editorState.loadFileName);
    std::strcpy(editorState.saveFileName, "art.pix");
    std::strcpy(editorState.loadFileName, "art.pix");
  }
  void TearDown() override { pixtest::CloseTestDisplay(); }

  pixtest::ScratchDir scratch_;
};

TEST_F(PixtoolEditorTest, ThePngShowsTheColoursOfTheReferenceView) {
  // Image 0 saved by the editor from its working view; image 1 every byte
  // value, as a file from elsewhere may hold.
  Bytes painted = pixtest::Pattern(kImage, 7, 3, 81);
  painted[5] = 15;
  painted[6] = 255;
  pixtest::PutWorkingView({kSide, kSide, painted});
  ASSERT_EQ(SavePixImage(), 1);
  Bytes file = ReadFileBytes("art.pix");
  const Bytes everyIndex = pixtest::Pattern(kImage, 1, 0);
  file.insert(file.end(), everyIndex.begin(), everyIndex.end());
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", file));

  const auto palette = plat::headless::Palette();
  for (int n = 0; n < 2; ++n) {
    SCOPED_TRACE("image " + std::to_string(n));
    ASSERT_EQ(LoadPixImage(n), 1);
    const Bytes shown = pixtest::ReadReferenceView(kSide, kSide).pixels;
    const std::string png = "image.png";
    ASSERT_EQ(
        Pixtool({"export", "art.pix", "--size", "16x16", "--image", std::to_string(n), "-o", png}).status, 0);
    pixtest::PalettePng exported;
    ASSERT_TRUE(pixtest::ReadPalettePng(png, exported));
    ASSERT_EQ(exported.indices.size(), kImage);
    ASSERT_EQ(exported.palette.size(), 256u);
    EXPECT_EQ(exported.indices, shown) << "index i stays index i";
    int differences = 0;
    for (std::size_t p = 0; p < kImage; ++p) {
      const auto& colour = exported.palette[exported.indices[p]];
      const plat::PALETTEENTRY& screen = palette[shown[p]];
      if (colour[0] != screen.peRed || colour[1] != screen.peGreen || colour[2] != screen.peBlue) {
        ADD_FAILURE() << "pixel " << p << " (index " << int{shown[p]} << "): PNG (" << int{colour[0]} << ", "
                      << int{colour[1]} << ", " << int{colour[2]} << "), editor (" << int{screen.peRed}
                      << ", " << int{screen.peGreen} << ", " << int{screen.peBlue} << ")";
        if (++differences > 5) {
          break;
        }
      }
    }
  }
}

TEST_F(PixtoolEditorTest, ExactColoursImportAsTheEditorSavesThem) {
  // Every swatch index of a colour of its own (white is 80 only), as the
  // working image holds them.
  Bytes indices(kImage);
  for (std::size_t p = 0; p < kImage; ++p) {
    const auto index = static_cast<std::uint8_t>(p % 80);
    indices[p] = index >= 15 ? index + 1 : index;
  }
  pixtest::PutWorkingView({kSide, kSide, indices});
  ASSERT_EQ(SavePixImage(), 1);
  const Bytes saved = ReadFileBytes("art.pix");

  const auto palette = plat::headless::Palette();
  Bytes rgb;
  for (std::uint8_t index : indices) {
    rgb.insert(rgb.end(), {palette[index].peRed, palette[index].peGreen, palette[index].peBlue});
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("view.ppm", pixtest::Ppm(kSide, kSide, rgb)));
  ASSERT_TRUE(pixtest::Convert({"view.ppm", "PNG24:view.png"}));
  const pixtest::ToolRun run = Pixtool({"import", "view.png", "--size", "16x16", "--append", "imported.pix"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("0 of 256 pixels changed colour"), std::string::npos) << run.out;
  const Bytes imported = ReadFileBytes("imported.pix");
  EXPECT_EQ(imported, saved) << pixtest::FirstDifference(saved, imported);
}

}  // namespace
