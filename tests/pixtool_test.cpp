// pixtool's commands through the program itself: round trips, PNGs made by
// other tools, sprite sheets, info, and its command line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
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
    // The PNG's indices, one character a pixel: '0' + index, and '.' for the
    // gap's index 116 (magenta, which the editor never paints).
    std::vector<std::string> rows;
  } cases[] = {
      {"one image", {"--image", "1"}, 2, 1, {"34"}},
      {"all in one row", {"--all"}, 8, 1, {"12.34.56"}},
      {"two columns, doubled",
       {"--all", "--sheet", "2", "--scale", "2"},
       9,
       5,
       {"1122.3344", "1122.3344", ".........", "5566.....", "5566....."}},
      {"more columns than images", {"--image", "2", "--sheet", "4"}, 2, 1, {"56"}},
      {"images 1 to 2 of all", {"--all", "--from", "1", "--sheet", "1"}, 2, 3, {"34", "..", "56"}},
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
        const std::uint8_t index = png.indices[static_cast<std::size_t>(y * png.width + x)];
        row += index == 116 ? '.' : static_cast<char>('0' + index);
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
  // Seven 5 x 3 images: three rows of three cells, the last two empty. All-black
  // images, the editor's background, are images like any other, the last one too.
  const Bytes images = pixtest::Pattern(7 * 15, 37, 5, 81);
  const auto blackened = [&images](std::size_t n) {
    Bytes copy = images;
    std::fill(copy.begin() + static_cast<long>(n * 15), copy.begin() + static_cast<long>((n + 1) * 15), 0);
    return copy;
  };
  const std::vector<std::string> import = {"import",  "sheet.png", "--size",  "5x3",
                                           "--sheet", "3",         "--scale", "2"};
  // Through another program as RGB, colours are taken as the editor's save
  // takes them: white, swatch 15, becomes 80.
  Bytes byColour = blackened(6);
  std::replace(byColour.begin(), byColour.end(), std::uint8_t{15}, std::uint8_t{80});
  const struct {
    const char* what;
    Bytes original;
    bool throughRgb;
    Bytes expected;
  } cases[] = {
      {"the fourth image black", blackened(3), false, blackened(3)},
      {"the last image black", blackened(6), false, blackened(6)},
      {"the last image black, the sheet made RGB", blackened(6), true, byColour},
  };
  for (const auto& [what, original, throughRgb, expected] : cases) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", original));
    ASSERT_EQ(Pixtool({"export", "art.pix", "--size", "5x3", "--all", "--sheet", "3", "--scale", "2", "-o",
                       "sheet.png"})
                  .status,
              0);
    if (throughRgb) {
      ASSERT_TRUE(pixtest::Convert({"sheet.png", "PNG24:sheet.png"}));
    }
    std::remove("back.pix");
    std::vector<std::string> append = import;
    append.insert(append.end(), {"--append", "back.pix"});
    const ToolRun run = Pixtool(append);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(
                  "took 7 images from sheet.png (3 x 3 cells; 2 empty cells after the last image left out)"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(ReadFileBytes("back.pix"), expected)
        << pixtest::FirstDifference(expected, ReadFileBytes("back.pix"));

    // Over image 0 and on, which the editor's saves never write.
    ASSERT_TRUE(pixtest::WriteFileBytes("into.pix", Bytes(15, 9)));
    std::vector<std::string> into = import;
    into.insert(into.end(), {"--into", "into.pix", "--image", "0"});
    ASSERT_EQ(Pixtool(into).status, 0);
    EXPECT_EQ(ReadFileBytes("into.pix"), expected);
  }

  // Read with four columns, the sheet fits no layout.
  std::vector<std::string> wrong = import;
  wrong[5] = "4";
  wrong.insert(wrong.end(), {"--append", "other.pix"});
  const ToolRun run = Pixtool(wrong);
  EXPECT_TRUE(FailedWithOneLine(run, 1));
  EXPECT_NE(run.err.find("sheet.png is 32 x 20 pixels, which fits no sheet of 5 x 3 images at scale 2 in 4 "
                         "columns: one row is 6 high and 10, 21, 32, ... wide; more rows are 43 wide and 13, "
                         "20, 27, ... high"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(pixtest::FileExists("other.pix"));
}

TEST_F(PixtoolTest, SheetsWithTheOldBlackGapStillImport) {
  // Five 2 x 2 images in rows of three, as sheets were drawn before: gaps and
  // the empty last cell black (index 0). Made here, pixel by pixel, and
  // written as one 8 x 5 image.
  const Bytes images = pixtest::Pattern(5 * 4, 7, 1, 81);
  Bytes sheet(8 * 5, 0);
  for (std::size_t n = 0; n < 5; ++n) {
    for (std::size_t p = 0; p < 4; ++p) {
      sheet[(n / 3 * 3 + p / 2) * 8 + n % 3 * 3 + p % 2] = images[n * 4 + p];
    }
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("sheet.pix", sheet));
  ASSERT_EQ(Pixtool({"export", "sheet.pix", "--size", "8x5", "-o", "old.png"}).status, 0);
  const ToolRun run = Pixtool({"import", "old.png", "--size", "2x2", "--sheet", "3", "--append", "back.pix"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(
      run.out.find("took 5 images from old.png (3 x 2 cells; 1 empty cell after the last image left out)"),
      std::string::npos)
      << run.out;
  EXPECT_EQ(ReadFileBytes("back.pix"), images) << pixtest::FirstDifference(images, ReadFileBytes("back.pix"));
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
      {"export", "art.pix", "--size", "4x4", "--all", "--fps", "0", "-o", "a.gif"},
      {"export", "art.pix", "--size", "4x4", "--all", "--fps", "51", "-o", "a.gif"},
      {"export", "art.pix", "--size", "4x4", "--all", "--fps", "8.5", "-o", "a.gif"},
      {"export", "art.pix", "--size", "4x4", "--all", "--fps", "10", "-o", "a.png"},
      {"export", "art.pix", "--size", "4x4", "--all", "--from", "-1", "-o", "a.gif"},
      {"export", "art.pix", "--size", "4x4", "--all", "--from", "2", "--to", "1", "-o", "a.gif"},
      {"export", "art.pix", "--size", "4x4", "--to", "1", "-o", "a.gif"},
      {"export", "art.pix", "--size", "4x4", "--all", "--sheet", "2", "-o", "a.GIF"},
      {"export", "art.pix", "--size", "4x4", "--all", "-o", "a.gif", "--json", "a.json"},
      {"export", "art.pix", "--size", "4x4", "--all", "-o", "-", "--json", "a.json"},
      {"export", "art.pix", "--size", "4x4", "--all", "-o", "a.png", "--json", "a.png"},
      {"delete", "art.pix", "--size", "4x4"},
      {"delete", "art.pix", "--size", "4x4", "--image", "0", "--all"},
      {"palette"},
      {"palette", "art.pix", "-o", "a.gpl"},
      {"palette", "-o", "colours.txt"},
      {"palette", "-o", "-"},
      {"palette", "-o", "a.gpl", "--format", "aco"},
      {"palette", "--from", "a.pal", "--palette", "b.pal", "-o", "a.gpl"},
      {"export", "art.pix", "--size", "4x4", "--palette=", "-o", "a.png"},
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
  for (pixtool::Command command : {pixtool::Command::Info, pixtool::Command::Export, pixtool::Command::Import,
                                   pixtool::Command::Delete, pixtool::Command::Palette}) {
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

TEST_F(PixtoolTest, WithoutSizeTheEditorsSizeFileOfTheFolderGivesIt) {
  // Two 4 x 2 images and a sheet of them; every command gives what it gives with --size 4x2.
  const Bytes images = pixtest::Pattern(16, 5, 1, 81);
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", images));
  ASSERT_EQ(
      Pixtool({"export", "art.pix", "--size", "4x2", "--all", "--sheet", "1", "-o", "sheet.png"}).status, 0);
  const std::vector<std::vector<std::string>> commands = {
      {"info", "art.pix"},
      {"export", "art.pix", "--image", "1", "-o", "out.png"},
      {"import", "sheet.png", "--sheet", "1", "--append", "out.pix"},
      {"delete", "out.pix", "--image", "0"},
  };
  for (const std::vector<std::string>& command : commands) {
    SCOPED_TRACE(command[0]);
    const std::string written = command[0] == "export" ? "out.png" : "out.pix";
    const auto startAnew = [&command, &images] {
      std::remove("out.png");
      std::remove("out.pix");
      return command[0] != "delete" || pixtest::WriteFileBytes("out.pix", images);
    };
    std::vector<std::string> sized = command;
    sized.insert(sized.end(), {"--size", "4x2"});
    std::remove("SaveSize.dat");
    ASSERT_TRUE(startAnew());
    const ToolRun expected = Pixtool(sized);
    ASSERT_EQ(expected.status, 0) << expected.err;
    const Bytes expectedOut = ReadFileBytes(written);

    ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{4, 2}));
    ASSERT_TRUE(startAnew());
    const ToolRun run = Pixtool(command);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected.out);
    EXPECT_EQ(run.err, "pixtool: --size 4x2, the editor's size in this folder's SaveSize.dat\n");
    EXPECT_EQ(ReadFileBytes(written), expectedOut);
  }

  // A damaged size file is refused, never used; without one, --size is asked for as before.
  const struct {
    const char* what;
    bool present;
    Bytes file;
    int status;
    const char* said;
  } refusals[] = {
      {"no file", false, {}, 2, "--size WIDTHxHEIGHT is needed"},
      {"empty", true, {}, 1, "SaveSize.dat is damaged: empty"},
      {"one byte", true, {16}, 1, "SaveSize.dat is damaged: 1 byte"},
      {"width 0", true, {0, 16}, 1, "SaveSize.dat is damaged: it says 0 x 16"},
      {"height 0", true, {16, 0}, 1, "SaveSize.dat is damaged: it says 16 x 0"},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.what);
    std::remove("SaveSize.dat");
    if (refusal.present) {
      ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", refusal.file));
    }
    const ToolRun run = Pixtool({"delete", "art.pix", "--image", "0"});
    EXPECT_TRUE(FailedWithOneLine(run, refusal.status));
    EXPECT_NE(run.err.find(refusal.said), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes("art.pix"), images);
  }
}

// Three colours of a game's palette in each form, each over entries 0 to 2.
std::array<std::uint8_t, 3> Entry(const pixtest::PalettePng& png, std::size_t i) {
  return i < png.palette.size() ? png.palette[i] : std::array<std::uint8_t, 3>{};
}

TEST_F(PixtoolTest, ThePaletteOfTheFolderOrOfPaletteGivesTheColours) {
  using Rgb = std::array<std::uint8_t, 3>;
  const Rgb folder[] = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  const Rgb other[] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  const Rgb builtIn[] = {{0, 0, 0}, {0, 0, 204}, {51, 153, 51}, {0, 255, 255}};
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", Bytes{0, 1, 2, 3}));
  ASSERT_TRUE(pixtest::WriteFileBytes("other.pal",
                                      std::string("JASC-PAL\r\n0100\r\n3\r\n1 2 3\r\n4 5 6\r\n7 8 9\r\n")));
  ASSERT_TRUE(pixtest::WriteFileBytes("other-hex.act", std::string("#010203\n#040506\n#070809\n")));
  const std::string folderFile = "GIMP Palette\n10 20 30 Ink\n40 50 60\n70 80 90\n";
  const struct {
    const char* what;
    bool inFolder;
    std::vector<std::string> options;
    const Rgb* expected;  // entries 0 to 2; entry 3 stays built-in
    const char* said;     // the line on standard error
  } cases[] = {
      {"the folder's Palette.gpl",
       true,
       {},
       folder,
       "pixtool: colours 0 to 2 from Palette.gpl (this folder's palette), 3 to 255 the editor's own\n"},
      {"--palette over the folder's",
       true,
       {"--palette", "other.pal"},
       other,
       "pixtool: colours 0 to 2 from other.pal, 3 to 255 the editor's own\n"},
      {"a hex list named .act",
       false,
       {"--palette", "other-hex.act"},
       other,
       "pixtool: colours 0 to 2 from other-hex.act (a hex list, whatever its name says), 3 to 255 the "
       "editor's "
       "own\n"},
      {"--palette built-in", true, {"--palette", "built-in"}, builtIn, ""},
      {"no palette file", false, {}, builtIn, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::remove("Palette.gpl");
    if (c.inFolder) {
      ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", folderFile));
    }
    for (const char* out : {"out.png", "out.gif"}) {
      std::vector<std::string> arguments = {"export", "art.pix", "--size", "4x1", "-o", out};
      arguments.insert(arguments.end(), c.options.begin(), c.options.end());
      const ToolRun run = Pixtool(arguments);
      ASSERT_EQ(run.status, 0) << run.err;
      EXPECT_EQ(run.err, c.said);
    }
    pixtest::PalettePng png;
    ASSERT_TRUE(pixtest::ReadPalettePng("out.png", png));
    const Bytes gif = ReadFileBytes("out.gif");
    ASSERT_GE(gif.size(), 13u + 768u);
    for (std::size_t i = 0; i < 4; ++i) {
      const Rgb want = i < 3 ? c.expected[i] : builtIn[3];
      EXPECT_EQ(Entry(png, i), want) << "PNG entry " << i;
      EXPECT_EQ((Rgb{gif[13 + 3 * i], gif[14 + 3 * i], gif[15 + 3 * i]}), want) << "GIF entry " << i;
    }
  }

  // Import matches colours to the palette in force: the folder's three first, then the built-in swatches.
  ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", folderFile));
  ASSERT_TRUE(pixtest::WriteFileBytes("in.ppm",
                                      pixtest::Ppm(4, 1, {40, 50, 60, 71, 80, 90, 10, 20, 30, 0, 255, 255})));
  ASSERT_TRUE(pixtest::Convert({"in.ppm", "PNG24:in.png"}));
  std::remove("back.pix");
  const ToolRun imported = Pixtool({"import", "in.png", "--size", "4x1", "--append", "back.pix"});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(ReadFileBytes("back.pix"), (Bytes{1, 2, 0, 3}));

  // palette writes the colours in force, with the names the file gave.
  ASSERT_EQ(Pixtool({"palette", "-o", "all.gpl"}).status, 0);
  const Bytes all = ReadFileBytes("all.gpl");
  const std::string written(all.begin(), all.end());
  EXPECT_NE(
      written.find("\n 10  20  30\tInk\n 40  50  60\tindex 1\n 70  80  90\tindex 2\n  0 255 255\tindex 3\n"),
      std::string::npos)
      << written;

  // A damaged Palette.gpl is refused, never replaced by the built-in colours unasked.
  ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", std::string("GIMP Palette\n1 2 3\n1 2 256\n")));
  std::remove("out.png");
  const ToolRun refused = Pixtool({"export", "art.pix", "--size", "4x1", "-o", "out.png"});
  EXPECT_TRUE(FailedWithOneLine(refused, 1));
  EXPECT_NE(refused.err.find("Palette.gpl line 3: 256 is above 255"), std::string::npos) << refused.err;
  EXPECT_FALSE(pixtest::FileExists("out.png"));
}

TEST_F(PixtoolTest, PaletteFromTurnsAFileOrAPngIntoTheFoldersPalette) {
  ASSERT_TRUE(pixtest::WriteFileBytes("game.pal", std::string("JASC-PAL\n0100\n2\n255 0 77\n0 228 54\n")));
  Bytes act(772, 0);
  act[0] = 41;
  act[1] = 173;
  act[2] = 255;
  act[769] = 1;  // the count: one colour
  ASSERT_TRUE(pixtest::WriteFileBytes("game.act", act));
  // Colours in order of first use: the second red pixel adds nothing.
  ASSERT_TRUE(
      pixtest::WriteFileBytes("game.ppm", pixtest::Ppm(4, 1, {255, 0, 0, 0, 0, 9, 255, 0, 0, 7, 7, 7})));
  ASSERT_TRUE(pixtest::Convert({"game.ppm", "PNG24:game.png"}));
  const struct {
    const char* from;
    const char* lines;  // the colour lines of Palette.gpl, from entry 0
  } cases[] = {
      {"game.pal", "255   0  77\tindex 0\n  0 228  54\tindex 1\n 51 153  51\tindex 2\n"},
      {"game.act", " 41 173 255\tindex 0\n  0   0 204\tindex 1\n"},
      {"game.png",
       "255   0   0\tindex 0\n  0   0   9\tindex 1\n  7   7   7\tindex 2\n  0 255 255\tindex 3\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from);
    const ToolRun run = Pixtool({"palette", "--from", c.from, "-o", "Palette.gpl"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(pixtest::LineCount(run.err), 1u) << run.err;
    const Bytes file = ReadFileBytes("Palette.gpl");
    const std::string text(file.begin(), file.end());
    EXPECT_NE(text.find("entry i is index i\n" + std::string(c.lines)), std::string::npos) << text;
  }

  // What cannot be a palette is refused in one line, and Palette.gpl stays as it is.
  Bytes many;
  for (int i = 0; i < 257; ++i) {
    many.insert(many.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 0});
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("many.ppm", pixtest::Ppm(257, 1, many)));
  ASSERT_TRUE(pixtest::Convert({"many.ppm", "PNG24:many.png"}));
  ASSERT_EQ(mkfifo("pipe.gpl", 0644), 0);
  ASSERT_EQ(mkdir("folder.gpl", 0755), 0);
  ASSERT_TRUE(pixtest::WriteFileBytes("huge.gpl", Bytes(10u << 20, '\n')));
  const Bytes kept = ReadFileBytes("Palette.gpl");
  const struct {
    const char* from;
    const char* said;
  } refusals[] = {
      {"many.png", "many.png has more than 256 colours"},
      {"pipe.gpl", "pipe.gpl is not a regular file"},
      {"folder.gpl", "folder.gpl is a folder"},
      {"huge.gpl", "huge.gpl: larger than 1 MB"},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.from);
    const ToolRun run = Pixtool({"palette", "--from", refusal.from, "-o", "Palette.gpl"});
    EXPECT_TRUE(FailedWithOneLine(run, 1));
    EXPECT_NE(run.err.find(refusal.said), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes("Palette.gpl"), kept);
  }
}

}  // namespace
