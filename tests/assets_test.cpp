// The program's sounds and button bitmaps: the exact WAVE form, the bitmaps' names, sizes, colours and looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "canvas/fixed_colours.h"
#include "platform/gdi.h"
#include "platform/system.h"
#include "support/file_bytes.h"
#include "support/panel_bmp.h"

namespace {

using pixtest::Bytes;

std::uint32_t Le(const std::uint8_t* at, int bytes) {
  std::uint32_t value = 0;
  for (int b = bytes - 1; b >= 0; --b) {
    value = (value << 8) | at[b];
  }
  return value;
}

// ---- Sounds -----------------------------------------------------------------------------------

struct Wave {
  std::string fault;  // empty when the file is well formed
  std::uint32_t format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
  std::vector<std::int16_t> samples;
};

Wave ParseWave(const std::uint8_t* data, std::size_t size) {
  Wave wave;
  if (size < 12 || std::string(data, data + 4) != "RIFF" || std::string(data + 8, data + 12) != "WAVE") {
    wave.fault = "no RIFF/WAVE header";
    return wave;
  }
  if (Le(data + 4, 4) + 8 != size) {
    wave.fault =
        "RIFF size " + std::to_string(Le(data + 4, 4)) + " but " + std::to_string(size - 8) + " bytes follow";
    return wave;
  }
  bool haveFormat = false;
  for (std::size_t at = 12; at < size;) {
    if (size - at < 8 || Le(data + at + 4, 4) > size - at - 8) {
      wave.fault = "chunk at " + std::to_string(at) + " runs past the end";
      return wave;
    }
    const std::string id(data + at, data + at + 4);
    const std::uint32_t length = Le(data + at + 4, 4);
    const std::uint8_t* body = data + at + 8;
    if (id == "fmt " && length >= 16) {
      wave.format = Le(body, 2);
      wave.channels = Le(body + 2, 2);
      wave.rate = Le(body + 4, 4);
      wave.byteRate = Le(body + 8, 4);
      wave.blockAlign = Le(body + 12, 2);
      wave.bits = Le(body + 14, 2);
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) {
        wave.fault = "data chunk before the fmt chunk";
        return wave;
      }
      for (std::uint32_t i = 0; i + 1 < length; i += 2) {
        wave.samples.push_back(static_cast<std::int16_t>(Le(body + i, 2)));
      }
    }
    at += 8 + length + (length & 1);
  }
  if (!haveFormat) {
    wave.fault = "no fmt chunk";
  }
  return wave;
}

struct SoundCase {
  int id;
  std::uint32_t rate;
  std::size_t samples;
};
constexpr SoundCase kSounds[] = {{8001, 44100, 2295}, {8002, 22050, 20160}};

TEST(SoundResources, HaveTheExactWaveForm) {
  for (const SoundCase& sound : kSounds) {
    SCOPED_TRACE("resource " + std::to_string(sound.id));
    const plat::ProgramResource* resource = plat::FindProgramResource(sound.id, "WAVE");
    ASSERT_NE(resource, nullptr);
    EXPECT_STREQ(resource->type, "WAVE");
    const Wave wave = ParseWave(resource->data, resource->size);
    ASSERT_EQ(wave.fault, "");
    EXPECT_EQ(wave.format, 1u) << "PCM";
    EXPECT_EQ(wave.channels, 1u);
    EXPECT_EQ(wave.bits, 16u);
    EXPECT_EQ(wave.rate, sound.rate);
    EXPECT_EQ(wave.byteRate, sound.rate * 2);
    EXPECT_EQ(wave.blockAlign, 2u);
    EXPECT_EQ(wave.samples.size(), sound.samples);
  }
}

// Audible, not clipped, centred on zero, and silent at both ends so neither start nor stop clicks.
TEST(SoundResources, AreCleanAudibleSounds) {
  for (const SoundCase& sound : kSounds) {
    SCOPED_TRACE("resource " + std::to_string(sound.id));
    const plat::ProgramResource* resource = plat::FindProgramResource(sound.id, "WAVE");
    ASSERT_NE(resource, nullptr);
    const Wave wave = ParseWave(resource->data, resource->size);
    ASSERT_EQ(wave.fault, "");
    ASSERT_FALSE(wave.samples.empty());
    int peak = 0;
    double sum = 0;
    for (std::int16_t s : wave.samples) {
      peak = std::max(peak, std::abs(static_cast<int>(s)));
      sum += s;
    }
    EXPECT_GE(peak, 4000) << "too quiet";
    EXPECT_LE(peak, 30000) << "at or near clipping";
    EXPECT_LT(std::abs(sum / static_cast<double>(wave.samples.size())), 100.0) << "DC offset";
    EXPECT_LE(std::abs(static_cast<int>(wave.samples.front())), 64) << "first sample";
    const std::size_t tail = wave.samples.size() / 100;
    int tailPeak = 0;
    for (std::size_t i = wave.samples.size() - tail; i < wave.samples.size(); ++i) {
      tailPeak = std::max(tailPeak, std::abs(static_cast<int>(wave.samples[i])));
    }
    EXPECT_LE(tailPeak, peak / 20) << "the last 1% is not near silence";
    EXPECT_EQ(wave.samples.back(), 0);
  }
}

