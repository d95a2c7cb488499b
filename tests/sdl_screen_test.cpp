// The SDL backend's mapping between screen and window and its frames:
// letterbox, pointer bookkeeping, palette expansion, change detection and
// scaling.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/display.h"
#include "platform/platform_types.h"
#include "platform/sdl/sdl_scaling.h"
#include "platform/soft/pointer_track.h"
#include "platform/soft/screen_fit.h"
#include "platform/soft/shown_frame.h"

namespace {

using namespace plat;
using namespace plat::sdl;
using namespace plat::soft;

// ---- Letterbox -----------------------------------------------------------------

struct BoxCase {
  int windowWidth;
  int windowHeight;
  // The screen's area in the window, as SDL_RenderSetLogicalSize lays it out.
  int left;
  int top;
  int shownWidth;
  int shownHeight;
};

// Worked out by hand: scale = the smaller of w / 800 and h / 600, the shown
// side floored, the bars split evenly (odd pixel to the far side).
const BoxCase kBoxes[] = {
    {800, 600, 0, 0, 800, 600},     {1600, 1200, 0, 0, 1600, 1200}, {1920, 1080, 240, 0, 1440, 1080},
    {1366, 768, 171, 0, 1024, 768}, {1280, 1024, 0, 32, 1280, 960}, {2560, 1440, 320, 0, 1920, 1440},
    {1024, 768, 0, 0, 1024, 768},   {1280, 800, 107, 0, 1066, 800}, {3840, 2160, 480, 0, 2880, 2160},
    {801, 600, 0, 0, 800, 600},     {640, 480, 0, 0, 640, 480},     {300, 600, 0, 187, 300, 225},
};

TEST(SdlLetterbox, ScreenCornersLandOnTheShownArea) {
  for (const BoxCase& c : kBoxes) {
    const Letterbox box = MakeLetterbox(c.windowWidth, c.windowHeight);
    const POINT first = ScreenToWindow(box, 0, 0);
    const POINT end = ScreenToWindow(box, kScreenWidth, kScreenHeight);
    SCOPED_TRACE(::testing::Message() << c.windowWidth << "x" << c.windowHeight);
    EXPECT_EQ(first.x, c.left);
    EXPECT_EQ(first.y, c.top);
    // The end of the screen is the end of the shown area, within the one
    // pixel SDL's flooring may lose.
    EXPECT_LE(std::abs(end.x - (c.left + c.shownWidth)), 1) << "end x " << end.x;
    EXPECT_LE(std::abs(end.y - (c.top + c.shownHeight)), 1) << "end y " << end.y;
  }
}

TEST(SdlLetterbox, EveryScreenPixelComesBackFromTheWindowWhenScaledUp) {
  for (const BoxCase& c : kBoxes) {
    for (const Scaling scaling : {Scaling::Area, Scaling::Whole}) {
      const Letterbox box = MakeLetterbox(c.windowWidth, c.windowHeight, scaling);
      if (box.num < box.den) {
        continue;
      }
      int failures = 0;
      for (int x = 0; x < kScreenWidth && failures < 5; ++x) {
        const POINT back = WindowToScreen(box, ScreenToWindow(box, x, 0).x, ScreenToWindow(box, 0, 0).y);
        if (back.x != x) {
          ++failures;
          ADD_FAILURE() << c.windowWidth << "x" << c.windowHeight << ": x " << x << " came back as "
                        << back.x;
        }
      }
      for (int y = 0; y < kScreenHeight && failures < 5; ++y) {
        const POINT back = WindowToScreen(box, ScreenToWindow(box, 0, 0).x, ScreenToWindow(box, 0, y).y);
        if (back.y != y) {
          ++failures;
          ADD_FAILURE() << c.windowWidth << "x" << c.windowHeight << ": y " << y << " came back as "
                        << back.y;
        }
      }
    }
  }
}

TEST(SdlLetterbox, WholeMultiplesSitInTheMiddleAndGiveWayInSmallWindows) {
  const struct {
    int w;
    int h;
    // Window pixels per screen pixel, and the screen's top-left corner.
    double scale;
    int left;
    int top;
  } cases[] = {
      {800, 600, 1, 0, 0},       {1920, 1080, 1, 560, 240},        {1600, 1200, 2, 0, 0},
      {2560, 1440, 2, 480, 120}, {3840, 2160, 3, 720, 180},        {1599, 1200, 1, 399, 300},
      {640, 480, 0.8, 0, 0},     {799, 2000, 799.0 / 800, 0, 700},
  };
  for (const auto& c : cases) {
    const Letterbox box = MakeLetterbox(c.w, c.h, Scaling::Whole);
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h);
    EXPECT_DOUBLE_EQ(double(box.num) / double(box.den), c.scale);
    EXPECT_EQ(box.offsetX, c.left);
    EXPECT_EQ(box.offsetY, c.top);
  }
}

