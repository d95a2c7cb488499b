// Palette files of other programs read back to their colours, damaged ones
// refused with their line, and the editor starting with its folder's Palette.gpl.
#include "storage/palette_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/devices.h"
#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "app/winmain.h"
#include "canvas/image_change.h"
#include "platform/headless/headless.h"
#include "storage/folder_palette.h"
#include "support/file_bytes.h"
#include "support/program_run.h"
#include "support/scratch_dir.h"
#include "support/screen_text.h"

namespace {

using pixtest::Bytes;

struct Named {
  int red, green, blue;
  std::string name;
};

std::string Show(const std::vector<Named>& colours) {
  std::string text;
  for (const Named& c : colours) {
    text += "(" + std::to_string(c.red) + " " + std::to_string(c.green) + " " + std::to_string(c.blue) +
            " '" + c.name + "') ";
  }
  return text;
}

std::vector<Named> AsNamed(const PaletteFileColours& palette) {
  std::vector<Named> colours;
  for (std::size_t i = 0; i < palette.colours.size(); ++i) {
    const PaletteColour& c = palette.colours[i];
    colours.push_back({c.red, c.green, c.blue, i < palette.names.size() ? palette.names[i] : "?"});
  }
  return colours;
}

bool operator==(const Named& a, const Named& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue && a.name == b.name;
}

// An Adobe table of its own pattern: entry i is (i, 255 - i, 7 i mod 256).
Bytes ActTable(int trailerCount) {
  Bytes bytes;
  for (int i = 0; i < 256; ++i) {
    bytes.insert(bytes.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                               static_cast<std::uint8_t>(7 * i % 256)});
  }
  if (trailerCount >= 0) {
    bytes.insert(bytes.end(), {static_cast<std::uint8_t>(trailerCount >> 8),
                               static_cast<std::uint8_t>(trailerCount & 0xFF), 0xFF, 0xFF});
  }
  return bytes;
}

std::vector<Named> ActColours(int count) {
  std::vector<Named> colours;
  for (int i = 0; i < count; ++i) {
    colours.push_back({i, 255 - i, 7 * i % 256, ""});
  }
  return colours;
}

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

TEST(PaletteFileTest, EachFormReadsBackToItsColoursInOrder) {
  const std::vector<Named> rgb = {{255, 0, 0, ""}, {0, 128, 0, ""}, {16, 32, 255, ""}};
  const struct {
    const char* what;
    const char* fileName;
    Bytes bytes;
    PaletteFormat format;
    std::vector<Named> expected;
  } cases[] = {
      {"GIMP, names with spaces, comments, Name and Columns",
       "a.gpl",
       Text("GIMP Palette\nName: Game boy\nColumns: 4\n#\n# a comment\n 15  56  15\tDarkest Green\n"
            "48 98 48   dark  green \n\n139 172 15\tLight\n"),
       PaletteFormat::Gpl,
       {{15, 56, 15, "Darkest Green"}, {48, 98, 48, "dark  green"}, {139, 172, 15, "Light"}}},
      {"GIMP without names", "a.gpl", Text("GIMP Palette\n255 0 0\n0 128 0\n16 32 255\n"), PaletteFormat::Gpl,
       rgb},
      {"GIMP with CR LF and a UTF-8 name",
       "a.gpl",
       Text("GIMP Palette\r\n255 0 0\tRot \xC3\xA4\r\n"),
       PaletteFormat::Gpl,
       {{255, 0, 0, "Rot \xC3\xA4"}}},
      {"GIMP without its header line", "a.gpl", Text("# made by hand\n255 0 0\n0 128 0\n16 32 255"),
       PaletteFormat::Gpl, rgb},
      {"JASC with CR LF", "a.pal", Text("JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 128 0\r\n16 32 255\r\n"),
       PaletteFormat::Pal, rgb},
      {"JASC with LF", "a.pal", Text("JASC-PAL\n0100\n3\n255 0 0\n0 128 0\n16 32 255\n"), PaletteFormat::Pal,
       rgb},
      {"JASC named .gpl",
       "Palette.gpl",
       Text("JASC-PAL\n0100\n1\n1 2 3\n"),
       PaletteFormat::Pal,
       {{1, 2, 3, ""}}},
      {"Adobe, 768 bytes", "a.act", ActTable(-1), PaletteFormat::Act, ActColours(256)},
      {"Adobe, 772 bytes with a count of 5", "a.act", ActTable(5), PaletteFormat::Act, ActColours(5)},
      {"Adobe named .gpl", "Palette.gpl", ActTable(256), PaletteFormat::Act, ActColours(256)},
      {"hex without #", "a.hex", Text("ff0000\n008000\n1020FF\n"), PaletteFormat::Hex, rgb},
      {"hex with # and CR LF", "a.hex", Text("#ff0000\r\n#008000\r\n\r\n#1020ff\r\n"), PaletteFormat::Hex,
       rgb},
      {"hex named .gpl", "Palette.gpl", Text("#ff0000\n008000\n#1020fF"), PaletteFormat::Hex, rgb},
      {"an empty file: no colours", "Palette.gpl", Bytes{}, PaletteFormat::Gpl, {}},
      {"a header alone: no colours", "a.gpl", Text("GIMP Palette\nName: none\n"), PaletteFormat::Gpl, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PaletteFormat format = PaletteFormatOfBytes(c.bytes, PaletteFormatOfFile(c.fileName));
    EXPECT_EQ(format, c.format);
    PaletteFileColours palette;
    PaletteProblem problem;
    ASSERT_TRUE(ParsePaletteFile(format, c.bytes, palette, problem)) << PaletteProblemText(problem);
    EXPECT_EQ(AsNamed(palette), c.expected) << Show(AsNamed(palette));
  }
}

class FolderPaletteTest : public ::testing::Test {
 protected:
  pixtest::ScratchDir scratch_;
};

bool SameColours(const PaletteColours& a, const PaletteColours& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue) {
      return false;
    }
  }
  return true;
}