// Every line of the resource script is in the program with the file's bytes, unchanged.
TEST(SoundResources, MatchTheFilesOfTheResourceScript) {
  const std::string folder = std::string(PIXED_SOURCE_DIR) + "/resources/";
  std::ifstream script(folder + "pixed.rc");
  ASSERT_TRUE(script) << folder << "pixed.rc";
  std::set<int> ids;
  for (std::string line; std::getline(script, line);) {
    std::istringstream fields(line.substr(0, line.find('#')));
    int id = 0;
    std::string type, file;
    if (!(fields >> id >> type >> file)) {
      continue;
    }
    SCOPED_TRACE(line);
    ids.insert(id);
    const plat::ProgramResource* resource = plat::FindProgramResource(id, type.c_str());
    ASSERT_NE(resource, nullptr);
    const Bytes expected = pixtest::ReadFileBytes(folder + file);
    ASSERT_FALSE(expected.empty()) << folder + file;
    EXPECT_EQ(Bytes(resource->data, resource->data + resource->size), expected);
  }
  EXPECT_EQ(ids, (std::set<int>{8001, 8002}));
  EXPECT_EQ(plat::programResourceCount, ids.size());
}

// ---- Button bitmaps ---------------------------------------------------------------------------

struct ButtonCase {
  const char* name;
  int width;
  int height;
  const char* pressedName;  // null for the Quad images, which show a state instead
};
constexpr ButtonCase kButtons[] = {
    {"load_button.bmp", 89, 23, "load_down_button.bmp"},
    {"save_button.bmp", 89, 23, "save_down_button.bmp"},
    {"clear_button.bmp", 89, 23, "clear_down_button.bmp"},
    {"quit_button.bmp", 89, 23, "quit_down_button.bmp"},
    {"settings_button.bmp", 89, 23, "settings_down_button.bmp"},
    {"offset.bmp", 89, 23, "offset_down.bmp"},
    {"quad_on_button.bmp", 89, 23, nullptr},
    {"quad_off_button.bmp", 89, 23, nullptr},
    {"Loadsettings.bmp", 64, 20, "Loadsettings_down.bmp"},
    {"savesettings.bmp", 64, 20, "Savesettings_down.bmp"},
    {"Sizesettings.bmp", 64, 20, "Sizesettings_down.bmp"},
};

std::string BitmapPath(const std::string& name) {
  return std::string(PIXED_BITMAP_DIR) + "/" + name;
}

std::vector<std::string> AllNames() {
  std::vector<std::string> names;
  for (const ButtonCase& b : kButtons) {
    names.push_back(b.name);
    if (b.pressedName != nullptr) {
      names.push_back(b.pressedName);
    }
  }
  return names;
}

using Image = pixtest::PanelBitmap;
using pixtest::ReadPanelBmp;

int Luma(const PaletteColour& c) {
  return (299 * c.red + 587 * c.green + 114 * c.blue) / 1000;
}

double MeanLuma(const Image& image, int left, int top, int right, int bottom) {
  double sum = 0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      sum += Luma(image.At(x, y));
    }
  }
  return sum / ((right - left + 1) * (bottom - top + 1));
}

int CountDifferences(const Image& a, const Image& b) {
  int count = 0;
  for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
    const PaletteColour& p = a.pixels[i];
    const PaletteColour& q = b.pixels[i];
    count += (p.red != q.red || p.green != q.green || p.blue != q.blue) ? 1 : 0;
  }
  return count;
}

TEST(ButtonBitmaps, TheFolderHoldsExactlyTheTwentyNames) {
  std::set<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(PIXED_BITMAP_DIR)) {
    found.insert(entry.path().filename().string());
  }
  const std::vector<std::string> names = AllNames();
  EXPECT_EQ(names.size(), 20u);
  EXPECT_EQ(found, std::set<std::string>(names.begin(), names.end()));
}

TEST(ButtonBitmaps, AreEightBitPanelColouredAtTheirSize) {
  for (const ButtonCase& b : kButtons) {
    for (const char* name : {b.name, b.pressedName}) {
      if (name == nullptr) {
        continue;
      }
      SCOPED_TRACE(name);
      const Image image = ReadPanelBmp(BitmapPath(name));
      ASSERT_EQ(image.fault, "");
      EXPECT_EQ(image.width, b.width);
      EXPECT_EQ(image.height, b.height);
    }
  }
}