// SDL's own renderer (the software one, which needs no display) draws a
// screen whose every pixel names its coordinates with nearest sampling, laid
// out by SDL_RenderSetLogicalSize; the pointer mapping must find the pixel
// SDL shows under each window point.
TEST(SdlLetterbox, PointsLandOnThePixelSdlDrawsThere) {
  std::vector<std::uint32_t> pattern(std::size_t{kScreenWidth} * kScreenHeight);
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      pattern[std::size_t{kScreenWidth} * y + x] =
          0xFF000000u | (std::uint32_t(y + 1) << 12) | std::uint32_t(x);
    }
  }
  ASSERT_TRUE(SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest"));
  for (const BoxCase& c : kBoxes) {
    SCOPED_TRACE(::testing::Message() << c.windowWidth << "x" << c.windowHeight);
    SDL_Surface* window =
        SDL_CreateRGBSurfaceWithFormat(0, c.windowWidth, c.windowHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(window);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    ASSERT_EQ(SDL_RenderSetLogicalSize(renderer, kScreenWidth, kScreenHeight), 0) << SDL_GetError();
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                             kScreenWidth, kScreenHeight);
    ASSERT_NE(texture, nullptr) << SDL_GetError();
    SDL_UpdateTexture(texture, nullptr, pattern.data(), kScreenWidth * 4);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);

    const Letterbox box = MakeLetterbox(c.windowWidth, c.windowHeight);
    int mismatches = 0;
    for (int wy = 0; wy < c.windowHeight && mismatches < 3; ++wy) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(
          static_cast<const std::uint8_t*>(window->pixels) + static_cast<std::size_t>(window->pitch) * wy);
      for (int wx = 0; wx < c.windowWidth && mismatches < 3; ++wx) {
        const std::uint32_t drawn = row[wx] & 0xFFFFFFu;
        const POINT mapped = WindowToScreen(box, wx, wy);
        const bool onScreen =
            mapped.x >= 0 && mapped.x < kScreenWidth && mapped.y >= 0 && mapped.y < kScreenHeight;
        // SDL's stretch may round a pixel the other way, and may end the
        // shown area one window pixel earlier or later than the exact scale.
        const bool atEdge =
            mapped.x <= 0 || mapped.x >= kScreenWidth - 1 || mapped.y <= 0 || mapped.y >= kScreenHeight - 1;
        const bool agrees = drawn == 0 ? !onScreen || atEdge
                            : onScreen ? std::abs(int(drawn & 0xFFFu) - mapped.x) <= 1 &&
                                             std::abs(int(drawn >> 12) - 1 - mapped.y) <= 1
                                       : atEdge && mapped.x >= -1 && mapped.x <= kScreenWidth &&
                                             mapped.y >= -1 && mapped.y <= kScreenHeight;
        if (!agrees) {
          ++mismatches;
          ADD_FAILURE() << "window (" << wx << "," << wy << "): SDL shows "
                        << (drawn == 0 ? std::string("a bar")
                                       : "(" + std::to_string(drawn & 0xFFFu) + "," +
                                             std::to_string((drawn >> 12) - 1) + ")")
                        << ", mapped to (" << mapped.x << "," << mapped.y << ")";
        }
      }
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(window);
  }
}

