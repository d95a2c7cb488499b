// The software GDI on plain 8-bit buffers: lines, outlines, rectangles,
// colour mapping, pixels, text, objects, and clipping at every edge.
#include "platform/gdi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/soft/font.h"
#include "platform/soft/gdi_colour.h"
#include "platform/soft/gdi_counts.h"
#include "support/guarded_surface.h"

namespace {

using pixtest::GuardedSurface;
using Point = std::pair<int, int>;

constexpr std::uint8_t kPenIndex = 1;    // white
constexpr std::uint8_t kBrushIndex = 3;  // green

// Pixels not equal to 0 on a surface that started black.
std::set<Point> Painted(const GuardedSurface& surface) {
  std::set<Point> painted;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      if (surface.At(x, y) != 0) {
        painted.insert({x, y});
      }
    }
  }
  return painted;
}

std::string Show(const std::set<Point>& points) {
  std::string text;
  for (const Point& p : points) {
    text.append("(").append(std::to_string(p.first)).append(",").append(std::to_string(p.second)).append(")");
  }
  return text.empty() ? "nothing" : text;
}

// A pen of the given colour selected into dc for the lifetime of the object.
class WithPen {
 public:
  WithPen(plat::HDC dc, plat::HPEN pen) : dc_(dc), pen_(pen), held_(plat::SelectObject(dc, pen)) {}
  ~WithPen() {
    plat::SelectObject(dc_, held_);
    plat::DeleteObject(pen_);
  }

 private:
  plat::HDC dc_;
  plat::HPEN pen_;
  plat::HGDIOBJ held_;
};

TEST(GdiLines, AxisAlignedAndDiagonalLinesLeaveOutTheirEndPoint) {
  struct Case {
    const char* name;
    Point from;
    Point to;
    std::set<Point> expected;
  };
  const Case cases[] = {
      {"right", {2, 3}, {6, 3}, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
      {"left", {6, 3}, {2, 3}, {{6, 3}, {5, 3}, {4, 3}, {3, 3}}},
      {"down", {4, 1}, {4, 4}, {{4, 1}, {4, 2}, {4, 3}}},
      {"up", {4, 4}, {4, 1}, {{4, 4}, {4, 3}, {4, 2}}},
      {"down-right", {1, 1}, {5, 5}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
      {"up-left", {5, 5}, {1, 1}, {{5, 5}, {4, 4}, {3, 3}, {2, 2}}},
      {"one step", {7, 7}, {8, 7}, {{7, 7}}},
      {"no length", {7, 7}, {7, 7}, {}},
  };
  for (const Case& c : cases) {
    GuardedSurface surface(16, 12);
    WithPen pen(surface.Dc(), plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(255, 255, 255)));
    ASSERT_TRUE(plat::MoveToEx(surface.Dc(), c.from.first, c.from.second, nullptr));
    ASSERT_TRUE(plat::LineTo(surface.Dc(), c.to.first, c.to.second));
    EXPECT_EQ(Show(c.expected), Show(Painted(surface))) << c.name;
  }
}

TEST(GdiLines, SlantedLinesStepOnePixelAtATimeCloseToTheTrueLine) {
  const Point centre{20, 20};
  const Point ends[] = {{27, 23}, {23, 27}, {13, 24}, {17, 29}, {12, 15},
                        {16, 11}, {29, 14}, {26, 11}, {35, 21}};
  for (const Point& end : ends) {
    GuardedSurface surface(41, 41);
    WithPen pen(surface.Dc(), plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(255, 255, 255)));
    plat::MoveToEx(surface.Dc(), centre.first, centre.second, nullptr);
    plat::LineTo(surface.Dc(), end.first, end.second);
    const std::set<Point> painted = Painted(surface);
    const int dx = end.first - centre.first;
    const int dy = end.second - centre.second;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const std::string where =
        "line to (" + std::to_string(end.first) + "," + std::to_string(end.second) + ")";
    EXPECT_EQ(static_cast<std::size_t>(steps), painted.size()) << where << ": " << Show(painted);
    EXPECT_TRUE(painted.count(centre)) << where << " misses its start";
    EXPECT_FALSE(painted.count(end)) << where << " draws its end point";
    for (const Point& p : painted) {
      // Distance from the ideal line, along the minor axis, at most half a pixel.
      const double t = std::abs(dx) >= std::abs(dy) ? double(p.first - centre.first) / dx
                                                    : double(p.second - centre.second) / dy;
      const double off = std::abs(dx) >= std::abs(dy) ? p.second - (centre.second + t * dy)
                                                      : p.first - (centre.first + t * dx);
      EXPECT_LE(std::abs(off), 0.5) << where << " strays at (" << p.first << "," << p.second << ")";
      EXPECT_TRUE(t >= 0 && t < 1) << where << " overshoots at (" << p.first << "," << p.second << ")";
    }
  }
}

