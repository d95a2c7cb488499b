// Draws the twenty button bitmaps of the button bar and the settings menu as 8-bit BMP files.
//
// Usage: make_buttons OUTPUT_FOLDER NAME.bmp...
// The names given must be exactly the images this tool draws (the build passes its list, so the two
// cannot drift apart). Every pixel is a colour of the panel palette, so the editor maps it exactly.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/fixed_colours.h"
#include "platform/soft/font.h"

namespace {

// The index of an exact palette colour; a colour missing from the palette does not compile.
constexpr std::uint8_t Colour(int red, int green, int blue) {
  for (std::size_t i = 0; i < fixedColours.size(); ++i) {
    if (fixedColours[i].red == red && fixedColours[i].green == green && fixedColours[i].blue == blue) {
      return static_cast<std::uint8_t>(i);
    }
  }
  throw std::logic_error("colour not in the palette");
}

constexpr std::uint8_t black = Colour(0, 0, 0);
constexpr std::uint8_t white = Colour(255, 255, 255);
constexpr std::uint8_t lightEdge = Colour(231, 227, 227);
constexpr std::uint8_t face = Colour(216, 212, 212);
constexpr std::uint8_t pressedFace = Colour(165, 163, 163);
constexpr std::uint8_t shadow = Colour(105, 101, 101);
constexpr std::uint8_t labelInk = Colour(0, 0, 0);
constexpr std::uint8_t onFace = Colour(187, 251, 250);
constexpr std::uint8_t lampLit = Colour(0, 255, 0);
constexpr std::uint8_t lampLitRim = Colour(7, 137, 7);
constexpr std::uint8_t lampDark = Colour(0, 64, 0);
constexpr std::uint8_t lampDarkRim = Colour(0, 0, 0);

struct Image {
  int width;
  int height;
  std::vector<std::uint8_t> pixels;  // palette indices, top row first