TEST(SdlLetterbox, ShrunkWindowStaysWithinAPixelOfTheScale) {
  const Letterbox box = MakeLetterbox(640, 480);
  for (int x = 0; x < kScreenWidth; ++x) {
    const int back = WindowToScreen(box, ScreenToWindow(box, x, 0).x, 0).x;
    // 1.25 screen pixels per window pixel: a point may move to its
    // neighbour but no further.
    ASSERT_LE(std::abs(back - x), 1) << "x " << x << " came back as " << back;
  }
}

TEST(SdlLetterbox, NonsenseWindowSizesGiveAUsableMapping) {
  for (auto [w, h] :
       {std::pair{0, 0}, std::pair{-5, 600}, std::pair{INT_MAX, INT_MAX}, std::pair{INT_MIN, 1}}) {
    const Letterbox box = MakeLetterbox(w, h);
    EXPECT_GE(box.windowWidth, 1) << w << "x" << h;
    EXPECT_GE(box.windowHeight, 1) << w << "x" << h;
    EXPECT_GT(box.num, 0) << w << "x" << h;
    // Extreme points saturate instead of wrapping round to the other side.
    const POINT far = ScreenToWindow(box, INT_MAX, INT_MIN);
    const POINT back = WindowToScreen(box, INT_MIN, INT_MAX);
    EXPECT_GT(far.x, 0) << w << "x" << h;
    EXPECT_LT(far.y, 0) << w << "x" << h;
    EXPECT_LT(back.x, 0) << w << "x" << h;
    EXPECT_GT(back.y, 0) << w << "x" << h;
  }
}

TEST(SdlLetterbox, ClipRectanglesScaleWithTheScreen) {
  const RECT entry{420, 440, 654, 460};
  const struct {
    int w;
    int h;
    WindowRect expected;
  } cases[] = {
      {800, 600, {420, 440, 234, 20}},
      {1600, 1200, {840, 880, 468, 40}},
      // 1.8 times, 240 to the right. The rectangle holds the window pixels
      // whose centres fall on it: 420 * 1.8 - 0.5 = 755.5 -> 756, and
      // 654 * 1.8 - 0.5 = 1176.7 -> 1177 is the first pixel past it.
      {1920, 1080, {996, 792, 421, 36}},
  };
  for (const auto& c : cases) {
    const WindowRect got = ScreenRectToWindow(MakeLetterbox(c.w, c.h), entry);
    EXPECT_EQ(got.x, c.expected.x) << c.w << "x" << c.h;
    EXPECT_EQ(got.y, c.expected.y) << c.w << "x" << c.h;
    EXPECT_EQ(got.w, c.expected.w) << c.w << "x" << c.h;
    EXPECT_EQ(got.h, c.expected.h) << c.w << "x" << c.h;
  }
}

TEST(SdlLetterbox, ClipRectanglesStayInsideTheWindowAndNeverEmpty) {
  const Letterbox box = MakeLetterbox(800, 600);
  const RECT rects[] = {
      {500, 500, 400, 400}, {-100, -100, 5000, 5000}, {900, 700, 950, 750}, {10, 10, 10, 10}};
  for (const RECT& r : rects) {
    const WindowRect got = ScreenRectToWindow(box, r);
    SCOPED_TRACE(::testing::Message() << r.left << "," << r.top << "," << r.right << "," << r.bottom);
    EXPECT_GE(got.x, 0);
    EXPECT_GE(got.y, 0);
    EXPECT_GE(got.w, 1);
    EXPECT_GE(got.h, 1);
    EXPECT_LE(got.x + got.w, 800);
    EXPECT_LE(got.y + got.h, 600);
  }
}

// ---- Pointer bookkeeping ---------------------------------------------------------

TEST(SdlPointer, MotionIsTheDistanceSinceThePreviousRead) {
  PointerTrack track;
  const POINT first = TakeMotion(track, POINT{400, 300});
  EXPECT_EQ(first.x, 0) << "the first read has nothing to compare with";
  EXPECT_EQ(first.y, 0);
  const POINT moved = TakeMotion(track, POINT{410, 295});
  EXPECT_EQ(moved.x, 10);
  EXPECT_EQ(moved.y, -5);
  const POINT still = TakeMotion(track, POINT{410, 295});
  EXPECT_EQ(still.x, 0);
  EXPECT_EQ(still.y, 0);
}