TEST(GdiLines, LineToMovesTheCurrentPositionAndPolylineDoesNot) {
  GuardedSurface surface(16, 12);
  WithPen pen(surface.Dc(), plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(255, 255, 255)));
  plat::POINT previous{-1, -1};
  plat::MoveToEx(surface.Dc(), 2, 2, nullptr);
  plat::LineTo(surface.Dc(), 5, 2);
  const plat::POINT outline[] = {{9, 9}, {12, 9}};
  plat::Polyline(surface.Dc(), outline, 2);
  plat::MoveToEx(surface.Dc(), 0, 0, &previous);
  EXPECT_EQ(5, previous.x);
  EXPECT_EQ(2, previous.y);
}

TEST(GdiLines, ClosedPolylineCoversEveryCornerAndOnlyTheOutline) {
  GuardedSurface surface(16, 12);
  WithPen pen(surface.Dc(), plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(255, 255, 255)));
  const plat::POINT outline[] = {{1, 1}, {8, 1}, {8, 6}, {1, 6}, {1, 1}};
  ASSERT_TRUE(plat::Polyline(surface.Dc(), outline, 5));
  std::set<Point> expected;
  for (int x = 1; x <= 8; ++x) {
    expected.insert({x, 1});
    expected.insert({x, 6});
  }
  for (int y = 1; y <= 6; ++y) {
    expected.insert({1, y});
    expected.insert({8, y});
  }
  EXPECT_EQ(Show(expected), Show(Painted(surface)));
}

TEST(GdiLines, OpenPolylineLeavesOutItsLastPointAndShortOnesDrawNothing) {
  GuardedSurface surface(16, 12);
  WithPen pen(surface.Dc(), plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(255, 255, 255)));
  const plat::POINT path[] = {{2, 2}, {4, 2}, {4, 4}};
  EXPECT_FALSE(plat::Polyline(surface.Dc(), path, 1));
  EXPECT_FALSE(plat::Polyline(surface.Dc(), nullptr, 3));
  EXPECT_EQ("nothing", Show(Painted(surface)));
  ASSERT_TRUE(plat::Polyline(surface.Dc(), path, 3));
  EXPECT_EQ(Show({{2, 2}, {3, 2}, {4, 2}, {4, 3}}), Show(Painted(surface)));
}

