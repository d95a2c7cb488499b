// The editor's inks chosen from the palette by lightness and contrast.
#include "canvas/screen_inks.h"

#include <cmath>

ScreenInks screenInks;

namespace {

double Linear(std::uint8_t channel) {
  const double value = channel / 255.0;
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double LuminanceOf(const PaletteColour& colour) {
  return 0.2126 * Linear(colour.red) + 0.7152 * Linear(colour.green) + 0.0722 * Linear(colour.blue);
}

int DistanceOf(const PaletteColour& a, const PaletteColour& b) {
  const int red = a.red - b.red;
  const int green = a.green - b.green;
  const int blue = a.blue - b.blue;
  return red * red + green * green + blue * blue;
}

// The entry nearest to wanted among those that read on black; fallback when none does.
int NearestReadable(const PaletteColours& colours, int black, PaletteColour wanted, int fallback) {
  int best = -1;
  int bestDistance = 0;
  for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
    const PaletteColour& colour = colours[static_cast<std::size_t>(i)];
    if (ContrastOf(colour, colours[static_cast<std::size_t>(black)]) < kLeastInkContrast) {
      continue;
    }
    const int distance = DistanceOf(colour, wanted);
    if (best < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best >= 0 ? best : fallback;
}

}  // namespace

double ContrastOf(const PaletteColour& a, const PaletteColour& b) {
  const double first = LuminanceOf(a);
  const double second = LuminanceOf(b);
  return first > second ? (first + 0.05) / (second + 0.05) : (second + 0.05) / (first + 0.05);
}

ScreenInks InksFor(const PaletteColours& colours) {
  ScreenInks inks;
  for (int i = 1; i < static_cast<int>(colours.size()); ++i) {
    const double lightness = LuminanceOf(colours[static_cast<std::size_t>(i)]);
    if (lightness < LuminanceOf(colours[static_cast<std::size_t>(inks.black)])) {
      inks.black = i;
    }
  }
  inks.white = 0;
  for (int i = 1; i < static_cast<int>(colours.size()); ++i) {
    const double lightness = LuminanceOf(colours[static_cast<std::size_t>(i)]);
    if (lightness > LuminanceOf(colours[static_cast<std::size_t>(inks.white)])) {
      inks.white = i;
    }
  }
  inks.red = NearestReadable(colours, inks.black, {255, 0, 0}, inks.white);
  inks.grey = NearestReadable(colours, inks.black, {204, 204, 204}, inks.white);
  inks.blackText = plat::PALETTEINDEX(static_cast<std::uint16_t>(inks.black));
  inks.redText = plat::PALETTEINDEX(static_cast<std::uint16_t>(inks.red));
  inks.whiteText = plat::PALETTEINDEX(static_cast<std::uint16_t>(inks.white));
  return inks;
}

bool ChooseScreenInks(const PaletteColours& colours) {
  const ScreenInks inks = InksFor(colours);
  const bool changed = inks.black != screenInks.black || inks.red != screenInks.red ||
                       inks.grey != screenInks.grey || inks.white != screenInks.white;
  screenInks = inks;
  return changed;
}