TEST(SdlPointer, AWarpIsNotReadBackAsMotion) {
  PointerTrack track;
  TakeMotion(track, POINT{798, 300});
  ASSERT_TRUE(NeedsWarp(track, POINT{795, 300}));
  NoteWarp(track, POINT{795, 300});
  const POINT after = TakeMotion(track, POINT{795, 300});
  EXPECT_EQ(after.x, 0) << "the program's own move came back as mouse motion";
  const POINT pushed = TakeMotion(track, POINT{799, 301});
  EXPECT_EQ(pushed.x, 4) << "motion after a warp counts from the warp";
  EXPECT_EQ(pushed.y, 1);
}

TEST(SdlPointer, GarbagePositionsDoNotOverflow) {
  PointerTrack track;
  TakeMotion(track, POINT{INT_MIN, INT_MAX});
  const POINT motion = TakeMotion(track, POINT{INT_MAX, INT_MIN});
  EXPECT_EQ(motion.x, -1) << "wraps, as 32-bit motion would";
  EXPECT_EQ(motion.y, 1);
}

TEST(SdlPointer, AConfinedPointerStaysInsideItsRectangle) {
  const RECT menu{420, 440, 654, 460};
  const RECT empty{10, 20, 10, 20};
  const RECT inverted{50, 60, 40, 30};
  const RECT extreme{INT_MIN, INT_MIN, INT_MIN, INT_MIN};
  const struct {
    POINT target;
    const RECT* clip;
    POINT expected;
  } cases[] = {
      {{537, 450}, &menu, {537, 450}}, {{100, 100}, &menu, {420, 440}},
      {{654, 460}, &menu, {653, 459}}, {{700, 450}, &menu, {653, 450}},
      {{500, 0}, &menu, {500, 440}},   {{-5, 9999}, nullptr, {-5, 9999}},
      {{0, 0}, &empty, {10, 20}},      {{99, 99}, &empty, {10, 20}},
      {{45, 45}, &inverted, {50, 60}}, {{0, 0}, &extreme, {INT_MIN, INT_MIN}},
  };
  for (const auto& c : cases) {
    const POINT got = ConfinedTarget(c.target, c.clip);
    EXPECT_EQ(got.x, c.expected.x) << "target (" << c.target.x << "," << c.target.y << ")";
    EXPECT_EQ(got.y, c.expected.y) << "target (" << c.target.x << "," << c.target.y << ")";
  }
}

// The editor's pass against a pointer the user pushes around: the cursor
// follows one to one, is held at 795 by a warp, and a pointer at rest costs
// no warps at all.
TEST(SdlPointer, EditorPassesWarpOnlyWhenTheCursorIsHeldBack) {
  PointerTrack track;
  POINT pointer{400, 300};
  int cursorX = 400;
  int cursorY = 300;
  int warps = 0;
  auto setCursorPos = [&](int x, int y) {
    if (NeedsWarp(track, POINT{x, y})) {
      ++warps;
      NoteWarp(track, POINT{x, y});
      pointer = POINT{x, y};
    }
  };
  auto pass = [&] {
    const POINT motion = TakeMotion(track, pointer);
    cursorX += motion.x;
    cursorY += motion.y;
    setCursorPos(cursorX, cursorY);
    if (cursorX >= 795) {
      cursorX = 795;
      setCursorPos(cursorX, cursorY);
    }
  };
  setCursorPos(400, 300);
  ASSERT_EQ(warps, 1);
  for (int i = 0; i < 1000; ++i) {
    pass();
  }
  EXPECT_EQ(warps, 1) << "a pointer at rest was warped";

  for (int step = 0; step < 30; ++step) {
    pointer.x += 20;
    pointer.y += 1;
    pass();
    pass();
  }
  EXPECT_EQ(cursorY, 330) << "vertical motion lost or doubled";
  EXPECT_EQ(cursorX, 795);
  EXPECT_EQ(pointer.x, 795) << "the pointer was not held at the clamp";
  const int warpsAtEdge = warps;
  EXPECT_GT(warpsAtEdge, 1);
  EXPECT_LT(warpsAtEdge, 1 + 30) << "warped more than once per push";

  pointer.x -= 100;
  pass();
  EXPECT_EQ(cursorX, 695) << "motion back from the edge";
  for (int i = 0; i < 100; ++i) {
    pass();
  }
  EXPECT_EQ(warps, warpsAtEdge) << "warps without a clamp";
}