TEST(GdiRectangle, OutlineInThePenInsideInTheBrushCoveringLeftToRightMinusOne) {
  struct Case {
    const char* name;
    int left, top, right, bottom;
    bool nullPen;
    bool nullBrush;
    int outlineLeft, outlineTop, outlineRight, outlineBottom;  // inclusive; right < left = none
  };
  const Case cases[] = {
      {"plain", 2, 2, 7, 6, false, false, 2, 2, 6, 5},
      {"corners swapped", 7, 6, 2, 2, false, false, 2, 2, 6, 5},
      {"null pen", 2, 2, 7, 6, true, false, 2, 2, 6, 5},
      {"null brush", 2, 2, 7, 6, false, true, 2, 2, 6, 5},
      {"one wide", 3, 2, 4, 6, false, false, 3, 2, 3, 5},
      {"two by two", 3, 3, 5, 5, false, false, 3, 3, 4, 4},
      {"empty", 3, 3, 3, 8, false, false, 0, 0, -1, -1},
  };
  for (const Case& c : cases) {
    GuardedSurface surface(12, 10, pixtest::GdiTestPalette(), 6);
    const plat::HDC dc = surface.Dc();
    plat::HPEN pen = c.nullPen ? plat::CreatePen(plat::PS_NULL, 1, 0)
                               : plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(255, 255, 255));
    plat::HBRUSH brush =
        c.nullBrush ? plat::GetStockObject(plat::NULL_BRUSH) : plat::CreateSolidBrush(plat::RGB(0, 255, 0));
    plat::HGDIOBJ heldPen = plat::SelectObject(dc, pen);
    plat::HGDIOBJ heldBrush = plat::SelectObject(dc, brush);
    EXPECT_TRUE(plat::Rectangle(dc, c.left, c.top, c.right, c.bottom)) << c.name;
    plat::SelectObject(dc, heldPen);
    plat::SelectObject(dc, heldBrush);
    EXPECT_TRUE(plat::DeleteObject(pen));
    EXPECT_TRUE(plat::DeleteObject(brush));

    for (int y = 0; y < surface.Height(); ++y) {
      for (int x = 0; x < surface.Width(); ++x) {
        const bool inBox =
            x >= c.outlineLeft && x <= c.outlineRight && y >= c.outlineTop && y <= c.outlineBottom;
        const bool onEdge =
            inBox && (x == c.outlineLeft || x == c.outlineRight || y == c.outlineTop || y == c.outlineBottom);
        std::uint8_t expected = 6;
        if (onEdge && !c.nullPen) {
          expected = kPenIndex;
        } else if (inBox && !onEdge && !c.nullBrush) {
          expected = kBrushIndex;
        }
        EXPECT_EQ(expected, surface.At(x, y)) << c.name << " at (" << x << "," << y << ")";
      }
    }
  }
}

TEST(GdiRectangle, NewContextDrawsWithBlackPenAndWhiteBrush) {
  GuardedSurface surface(8, 8, pixtest::GdiTestPalette(), 6);
  ASSERT_TRUE(plat::Rectangle(surface.Dc(), 1, 1, 5, 5));
  EXPECT_EQ(0, surface.At(1, 1));
  EXPECT_EQ(0, surface.At(4, 4));
  EXPECT_EQ(1, surface.At(2, 2));
  EXPECT_EQ(6, surface.At(5, 5));
}

TEST(GdiColour, ColoursMapToExactLowestOrNearestEntries) {
  struct Case {
    const char* name;
    plat::COLORREF colour;
    std::uint8_t index;
    plat::COLORREF readBack;
  };
  const Case cases[] = {
      {"exact white", plat::RGB(255, 255, 255), 1, plat::RGB(255, 255, 255)},
      {"red held twice takes the lower", plat::RGB(255, 0, 0), 2, plat::RGB(255, 0, 0)},
      {"near red", plat::RGB(250, 8, 3), 2, plat::RGB(255, 0, 0)},
      {"near grey", plat::RGB(97, 103, 99), 6, plat::RGB(100, 100, 100)},
      {"halfway between 7 and 8 takes 7", plat::RGB(0, 0, 110), 7, plat::RGB(0, 0, 100)},
      {"just nearer 8", plat::RGB(0, 0, 111), 8, plat::RGB(0, 0, 120)},
      {"generated entry", plat::RGB(200, 55, 77), 200, plat::RGB(200, 55, 77)},
      {"palette index", plat::PALETTEINDEX(6), 6, plat::RGB(100, 100, 100)},
      {"palette index 255", plat::PALETTEINDEX(255), 255, plat::RGB(255, 0, 77)},
      {"palette index above 255 clamps", plat::PALETTEINDEX(300), 255, plat::RGB(255, 0, 77)},
      {"palette RGB counts as RGB", 0x02000000u | plat::RGB(0, 255, 0), 3, plat::RGB(0, 255, 0)},
  };
  GuardedSurface surface(4, 4, pixtest::GdiTestPalette(), 9);
  for (const Case& c : cases) {
    EXPECT_EQ(c.readBack, plat::SetPixel(surface.Dc(), 1, 2, c.colour)) << c.name;
    EXPECT_EQ(c.index, surface.At(1, 2)) << c.name;
    EXPECT_EQ(c.readBack, plat::GetPixel(surface.Dc(), 1, 2)) << c.name;
  }
}

