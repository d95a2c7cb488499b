// Colour mapping: the nearest palette entry of a colour, through a table of cells per palette.
#include "gdi_colour.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "gdi_internal.h"

namespace plat::soft {

namespace {

// The nearest entry is found through a table of the colour cube cut into
// 64 x 64 x 64 cells of 4 x 4 x 4 colours. A cell holds the one entry nearest
// to all its colours, or else the few entries that can be nearest to some of
// them, so that a lookup compares a colour with none or a few entries instead
// of 256: a full-screen bitmap of colours the palette lacks maps in a few
// milliseconds instead of a tenth of a second. Cells are filled at their first
// lookup, 2 x 2 x 2 at a time, from the candidates kept for each region of
// 16 x 16 x 16 colours.
constexpr int kCellSide = 4;
constexpr int kBlockSide = 8;
constexpr int kRegionSide = 16;
constexpr int kCells = (256 / kCellSide) * (256 / kCellSide) * (256 / kCellSide);
constexpr int kRegions = (256 / kRegionSide) * (256 / kRegionSide) * (256 / kRegionSide);
// Cell values: up to three candidates in the low three bytes (the first
// repeated where there are fewer), compared without a branch; or kList + the
// start of a longer list (its length - 1, then the indices) in lists; or
// kUnbuilt before the first lookup.
constexpr std::uint32_t kList = 0x80000000u;
constexpr std::uint32_t kUnbuilt = 0xFFFFFFFFu;
// Tables kept at once, for the few palettes in use.
constexpr int kTables = 4;

int Square(int value) {
  return value * value;
}

using Rgb = std::array<int, 3>;

// The colours low .. low + side - 1 on every channel.
struct Box {
  Rgb low;
  int side;
};

Box BoxAround(const Rgb& colour, int side) {
  return {{colour[0] / side * side, colour[1] / side * side, colour[2] / side * side}, side};
}

int CellOf(const Rgb& colour) {
  constexpr int n = 256 / kCellSide;
  return colour[0] / kCellSide + n * (colour[1] / kCellSide + n * (colour[2] / kCellSide));
}

int RegionOf(const Rgb& colour) {
  constexpr int n = 256 / kRegionSide;
  return colour[0] / kRegionSide + n * (colour[1] / kRegionSide + n * (colour[2] / kRegionSide));
}

}  // namespace

class ColourTable {
 public:
  std::array<PALETTEENTRY, 256> entries{};
  std::uint64_t generation = 0;
  std::array<Rgb, 256> colourOf{};
  // Each colour of the palette once, at its lowest index, in index order: a
  // scan of such a list with a strict comparison gives ties to the lowest index.
  std::vector<std::uint8_t> distinct;
  mutable std::vector<std::uint32_t> cells = std::vector<std::uint32_t>(kCells, kUnbuilt);
  mutable std::vector<std::uint32_t> regionStart = std::vector<std::uint32_t>(kRegions, kUnbuilt);
  mutable std::vector<std::uint8_t> lists;

  void Build(const PALETTEENTRY* palette) {
    std::memcpy(entries.data(), palette, sizeof entries);
    distinct.clear();
    for (int i = 0; i < 256; ++i) {
      colourOf[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue};
      bool seen = false;
      for (std::uint8_t earlier : distinct) {
        seen = seen || colourOf[earlier] == colourOf[i];
      }
      if (!seen) {
        distinct.push_back(static_cast<std::uint8_t>(i));
      }
    }
    std::fill(cells.begin(), cells.end(), kUnbuilt);
    std::fill(regionStart.begin(), regionStart.end(), kUnbuilt);
    lists.clear();
  }

  struct Candidates {
    std::array<std::uint8_t, 256> index;
    std::size_t count = 0;
  };

  // The entries of from that can be nearest to some colour of the box: those
  // whose nearest point is no farther than the farthest point of the entry
  // that does best in the worst case. The nearest entries of every colour in
  // the box, ties included, are among them, in the order of from.
  Candidates Narrow(const Box& box, const Candidates& from) const {
    // Branch-free loops over the channels side by side, which the compiler
    // turns into vector code: this runs for every block of cells.
    std::array<std::array<int, 256>, 3> channel;
    for (std::size_t i = 0; i < from.count; ++i) {
      for (int c = 0; c < 3; ++c) {
        channel[c][i] = colourOf[from.index[i]][c];
      }
    }
    std::array<int, 256> nearest;
    std::array<int, 256> farthest;
    std::fill_n(nearest.begin(), from.count, 0);
    std::fill_n(farthest.begin(), from.count, 0);
    for (int c = 0; c < 3; ++c) {
      const int low = box.low[c];
      const int high = box.low[c] + box.side - 1;
      for (std::size_t i = 0; i < from.count; ++i) {
        const int value = channel[c][i];
        const int outside = std::max(std::max(low - value, value - high), 0);
        const int across = std::max(value - low, high - value);
        nearest[i] += outside * outside;
        farthest[i] += across * across;
      }
    }
    const int bound = *std::min_element(farthest.begin(), farthest.begin() + static_cast<long>(from.count));
    Candidates kept;
    for (std::size_t i = 0; i < from.count; ++i) {
      if (nearest[i] <= bound) {
        kept.index[kept.count++] = from.index[i];
      }
    }
    return kept;
  }

