// Build tool: turns an uncompressed PSF console font into font_data.cpp.
//
// Usage: font_to_cpp <font.psf> <font_data.cpp>
// Reads PSF1 or PSF2 fonts of 8 x 16 cells (narrower or shorter glyphs are
// placed top-left in the cell). The font's Unicode table puts each glyph at
// the Latin-1 byte of the character it draws; control bytes and characters
// the font lacks stay blank.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 16;
using Cell = std::uint8_t[kRows];

struct Font {
  std::uint32_t glyphCount = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bytesPerGlyph = 0;
  std::size_t glyphOffset = 0;
  std::size_t tableOffset = 0;  // 0 = no Unicode table
  bool utf8Table = false;
};

std::uint32_t Read32(const std::vector<std::uint8_t>& data, std::size_t at) {
  return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) |
         (static_cast<std::uint32_t>(data[at + 3]) << 24);
}

bool ParseHeader(const std::vector<std::uint8_t>& data, Font* font) {
  if (data.size() >= 4 && data[0] == 0x36 && data[1] == 0x04) {
    const std::uint8_t mode = data[2];
    font->glyphCount = (mode & 0x01) ? 512 : 256;
    font->width = 8;
    font->height = data[3];
    font->bytesPerGlyph = data[3];
    font->glyphOffset = 4;
    if (mode & 0x06) {
      font->tableOffset = 4 + static_cast<std::size_t>(font->glyphCount) * font->bytesPerGlyph;
    }
    font->utf8Table = false;
  } else if (data.size() >= 32 && Read32(data, 0) == 0x864AB572u) {
    const std::uint32_t headerSize = Read32(data, 8);
    const std::uint32_t flags = Read32(data, 12);
    font->glyphCount = Read32(data, 16);
    font->bytesPerGlyph = Read32(data, 20);
    font->height = Read32(data, 24);
    font->width = Read32(data, 28);
    font->glyphOffset = headerSize;
    if (flags & 1) {
      font->tableOffset = headerSize + static_cast<std::size_t>(font->glyphCount) * font->bytesPerGlyph;
    }
    font->utf8Table = true;
  } else {
    std::fprintf(stderr, "font_to_cpp: not a PSF font\n");
    return false;
  }
  if (font->width == 0 || font->width > 8 || font->height == 0 || font->height > kRows ||
      font->glyphCount == 0 || font->glyphCount > 65536 ||
      font->bytesPerGlyph < font->height * ((font->width + 7) / 8)) {
    std::fprintf(stderr, "font_to_cpp: unsupported cell %ux%u\n", font->width, font->height);
    return false;
  }
  const std::size_t glyphEnd =
      font->glyphOffset + static_cast<std::size_t>(font->glyphCount) * font->bytesPerGlyph;
  if (glyphEnd > data.size() || font->tableOffset > data.size()) {
    std::fprintf(stderr, "font_to_cpp: font file is truncated\n");
    return false;
  }
  return true;
}

// Decodes one UTF-8 sequence at data[*at]; returns 0xFFFFFFFF for a bad one.
std::uint32_t NextUtf8(const std::vector<std::uint8_t>& data, std::size_t* at) {
  const std::uint8_t lead = data[(*at)++];
  int extra = lead < 0x80             ? 0
              : (lead & 0xE0) == 0xC0 ? 1
              : (lead & 0xF0) == 0xE0 ? 2
              : (lead & 0xF8) == 0xF0 ? 3
                                      : -1;
  if (extra < 0) {
    return 0xFFFFFFFFu;
  }
  std::uint32_t value = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    if (*at >= data.size() || (data[*at] & 0xC0) != 0x80) {
      return 0xFFFFFFFFu;
    }
    value = (value << 6) | (data[(*at)++] & 0x3F);
  }
  return value;
}

// For each Latin-1 character, the glyph that draws it (-1 = none). A glyph
// listed for a single code point wins; sequences (combining forms) are skipped.
std::vector<long> MapLatin1(const std::vector<std::uint8_t>& data, const Font& font) {
  std::vector<long> glyphFor(256, -1);
  if (font.tableOffset == 0) {
    // No table: the font's order is taken as Latin-1.
    for (std::uint32_t c = 0; c < 256 && c < font.glyphCount; ++c) {
      glyphFor[c] = c;
    }
    return glyphFor;
  }
  std::size_t at = font.tableOffset;
  for (std::uint32_t glyph = 0; glyph < font.glyphCount && at < data.size(); ++glyph) {
    bool inSequence = false;
    while (at < data.size()) {
      std::uint32_t code;
      if (font.utf8Table) {
        if (data[at] == 0xFF) {
          ++at;
          break;
        }
        if (data[at] == 0xFE) {
          ++at;
          inSequence = true;
          continue;
        }
        code = NextUtf8(data, &at);
      } else {
        if (at + 1 >= data.size()) {
          at = data.size();
          break;
        }
        code = data[at] | (data[at + 1] << 8);
        at += 2;
        if (code == 0xFFFF) {
          break;
        }
        if (code == 0xFFFE) {
          inSequence = true;
          continue;
        }
      }
      if (!inSequence && code < 256 && glyphFor[code] < 0) {
        glyphFor[code] = glyph;
      }
    }
  }
  return glyphFor;
}

bool IsPrintableLatin1(unsigned c) {
  return (c >= 0x20 && c <= 0x7E) || c >= 0xA0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: font_to_cpp <font.psf> <font_data.cpp>\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "font_to_cpp: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Font font;
  if (!ParseHeader(data, &font)) {
    return 1;
  }
  const std::vector<long> glyphFor = MapLatin1(data, font);

  Cell cells[256] = {};
  int missing = 0;
  for (unsigned c = 0; c < 256; ++c) {
    if (!IsPrintableLatin1(c)) {
      continue;
    }
    if (glyphFor[c] < 0) {
      ++missing;
      continue;
    }
    const std::size_t base = font.glyphOffset + static_cast<std::size_t>(glyphFor[c]) * font.bytesPerGlyph;
    const std::uint32_t rowBytes = (font.width + 7) / 8;
    for (std::uint32_t row = 0; row < font.height; ++row) {
      // Only the leftmost byte of a row matters: the cell is 8 wide.
      cells[c][row] = data[base + row * rowBytes];
    }
  }
  if (missing > 0) {
    std::fprintf(stderr, "font_to_cpp: %d Latin-1 characters have no glyph and stay blank\n", missing);
  }

  std::string out;
  out += "// Generated by font_to_cpp from a console font; do not edit.\n";
  out += "#include \"platform/soft/font.h\"\n\n";
  out += "namespace plat::soft {\n\n";
  out += "const std::uint8_t fontGlyphs[256][16] = {\n";
  char line[160];
  for (unsigned c = 0; c < 256; ++c) {
    out += "    {";
    for (int row = 0; row < kRows; ++row) {
      std::snprintf(line, sizeof line, "0x%02X%s", cells[c][row], row + 1 < kRows ? ", " : "");
      out += line;
    }
    std::snprintf(line, sizeof line, "},  // 0x%02X\n", c);
    out += line;
  }
  out += "};\n\n}  // namespace plat::soft\n";

  std::FILE* file = std::fopen(argv[2], "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "font_to_cpp: cannot write %s\n", argv[2]);
    return 1;
  }
  const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "font_to_cpp: writing %s failed\n", argv[2]);
    std::remove(argv[2]);
    return 1;
  }
  return 0;
}