TEST(GdiColour, ChangedPaletteContentsAreSeenByTheNextContext) {
  // Several palettes in turn, more than are kept, each changed between uses.
  std::vector<pixtest::Palette> palettes(6, pixtest::GdiTestPalette());
  for (int round = 0; round < 3; ++round) {
    for (std::size_t p = 0; p < palettes.size(); ++p) {
      const int target = 20 + static_cast<int>(p) * 10 + round;
      palettes[p][target] = {1, 2, static_cast<std::uint8_t>(3 + round), 0};
      GuardedSurface surface(2, 2, palettes[p]);
      plat::SetPixel(surface.Dc(), 0, 0, plat::RGB(1, 2, static_cast<std::uint8_t>(3 + round)));
      EXPECT_EQ(target, surface.At(0, 0)) << "palette " << p << " round " << round;
      palettes[p][target] = pixtest::GdiTestPalette()[target];
    }
  }
}

// The mapping goes through a table of colour cells per palette; it must give
// what comparing with all 256 entries gives, one colour at a time or a row at once.
TEST(GdiColour, EveryColourMapsAsAFullSearchWouldInAnyPalette) {
  const auto fullSearch = [](const pixtest::Palette& palette, plat::COLORREF colour) {
    const int rgb[3] = {int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF)};
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < 256; ++i) {
      const int d[3] = {palette[i].peRed - rgb[0], palette[i].peGreen - rgb[1], palette[i].peBlue - rgb[2]};
      const int distance = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
      if (distance < bestDistance) {
        bestDistance = distance;
        best = i;
      }
    }
    return static_cast<std::uint8_t>(best);
  };
  std::uint32_t seed = 7;
  const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  const auto palette = [&](const char* kind) {
    pixtest::Palette entries = pixtest::GdiTestPalette();
    for (int i = 0; i < 256; ++i) {
      const std::uint32_t r = next() >> 8;
      if (std::string(kind) == "scattered") {
        entries[i] = {std::uint8_t(r), std::uint8_t(r >> 8), std::uint8_t(r >> 16), 0};
      } else if (std::string(kind) == "crowded into one corner") {
        entries[i] = {std::uint8_t(250 + r % 6), std::uint8_t(250 + r / 6 % 6),
                      std::uint8_t(250 + r / 36 % 6), 0};
      } else if (std::string(kind) == "a lattice, with ties") {
        entries[i] = {std::uint8_t(i % 8 * 36), std::uint8_t(i / 8 % 8 * 36), std::uint8_t(i / 64 * 85), 0};
      } else if (std::string(kind) == "one colour") {
        entries[i] = {9, 9, 9, 0};
      }
    }
    return entries;
  };
  std::vector<plat::COLORREF> colours;
  for (int r = 0; r < 256; r += 31) {
    for (int g = 1; g < 256; g += 37) {
      for (int b = 2; b < 256; b += 41) {
        colours.push_back(plat::RGB(r, g, b));
      }
    }
  }
  for (int i = 0; i < 1000; ++i) {
    colours.push_back(next() >> 8);
  }
  for (const char* kind :
       {"test palette", "scattered", "crowded into one corner", "a lattice, with ties", "one colour"}) {
    const pixtest::Palette entries = palette(kind);
    std::uint64_t generation = 0;
    const plat::soft::ColourTable& table = *plat::soft::ColourTableFor(entries.data(), &generation);
    std::vector<std::uint8_t> row(colours.size());
    plat::soft::IndicesOfRgb(table, colours.data(), row.data(), colours.size());
    int wrong = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
      const std::uint8_t expected = fullSearch(entries, colours[i]);
      wrong += (plat::soft::IndexOfRgb(table, colours[i]) != expected) + (row[i] != expected);
    }
    EXPECT_EQ(wrong, 0) << kind;
  }
}