// ---- Palette expansion and frames -------------------------------------------------

std::vector<PALETTEENTRY> TestPalette() {
  std::vector<PALETTEENTRY> palette(256);
  for (int i = 0; i < 256; ++i) {
    palette[i] = PALETTEENTRY{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                              static_cast<std::uint8_t>(i * 7), PC_NOCOLLAPSE};
  }
  palette[4] = PALETTEENTRY{255, 0, 0, PC_NOCOLLAPSE};
  palette[1] = PALETTEENTRY{0, 0, 204, PC_NOCOLLAPSE};
  return palette;
}

TEST(SdlFrame, ColourTableIsOpaqueRgbWithoutTheFlags) {
  const std::vector<PALETTEENTRY> palette = TestPalette();
  const ColourTable table = BuildColourTable(palette.data());
  EXPECT_EQ(table[4], 0xFFFF0000u);
  EXPECT_EQ(table[1], 0xFF0000CCu);
  EXPECT_EQ(table[0], 0xFF00FF00u);
  EXPECT_EQ(table[255], 0xFFFF00F9u);
  const ColourTable none = BuildColourTable(nullptr);
  EXPECT_TRUE(std::all_of(none.begin(), none.end(), [](std::uint32_t c) { return c == 0xFF000000u; }))
      << "no palette must show black";
}

TEST(SdlFrame, OnlyAChangedScreenOrPaletteCountsAsNew) {
  std::vector<std::uint8_t> pixels(800 * 600, 3);
  std::vector<PALETTEENTRY> palette = TestPalette();
  soft::ScreenView view{pixels.data(), 800, 600, 800, palette.data()};
  ShownFrame frame;
  EXPECT_TRUE(CaptureFrame(frame, view, BuildColourTable(palette.data()))) << "first frame";
  EXPECT_FALSE(CaptureFrame(frame, view, BuildColourTable(palette.data()))) << "same frame";
  pixels[599 * 800 + 799] = 9;  // bottom-right pixel
  EXPECT_TRUE(CaptureFrame(frame, view, BuildColourTable(palette.data()))) << "one pixel changed";
  EXPECT_EQ(frame.pixels[599 * 800 + 799], 9);
  palette[3].peGreen ^= 1;
  EXPECT_TRUE(CaptureFrame(frame, view, BuildColourTable(palette.data()))) << "palette changed";
  EXPECT_FALSE(CaptureFrame(frame, view, BuildColourTable(palette.data())));
}

