// Palette files of other programs read back to their colours.
#include "storage/palette_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/file_bytes.h"

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

TEST(PaletteFileTest, AGimpPaletteWrittenWithNamesReadsBack) {
  PaletteColours colours = GeneratePaletteColours();
  colours[0] = {1, 2, 3};
  colours[255] = {250, 251, 252};
  const Bytes bytes = PaletteFileBytes(PaletteFormat::Gpl, colours, {"Deep sea", "", "two\nlines"});
  PaletteFileColours palette;
  PaletteProblem problem;
  ASSERT_TRUE(ParsePaletteFile(PaletteFormat::Gpl, bytes, palette, problem)) << PaletteProblemText(problem);
  ASSERT_EQ(palette.colours.size(), 256u);
  EXPECT_EQ(AsNamed(palette)[0], (Named{1, 2, 3, "Deep sea"}));
  EXPECT_EQ(palette.names[1], "index 1");
  EXPECT_EQ(palette.names[2], "two lines");
  EXPECT_EQ(AsNamed(palette)[255], (Named{250, 251, 252, "index 255"}));
}

}  // namespace