TEST(GdiPixels, OffTheSurfaceReadsInvalidAndWritesNothing) {
  GuardedSurface surface(10, 7);
  const Point outside[] = {{-1, 0}, {0, -1}, {10, 0}, {0, 7}, {INT_MIN, INT_MIN}, {INT_MAX, 3}, {3, INT_MAX}};
  for (const Point& p : outside) {
    EXPECT_EQ(plat::CLR_INVALID, plat::GetPixel(surface.Dc(), p.first, p.second))
        << p.first << "," << p.second;
    EXPECT_EQ(plat::CLR_INVALID, plat::SetPixel(surface.Dc(), p.first, p.second, plat::RGB(255, 255, 255)));
  }
  EXPECT_EQ(0, surface.CountNot(0));
  EXPECT_EQ(0, surface.GuardDamage());
  plat::SetPixel(surface.Dc(), 9, 6, plat::RGB(255, 255, 255));
  EXPECT_EQ(plat::RGB(255, 255, 255), plat::GetPixel(surface.Dc(), 9, 6));
  EXPECT_EQ(1, surface.CountNot(0));
}

bool GlyphBit(unsigned char c, int x, int y) {
  return (plat::soft::fontGlyphs[c][y] & (0x80 >> x)) != 0;
}

TEST(GdiFont, PrintableLatin1HasGlyphsAndControlBytesAreBlank) {
  auto blank = [](unsigned c) {
    for (int row = 0; row < plat::kGlyphHeight; ++row) {
      if (plat::soft::fontGlyphs[c][row] != 0) {
        return false;
      }
    }
    return true;
  };
  for (unsigned c = 0; c < 256; ++c) {
    const bool printable = (c > 0x20 && c < 0x7F) || (c > 0xA0 && c != 0xAD);
    const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
    if (printable) {
      EXPECT_FALSE(blank(c)) << "byte " << c << " has no glyph";
    } else if (control) {
      EXPECT_TRUE(blank(c)) << "control byte " << c << " draws something";
    }
  }
  EXPECT_TRUE(blank(' '));
  // Latin-1 letters are their own glyphs, not the plain letter.
  EXPECT_NE(0, std::memcmp(plat::soft::fontGlyphs[0xE9], plat::soft::fontGlyphs['e'], plat::kGlyphHeight));
  EXPECT_NE(0, std::memcmp(plat::soft::fontGlyphs['A'], plat::soft::fontGlyphs['B'], plat::kGlyphHeight));
}

TEST(GdiText, EveryByteIsOneOpaqueCellInTextOrBackgroundColour) {
  GuardedSurface surface(40, 24, pixtest::GdiTestPalette(), 6);
  const plat::HDC dc = surface.Dc();
  plat::SetTextColor(dc, plat::RGB(255, 255, 255));
  plat::SetBkColor(dc, plat::RGB(0, 0, 0));
  plat::SetBkMode(dc, plat::OPAQUE);
  const char text[] = "A\nj";
  ASSERT_TRUE(plat::TextOutA(dc, 3, 2, text, 3));
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      const int cell = (x - 3) / 8;
      const bool inside = x >= 3 && x < 3 + 24 && y >= 2 && y < 2 + 16;
      std::uint8_t expected = 6;
      if (inside) {
        expected = GlyphBit(static_cast<unsigned char>(text[cell]), (x - 3) % 8, y - 2) ? 1 : 0;
      }
      ASSERT_EQ(expected, surface.At(x, y)) << "at (" << x << "," << y << ")";
    }
  }
}