TEST(SdlFrame, MissingOrOddScreensShowBlackWithoutReadingPastThem) {
  std::vector<PALETTEENTRY> palette = TestPalette();
  const ColourTable colours = BuildColourTable(palette.data());
  ShownFrame frame;
  std::vector<std::uint8_t> full(800 * 600, 7);
  ASSERT_TRUE(CaptureFrame(frame, soft::ScreenView{full.data(), 800, 600, 800, palette.data()}, colours));

  // A small primary (10 x 4, pitch 16): its pixels top-left, black elsewhere.
  std::vector<std::uint8_t> small(16 * 4, 5);
  EXPECT_TRUE(CaptureFrame(frame, soft::ScreenView{small.data(), 10, 4, 16, palette.data()}, colours));
  EXPECT_EQ(frame.pixels[3 * 800 + 9], 5);
  EXPECT_EQ(frame.pixels[3 * 800 + 10], 0);
  EXPECT_EQ(frame.pixels[4 * 800], 0);
  EXPECT_EQ(frame.pixels[599 * 800 + 799], 0);

  // A larger one is cut at 800 x 600.
  std::vector<std::uint8_t> large(1000 * 700, 6);
  EXPECT_TRUE(CaptureFrame(frame, soft::ScreenView{large.data(), 1000, 700, 1000, palette.data()}, colours));
  EXPECT_EQ(frame.pixels[599 * 800 + 799], 6);
  EXPECT_EQ(frame.pixels.size(), 800u * 600u);

  const soft::ScreenView broken[] = {
      {nullptr, 800, 600, 800, palette.data()},
      {small.data(), 10, 4, 9, palette.data()},
      {small.data(), -10, 4, 16, palette.data()},
  };
  for (const soft::ScreenView& view : broken) {
    CaptureFrame(frame, view, colours);
    EXPECT_TRUE(std::all_of(frame.pixels.begin(), frame.pixels.end(), [](std::uint8_t p) { return p == 0; }))
        << "width " << view.width << " pitch " << view.pitch;
    EXPECT_FALSE(CaptureFrame(frame, view, colours)) << "black again is no change";
  }
}

TEST(SdlFrame, ExpansionWritesEveryPixelAndNoPadding) {
  std::vector<PALETTEENTRY> palette = TestPalette();
  std::vector<std::uint8_t> pixels(800 * 600, 0);
  pixels[0] = 4;
  pixels[799] = 1;
  pixels[599 * 800] = 255;
  ShownFrame frame;
  CaptureFrame(frame, soft::ScreenView{pixels.data(), 800, 600, 800, palette.data()},
               BuildColourTable(palette.data()));
  const int pitch = 800 * 4 + 12;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(pitch) * 600, 0xAB);
  ExpandFrame(frame, out.data(), pitch);
  auto at = [&](int x, int y) {
    std::uint32_t value;
    std::memcpy(&value, out.data() + static_cast<std::size_t>(y) * pitch + x * 4, 4);
    return value;
  };
  EXPECT_EQ(at(0, 0), 0xFFFF0000u);
  EXPECT_EQ(at(799, 0), 0xFF0000CCu);
  EXPECT_EQ(at(0, 599), 0xFFFF00F9u);
  EXPECT_EQ(at(400, 300), 0xFF00FF00u);
  for (int y = 0; y < 600; ++y) {
    for (int i = 800 * 4; i < pitch; ++i) {
      ASSERT_EQ(out[static_cast<std::size_t>(y) * pitch + i], 0xAB) << "row " << y << " padding written";
    }
  }

  std::vector<std::uint8_t> tooNarrow(100, 0xCD);
  ExpandFrame(frame, tooNarrow.data(), 100);
  EXPECT_TRUE(std::all_of(tooNarrow.begin(), tooNarrow.end(), [](std::uint8_t b) { return b == 0xCD; }))
      << "a pitch shorter than a row must write nothing";
}

// ---- Scaling -----------------------------------------------------------------------

TEST(SdlScaling, TheSettingNamesAreAreaAndWhole) {
  const struct {
    const char* name;
    Scaling scaling;
    bool known;
  } cases[] = {
      {nullptr, Scaling::Area, true},  {"", Scaling::Area, true},       {"area", Scaling::Area, true},
      {"whole", Scaling::Whole, true}, {"WHOLE", Scaling::Whole, true}, {"nearest", Scaling::Area, false},
  };
  for (const auto& c : cases) {
    bool known = !c.known;
    EXPECT_EQ(ScalingFromName(c.name, &known), c.scaling) << (c.name ? c.name : "unset");
    EXPECT_EQ(known, c.known) << (c.name ? c.name : "unset");
  }
}

