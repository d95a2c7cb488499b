// Bitmaps in the software GDI: loading BMP files, BitBlt onto 8-bit surfaces
// with colour mapping and clipping, and every file of the BMP test suite.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "harness/bmp_writer.h"
#include "platform/gdi.h"
#include "platform/soft/gdi_bmp_decode.h"
#include "platform/soft/gdi_counts.h"
#include "platform/window.h"
#include "support/file_bytes.h"
#include "support/guarded_surface.h"
#include "support/scratch_dir.h"

namespace {

using pixtest::GuardedSurface;
using pixtest::Rgb;

// A bitmap loaded from a file and selected into a memory context.
class LoadedBitmap {
 public:
  explicit LoadedBitmap(const std::string& path) {
    bitmap_ = plat::LoadImageA(nullptr, path.c_str(), plat::IMAGE_BITMAP, 0, 0,
                               plat::LR_LOADFROMFILE | plat::LR_CREATEDIBSECTION);
    if (bitmap_ != nullptr) {
      dc_ = plat::CreateCompatibleDC(nullptr);
      held_ = plat::SelectObject(dc_, bitmap_);
    }
  }
  ~LoadedBitmap() {
    if (dc_ != nullptr) {
      plat::SelectObject(dc_, held_);
      plat::DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) {
      EXPECT_TRUE(plat::DeleteObject(bitmap_));
    }
  }
  bool Loaded() const { return bitmap_ != nullptr && held_ != nullptr; }
  plat::HBITMAP Handle() const { return bitmap_; }
  plat::HDC Dc() const { return dc_; }
  plat::BITMAP Description() const {
    plat::BITMAP description{};
    plat::GetObjectA(bitmap_, sizeof description, &description);
    return description;
  }