// Through the program's own reader and blit, every pixel lands on the panel entry of its colour.
TEST(ButtonBitmaps, TheProgramDrawsThemWithExactColours) {
  std::vector<plat::PALETTEENTRY> palette(256, plat::PALETTEENTRY{1, 2, 3, 0});
  for (std::size_t i = 0; i < fixedColours.size(); ++i) {
    palette[i] = {fixedColours[i].red, fixedColours[i].green, fixedColours[i].blue, 0};
  }
  for (const std::string& name : AllNames()) {
    SCOPED_TRACE(name);
    const Image expected = ReadPanelBmp(BitmapPath(name));
    ASSERT_EQ(expected.fault, "");
    plat::HBITMAP bitmap =
        plat::LoadImageA(nullptr, BitmapPath(name).c_str(), plat::IMAGE_BITMAP, 0, 0, plat::LR_LOADFROMFILE);
    ASSERT_NE(bitmap, nullptr);
    plat::BITMAP info{};
    ASSERT_NE(plat::GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, expected.width);
    EXPECT_EQ(info.bmHeight, expected.height);
    std::vector<std::uint8_t> surface(static_cast<std::size_t>(expected.width * expected.height), 255);
    plat::HDC screen = plat::CreateSurfaceDC(surface.data(), expected.width, expected.height, expected.width,
                                             palette.data());
    plat::HDC memory = plat::CreateCompatibleDC(screen);
    plat::HGDIOBJ old = plat::SelectObject(memory, bitmap);
    EXPECT_TRUE(plat::BitBlt(screen, 0, 0, expected.width, expected.height, memory, 0, 0, plat::SRCCOPY));
    plat::SelectObject(memory, old);
    plat::DeleteDC(memory);
    plat::DeleteObject(bitmap);
    plat::DestroySurfaceDC(screen);
    int wrong = 0;
    for (int y = 0; y < expected.height; ++y) {
      for (int x = 0; x < expected.width; ++x) {
        const PaletteColour& want = expected.At(x, y);
        const std::uint8_t got = surface[static_cast<std::size_t>(y * expected.width + x)];
        const bool exact = got < fixedColours.size() && fixedColours[got].red == want.red &&
                           fixedColours[got].green == want.green && fixedColours[got].blue == want.blue;
        if (!exact && wrong++ < 3) {
          ADD_FAILURE() << "pixel (" << x << "," << y << ") expected " << pixtest::ShowColour(want)
                        << ", got entry " << int(got);
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

// Raised: the top edge is lighter than the bottom edge. Pressed: the other way round, a darker face.
TEST(ButtonBitmaps, PressedImagesLookPressed) {
  for (const ButtonCase& b : kButtons) {
    if (b.pressedName == nullptr) {
      continue;
    }
    SCOPED_TRACE(b.name);
    const Image normal = ReadPanelBmp(BitmapPath(b.name));
    const Image pressed = ReadPanelBmp(BitmapPath(b.pressedName));
    ASSERT_EQ(normal.fault, "");
    ASSERT_EQ(pressed.fault, "");
    const int w = b.width - 1;
    const int h = b.height - 1;
    EXPECT_GT(MeanLuma(normal, 0, 0, w, 0), MeanLuma(normal, 0, h, w, h)) << "normal: top vs bottom edge";
    EXPECT_LT(MeanLuma(pressed, 0, 0, w, 0), MeanLuma(pressed, 0, h, w, h)) << "pressed: top vs bottom edge";
    EXPECT_LT(MeanLuma(pressed, 2, 2, w - 2, h - 2), MeanLuma(normal, 2, 2, w - 2, h - 2))
        << "face brightness";
    EXPECT_GT(CountDifferences(normal, pressed), b.width * b.height / 2);
  }
}

TEST(ButtonBitmaps, QuadOnAndOffDifferAtAGlance) {
  const Image on = ReadPanelBmp(BitmapPath("quad_on_button.bmp"));
  const Image off = ReadPanelBmp(BitmapPath("quad_off_button.bmp"));
  ASSERT_EQ(on.fault, "");
  ASSERT_EQ(off.fault, "");
  EXPECT_GT(CountDifferences(on, off), on.width * on.height / 2);
}

// A label is there (enough dark ink on the face) and keeps clear of the bevel on every side.
TEST(ButtonBitmaps, LabelsSitInsideTheBevel) {
  for (const std::string& name : AllNames()) {
    SCOPED_TRACE(name);
    const Image image = ReadPanelBmp(BitmapPath(name));
    ASSERT_EQ(image.fault, "");
    int ink = 0, left = image.width, right = -1, top = image.height, bottom = -1;
    for (int y = 2; y < image.height - 2; ++y) {
      for (int x = 2; x < image.width - 2; ++x) {
        if (Luma(image.At(x, y)) < 40) {
          ++ink;
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
    }
    EXPECT_GE(ink, 40) << "dark label pixels";
    EXPECT_GE(left, 3);
    EXPECT_LE(right, image.width - 4);
    EXPECT_GE(top, 3);
    EXPECT_LE(bottom, image.height - 4);
  }
}

}  // namespace