// The share of a screen pixel's area white in a one-pixel checkerboard
// (white where x + y is even) over the screen rectangle [x0, x1) x [y0, y1).
double WhiteShare(double x0, double x1, double y0, double y1) {
  double white = 0;
  for (int y = static_cast<int>(std::floor(y0)); y < y1; ++y) {
    const double h = std::min(y1, y + 1.0) - std::max(y0, double(y));
    for (int x = static_cast<int>(std::floor(x0)); x < x1; ++x) {
      const double w = std::min(x1, x + 1.0) - std::max(x0, double(x));
      if ((x + y) % 2 == 0) {
        white += w * h;
      }
    }
  }
  return white / ((x1 - x0) * (y1 - y0));
}

// A checkerboard screen drawn by SDL's software renderer as the program
// draws it: every window pixel on the screen's area is as bright as the share
// of white it covers (within 40 of 255), the bars are black. Nearest sampling
// at 1.8 times fails this by far: its pixels are all black or all white.
// Between 1.2 and 1.5 times, and around 2.4, two linear taps cannot follow
// both axes' shares, and a pixel may be off by up to a quarter of the range.
TEST(SdlScaling, EveryWindowPixelShowsTheShareOfWhiteItCovers) {
  std::vector<std::uint32_t> board(std::size_t{kScreenWidth} * kScreenHeight);
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      board[std::size_t{kScreenWidth} * y + x] = (x + y) % 2 == 0 ? 0xFFFFFFFFu : 0xFF000000u;
    }
  }
  const struct {
    int w;
    int h;
    Scaling scaling;
    double tolerance;
  } cases[] = {
      {1920, 1080, Scaling::Area, 40}, {1680, 1050, Scaling::Area, 40}, {808, 606, Scaling::Area, 40},
      {1366, 768, Scaling::Area, 64},  {1280, 800, Scaling::Area, 64},  {2560, 1440, Scaling::Area, 64},
      {1600, 1200, Scaling::Area, 0},  {800, 600, Scaling::Area, 0},    {1920, 1080, Scaling::Whole, 0},
      {2560, 1440, Scaling::Whole, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << (c.scaling == Scaling::Whole ? " whole" : ""));
    SDL_Surface* window = SDL_CreateRGBSurfaceWithFormat(0, c.w, c.h, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(window);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    SDL_Texture* screen = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                            kScreenWidth, kScreenHeight);
    ASSERT_NE(screen, nullptr) << SDL_GetError();
    SDL_UpdateTexture(screen, nullptr, board.data(), kScreenWidth * 4);
    SDL_Texture* work = nullptr;
    const ScalePlan plan = PlanScale(MakeLetterbox(c.w, c.h, c.scaling));
    ASSERT_TRUE(DrawScreen(renderer, screen, work, plan)) << SDL_GetError();
    SDL_RenderPresent(renderer);

    const double sx = double(kScreenWidth) / plan.dest.w;
    const double sy = double(kScreenHeight) / plan.dest.h;
    int failures = 0;
    // Every 7th row and the top and bottom ones; every column.
    for (int wy = 0; wy < c.h && failures < 5; wy += (wy + 7 < c.h ? 7 : std::max(1, c.h - 1 - wy))) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(
          static_cast<const std::uint8_t*>(window->pixels) + static_cast<std::size_t>(window->pitch) * wy);
      for (int wx = 0; wx < c.w && failures < 5; ++wx) {
        const int found = static_cast<int>((row[wx] >> 8) & 0xFFu);
        const bool inside = wx >= plan.dest.x && wx < plan.dest.x + plan.dest.w && wy >= plan.dest.y &&
                            wy < plan.dest.y + plan.dest.h;
        const double expected = inside
                                    ? 255 * WhiteShare((wx - plan.dest.x) * sx, (wx + 1 - plan.dest.x) * sx,
                                                       (wy - plan.dest.y) * sy, (wy + 1 - plan.dest.y) * sy)
                                    : 0;
        if (std::abs(found - expected) > c.tolerance) {
          ++failures;
          ADD_FAILURE() << "window pixel (" << wx << "," << wy << ") is " << found << ", expected "
                        << expected;
        }
      }
      if (wy == c.h - 1) {
        break;
      }
    }
    if (work != nullptr) {
      SDL_DestroyTexture(work);
    }
    SDL_DestroyTexture(screen);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(window);
  }
}

}  // namespace