 private:
  plat::HBITMAP bitmap_ = nullptr;
  plat::HDC dc_ = nullptr;
  plat::HGDIOBJ held_ = nullptr;
};

// The palette index a colour maps to, found through SetPixel on a spare surface.
std::uint8_t MappedIndex(plat::COLORREF colour) {
  static GuardedSurface spare(1, 1);
  plat::SetPixel(spare.Dc(), 0, 0, colour);
  return spare.At(0, 0);
}

// Checks every pixel of the surface after a BitBlt of the bitmap in source
// (width x height from (sourceX, sourceY) to (x, y)) onto a surface filled with fill.
::testing::AssertionResult BlitShows(const GuardedSurface& surface, const LoadedBitmap& source,
                                     std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                                     std::int64_t sourceX, std::int64_t sourceY, std::uint8_t fill) {
  const plat::BITMAP bitmap = source.Description();
  std::string first;
  if (surface.GuardDamage(&first) != 0) {
    return ::testing::AssertionFailure() << first;
  }
  for (int py = 0; py < surface.Height(); ++py) {
    for (int px = 0; px < surface.Width(); ++px) {
      const std::int64_t k = px - x;
      const std::int64_t j = py - y;
      const std::int64_t bx = sourceX + k;
      const std::int64_t by = sourceY + j;
      std::uint8_t expected = fill;
      if (k >= 0 && k < width && j >= 0 && j < height && bx >= 0 && bx < bitmap.bmWidth && by >= 0 &&
          by < bitmap.bmHeight) {
        expected = MappedIndex(plat::GetPixel(source.Dc(), static_cast<int>(bx), static_cast<int>(by)));
      }
      if (surface.At(px, py) != expected) {
        return ::testing::AssertionFailure() << "pixel (" << px << "," << py << ") is "
                                             << int(surface.At(px, py)) << ", expected " << int(expected);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// 5 x 4 pixels: exact palette colours (one held twice in the palette), near
// ones, and a colour the pixels never use, in rows and columns that all differ.
const std::vector<Rgb> kColours = {{0, 0, 0},   {255, 0, 0},    {250, 6, 2},
                                   {0, 0, 100}, {130, 125, 77}, {9, 9, 9}};
const std::vector<std::uint8_t> kPixels = {0, 1, 2, 3, 4,  //
                                           1, 1, 0, 0, 2,  //
                                           3, 4, 4, 1, 0,  //
                                           2, 0, 3, 3, 1};

TEST(GdiBitmap, EightBitFileLoadsAtItsOwnSizeAndMapsEachColour) {
  pixtest::ScratchDir scratch;
  ASSERT_TRUE(pixtest::WriteFileBytes("b8.bmp", pixtest::MakeBmp8(5, 4, kColours, kPixels)));
  LoadedBitmap source("b8.bmp");
  ASSERT_TRUE(source.Loaded());
  const plat::BITMAP description = source.Description();
  EXPECT_EQ(5, description.bmWidth);
  EXPECT_EQ(4, description.bmHeight);
  EXPECT_EQ(8, description.bmBitsPixel);
  EXPECT_EQ(8, description.bmWidthBytes);
  // The first platform's record is 24 bytes long; that much is enough.
  plat::BITMAP shortRecord{};
  EXPECT_EQ(24, plat::GetObjectA(source.Handle(), 24, &shortRecord));
  EXPECT_EQ(5, shortRecord.bmWidth);
  EXPECT_EQ(0, plat::GetObjectA(source.Handle(), 23, &shortRecord));

  // Rows come top first, whatever order the file keeps them in.
  EXPECT_EQ(plat::RGB(250, 6, 2), plat::GetPixel(source.Dc(), 4, 1));
  EXPECT_EQ(plat::RGB(0, 0, 100), plat::GetPixel(source.Dc(), 0, 2));
  EXPECT_EQ(plat::CLR_INVALID, plat::GetPixel(source.Dc(), 5, 0));

  GuardedSurface surface(12, 10, pixtest::GdiTestPalette(), 6);
  ASSERT_TRUE(plat::BitBlt(surface.Dc(), 3, 2, 5, 4, source.Dc(), 0, 0, plat::SRCCOPY));
  const std::uint8_t expectedIndex[] = {0, 2, 2, 7, 130};
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(expectedIndex[kPixels[i]], surface.At(3 + i % 5, 2 + i / 5)) << "pixel " << i;
  }
  EXPECT_TRUE(BlitShows(surface, source, 3, 2, 5, 4, 0, 0, 6));
  EXPECT_FALSE(plat::BitBlt(surface.Dc(), 0, 0, 5, 4, source.Dc(), 0, 0, 0x00EE0086));
  EXPECT_FALSE(plat::BitBlt(source.Dc(), 0, 0, 5, 4, surface.Dc(), 0, 0, plat::SRCCOPY));
}

TEST(GdiBitmap, BitBltIsClippedAtEveryEdgeOfSourceAndDestination) {
  pixtest::ScratchDir scratch;
  std::vector<std::uint8_t> pixels(9 * 7);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = static_cast<std::uint8_t>((i * 7 + i / 9) % kColours.size());
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("clip.bmp", pixtest::MakeBmp8(9, 7, kColours, pixels)));
  LoadedBitmap source("clip.bmp");
  ASSERT_TRUE(source.Loaded());
  struct Case {
    const char* name;
    int x, y, width, height, sourceX, sourceY;
  };
  const Case cases[] = {
      {"inside", 2, 3, 9, 7, 0, 0},
      {"left and top", -4, -3, 9, 7, 0, 0},
      {"right and bottom", 8, 6, 9, 7, 0, 0},
      {"part of the source", 1, 1, 4, 3, 3, 2},
      {"beyond the source's right and bottom", 0, 0, 30, 30, 5, 4},
      {"before the source's left and top", 3, 3, 9, 7, -2, -3},
      {"huge size", -5, -5, INT_MAX, INT_MAX, 0, 0},
      {"far away", INT_MIN, INT_MAX, 9, 7, 0, 0},
      {"source far away", 0, 0, 9, 7, INT_MAX, INT_MIN},
      {"nothing", 1, 1, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    GuardedSurface surface(11, 9, pixtest::GdiTestPalette(), 6);
    EXPECT_TRUE(plat::BitBlt(surface.Dc(), c.x, c.y, c.width, c.height, source.Dc(), c.sourceX, c.sourceY,
                             plat::SRCCOPY))
        << c.name;
    EXPECT_TRUE(BlitShows(surface, source, c.x, c.y, c.width, c.height, c.sourceX, c.sourceY, 6)) << c.name;
  }
  GuardedSurface surface(11, 9, pixtest::GdiTestPalette(), 6);
  EXPECT_FALSE(plat::BitBlt(surface.Dc(), 0, 0, -3, 4, source.Dc(), 0, 0, plat::SRCCOPY));
  EXPECT_EQ(0, surface.CountNot(6));
}

TEST(GdiBitmap, TwentyFourBitFileAndSurfaceSourcesMapThroughThePalette) {
  pixtest::ScratchDir scratch;
  const std::vector<Rgb> pixels = {{255, 255, 255}, {0, 255, 0},  {1, 254, 2},
                                   {0, 0, 111},     {99, 99, 99}, {0, 0, 0}};
  ASSERT_TRUE(pixtest::WriteFileBytes("b24.bmp", pixtest::MakeBmp24(3, 2, pixels)));
  LoadedBitmap source("b24.bmp");
  ASSERT_TRUE(source.Loaded());
  EXPECT_EQ(24, source.Description().bmBitsPixel);
  GuardedSurface surface(6, 5, pixtest::GdiTestPalette(), 6);
  ASSERT_TRUE(plat::BitBlt(surface.Dc(), 1, 1, 3, 2, source.Dc(), 0, 0, plat::SRCCOPY));
  const std::uint8_t expected[] = {1, 3, 3, 8, 6, 0};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(expected[i], surface.At(1 + i % 3, 1 + i / 3)) << "pixel " << i;
  }
  EXPECT_TRUE(BlitShows(surface, source, 1, 1, 3, 2, 0, 0, 6));

  // One surface onto another with a different palette, and onto itself overlapping.
  pixtest::Palette shifted = pixtest::GdiTestPalette();
  shifted[40] = {255, 255, 255, 0};
  shifted[1] = {1, 1, 1, 0};
  GuardedSurface other(6, 5, shifted, 0);
  ASSERT_TRUE(plat::BitBlt(other.Dc(), 0, 0, 6, 5, surface.Dc(), 0, 0, plat::SRCCOPY));
  EXPECT_EQ(40, other.At(1, 1)) << "white moved to entry 40";
  EXPECT_EQ(3, other.At(2, 1));
  ASSERT_TRUE(plat::BitBlt(surface.Dc(), 2, 1, 4, 4, surface.Dc(), 1, 1, plat::SRCCOPY));
  EXPECT_EQ(1, surface.At(2, 1));
  EXPECT_EQ(3, surface.At(3, 1));
  EXPECT_EQ(8, surface.At(2, 2));
  EXPECT_EQ(0, surface.GuardDamage());
}

// The editor's next pass: its bitmaps look at their folder's reports again.
TEST(GdiBitmap, AReplacedFileShowsAtTheNextPass) {
  pixtest::ScratchDir scratch;
  const std::vector<Rgb> colours = {{0, 0, 0}, {255, 255, 255}};
  ASSERT_TRUE(pixtest::WriteFileBytes("button.bmp", pixtest::MakeBmp8(2, 1, colours, {0, 1})));
  {
    LoadedBitmap first("button.bmp");
    ASSERT_TRUE(first.Loaded());
    EXPECT_EQ(plat::RGB(255, 255, 255), plat::GetPixel(first.Dc(), 1, 0));
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("button.bmp", pixtest::MakeBmp8(3, 1, colours, {1, 0, 0})));
  plat::BeginEditorPass();
  LoadedBitmap second("button.bmp");
  ASSERT_TRUE(second.Loaded());
  EXPECT_EQ(3, second.Description().bmWidth);
  EXPECT_EQ(plat::RGB(0, 0, 0), plat::GetPixel(second.Dc(), 1, 0));
}

TEST(GdiBitmap, UnusableFilesAndRequestsGiveNoBitmap) {
  pixtest::ScratchDir scratch;
  const pixtest::Bytes good = pixtest::MakeBmp8(5, 4, kColours, kPixels);
  ASSERT_TRUE(pixtest::WriteFileBytes("good.bmp", good));
  ASSERT_TRUE(pixtest::WriteFileBytes("empty.bmp", pixtest::Bytes{}));
  ASSERT_TRUE(pixtest::WriteFileBytes("cut.bmp", pixtest::Bytes(good.begin(), good.begin() + 60)));
  ASSERT_TRUE(pixtest::WriteFileBytes("text.bmp", std::string("hello, not a bitmap")));
  ASSERT_TRUE(pixtest::WriteFileBytes("wide.bmp",
                                      pixtest::MakeBmp8(4097, 1, kColours, std::vector<std::uint8_t>(4097))));
  // A header that claims 16384 x 16384 pixels in a file of a few bytes.
  pixtest::Bytes huge = pixtest::MakeBmp8(1, 1, kColours, {0});
  huge[18] = 0x00, huge[19] = 0x40, huge[22] = 0x00, huge[23] = 0x40;
  ASSERT_TRUE(pixtest::WriteFileBytes("huge.bmp", huge));
  // Run-length files that end at once: as many pixels as the screen holds
  // are taken, more are refused (one of 4096 x 4096 cost 25 ms a draw).
  const auto endedRunLength = [&](std::uint32_t width, std::uint32_t height) {
    pixtest::Bytes file = pixtest::MakeBmp8(1, 1, kColours, {0});
    for (int i = 0; i < 4; ++i) {
      file[18 + i] = static_cast<std::uint8_t>(width >> (8 * i));
      file[22 + i] = static_cast<std::uint8_t>(height >> (8 * i));
    }
    file[30] = 1;               // BI_RLE8
    file[file.size() - 3] = 1;  // 00 01: end of bitmap
    return file;
  };
  ASSERT_TRUE(pixtest::WriteFileBytes("screen.bmp", endedRunLength(800, 600)));
  ASSERT_TRUE(pixtest::WriteFileBytes("4096x117.bmp", endedRunLength(4096, 117)));
  ASSERT_TRUE(pixtest::WriteFileBytes("801x600.bmp", endedRunLength(801, 600)));
  ASSERT_TRUE(pixtest::WriteFileBytes("4096x4096.bmp", endedRunLength(4096, 4096)));
  ASSERT_EQ(0, mkdir("folder.bmp", 0755));
  ASSERT_EQ(0, mkfifo("pipe.bmp", 0644));
  const std::size_t before = plat::soft::LiveGdiObjects();
  for (const char* name : {"missing.bmp", "empty.bmp", "cut.bmp", "text.bmp", "wide.bmp", "huge.bmp",
                           "801x600.bmp", "4096x4096.bmp", "folder.bmp", "pipe.bmp"}) {
    EXPECT_EQ(nullptr, plat::LoadImageA(nullptr, name, plat::IMAGE_BITMAP, 0, 0, plat::LR_LOADFROMFILE))
        << name;
  }
  EXPECT_EQ(nullptr, plat::LoadImageA(nullptr, nullptr, plat::IMAGE_BITMAP, 0, 0, plat::LR_LOADFROMFILE));
  EXPECT_EQ(nullptr, plat::LoadImageA(nullptr, "good.bmp", 1, 0, 0, plat::LR_LOADFROMFILE)) << "an icon";
  EXPECT_EQ(nullptr, plat::LoadImageA(nullptr, "good.bmp", plat::IMAGE_BITMAP, 0, 0, 0)) << "a resource";
  EXPECT_EQ(nullptr,
            plat::LoadImageA(nullptr, "good.bmp", plat::IMAGE_BITMAP, 10, 10, plat::LR_LOADFROMFILE));
  EXPECT_EQ(before, plat::soft::LiveGdiObjects());
  LoadedBitmap loaded("good.bmp");
  EXPECT_TRUE(loaded.Loaded()) << "the same file loads with the usual request";
  for (const char* name : {"screen.bmp", "4096x117.bmp"}) {
    EXPECT_TRUE(LoadedBitmap(name).Loaded()) << name;
  }
}

TEST(GdiBitmap, ABitmapGoesIntoOneMemoryContextAndNeverOntoASurface) {
  pixtest::ScratchDir scratch;
  ASSERT_TRUE(pixtest::WriteFileBytes("b.bmp", pixtest::MakeBmp8(5, 4, kColours, kPixels)));
  LoadedBitmap source("b.bmp");
  ASSERT_TRUE(source.Loaded());
  plat::HBITMAP bitmap = plat::LoadImageA(nullptr, "b.bmp", plat::IMAGE_BITMAP, 0, 0, plat::LR_LOADFROMFILE);
  plat::HDC first = plat::CreateCompatibleDC(nullptr);
  plat::HDC second = plat::CreateCompatibleDC(nullptr);
  GuardedSurface surface(4, 4);
  plat::HGDIOBJ held = plat::SelectObject(first, bitmap);
  EXPECT_NE(nullptr, held) << "a new memory context gives back its stock bitmap";
  EXPECT_EQ(nullptr, plat::SelectObject(second, bitmap));
  EXPECT_EQ(nullptr, plat::SelectObject(surface.Dc(), bitmap));
  EXPECT_FALSE(plat::DeleteObject(bitmap)) << "still selected";
  EXPECT_EQ(bitmap, plat::SelectObject(first, held));
  EXPECT_NE(nullptr, plat::SelectObject(second, bitmap));
  EXPECT_TRUE(plat::DeleteDC(second)) << "deleting the context lets go of its bitmap";
  EXPECT_TRUE(plat::DeleteDC(first));
  EXPECT_TRUE(plat::DeleteObject(bitmap));
}

std::vector<std::filesystem::path> SuiteFiles(const char* folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(PIXED_TESTDATA_DIR) + "/bmpsuite/" + folder)) {
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(GdiBitmapSuite, EveryFileLoadsOrIsRefusedAndNeverDrawsOutside) {
  const std::set<std::string> mustLoadExcept = {"rgb32bf.bmp"};  // a bit-field layout SDL2 refuses
  const std::set<std::string> mustRefuse = {"badbitcount.bmp", "badwidth.bmp", "pal8badindex.bmp",
                                            "reallybig.bmp", "shortfile.bmp"};
  const std::size_t before = plat::soft::LiveGdiObjects();
  int loaded = 0;
  int files = 0;
  for (const char* folder : {"g", "q", "b"}) {
    for (const auto& path : SuiteFiles(folder)) {
      const std::string name = path.filename().string();
      ++files;
      LoadedBitmap source(path.string());
      if (std::string(folder) == "g" && mustLoadExcept.count(name) == 0) {
        EXPECT_TRUE(source.Loaded()) << folder << "/" << name;
      }
      if (mustRefuse.count(name) != 0) {
        EXPECT_FALSE(source.Loaded()) << folder << "/" << name;
      }
      if (!source.Loaded()) {
        continue;
      }
      ++loaded;
      const plat::BITMAP description = source.Description();
      EXPECT_GT(description.bmWidth, 0) << name;
      EXPECT_GT(description.bmHeight, 0) << name;
      const int positions[][2] = {{0, 0}, {-60, -30}, {25, 20}};
      for (const auto& at : positions) {
        GuardedSurface surface(40, 30, pixtest::GdiTestPalette(), 6);
        plat::BitBlt(surface.Dc(), at[0], at[1], description.bmWidth, description.bmHeight, source.Dc(), 0, 0,
                     plat::SRCCOPY);
        EXPECT_TRUE(
            BlitShows(surface, source, at[0], at[1], description.bmWidth, description.bmHeight, 0, 0, 6))
            << folder << "/" << name << " at " << at[0] << "," << at[1];
      }
    }
  }
  EXPECT_GE(files, 90) << "the test suite's folders were not all found";
  EXPECT_GT(loaded, 26);
  EXPECT_EQ(before, plat::soft::LiveGdiObjects());
}

TEST(GdiBitmapSuite, TheDirectReaderAgreesWithSdlOnEveryFileItTakes) {
  int taken = 0;
  std::vector<pixtest::Bytes> files;
  for (const char* folder : {"g", "q", "b"}) {
    for (const auto& path : SuiteFiles(folder)) {
      files.push_back(pixtest::ReadFileBytes(path.string()));
    }
  }
  files.push_back(pixtest::MakeBmp8(5, 4, kColours, kPixels));
  files.push_back(pixtest::MakeBmp8(1, 1, {}, {0}));  // no palette entries: 256 assumed
  // The usual files must take the direct way, bottom-up, top-down and with newer headers alike.
  for (const char* name :
       {"pal8.bmp", "pal8topdown.bmp", "pal8v4.bmp", "pal8v5.bmp", "pal8-0.bmp", "pal8w125.bmp"}) {
    const pixtest::Bytes file =
        pixtest::ReadFileBytes(std::string(PIXED_TESTDATA_DIR) + "/bmpsuite/g/" + name);
    plat::soft::BitmapPixels pixels;
    EXPECT_EQ(plat::soft::PlainResult::Decoded,
              plat::soft::DecodePlain8Bit(file.data(), file.size(), &pixels))
        << name;
  }
  for (std::size_t f = 0; f < files.size(); ++f) {
    const pixtest::Bytes& file = files[f];
    plat::soft::BitmapPixels direct;
    if (plat::soft::DecodePlain8Bit(file.data(), file.size(), &direct) != plat::soft::PlainResult::Decoded) {
      continue;
    }
    ++taken;
    plat::soft::BitmapPixels sdl;
    ASSERT_TRUE(plat::soft::DecodeWithSdl(file.data(), file.size(), &sdl)) << "file " << f;
    ASSERT_EQ(sdl.width, direct.width) << "file " << f;
    ASSERT_EQ(sdl.height, direct.height) << "file " << f;
    ASSERT_TRUE(sdl.indexed) << "file " << f;
    EXPECT_EQ(sdl.indices, direct.indices) << "file " << f;
    EXPECT_EQ(sdl.used, direct.used) << "file " << f;
    for (int i = 0; i < 256; ++i) {
      if (direct.used[i]) {
        EXPECT_EQ(sdl.colours[i], direct.colours[i]) << "file " << f << " colour " << i;
      }
    }
  }
  EXPECT_GE(taken, 12);
}

// True-colour files go through SDL2's reader and a conversion of our own (a
// table for the 16-bit forms): their colours must be those of SDL2's own
// conversion of the surface.
TEST(GdiBitmapSuite, TrueColourFilesKeepTheColoursOfSdlsConversion) {
  int compared = 0;
  for (const char* folder : {"g", "q"}) {
    for (const auto& path : SuiteFiles(folder)) {
      const pixtest::Bytes file = pixtest::ReadFileBytes(path.string());
      plat::soft::BitmapPixels ours;
      if (!plat::soft::DecodeWithSdl(file.data(), file.size(), &ours) || ours.indexed) {
        continue;
      }
      SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1);
      ASSERT_NE(loaded, nullptr) << path;
      SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
      ASSERT_NE(converted, nullptr) << path;
      int wrong = 0;
      for (int y = 0; y < converted->h; ++y) {
        for (int x = 0; x < converted->w; ++x) {
          std::uint32_t pixel;
          std::memcpy(&pixel, static_cast<std::uint8_t*>(converted->pixels) + y * converted->pitch + 4 * x,
                      4);
          const plat::COLORREF expected = plat::RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
          wrong += ours.rgb[static_cast<std::size_t>(y * converted->w + x)] != expected;
        }
      }
      EXPECT_EQ(wrong, 0) << path;
      SDL_FreeSurface(converted);
      SDL_FreeSurface(loaded);
      ++compared;
    }
  }
  EXPECT_GE(compared, 15);
}

// Damaged variants of a plain 8-bit file, each decoded from a buffer of
// exactly its size (so the sanitizer sees any read past it): what SDL2
// refuses gives nothing, the rest decodes to SDL2's pixels.
TEST(GdiBitmapSuite, DamagedEightBitFilesDecodeAsSdlDoesOrNotAtAll) {
  const pixtest::Bytes good = pixtest::MakeBmp8(5, 4, kColours, kPixels);  // rows of 8 bytes
  const auto put32 = [](pixtest::Bytes& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
  };
  const auto cut = [](std::size_t drop) { return [drop](pixtest::Bytes& f) { f.resize(f.size() - drop); }; };
  const auto field = [&](std::size_t at, std::uint32_t value) {
    return [&put32, at, value](pixtest::Bytes& f) { put32(f, at, value); };
  };
  enum Outcome { Refused, AsSdl };
  struct Case {
    const char* name;
    std::function<void(pixtest::Bytes&)> damage;
    Outcome outcome;
  };
  const Case cases[] = {
      {"cut inside the palette", [](pixtest::Bytes& f) { f.resize(60); }, Refused},
      {"cut inside the last row's pixels", cut(5), Refused},
      {"last row without its padding", cut(3), Refused},
      {"pixels start at the end", field(10, static_cast<std::uint32_t>(good.size())), Refused},
      {"pixels start past the end", field(10, 0xFFFFFFF0u), Refused},
      {"pixels start inside the palette", field(10, 62), Refused},
      {"pixels start inside the header", field(10, 20), Refused},
      {"more rows than the file holds", field(22, 40), Refused},
      {"indices beyond the colour count", field(46, 2), Refused},
      {"negative width", field(18, static_cast<std::uint32_t>(-5)), Refused},
      {"most negative width", field(18, 0x80000000u), Refused},
      {"most negative height", field(22, 0x80000000u), Refused},
      {"no rows", field(22, 0), Refused},
      {"no bits per pixel", [](pixtest::Bytes& f) { f[28] = 0; }, Refused},
      {"top-down rows", field(22, static_cast<std::uint32_t>(-4)), AsSdl},
      {"a wider width the padding still holds", field(18, 6), AsSdl},
      {"colour count 257", field(46, 257), AsSdl},
      {"colour count 2^32 - 1", field(46, 0xFFFFFFFFu), AsSdl},
      {"a newer header size in a short file", field(14, 124), AsSdl},
      {"a huge header size", field(14, 0xFFFFFFF0u), AsSdl},
      {"run-length compression over plain rows", field(30, 1), AsSdl},
      {"no planes", [](pixtest::Bytes& f) { f[26] = 0; }, AsSdl},
  };
  for (const Case& c : cases) {
    pixtest::Bytes damaged = good;
    c.damage(damaged);
    const std::size_t size = damaged.size();
    const auto exact = std::make_unique<std::uint8_t[]>(size);
    std::copy(damaged.begin(), damaged.end(), exact.get());
    plat::soft::BitmapPixels got;
    const bool decoded = plat::soft::DecodeBmp(exact.get(), size, &got);
    if (c.outcome == Refused) {
      EXPECT_FALSE(decoded) << c.name << ": decoded as " << got.width << " x " << got.height;
      continue;
    }
    plat::soft::BitmapPixels sdl;
    ASSERT_TRUE(plat::soft::DecodeWithSdl(exact.get(), size, &sdl)) << c.name << ": SDL2 took it before";
    ASSERT_TRUE(decoded) << c.name << ": SDL2 reads it";
    EXPECT_EQ(sdl.width, got.width) << c.name;
    EXPECT_EQ(sdl.height, got.height) << c.name;
    EXPECT_EQ(sdl.indices, got.indices) << c.name;
    for (int i = 0; i < 256; ++i) {
      if (got.used[i]) {
        EXPECT_EQ(sdl.colours[i], got.colours[i]) << c.name << " colour " << i;
      }
    }
  }
}

}  // namespace