TEST(GdiText, TransparentTextLeavesTheBackgroundAndEmptyTextDrawsNothing) {
  GuardedSurface surface(20, 20, pixtest::GdiTestPalette(), 6);
  const plat::HDC dc = surface.Dc();
  plat::SetTextColor(dc, plat::PALETTEINDEX(4));
  EXPECT_EQ(plat::OPAQUE, plat::SetBkMode(dc, plat::TRANSPARENT));
  EXPECT_EQ(0, plat::SetBkMode(dc, 7));
  ASSERT_TRUE(plat::TextOutA(dc, 0, 0, "", 0));
  EXPECT_EQ(0, surface.CountNot(6));
  ASSERT_TRUE(plat::TextOutA(dc, 5, 1, "W", 1));
  int set = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) {
      set += GlyphBit('W', x, y);
      EXPECT_EQ(GlyphBit('W', x, y) ? 4 : 6, surface.At(5 + x, 1 + y)) << x << "," << y;
    }
  }
  EXPECT_EQ(set, surface.CountNot(6));
  EXPECT_FALSE(plat::TextOutA(dc, 0, 0, "x", -1));
}

// Each case draws with its coordinates moved by (dx, dy). Drawn on a small
// surface and on a large one moved so that nothing is clipped, the small
// surface must show exactly the large one's window, and no guard byte may change.
struct ClipCase {
  const char* name;
  std::function<void(plat::HDC, int, int)> draw;
};

void Prepare(plat::HDC dc) {
  plat::SelectObject(dc, plat::GetStockObject(plat::WHITE_PEN));
  plat::SelectObject(dc, plat::GetStockObject(plat::GRAY_BRUSH));
  plat::SetTextColor(dc, plat::RGB(255, 255, 255));
  plat::SetBkColor(dc, plat::RGB(0, 0, 255));
}