  // Keeps a list of 1 to 256 entries: its length - 1, then the entries.
  std::uint32_t AddList(const Candidates& list) const {
    const auto start = static_cast<std::uint32_t>(lists.size());
    lists.push_back(static_cast<std::uint8_t>(list.count - 1));
    lists.insert(lists.end(), list.index.begin(), list.index.begin() + static_cast<long>(list.count));
    return start;
  }

  Candidates ListAt(std::uint32_t start) const {
    Candidates list;
    list.count = std::size_t{lists[start]} + 1;
    std::copy_n(lists.begin() + start + 1, list.count, list.index.begin());
    return list;
  }

  // Fills the 2 x 2 x 2 cells around colour.
  void BuildBlock(const Rgb& colour) const {
    const int region = RegionOf(colour);
    if (regionStart[region] == kUnbuilt) {
      Candidates all;
      std::copy(distinct.begin(), distinct.end(), all.index.begin());
      all.count = distinct.size();
      regionStart[region] = AddList(Narrow(BoxAround(colour, kRegionSide), all));
    }
    const Box block = BoxAround(colour, kBlockSide);
    const Candidates inBlock = Narrow(block, ListAt(regionStart[region]));
    for (int corner = 0; corner < 8; ++corner) {
      const Box cell = {
          {block.low[0] + (corner & 1) * kCellSide, block.low[1] + (corner >> 1 & 1) * kCellSide,
           block.low[2] + (corner >> 2) * kCellSide},
          kCellSide};
      const Candidates inCell = Narrow(cell, inBlock);
      std::uint32_t value = kList;
      if (inCell.count <= 3) {
        value = 0;
        for (std::size_t i = 0; i < 3; ++i) {
          value |= static_cast<std::uint32_t>(inCell.index[i < inCell.count ? i : 0]) << (8 * i);
        }
      } else {
        value |= AddList(inCell);
      }
      cells[CellOf(cell.low)] = value;
    }
  }

  std::uint8_t Nearest(const Rgb& colour, const std::uint8_t* candidates, std::size_t count) const {
    std::uint8_t best = candidates[0];
    int bestDistance = 0x7FFFFFFF;
    for (std::size_t i = 0; i < count; ++i) {
      const Rgb& entry = colourOf[candidates[i]];
      const int distance =
          Square(entry[0] - colour[0]) + Square(entry[1] - colour[1]) + Square(entry[2] - colour[2]);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = candidates[i];
      }
    }
    return best;
  }
};

namespace {

Rgb RgbOfColour(COLORREF colour) {
  return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
          static_cast<int>((colour >> 16) & 0xFF)};
}

int DistanceBetween(const Rgb& a, const Rgb& b) {
  return Square(a[0] - b[0]) + Square(a[1] - b[1]) + Square(a[2] - b[2]);
}

// The index of a colour whose cell is built, from its cell's value.
inline std::uint8_t Resolve(const ColourTable& table, const Rgb& rgb, std::uint32_t value) {
  if ((value & kList) != 0) {
    const std::uint32_t start = value & ~kList;
    return table.Nearest(rgb, table.lists.data() + start + 1, std::size_t{table.lists[start]} + 1);
  }
  // Ties go to the earlier candidate, which has the lower index.
  const auto first = static_cast<std::uint8_t>(value);
  const auto second = static_cast<std::uint8_t>(value >> 8);
  const auto third = static_cast<std::uint8_t>(value >> 16);
  const int d1 = DistanceBetween(table.colourOf[first], rgb);
  const int d2 = DistanceBetween(table.colourOf[second], rgb);
  const int d3 = DistanceBetween(table.colourOf[third], rgb);
  const std::uint8_t better = d2 < d1 ? second : first;
  const int betterDistance = d2 < d1 ? d2 : d1;
  return d3 < betterDistance ? third : better;
}

}  // namespace

std::uint8_t IndexOfRgb(const ColourTable& table, COLORREF colour) {
  const Rgb rgb = RgbOfColour(colour);
  const int cell = CellOf(rgb);
  if (table.cells[cell] == kUnbuilt) {
    table.BuildBlock(rgb);
  }
  return Resolve(table, rgb, table.cells[cell]);
}

void IndicesOfRgb(const ColourTable& table, const COLORREF* colours, std::uint8_t* indices,
                  std::size_t count) {
  // The cells of many colours are read first, one after another, so that
  // their reads overlap rather than wait on each other.
  constexpr std::size_t kBatch = 256;
  std::uint32_t values[kBatch];
  for (std::size_t start = 0; start < count; start += kBatch) {
    const std::size_t n = std::min(kBatch, count - start);
    for (std::size_t i = 0; i < n; ++i) {
      values[i] = table.cells[CellOf(RgbOfColour(colours[start + i]))];
    }
    for (std::size_t i = 0; i < n; ++i) {
      const Rgb rgb = RgbOfColour(colours[start + i]);
      if (values[i] == kUnbuilt) {
        table.BuildBlock(rgb);
        values[i] = table.cells[CellOf(rgb)];
      }
      indices[start + i] = Resolve(table, rgb, values[i]);
    }
  }
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
