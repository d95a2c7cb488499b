// Colour mapping: exact-colour hash tables per palette, nearest-colour search.
#include "gdi_colour.h"

#include <array>
#include <cstring>

#include "gdi_internal.h"

namespace plat::soft {

namespace {

constexpr int kHashBits = 10;
constexpr std::uint32_t kHashSlots = 1u << kHashBits;
constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;  // no RGB value has a top byte
constexpr int kNearestMemo = 256;
constexpr int kTables = 4;

std::uint32_t HashOf(std::uint32_t rgb) {
  return (rgb * 2654435761u) >> (32 - kHashBits);
}

std::uint8_t NearestIndex(const PALETTEENTRY* entries, COLORREF rgb) {
  const int red = rgb & 0xFF;
  const int green = (rgb >> 8) & 0xFF;
  const int blue = (rgb >> 16) & 0xFF;
  int best = 0;
  int bestDistance = 0x7FFFFFFF;
  for (int i = 0; i < 256; ++i) {
    const int dr = entries[i].peRed - red;
    const int dg = entries[i].peGreen - green;
    const int db = entries[i].peBlue - blue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return static_cast<std::uint8_t>(best);
}

}  // namespace

class ColourTable {
 public:
  std::array<PALETTEENTRY, 256> entries{};
  std::uint64_t generation = 0;
  std::array<std::uint32_t, kHashSlots> keys{};
  std::array<std::uint8_t, kHashSlots> values{};
  // Colours not in the palette, remembered once searched.
  mutable std::array<std::uint32_t, kNearestMemo> nearestKeys{};
  mutable std::array<std::uint8_t, kNearestMemo> nearestValues{};

  void Build(const PALETTEENTRY* palette) {
    std::memcpy(entries.data(), palette, sizeof entries);
    keys.fill(kEmpty);
    nearestKeys.fill(kEmpty);
    for (int i = 0; i < 256; ++i) {
      const std::uint32_t rgb = RgbOf(entries[i]);
      std::uint32_t slot = HashOf(rgb);
      while (keys[slot] != kEmpty && keys[slot] != rgb) {
        slot = (slot + 1) & (kHashSlots - 1);
      }
      if (keys[slot] == kEmpty) {  // the first (lowest) index of a colour wins
        keys[slot] = rgb;
        values[slot] = static_cast<std::uint8_t>(i);
      }
    }
  }
};

std::uint8_t IndexOfRgb(const ColourTable& table, COLORREF colour) {
  const std::uint32_t rgb = colour & 0x00FFFFFFu;
  for (std::uint32_t slot = HashOf(rgb);; slot = (slot + 1) & (kHashSlots - 1)) {
    if (table.keys[slot] == rgb) {
      return table.values[slot];
    }
    if (table.keys[slot] == kEmpty) {
      break;
    }
  }
  const std::uint32_t memo = HashOf(rgb) & (kNearestMemo - 1);
  if (table.nearestKeys[memo] != rgb) {
    table.nearestKeys[memo] = rgb;
    table.nearestValues[memo] = NearestIndex(table.entries.data(), rgb);
  }
  return table.nearestValues[memo];
}

const ColourTable* ColourTableFor(const PALETTEENTRY* palette, std::uint64_t* generation) {
  static std::array<ColourTable, kTables> tables;
  static int lastUsed = 0;
  static int nextVictim = 0;
  static std::uint64_t generations = 0;
  // The palette of the screen is asked for again and again: try it first.
  for (int n = 0; n < kTables; ++n) {
    ColourTable& table = tables[(lastUsed + n) % kTables];
    if (table.generation != 0 && std::memcmp(table.entries.data(), palette, sizeof table.entries) == 0) {
      lastUsed = (lastUsed + n) % kTables;
      *generation = table.generation;
      return &table;
    }
  }
  ColourTable& table = tables[nextVictim];
  lastUsed = nextVictim;
  nextVictim = (nextVictim + 1) % kTables;
  table.Build(palette);
  table.generation = ++generations;
  *generation = table.generation;
  return &table;
}

const ColourTable& TableOf(DeviceContext& dc) {
  if (dc.table == nullptr || dc.table->generation != dc.tableGeneration) {
    dc.table = ColourTableFor(dc.palette, &dc.tableGeneration);
    dc.memoValid = false;
  }
  return *dc.table;
}

std::uint8_t MapColour(DeviceContext& dc, COLORREF colour) {
  if ((colour >> 24) == 0x01) {
    const std::uint32_t index = colour & 0xFFFFu;
    return static_cast<std::uint8_t>(index > 255 ? 255 : index);
  }
  const ColourTable& table = TableOf(dc);
  if (dc.memoValid && dc.memoColour == colour) {
    return dc.memoIndex;
  }
  dc.memoIndex = IndexOfRgb(table, colour);
  dc.memoColour = colour;
  dc.memoValid = true;
  return dc.memoIndex;
}

}  // namespace plat::soft