TEST(GdiClipping, EveryPrimitiveCutAtEachEdgeMatchesTheUncutDrawing) {
  constexpr int kWidth = 37;
  constexpr int kHeight = 29;
  constexpr int kShift = 100;
  const std::vector<ClipCase> cases = {
      {"rectangle over all edges",
       [](plat::HDC dc, int dx, int dy) { plat::Rectangle(dc, dx - 5, dy - 7, dx + 45, dy + 33); }},
      {"rectangle left",
       [](plat::HDC dc, int dx, int dy) { plat::Rectangle(dc, dx - 5, dy + 3, dx + 6, dy + 9); }},
      {"rectangle right",
       [](plat::HDC dc, int dx, int dy) { plat::Rectangle(dc, dx + 30, dy + 3, dx + 60, dy + 9); }},
      {"rectangle top",
       [](plat::HDC dc, int dx, int dy) { plat::Rectangle(dc, dx + 3, dy - 9, dx + 9, dy + 2); }},
      {"rectangle bottom",
       [](plat::HDC dc, int dx, int dy) { plat::Rectangle(dc, dx + 3, dy + 27, dx + 9, dy + 80); }},
      {"outline across",
       [](plat::HDC dc, int dx, int dy) {
         const plat::POINT p[] = {{dx - 4, dy - 4},
                                  {dx + 40, dy - 4 + 8},
                                  {dx + 40, dy + 31},
                                  {dx - 4, dy + 31},
                                  {dx - 4, dy - 4}};
         plat::Polyline(dc, p, 5);
       }},
      {"row through both sides",
       [](plat::HDC dc, int dx, int dy) {
         plat::MoveToEx(dc, dx - 60, dy + 4, nullptr);
         plat::LineTo(dc, dx + 90, dy + 4);
       }},
      {"row leaving right, drawn leftwards",
       [](plat::HDC dc, int dx, int dy) {
         plat::MoveToEx(dc, dx + 50, dy + 28, nullptr);
         plat::LineTo(dc, dx + 20, dy + 28);
       }},
      {"column through top and bottom",
       [](plat::HDC dc, int dx, int dy) {
         plat::MoveToEx(dc, dx + 36, dy - 50, nullptr);
         plat::LineTo(dc, dx + 36, dy + 80);
       }},
      {"column upwards from below",
       [](plat::HDC dc, int dx, int dy) {
         plat::MoveToEx(dc, dx, dy + 60, nullptr);
         plat::LineTo(dc, dx, dy + 10);
       }},
      {"diagonal through corners",
       [](plat::HDC dc, int dx, int dy) {
         plat::MoveToEx(dc, dx - 20, dy - 20, nullptr);
         plat::LineTo(dc, dx + 60, dy + 60);
       }},
      {"shallow slant across",
       [](plat::HDC dc, int dx, int dy) {
         plat::MoveToEx(dc, dx - 30, dy + 25, nullptr);
         plat::LineTo(dc, dx + 70, dy - 3);
       }},
      {"steep slant across",
       [](plat::HDC dc, int dx, int dy) {
         plat::MoveToEx(dc, dx + 30, dy - 40, nullptr);
         plat::LineTo(dc, dx + 2, dy + 70);
       }},
      {"text cut left", [](plat::HDC dc, int dx, int dy) { plat::TextOutA(dc, dx - 13, dy + 2, "MWgj", 4); }},
      {"text cut right",
       [](plat::HDC dc, int dx, int dy) { plat::TextOutA(dc, dx + 27, dy + 5, "MWgj", 4); }},
      {"text cut top", [](plat::HDC dc, int dx, int dy) { plat::TextOutA(dc, dx + 1, dy - 9, "Hg", 2); }},
      {"text cut bottom", [](plat::HDC dc, int dx, int dy) { plat::TextOutA(dc, dx + 1, dy + 20, "Hg", 2); }},
      {"transparent text over corner",
       [](plat::HDC dc, int dx, int dy) {
         plat::SetBkMode(dc, plat::TRANSPARENT);
         plat::TextOutA(dc, dx + 31, dy + 22, "@@", 2);
         plat::SetBkMode(dc, plat::OPAQUE);
       }},
      {"pixels at the edges",
       [](plat::HDC dc, int dx, int dy) {
         for (int i = -1; i <= 37; ++i) {
           plat::SetPixel(dc, dx + i, dy - 1, plat::RGB(255, 0, 0));
           plat::SetPixel(dc, dx + i, dy + 29, plat::RGB(255, 0, 0));
           plat::SetPixel(dc, dx - 1, dy + i, plat::RGB(255, 0, 0));
           plat::SetPixel(dc, dx + 37, dy + i, plat::RGB(255, 0, 0));
           plat::SetPixel(dc, dx + i, dy + i, plat::RGB(255, 0, 0));
         }
       }},
  };
  for (const ClipCase& c : cases) {
    GuardedSurface small(kWidth, kHeight);
    GuardedSurface large(kWidth + 2 * kShift, kHeight + 2 * kShift);
    Prepare(small.Dc());
    Prepare(large.Dc());
    c.draw(small.Dc(), 0, 0);
    c.draw(large.Dc(), kShift, kShift);
    std::string first;
    EXPECT_EQ(0, small.GuardDamage(&first)) << c.name << ": " << first;
    int differ = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (small.At(x, y) != large.At(x + kShift, y + kShift) && differ++ == 0) {
          ADD_FAILURE() << c.name << ": (" << x << "," << y << ") is " << int(small.At(x, y)) << ", uncut "
                        << int(large.At(x + kShift, y + kShift));
        }
      }
    }
    EXPECT_GT(small.CountNot(0), 0) << c.name << " drew nothing at all";
  }
}

