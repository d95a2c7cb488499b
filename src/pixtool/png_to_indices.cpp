// Palette PNGs index for index, everything else by nearest swatch colour.
#include "pixtool/png_to_indices.h"

#include <array>
#include <unordered_map>

#include "pixtool/colour_match.h"

namespace pixtool {

namespace {

constexpr int kHighestSwatch = 80;

bool PaletteAgrees(const PngPixels& png, const std::array<bool, 256>& used,
                   const PaletteColours& editorColours) {
  for (std::size_t i = 0; i < used.size(); ++i) {
    if (used[i] && !SameColour(png.palette[i], editorColours[i])) {
      return false;
    }
  }
  return true;
}

std::uint8_t Blend(std::uint8_t value, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((value * alpha + 127) / 255);
}

// Swatch indices for red, green, blue, alpha pixels.
void MapColours(const Bytes& rgba, const PaletteColours& editorColours, ImportedPixels& imported) {
  std::unordered_map<std::uint32_t, std::uint8_t> known;
  imported.indices.resize(rgba.size() / 4);
  for (std::size_t p = 0; p < imported.indices.size(); ++p) {
    const std::uint8_t alpha = rgba[4 * p + 3];
    const PaletteColour colour = {Blend(rgba[4 * p], alpha), Blend(rgba[4 * p + 1], alpha),
                                  Blend(rgba[4 * p + 2], alpha)};
    const std::uint32_t key = (colour.red << 16u) | (colour.green << 8u) | colour.blue;
    auto found = known.find(key);
    if (found == known.end()) {
      found = known.emplace(key, static_cast<std::uint8_t>(SwatchIndexOf(colour, editorColours))).first;
    }
    imported.indices[p] = found->second;
    imported.changed += SameColour(editorColours[found->second], colour) ? 0 : 1;
    imported.transparent += alpha < 255 ? 1 : 0;
  }
}

}  // namespace

bool ToPixIndices(const PngPixels& png, const PaletteColours& editorColours, bool allowAnyIndex,
                  ImportedPixels& imported, std::string& error) {
  imported = ImportedPixels{};
  if (!png.indexed) {
    MapColours(png.rgba, editorColours, imported);
    return true;
  }
  std::array<bool, 256> used = {};
  for (std::uint8_t index : png.indices) {
    used[index] = true;
  }
  for (std::size_t i = png.palette.size(); i < used.size(); ++i) {
    if (used[i]) {
      error = "uses index " + std::to_string(i) + " beyond its palette of " +
              std::to_string(png.palette.size()) + " colours";
      return false;
    }
  }
  if (!PaletteAgrees(png, used, editorColours)) {
    // A palette of another order: what the artist sees are its colours.
    Bytes rgba(png.indices.size() * 4);
    for (std::size_t p = 0; p < png.indices.size(); ++p) {
      const std::uint8_t index = png.indices[p];
      rgba[4 * p] = png.palette[index].red;
      rgba[4 * p + 1] = png.palette[index].green;
      rgba[4 * p + 2] = png.palette[index].blue;
      rgba[4 * p + 3] = png.paletteAlpha[index];
    }
    MapColours(rgba, editorColours, imported);
    return true;
  }
  std::size_t above = 0;
  int first = -1;
  for (int i = kHighestSwatch + 1; i < 256; ++i) {
    if (used[static_cast<std::size_t>(i)]) {
      above += 1;
      first = first < 0 ? i : first;
    }
  }
  if (above > 0 && !allowAnyIndex) {
    error = "uses index " + std::to_string(first) +
            (above > 1 ? " and " + std::to_string(above - 1) + " more above 80" : "") +
            ", which the editor's palette panel cannot pick; --allow-any-index takes them as they are";
    return false;
  }
  imported.indices = png.indices;
  imported.byIndex = true;
  return true;
}

}  // namespace pixtool