  Image(int w, int h, std::uint8_t fill)
      : width(w), height(h), pixels(static_cast<std::size_t>(w * h), fill) {}
  void Set(int x, int y, std::uint8_t colour) {
    if (x >= 0 && y >= 0 && x < width && y < height) {
      pixels[static_cast<std::size_t>(y * width + x)] = colour;
    }
  }
};

enum class Look { Raised, Pressed };
enum class Spacing { Cells, Tight };  // Tight: glyphs cut to their ink, one pixel apart

// Two-pixel bevel: light above and left, dark below and right; a pressed button swaps them.
void DrawBevel(Image& image, Look look) {
  const bool raised = look == Look::Raised;
  const std::uint8_t outerLight = raised ? white : black;
  const std::uint8_t innerLight = raised ? lightEdge : shadow;
  const std::uint8_t outerDark = raised ? black : white;
  const std::uint8_t innerDark = raised ? shadow : lightEdge;
  const int right = image.width - 1;
  const int bottom = image.height - 1;
  for (int x = 0; x <= right; ++x) {
    image.Set(x, 1, innerLight);
    image.Set(x, bottom - 1, innerDark);
  }
  for (int y = 0; y <= bottom; ++y) {
    image.Set(1, y, innerLight);
    image.Set(right - 1, y, innerDark);
  }
  // The outer ring last, so the corners belong to it; the dark side wins where both meet.
  for (int x = 0; x <= right; ++x) {
    image.Set(x, 0, outerLight);
  }
  for (int y = 0; y <= bottom; ++y) {
    image.Set(0, y, outerLight);
  }
  for (int x = 0; x <= right; ++x) {
    image.Set(x, bottom, outerDark);
  }
  for (int y = 0; y <= bottom; ++y) {
    image.Set(right, y, outerDark);
  }
  image.Set(1, bottom - 1, innerLight);
  image.Set(right - 1, 1, innerLight);
}

// Ink columns [first, last] of a glyph; a blank glyph (the space) gives first > last.
void InkColumns(unsigned char c, int& first, int& last) {
  std::uint8_t all = 0;
  for (std::uint8_t row : plat::soft::fontGlyphs[c]) {
    all |= row;
  }
  first = 8;
  last = -1;
  for (int x = 0; x < 8; ++x) {
    if (all & (0x80 >> x)) {
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
}

// Rows of the capital letters, so every label sits on the same baseline whatever its letters.
void CapitalRows(int& top, int& bottom) {
  top = 16;
  bottom = -1;
  for (int y = 0; y < 16; ++y) {
    if (plat::soft::fontGlyphs[static_cast<unsigned char>('H')][y] != 0) {
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
}

struct Placed {
  unsigned char c;
  int x;         // where the glyph cell's column 0 goes
  int inkLeft;   // first column of the glyph that is drawn
  int inkRight;  // last column of the glyph that is drawn
};

// Lays out the text from x = 0; returns the pixel extent of its ink.
std::vector<Placed> LayOut(std::string_view text, Spacing spacing, int& inkWidth) {
  std::vector<Placed> placed;
  int pen = 0;
  int minX = 1 << 20;
  int maxX = -1;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    int first = 0;
    int last = 7;
    if (spacing == Spacing::Tight) {
      InkColumns(c, first, last);
      if (first > last) {
        pen += 4;  // a narrow space
        continue;
      }
    }
    placed.push_back({c, pen - first, first, last});
    int inkFirst = 0;
    int inkLast = -1;
    InkColumns(c, inkFirst, inkLast);
    if (inkFirst <= inkLast) {
      minX = std::min(minX, pen - first + inkFirst);
      maxX = std::max(maxX, pen - first + inkLast);
    }
    pen += (spacing == Spacing::Tight) ? last - first + 2 : 8;
  }
  for (Placed& p : placed) {
    p.x -= minX;  // so the ink starts at 0
  }
  inkWidth = maxX >= minX ? maxX - minX + 1 : 0;
  return placed;
}

// Centres the label's ink in the box [left, left + width) x [top, top + height).
void DrawLabel(Image& image, std::string_view text, Spacing spacing, int left, int top, int width,
               int height) {
  int inkWidth = 0;
  const std::vector<Placed> placed = LayOut(text, spacing, inkWidth);
  int capTop = 0;
  int capBottom = 0;
  CapitalRows(capTop, capBottom);
  const int x0 = left + (width - inkWidth) / 2;
  const int y0 = top + (height - (capBottom - capTop + 1)) / 2 - capTop;
  for (const Placed& p : placed) {
    for (int y = 0; y < 16; ++y) {
      const std::uint8_t row = plat::soft::fontGlyphs[p.c][y];
      for (int x = p.inkLeft; x <= p.inkRight; ++x) {
        if (row & (0x80 >> x)) {
          image.Set(x0 + p.x + x, y0 + y, labelInk);
        }
      }
    }
  }
}

// A round lamp of nine pixels across with a one-pixel rim and, when lit, a glint.
void DrawLamp(Image& image, int left, int top, bool lit) {
  static const char* const shape[] = {"...ooo...", ".oo###oo.", ".o#####o.", "o#######o", "o#######o",
                                      "o#######o", ".o#####o.", ".oo###oo.", "...ooo..."};
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      if (shape[y][x] == 'o') {
        image.Set(left + x, top + y, lit ? lampLitRim : lampDarkRim);
      } else if (shape[y][x] == '#') {
        image.Set(left + x, top + y, lit ? lampLit : lampDark);
      }
    }
  }
  if (lit) {
    image.Set(left + 3, top + 2, white);
    image.Set(left + 2, top + 3, white);
  }
}

constexpr int barWidth = 89;
constexpr int barHeight = 23;
constexpr int menuWidth = 64;
constexpr int menuHeight = 20;

Image BarButton(std::string_view label, Look look) {
  Image image(barWidth, barHeight, look == Look::Raised ? face : pressedFace);
  DrawBevel(image, look);
  const int shift = look == Look::Pressed ? 1 : 0;
  DrawLabel(image, label, Spacing::Cells, 2 + shift, 2 + shift, barWidth - 4, barHeight - 4);
  return image;
}

// Quad shows its state rather than a press: a lit lamp on a tinted face, or a dark lamp.
Image QuadButton(bool on) {
  Image image(barWidth, barHeight, on ? onFace : face);
  DrawBevel(image, Look::Raised);
  DrawLamp(image, 8, (barHeight - 9) / 2, on);
  DrawLabel(image, "Quad", Spacing::Cells, 19, 2, barWidth - 2 - 19, barHeight - 4);
  return image;
}

Image MenuButton(std::string_view label, Look look) {
  Image image(menuWidth, menuHeight, look == Look::Raised ? face : pressedFace);
  DrawBevel(image, look);
  const int shift = look == Look::Pressed ? 1 : 0;
  DrawLabel(image, label, Spacing::Tight, 2 + shift, 2 + shift, menuWidth - 4, menuHeight - 4);
  return image;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int b = 0; b < bytes; ++b) {
    out.push_back(static_cast<std::uint8_t>(value >> (8 * b)));
  }
}

// BITMAPFILEHEADER, BITMAPINFOHEADER, 256 colours (the panel's 81, then black), rows bottom-up.
std::vector<std::uint8_t> EncodeBmp(const Image& image) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) + 3u) & ~3u;
  const std::uint32_t pixelOffset = 14 + 40 + 256 * 4;
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.height);
  std::vector<std::uint8_t> out;
  out.reserve(pixelOffset + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutLe(out, pixelOffset + pixelBytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, pixelOffset, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<std::uint32_t>(image.width), 4);
  PutLe(out, static_cast<std::uint32_t>(image.height), 4);
  PutLe(out, 1, 2);  // planes
  PutLe(out, 8, 2);  // bits per pixel
  PutLe(out, 0, 4);  // BI_RGB
  PutLe(out, pixelBytes, 4);
  PutLe(out, 2835, 4);  // 72 dots per inch
  PutLe(out, 2835, 4);
  PutLe(out, 256, 4);  // colours used
  PutLe(out, 0, 4);    // all important
  for (std::size_t i = 0; i < 256; ++i) {
    const PaletteColour c = i < fixedColours.size() ? fixedColours[i] : fixedColours[0];
    out.insert(out.end(), {c.blue, c.green, c.red, 0});
  }
  for (int y = image.height - 1; y >= 0; --y) {
    const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
    out.insert(out.end(), row, row + image.width);
    out.resize(out.size() + (stride - static_cast<std::uint32_t>(image.width)), 0);
  }
  return out;
}