TEST(GdiClipping, HugeAndNegativeCoordinatesAndLengthsStayInside) {
  constexpr int kWidth = 23;
  constexpr int kHeight = 17;
  GuardedSurface surface(kWidth, kHeight);
  const plat::HDC dc = surface.Dc();
  Prepare(dc);
  EXPECT_TRUE(plat::Rectangle(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  EXPECT_NE(0, surface.At(5, 5));
  EXPECT_EQ(0, surface.CountNot(surface.At(5, 5))) << "the inside of a huge rectangle fills the surface";
  surface.Fill(0);
  const plat::POINT lines[][2] = {
      {{INT_MIN, 5}, {INT_MAX, 5}},
      {{7, INT_MAX}, {7, INT_MIN}},
      {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}},
      {{INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}},
      {{-1000000000, 3}, {1000000000, 12}},
      {{INT_MIN, INT_MIN}, {INT_MIN + 5, INT_MAX}},
  };
  for (const auto& line : lines) {
    plat::Polyline(dc, line, 2);
  }
  EXPECT_EQ(kWidth, [&] {
    int n = 0;
    for (int x = 0; x < kWidth; ++x)
      n += surface.At(x, 5) != 0;
    return n;
  }()) << "row 5 is drawn across the whole surface";
  std::string longText(100000, 'M');
  EXPECT_TRUE(plat::TextOutA(dc, -400000, 2, longText.c_str(), static_cast<int>(longText.size())));
  EXPECT_TRUE(plat::TextOutA(dc, INT_MIN, INT_MIN, longText.c_str(), static_cast<int>(longText.size())));
  EXPECT_TRUE(
      plat::TextOutA(dc, INT_MAX - 3, INT_MAX - 3, longText.c_str(), static_cast<int>(longText.size())));
  EXPECT_TRUE(
      plat::TextOutA(dc, kWidth - 3, kHeight - 3, longText.c_str(), static_cast<int>(longText.size())));
  std::string first;
  EXPECT_EQ(0, surface.GuardDamage(&first)) << first;
}

TEST(GdiObjects, SelectionDeletionAndStockObjectsBehaveAsOnWindows) {
  const std::size_t objectsBefore = plat::soft::LiveGdiObjects();
  const std::size_t dcsBefore = plat::soft::LiveDeviceContexts();
  {
    GuardedSurface surface(4, 4);
    const plat::HDC dc = surface.Dc();
    plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(255, 0, 0));
    plat::HGDIOBJ firstPen = plat::SelectObject(dc, pen);
    EXPECT_EQ(plat::GetStockObject(plat::BLACK_PEN), firstPen) << "a new context holds the black stock pen";
    EXPECT_FALSE(plat::DeleteObject(pen)) << "a selected pen is not deleted";
    EXPECT_EQ(pen, plat::SelectObject(dc, firstPen));
    EXPECT_TRUE(plat::DeleteObject(pen));
    EXPECT_FALSE(plat::DeleteObject(pen)) << "a deleted pen is refused the second time";

    plat::HGDIOBJ black = plat::GetStockObject(plat::BLACK_BRUSH);
    ASSERT_NE(nullptr, black);
    EXPECT_TRUE(plat::DeleteObject(black));
    plat::SelectObject(dc, black);
    plat::SelectObject(dc, plat::GetStockObject(plat::NULL_PEN));
    surface.Fill(1);
    plat::Rectangle(dc, 0, 0, 4, 4);
    EXPECT_EQ(0, surface.At(1, 1)) << "the stock black brush still works after DeleteObject";
    EXPECT_EQ(nullptr, plat::GetStockObject(99));

    plat::HDC memory = plat::CreateCompatibleDC(nullptr);
    ASSERT_NE(nullptr, memory);
    EXPECT_EQ(nullptr, plat::SelectObject(memory, nullptr));
    EXPECT_FALSE(plat::DeleteDC(dc)) << "a surface's context is not a memory context";
    EXPECT_TRUE(plat::DeleteDC(memory));
    EXPECT_FALSE(plat::DeleteDC(memory));

    plat::BITMAP description{};
    plat::HBRUSH brush = plat::CreateSolidBrush(0);
    EXPECT_EQ(0, plat::GetObjectA(brush, sizeof description, &description)) << "a brush has no BITMAP";
    plat::DeleteObject(brush);
  }
  EXPECT_EQ(objectsBefore, plat::soft::LiveGdiObjects());
  EXPECT_EQ(dcsBefore, plat::soft::LiveDeviceContexts());
}

}  // namespace
