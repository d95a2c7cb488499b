// pixtool's files for the rest of an artist's toolchain, read back by other
// programs: animated GIFs through ImageMagick, sheet data through Python's JSON
// reader, and palette files parsed here, all against the editor's palette table.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "canvas/palette_table.h"
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
using pixtest::RunTool;
using pixtest::ToolRun;

constexpr int kWidth = 5;
constexpr int kHeight = 3;
constexpr std::size_t kImage = kWidth * kHeight;

class PixtoolToolchainTest : public ::testing::Test {
 protected:
  pixtest::ScratchDir scratch_;
};

// The colours of the palette's entries, red, green, blue, one after another.
Bytes PaletteBytes() {
  Bytes bytes;
  for (const PaletteColour& colour : GeneratePaletteColours()) {
    bytes.insert(bytes.end(), {colour.red, colour.green, colour.blue});
  }
  return bytes;
}

// Image n of the pix bytes enlarged scale times, as red, green, blue bytes in the palette's colours.
Bytes ImageColours(const Bytes& pix, std::size_t n, int scale) {
  const Bytes palette = PaletteBytes();
  Bytes rgb;
  for (int y = 0; y < kHeight * scale; ++y) {
    for (int x = 0; x < kWidth * scale; ++x) {
      const std::size_t index = pix[n * kImage + static_cast<std::size_t>(y / scale * kWidth + x / scale)];
      rgb.insert(rgb.end(), palette.begin() + static_cast<long>(3 * index),
                 palette.begin() + static_cast<long>(3 * index + 3));
    }
  }
  return rgb;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    lines.push_back(line);
  }
  return lines;
}