struct NamedImage {
  std::string name;
  Image image;
};

std::vector<NamedImage> AllButtons() {
  std::vector<NamedImage> all;
  const struct {
    const char* normal;
    const char* pressed;
    const char* label;
  } bar[] = {
      {"load_button.bmp", "load_down_button.bmp", "Load"},
      {"save_button.bmp", "save_down_button.bmp", "Save"},
      {"clear_button.bmp", "clear_down_button.bmp", "Clear"},
      {"quit_button.bmp", "quit_down_button.bmp", "Quit"},
      {"settings_button.bmp", "settings_down_button.bmp", "Settings"},
      {"offset.bmp", "offset_down.bmp", "Offset"},
  };
  for (const auto& b : bar) {
    all.push_back({b.normal, BarButton(b.label, Look::Raised)});
    all.push_back({b.pressed, BarButton(b.label, Look::Pressed)});
  }
  all.push_back({"quad_on_button.bmp", QuadButton(true)});
  all.push_back({"quad_off_button.bmp", QuadButton(false)});
  // The menu's names differ in case on purpose: they are the names the editor asks for.
  const struct {
    const char* normal;
    const char* pressed;
    const char* label;
  } menu[] = {
      {"Loadsettings.bmp", "Loadsettings_down.bmp", "Load nm"},
      {"savesettings.bmp", "Savesettings_down.bmp", "Save nm"},
      {"Sizesettings.bmp", "Sizesettings_down.bmp", "Size"},
  };
  for (const auto& m : menu) {
    all.push_back({m.normal, MenuButton(m.label, Look::Raised)});
    all.push_back({m.pressed, MenuButton(m.label, Look::Pressed)});
  }
  return all;
}

// Written beside the target and renamed, so an editor never reads half a file.
bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path temporary = path.string() + ".part";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "make_buttons: cannot create %s\n", temporary.c_str());
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "make_buttons: cannot write %s\n", temporary.c_str());
    std::remove(temporary.c_str());
    return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::fprintf(stderr, "make_buttons: cannot write %s: %s\n", path.c_str(), error.message().c_str());
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_buttons OUTPUT_FOLDER NAME.bmp...\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const std::vector<NamedImage> all = AllButtons();
  std::set<std::string> drawn;
  for (const NamedImage& n : all) {
    drawn.insert(n.name);
  }
  const std::set<std::string> asked(argv + 2, argv + argc);
  if (asked != drawn || static_cast<std::size_t>(argc - 2) != all.size()) {
    std::fprintf(stderr, "make_buttons: the names given are not the %zu images this tool draws:\n",
                 all.size());
    for (const NamedImage& n : all) {
      std::fprintf(stderr, "  %s%s\n", n.name.c_str(), asked.count(n.name) ? "" : "  (not asked for)");
    }
    return 1;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "make_buttons: cannot create %s: %s\n", folder.c_str(), error.message().c_str());
    return 1;
  }
  for (const NamedImage& n : all) {
    if (!WriteFile(folder / n.name, EncodeBmp(n.image))) {
      return 1;
    }
  }
  return 0;
}
