// The software scaling the sdl and win32 backends show their picture with, held to the SDL
// backend's renderer, and the win32 backend's pointer kept under the system pointer through the
// letterbox.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/display.h"
#include "platform/sdl/sdl_scaling.h"
#include "platform/soft/frame_scaler.h"
#include "platform/soft/screen_fit.h"
#include "platform/soft/shown_frame.h"
#include "platform/win32/win32_pointer.h"

namespace {

using namespace plat;
using namespace plat::soft;

// A screen of pseudo-random indices in rows and blocks, with a palette of distinct colours.
ShownFrame TestFrame(unsigned seed) {
  ShownFrame frame;
  frame.pixels.resize(std::size_t{kScreenWidth} * kScreenHeight);
  std::uint32_t state = seed;
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    frame.pixels[i] = static_cast<std::uint8_t>((i % 7 == 0) ? state >> 24 : (i / kScreenWidth) % 3 * 40);
  }
  for (std::size_t i = 0; i < frame.colours.size(); ++i) {
    frame.colours[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 0x010307u % 0xFFFFFFu);
  }
  frame.valid = true;
  return frame;
}

std::vector<std::uint32_t> Scaled(const ShownFrame& frame, int w, int h, Scaling scaling) {
  const Letterbox box = MakeLetterbox(w, h, scaling);
  FrameScaler scaler;
  scaler.Prepare(box, PlanScale(box));
  std::vector<std::uint32_t> picture(std::size_t(w) * h, 0);
  scaler.DrawRows(frame, 0, h, picture.data());
  return picture;
}

int Channel(std::uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 0xFFu);
}

// Every window pixel as SDL's software renderer draws it for the Linux program, within its
// rounding (it weighs the two taps in 128ths and drops the remainder, twice over a downscale);
// the bars black. A tap a pixel off would be far out on this screen.
TEST(FrameScaler, DrawsWhatTheSdlBackendDraws) {
  const ShownFrame frame = TestFrame(7);
  std::vector<std::uint32_t> screen(frame.pixels.size());
  for (std::size_t i = 0; i < screen.size(); ++i) {
    screen[i] = frame.colours[frame.pixels[i]];
  }
  const struct {
    int w;
    int h;
    Scaling scaling;
  } cases[] = {{1920, 1080, Scaling::Area}, {1366, 768, Scaling::Area},   {640, 480, Scaling::Area},
               {800, 600, Scaling::Area},   {1600, 1200, Scaling::Whole}, {1920, 1080, Scaling::Whole}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << (c.scaling == Scaling::Whole ? " whole" : ""));
    SDL_Surface* window = SDL_CreateRGBSurfaceWithFormat(0, c.w, c.h, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(window);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                             kScreenWidth, kScreenHeight);
    ASSERT_NE(texture, nullptr) << SDL_GetError();
    SDL_UpdateTexture(texture, nullptr, screen.data(), kScreenWidth * 4);
    SDL_Texture* work = nullptr;
    ASSERT_TRUE(sdl::DrawScreen(renderer, texture, work, PlanScale(MakeLetterbox(c.w, c.h, c.scaling))));
    SDL_RenderPresent(renderer);

    const std::vector<std::uint32_t> ours = Scaled(frame, c.w, c.h, c.scaling);
    int worst = 0;
    for (int y = 0; y < c.h; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(
          static_cast<const std::uint8_t*>(window->pixels) + static_cast<std::size_t>(window->pitch) * y);
      for (int x = 0; x < c.w; ++x) {
        for (int shift : {0, 8, 16}) {
          worst = std::max(worst,
                           std::abs(Channel(row[x], shift) - Channel(ours[std::size_t(c.w) * y + x], shift)));
        }
      }
    }
    EXPECT_LE(worst, 8);
    if (work != nullptr) {
      SDL_DestroyTexture(work);
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(window);
  }
}

// A present redraws only the window rows that show changed screen rows: they must come out as
// a whole redraw makes them.
TEST(FrameScaler, RedrawingTheRowsOfAChangeEqualsRedrawingAll) {
  ShownFrame frame = TestFrame(3);
  for (const auto& [w, h] : {std::pair{1920, 1080}, std::pair{1024, 768}, std::pair{800, 600}}) {
    const Letterbox box = MakeLetterbox(w, h, Scaling::Area);
    FrameScaler scaler;
    scaler.Prepare(box, PlanScale(box));
    std::vector<std::uint32_t> picture(std::size_t(w) * h, 0);
    scaler.DrawRows(frame, 0, h, picture.data());
    for (int changed : {0, 299, 599}) {
      std::fill_n(frame.pixels.begin() + std::ptrdiff_t{kScreenWidth} * changed, kScreenWidth, 250);
      int top = 0;
      int bottom = 0;
      scaler.WindowRowsShowing(changed, changed, &top, &bottom);
      ASSERT_LT(top, bottom) << "row " << changed;
      scaler.DrawRows(frame, top, bottom, picture.data());
      EXPECT_EQ(picture, Scaled(frame, w, h, Scaling::Area)) << w << "x" << h << ", row " << changed;
    }
  }
}

// At 9/5 times each window pixel of motion is 5/9 of a screen pixel: the fractions add up, the
// cursor is always the screen pixel under the pointer, and putting it there moves nothing.
TEST(Win32Pointer, TheCursorFollowsThePointerThroughTheLetterbox) {
  const Letterbox box = MakeLetterbox(1920, 1080);
  const RECT window{0, 0, 1920, 1080};
  win32::PointerMap map;
  POINT to{};
  EXPECT_EQ(win32::TakeMotion(map, box, {50, 50}, window).x, 0) << "no motion before the cursor was put";
  ASSERT_TRUE(win32::PlaceCursor(map, box, {400, 300}, window, &to));
  EXPECT_EQ(ScreenToWindow(box, 400, 300).x, to.x);
  int x = 400;
  for (int step = 0; step < 9; ++step) {
    x += win32::TakeMotion(map, box, {1, 0}, window).x;
    EXPECT_EQ(x, WindowToScreen(box, map.pointer.x, map.pointer.y).x);
    EXPECT_FALSE(win32::PlaceCursor(map, box, {x, 300}, window, &to)) << "the pointer shows it already";
  }
  EXPECT_EQ(x, 405);
  // Held back at 795 as the editor clamps: the pointer goes to the first window pixel of 795.
  win32::TakeMotion(map, box, {5000, 0}, window);
  EXPECT_EQ(map.pointer.x, 1919) << "the pointer stays on the monitor";
  ASSERT_TRUE(win32::PlaceCursor(map, box, {795, 300}, window, &to));
  EXPECT_EQ(to.x, ScreenToWindow(box, 795, 300).x);
  // Confined (ClipCursor) to window pixels 1000 to 1099 the cursor stays inside too.
  const RECT clip{1000, 0, 1100, 1080};
  win32::PlaceCursor(map, box, {500, 300}, clip, &to);
  EXPECT_EQ(to.x, 1099);
  EXPECT_EQ(500 + win32::TakeMotion(map, box, {-400, 0}, clip).x, WindowToScreen(box, 1000, 0).x);
}

}  // namespace