TEST_F(PixtoolToolchainTest, GifsHaveTheFramesTheDelaysAndThePalette) {
  // Four images of every byte value, the indices above 80 too.
  const Bytes pix = pixtest::Pattern(4 * kImage, 37, 11);
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", pix));
  const struct {
    std::vector<std::string> options;
    std::size_t first;
    std::size_t count;
    int scale;
    int delay;  // hundredths of a second
  } cases[] = {
      {{"--all"}, 0, 4, 1, 10},
      {{"--all", "--from", "1", "--fps", "8", "--scale", "3"}, 1, 3, 3, 13},
      {{"--all", "--to", "1", "--fps", "3"}, 0, 2, 1, 33},
      {{"--all", "--from", "2", "--to", "2", "--fps", "50"}, 2, 1, 1, 2},
      {{"--image", "3", "--fps", "1", "--scale", "2"}, 3, 1, 2, 100},
  };
  for (const auto& c : cases) {
    std::string what;
    for (const std::string& option : c.options) {
      what += option + " ";
    }
    SCOPED_TRACE(what);
    std::vector<std::string> arguments = {"export", "art.pix", "--size", "5x3", "-o", "out.GIF"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const ToolRun run = Pixtool(arguments);
    ASSERT_EQ(run.status, 0) << run.err;

    // ImageMagick's frames: their delays, sizes and pixels.
    const std::string size = std::to_string(kWidth * c.scale) + " " + std::to_string(kHeight * c.scale);
    const ToolRun info = RunTool(PIXED_CONVERT, {"out.GIF", "-format", "%T %w %h\n", "info:"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(Lines(info.out), std::vector<std::string>(c.count, std::to_string(c.delay) + " " + size));
    ASSERT_TRUE(pixtest::Convert({"out.GIF", "-coalesce", "rgb:frames.rgb"}));
    Bytes expected;
    for (std::size_t n = 0; n < c.count; ++n) {
      const Bytes frame = ImageColours(pix, c.first + n, c.scale);
      expected.insert(expected.end(), frame.begin(), frame.end());
    }
    const Bytes frames = ReadFileBytes("frames.rgb");
    EXPECT_EQ(frames, expected) << pixtest::FirstDifference(expected, frames);

    // The file itself: a GIF89a with the palette as its global table of 256
    // entries, index for index, and the loop extension (loop for ever).
    const Bytes gif = ReadFileBytes("out.GIF");
    ASSERT_GT(gif.size(), 13u + 768u);
    EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
    EXPECT_EQ(gif[10] & 0x87, 0x87) << "a global colour table of 256 entries";
    EXPECT_EQ(Bytes(gif.begin() + 13, gif.begin() + 13 + 768), PaletteBytes());
    const std::string loop = std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    EXPECT_EQ(std::string(gif.begin() + 13 + 768, gif.begin() + 13 + 768 + 19), loop);
  }

  // Images the file does not hold, and frames too wide for a GIF.
  ASSERT_TRUE(pixtest::WriteFileBytes("wide.pix", Bytes(4096, 1)));
  const struct {
    std::vector<std::string> arguments;
    const char* said;
  } refusals[] = {
      {{"art.pix", "--size", "5x3", "--all", "--to", "4"},
       "holds images 0 to 3 of 5 x 3; there is no image 4"},
      {{"art.pix", "--size", "5x3", "--all", "--from", "9"},
       "holds images 0 to 3 of 5 x 3; there is no image 9"},
      {{"wide.pix", "--size", "4096x1", "--scale", "16"}, "a GIF is at most 65535 pixels a side"},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.said);
    std::remove("refused.gif");
    std::vector<std::string> arguments = {"export"};
    arguments.insert(arguments.end(), refusal.arguments.begin(), refusal.arguments.end());
    arguments.insert(arguments.end(), {"-o", "refused.gif"});
    const ToolRun run = Pixtool(arguments);
    EXPECT_TRUE(FailedWithOneLine(run, 1));
    EXPECT_NE(run.err.find(refusal.said), std::string::npos) << run.err;
    EXPECT_FALSE(pixtest::FileExists("refused.gif"));
  }
}

// The colours a palette file lists, read as the format's own readers read it.
Bytes ParsePalette(const std::string& format, const Bytes& file) {
  if (format == "act") {
    return file;
  }
  const std::string text(file.begin(), file.end());
  std::vector<std::string> lines = Lines(text);
  if (format == "gpl") {
    // A header line, then colour lines "red green blue name", with a name,
    // columns and comments among them.
    EXPECT_EQ(lines.at(0), "GIMP Palette");
    std::erase_if(lines, [](const std::string& line) {
      return line.empty() || line[0] == '#' || line.rfind("GIMP Palette", 0) == 0 ||
             line.rfind("Name:", 0) == 0 || line.rfind("Columns:", 0) == 0;
    });
  } else if (format == "pal") {
    EXPECT_EQ(text.substr(0, 21), "JASC-PAL\r\n0100\r\n256\r\n");
    lines.erase(lines.begin(), lines.begin() + 3);
  }
  Bytes colours;
  for (const std::string& line : lines) {
    if (format == "hex") {
      EXPECT_EQ(line.size(), 6u) << line;
      for (std::size_t k = 0; k + 2 <= line.size(); k += 2) {
        colours.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(k, 2), nullptr, 16)));
      }
      continue;
    }
    std::istringstream fields(line);
    int red = -1;
    int green = -1;
    int blue = -1;
    fields >> red >> green >> blue;
    EXPECT_TRUE(red >= 0 && green >= 0 && blue >= 0 && red < 256 && green < 256 && blue < 256) << line;
    colours.insert(colours.end(), {static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                                   static_cast<std::uint8_t>(blue)});
  }
  return colours;
}