std::string ManyLines(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += line;
  }
  return text;
}

TEST_F(FolderPaletteTest, DamagedFilesAreRefusedWithTheirLineAndTheBuiltInPaletteKept) {
  const struct {
    const char* what;
    Bytes bytes;
    int line;
    const char* reason;  // a part of it
  } cases[] = {
      {"a bad line", Text("GIMP Palette\n1 2 3\nred\n"), 3, "not a colour"},
      {"two numbers", Text("1 2\n"), 1, "not a colour"},
      {"above 255", Text("GIMP Palette\r\n1 2 3\r\n0 300 0\r\n"), 3, "300 is above 255"},
      {"negative", Text("GIMP Palette\n-4 0 0 Red\n"), 2, "-4 is below 0"},
      {"a huge number", Text("99999999999999999999 0 0\n"), 1, "above 255"},
      {"a zero byte", Text(std::string("GIMP Palette\n1 2 3 a\0b\n", 24)), 2, "not text (0x00)"},
      {"bytes that are not UTF-8", Text("GIMP Palette\n1 2 3 \xFF\xFE\n"), 2, "not text (0xFF)"},
      {"a line of 10,000 characters", Text("GIMP Palette\n1 2 3 " + std::string(10000, 'x') + "\n"), 2,
       "longer than 1024"},
      {"257 colours", Text("GIMP Palette\n" + ManyLines(257, "1 2 3\n")), 258, "257th colour"},
      {"JASC announcing 300", Text("JASC-PAL\n0100\n300\n"), 3, "300 colours"},
      {"JASC short of its count", Text("JASC-PAL\r\n0100\r\n3\r\n1 2 3\r\n4 5 6\r\n"), 5, "2 of the 3"},
      {"JASC with an extra colour", Text("JASC-PAL\n0100\n1\n1 2 3\n4 5 6\n"), 5, "more colours than the 1"},
      {"JASC with a name", Text("JASC-PAL\n0100\n1\n1 2 3 red\n"), 4, "not a colour"},
      {"a hex colour of five digits", Text("#ff0000\n#12345\n"), 2, "six hex digits"},
      {"hex with 257 colours", Text(ManyLines(257, "#000000\n")), 257, "257th colour"},
      {"Adobe counting 300", Bytes(ActTable(300)), 0, "300 colours"},
      {"10 MB", Bytes(10u << 20, '1'), 0, "larger than 1 MB"},
  };
  const PaletteColours builtIn = GeneratePaletteColours();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", c.bytes));
    const auto start = std::chrono::steady_clock::now();
    const FolderPalette palette = ReadFolderPalette();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(palette.found);
    EXPECT_EQ(palette.problem.line, c.line) << palette.problem.reason;
    EXPECT_NE(palette.problem.reason.find(c.reason), std::string::npos) << palette.problem.reason;
    EXPECT_TRUE(SameColours(palette.colours, builtIn));
    EXPECT_TRUE(palette.file.colours.empty());
    EXPECT_EQ(pixtest::ReadFileBytes("Palette.gpl"), c.bytes) << "the file is left as it is";
  }
}

