// pixtool's commands through the program itself: round trips, PNGs made by
// other tools, sprite sheets, info, and its command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pixtool/options.h"
#include "support/editor_fixture.h"
#include "support/file_bytes.h"
#include "support/pixtool_run.h"
#include "support/png_file.h"
#include "support/scratch_dir.h"

namespace {

using pixtest::Bytes;
using pixtest::FailedWithOneLine;
using pixtest::Pixtool;
using pixtest::ReadFileBytes;
using pixtest::ToolRun;

class PixtoolTest : public ::testing::Test {
 protected:
  pixtest::ScratchDir scratch_;
};

std::string SizeArgument(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

TEST_F(PixtoolTest, PixToPngToPixGivesTheSameBytes) {
  const struct {
    int width;
    int height;
    int modulus;  // 81: what the palette panel paints; 256: any byte
  } cases[] = {{1, 1, 81}, {7, 3, 81}, {16, 16, 81}, {102, 78, 81}, {13, 5, 256}};
  for (const auto& c : cases) {
    const std::string size = SizeArgument(c.width, c.height);
    SCOPED_TRACE(size + " modulus " + std::to_string(c.modulus));
    const std::size_t imageBytes = static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height);
    const Bytes original = pixtest::Pattern(4 * imageBytes, 37, c.width, c.modulus);
    ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", original));
    std::remove("back.pix");
    for (int n = 0; n < 4; ++n) {
      const std::string png = "image" + std::to_string(n) + ".png";
      ASSERT_EQ(
          Pixtool({"export", "art.pix", "--size", size, "--image", std::to_string(n), "-o", png}).status, 0);
      std::vector<std::string> import = {"import", png, "--size", size, "--append", "back.pix"};
      if (c.modulus == 256) {
        // Indices above 80 come back only when asked for.
        const Bytes before = ReadFileBytes("back.pix");
        EXPECT_TRUE(FailedWithOneLine(Pixtool(import), 1));
        EXPECT_EQ(ReadFileBytes("back.pix"), before);
        import.push_back("--allow-any-index");
      }
      const ToolRun run = Pixtool(import);
      ASSERT_EQ(run.status, 0) << run.err;
      EXPECT_NE(run.out.find("index for index"), std::string::npos) << run.out;
    }
    const Bytes back = ReadFileBytes("back.pix");
    EXPECT_EQ(back, original) << pixtest::FirstDifference(original, back);
  }
}

// Eight pixels, in RGB as an artist's program holds them, and the indices the
// editor's save would give them: exact swatch colours (white is 80, as the last
// matching swatch), and two near colours that change.
const Bytes kArtRgb = {255, 255, 255, 0, 0, 0,   255, 0,  0,  204, 204, 204,
                       250, 3,   2,   0, 0, 205, 253, 79, 79, 56,  118, 111};
const Bytes kArtIndices = {80, 0, 4, 7, 4, 1, 79, 75};

TEST_F(PixtoolTest, PngsMadeByImageMagickImportByColour) {
  ASSERT_TRUE(pixtest::WriteFileBytes("art.ppm", pixtest::Ppm(4, 2, kArtRgb)));
  // The same pixels as a PAM with alpha: the first pixel wholly transparent.
  const std::string pamHeader = "P7\nWIDTH 4\nHEIGHT 2\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  Bytes pam(pamHeader.begin(), pamHeader.end());
  for (std::size_t p = 0; p < 8; ++p) {
    pam.insert(pam.end(), kArtRgb.begin() + static_cast<long>(3 * p),
               kArtRgb.begin() + static_cast<long>(3 * p + 3));
    pam.push_back(p == 0 ? 0 : 255);
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pam", pam));
  Bytes transparentFirst = kArtIndices;
  transparentFirst[0] = 0;
  const struct {
    const char* what;
    std::vector<std::string> convert;
    Bytes expected;
    const char* report;
  } cases[] = {
      {"RGB", {"art.ppm", "PNG24:in.png"}, kArtIndices, "2 of 8 pixels changed colour"},
      {"16-bit RGB",
       {"art.ppm", "-depth", "16", "PNG48:in.png"},
       kArtIndices,
       "2 of 8 pixels changed colour"},
      {"indexed, ImageMagick's palette",
       {"art.ppm", "PNG8:in.png"},
       kArtIndices,
       "2 of 8 pixels changed colour"},
      {"RGBA", {"art.pam", "PNG32:in.png"}, transparentFirst, "1 not opaque laid on black"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(pixtest::Convert(c.convert));
    std::remove("out.pix");
    const ToolRun run = Pixtool({"import", "in.png", "--size", "4x2", "--append", "out.pix"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes("out.pix"), c.expected) << pixtest::ShowBytes(ReadFileBytes("out.pix"));
    EXPECT_NE(run.out.find(c.report), std::string::npos) << run.out;
  }
}

TEST_F(PixtoolTest, SheetsLayImagesOutWithAGapAndScale) {
  // Three 2 x 1 images: (1 2), (3 4), (5 6).
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", Bytes{1, 2, 3, 4, 5, 6}));
  const struct {
    const char* what;
    std::vector<std::string> options;
    int width;
    int height;
    std::vector<std::string> rows;  // the PNG's indices, one character a pixel ('0' + index)
  } cases[] = {
      {"one image", {"--image", "1"}, 2, 1, {"34"}},
      {"all in one row", {"--all"}, 8, 1, {"12034056"}},
      {"two columns, doubled",
       {"--all", "--sheet", "2", "--scale", "2"},
       9,
       5,
       {"112203344", "112203344", "000000000", "556600000", "556600000"}},
      {"more columns than images", {"--image", "2", "--sheet", "4"}, 2, 1, {"56"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> arguments = {"export", "art.pix", "--size", "2x1", "-o", "sheet.png"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    ASSERT_EQ(Pixtool(arguments).status, 0);
    pixtest::PalettePng png;
    ASSERT_TRUE(pixtest::ReadPalettePng("sheet.png", png));
    EXPECT_EQ(png.palette.size(), 256u);
    ASSERT_EQ(png.width, c.width);
    ASSERT_EQ(png.height, c.height);
    std::vector<std::string> rows;
    for (int y = 0; y < png.height; ++y) {
      std::string row;
      for (int x = 0; x < png.width; ++x) {
        row += static_cast<char>('0' + png.indices[static_cast<std::size_t>(y * png.width + x)]);
      }
      rows.push_back(row);
    }
    EXPECT_EQ(rows, c.rows);

    // The same PNG through standard output.
    arguments[5] = "-";
    const ToolRun piped = Pixtool(arguments, {0, "piped.png"});
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(ReadFileBytes("piped.png"), ReadFileBytes("sheet.png"));
  }
}

TEST_F(PixtoolTest, SheetsComeBackAsTheImagesTheyShow) {
  // Seven 5 x 3 images, the fourth all black: three rows of three cells, the
  // last two empty.
  Bytes original = pixtest::Pattern(7 * 15, 37, 5, 81);
  std::fill(original.begin() + 3 * 15, original.begin() + 4 * 15, 0);
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", original));
  ASSERT_EQ(Pixtool({"export", "art.pix", "--size", "5x3", "--all", "--sheet", "3", "--scale", "2", "-o",
                     "sheet.png"})
                .status,
            0);
  const std::vector<std::string> import = {"import",  "sheet.png", "--size",  "5x3",
                                           "--sheet", "3",         "--scale", "2"};
  std::vector<std::string> append = import;
  append.insert(append.end(), {"--append", "back.pix"});
  ToolRun run = Pixtool(append);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(
      run.out.find("took 7 images from sheet.png (3 x 3 cells; 2 empty cells after the last image left out)"),
      std::string::npos)
      << run.out;
  EXPECT_EQ(ReadFileBytes("back.pix"), original)
      << pixtest::FirstDifference(original, ReadFileBytes("back.pix"));

  // Over image 0 and on, which the editor's saves never write.
  ASSERT_TRUE(pixtest::WriteFileBytes("into.pix", Bytes(15, 9)));
  std::vector<std::string> into = import;
  into.insert(into.end(), {"--into", "into.pix", "--image", "0"});
  ASSERT_EQ(Pixtool(into).status, 0);
  EXPECT_EQ(ReadFileBytes("into.pix"), original);

  // Read with four columns, the sheet fits no layout.
  std::vector<std::string> wrong = import;
  wrong[5] = "4";
  wrong.insert(wrong.end(), {"--append", "other.pix"});
  run = Pixtool(wrong);
  EXPECT_TRUE(FailedWithOneLine(run, 1));
  EXPECT_NE(run.err.find("sheet.png is 32 x 20 pixels, which fits no sheet of 5 x 3 images at scale 2 in 4 "
                         "columns: one row is 6 high and 10, 21, 32, ... wide; more rows are 43 wide and 13, "
                         "20, 27, ... high"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(pixtest::FileExists("other.pix"));
}

TEST_F(PixtoolTest, InfoCountsImagesAndFlagsIndicesAbove80) {
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", Bytes{0, 1, 2, 3, 7, 80, 81, 200, 200, 0, 4, 4, 9}));
  const ToolRun run = Pixtool({"info", "art.pix", "--size", "2x2"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "art.pix: 3 images of 2 x 2 (4 bytes each), 1 byte left over\n"
            "image 0: indices 0-3\n"
            "image 1: indices 7 80-81 200; above 80, not on the palette panel: 81 200\n"
            "image 2: indices 0 4 200; above 80, not on the palette panel: 200\n");
}

TEST_F(PixtoolTest, UsageErrorsExitWith2) {
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", Bytes(16, 1)));
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"draw"},
      {"info", "art.pix"},
      {"info", "art.pix", "--size", "16"},
      {"info", "art.pix", "--size", "0x4"},
      {"info", "art.pix", "--size", "4097x4"},
      {"info", "art.pix", "--size", "4x-4"},
      {"info", "art.pix", "--size", "4x4", "--all"},
      {"info", "art.pix", "other.pix", "--size", "4x4"},
      {"export", "art.pix", "--size", "4x4"},
      {"export", "art.pix", "--size", "4x4", "-o"},
      {"export", "art.pix", "--size", "4x4", "--image", "1", "--all", "-o", "a.png"},
      {"export", "art.pix", "--size", "4x4", "--image", "99999999999", "-o", "a.png"},
      {"export", "art.pix", "--size", "4x4", "--scale", "0", "-o", "a.png"},
      {"export", "art.pix", "--size", "4x4", "--sheet", "x", "-o", "a.png"},
      {"export", "art.pix", "--size", "4x4", "--all=yes", "-o", "a.png"},
      {"import", "a.png", "--size", "4x4"},
      {"import", "a.png", "--size", "4x4", "--append", "art.pix", "--into", "art.pix", "--image", "0"},
      {"import", "a.png", "--size", "4x4", "--into", "art.pix"},
      {"import", "a.png", "--size", "4x4", "--append", "art.pix", "--image", "0"},
  };
  for (const auto& arguments : cases) {
    std::string line;
    for (const std::string& argument : arguments) {
      line += argument + " ";
    }
    SCOPED_TRACE(line);
    EXPECT_TRUE(FailedWithOneLine(Pixtool(arguments), 2));
  }
  EXPECT_EQ(ReadFileBytes("art.pix"), Bytes(16, 1));
}

TEST_F(PixtoolTest, HelpExplainsEveryOptionWithAnExample) {
  for (pixtool::Command command :
       {pixtool::Command::Info, pixtool::Command::Export, pixtool::Command::Import}) {
    const std::string name = pixtool::CommandName(command);
    SCOPED_TRACE(name);
    const ToolRun run = Pixtool({name, "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Example"), std::string::npos);
    for (const std::string& option : pixtool::OptionNames(command)) {
      // Named in the list of options (a line of its own starting with it), not only in the synopsis.
      EXPECT_NE(run.out.find("\n  " + option + " "), std::string::npos) << option << " is not explained";
    }
    EXPECT_NE(Pixtool({"--help"}).out.find("pixtool " + name + " "), std::string::npos);
  }
}

}  // namespace