TEST_F(PixtoolToolchainTest, PaletteFilesHoldTheEditorsColoursIndexForIndex) {
  const struct {
    std::vector<std::string> options;
    const char* file;  // "-": standard output
    const char* format;
    const char* said;
  } cases[] = {
      {{"-o", "pixed.gpl"}, "pixed.gpl", "gpl", "as a GIMP palette"},
      {{"-o", "pixed.PAL"}, "pixed.PAL", "pal", "as a JASC palette"},
      {{"-o", "pixed.act"}, "pixed.act", "act", "as an Adobe colour table"},
      {{"-o", "pixed.hex"}, "pixed.hex", "hex", "as a hex list"},
      {{"--format", "gpl", "-o", "colours.txt"}, "colours.txt", "gpl", "as a GIMP palette"},
      {{"--format", "act", "-o", "pixed.gpl"}, "pixed.gpl", "act", "as an Adobe colour table"},
      {{"--format", "hex", "-o", "-"}, "-", "hex", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options.back() + " " + c.format);
    std::vector<std::string> arguments = {"palette"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const ToolRun run = Pixtool(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
    const Bytes file =
        c.file == std::string("-") ? Bytes(run.out.begin(), run.out.end()) : ReadFileBytes(c.file);
    if (c.format == std::string("act")) {
      EXPECT_EQ(file.size(), 768u) << "no count after the 256 entries";
    }
    EXPECT_EQ(ParsePalette(c.format, file), PaletteBytes());
  }
}

TEST_F(PixtoolToolchainTest, TheSheetsJsonCutsItBackIntoTheImages) {
  // Seven images in rows of three at scale 2, from a file whose name a JSON
  // string must escape: a quote, a backslash and a byte that is not UTF-8.
  const Bytes pix = pixtest::Pattern(7 * kImage, 29, 3, 81);
  const std::string name = std::string("a\"b\\c") + '\xFF';
  ASSERT_TRUE(pixtest::WriteFileBytes(name + ".pix", pix));
  ASSERT_EQ(mkdir("sheets", 0755), 0);
  const ToolRun run = Pixtool({"export", name + ".pix", "--size", "5x3", "--all", "--sheet", "3", "--scale",
                               "2", "--fps", "8", "-o", "sheets/walk.png", "--json", "walk.json"});
  ASSERT_EQ(run.status, 0) << run.err;
  pixtest::PalettePng sheet;
  ASSERT_TRUE(pixtest::ReadPalettePng("sheets/walk.png", sheet));

  // Python's JSON reader: each frame, then the sheet, a line each.
  const char* reader = R"(import json, sys
data = json.load(open(sys.argv[1], encoding="utf-8"))
for f in data["frames"]:
    r = f["frame"]
    print(json.dumps(f["filename"]), r["x"], r["y"], r["w"], r["h"], f["duration"])
m = data["meta"]
print(json.dumps(m["image"]), m["size"]["w"], m["size"]["h"]))";
  const ToolRun parsed = RunTool(PIXED_PYTHON, {"-c", reader, "walk.json"});
  ASSERT_EQ(parsed.status, 0) << parsed.err;
  const std::vector<std::string> lines = Lines(parsed.out);
  ASSERT_EQ(lines.size(), 8u) << parsed.out;
  EXPECT_EQ(lines[7],
            "\"sheets/walk.png\" " + std::to_string(sheet.width) + " " + std::to_string(sheet.height));
  for (std::size_t n = 0; n < 7; ++n) {
    SCOPED_TRACE("frame " + std::to_string(n));
    std::istringstream fields(lines[n]);
    std::string filename;
    int x = -1;
    int y = -1;
    int w = -1;
    int h = -1;
    int duration = -1;
    fields >> filename >> x >> y >> w >> h >> duration;
    EXPECT_EQ(filename, "\"a\\\"b\\\\c\\ufffd_" + std::to_string(n) + "\"");
    EXPECT_EQ(duration, 125);
    ASSERT_EQ(w, kWidth * 2);
    ASSERT_EQ(h, kHeight * 2);
    ASSERT_TRUE(x >= 0 && y >= 0 && x + w <= sheet.width && y + h <= sheet.height);
    // Every pixel of the rectangle is its image's pixel: the frames sit exactly on the cells.
    int differences = 0;
    for (int dy = 0; dy < h; ++dy) {
      for (int dx = 0; dx < w; ++dx) {
        const std::uint8_t cut = sheet.indices[static_cast<std::size_t>((y + dy) * sheet.width + x + dx)];
        differences += cut != pix[n * kImage + static_cast<std::size_t>(dy / 2 * kWidth + dx / 2)] ? 1 : 0;
      }
    }
    EXPECT_EQ(differences, 0) << "at " << x << ", " << y;
  }
}

}  // namespace