TEST_F(FolderPaletteTest, WhatIsNoFileIsRefusedWithoutWaiting) {
  const struct {
    const char* what;
    int (*make)();
    const char* reason;
  } cases[] = {
      {"a folder", [] { return mkdir("Palette.gpl", 0755); }, "a folder"},
      {"a FIFO", [] { return mkfifo("Palette.gpl", 0644); }, "not a regular file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove("Palette.gpl");
    ASSERT_EQ(c.make(), 0);
    const FolderPalette palette = ReadFolderPalette();
    EXPECT_TRUE(palette.found);
    EXPECT_NE(palette.problem.reason.find(c.reason), std::string::npos) << palette.problem.reason;
    EXPECT_TRUE(SameColours(palette.colours, GeneratePaletteColours()));
  }
  // A file its rights do not let the editor read, in a child that dropped root.
  std::filesystem::remove("Palette.gpl");
  scratch_.OpenToEveryone();
  ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", Text("1 2 3\n")));
  ASSERT_EQ(chmod("Palette.gpl", 0), 0);
  const int failures = pixtest::RunAsUnprivilegedChild([] {
    const FolderPalette palette = ReadFolderPalette();
    return (palette.problem.reason.find("Permission denied") == std::string::npos ? 1 : 0) |
           (SameColours(palette.colours, GeneratePaletteColours()) ? 0 : 2);
  });
  EXPECT_EQ(failures, 0) << "bit 0: no reason given; 1: not the built-in palette; -1: the child died";
}

TEST_F(FolderPaletteTest, TheEditorWritesThePaletteWholeOrNotAtAll) {
  PaletteColours colours = GeneratePaletteColours();
  colours[0] = {9, 8, 7};
  pixtest::FreshMachine();
  ASSERT_TRUE(WriteFolderPalette(colours, {"Night sky", "", "two\nlines"}));
  EXPECT_EQ(pixtest::CallsStartingWith("WriteWholeFile("),
            std::vector<std::string>{"WriteWholeFile(Palette.gpl)"});
  const FolderPalette read = ReadFolderPalette();
  ASSERT_EQ(read.file.colours.size(), 256u) << PaletteProblemText(read.problem);
  EXPECT_EQ(AsNamed(read.file)[0], (Named{9, 8, 7, "Night sky"}));
  EXPECT_EQ(read.file.names[1], "index 1");
  EXPECT_EQ(read.file.names[2], "two lines");

  const Bytes before = pixtest::ReadFileBytes("Palette.gpl");
  plat::headless::FailCall("WriteWholeFile(Palette.gpl)");
  colours[0] = {1, 1, 1};
  EXPECT_FALSE(WriteFolderPalette(colours, {}));
  EXPECT_EQ(pixtest::ReadFileBytes("Palette.gpl"), before);
}

// The three lines of the message place (34 cells from (390, 447)) in the prompt's red, index 4.
std::string MessageShown() {
  std::string lines;
  for (int line = 0; line < 3; ++line) {
    lines += pixtest::ReadScreenText(390, 447 + 16 * line, 34, 4) + "|";
  }
  return lines;
}

// The editor at start: a 16-colour Palette.gpl over entries 0 to 15, the
// built-in colours from 16 on; a damaged one said and shown, the built-in used.
TEST_F(FolderPaletteTest, TheEditorStartsWithTheFoldersPalette) {
  const int game[16][3] = {{0, 0, 0},      {29, 43, 83},    {126, 37, 83},   {0, 135, 81},
                           {171, 82, 54},  {95, 87, 79},    {194, 195, 199}, {255, 241, 232},
                           {255, 0, 77},   {255, 163, 0},   {255, 236, 39},  {0, 228, 54},
                           {41, 173, 255}, {131, 118, 156}, {255, 119, 168}, {255, 204, 170}};
  std::string file = "GIMP Palette\nName: game\n";
  for (const auto& c : game) {
    file += std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + "\tcolour\n";
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", file));
  const PaletteColours builtIn = GeneratePaletteColours();
  pixtest::FreshMachine();
  ASSERT_TRUE(pixtest::OpenTestWindow());
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(InitDevices(), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  const std::array<plat::PALETTEENTRY, 256> shown = plat::headless::Palette();
  for (int i = 0; i < 256; ++i) {
    const PaletteColour want =
        i < 16 ? PaletteColour{static_cast<std::uint8_t>(game[i][0]), static_cast<std::uint8_t>(game[i][1]),
                               static_cast<std::uint8_t>(game[i][2])}
               : builtIn[static_cast<std::size_t>(i)];
    EXPECT_TRUE(shown[i].peRed == want.red && shown[i].peGreen == want.green && shown[i].peBlue == want.blue)
        << "entry " << i;
  }
  EXPECT_EQ(ShownColour(1), 0x1D2B53u);
  EXPECT_EQ(MessageShown(),
            std::string(34, ' ') + "|" + std::string(34, ' ') + "|" + std::string(34, ' ') + "|");
  ShutdownApp();

  const Bytes damaged = Text("GIMP Palette\n1 2 3\n4 5 6\n7 8\n");
  ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", damaged));
  pixtest::FreshMachine();
  ASSERT_TRUE(pixtest::OpenTestWindow());
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(InitDevices(), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "pixed: Palette.gpl: line 4: not a colour: three numbers from 0 to 255; the built-in palette is "
            "used, and the file is left as it is\n");
  const std::array<plat::PALETTEENTRY, 256> kept = plat::headless::Palette();
  for (int i = 0; i < 256; ++i) {
    EXPECT_TRUE(kept[i].peRed == builtIn[i].red && kept[i].peGreen == builtIn[i].green &&
                kept[i].peBlue == builtIn[i].blue)
        << "entry " << i;
  }
  plat::headless::QueueMouse(0, 0, false);
  for (int k = 0; k < 5; ++k)
    RunEditorPass();
  std::string lines;
  for (const char* line :
       {"Palette.gpl line 4: not a colour:", "three numbers from 0 to 255.", "Built-in colours used."}) {
    lines += line + std::string(34 - std::strlen(line), ' ') + "|";
  }
  EXPECT_EQ(MessageShown(), lines);
  ShutdownApp();
  EXPECT_EQ(pixtest::ReadFileBytes("Palette.gpl"), damaged);
}

}  // namespace
