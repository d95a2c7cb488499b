// The fuzz targets' own model of a file's image, of the views and the grid that show it, and of a pick.
#include "image_model.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "fuzz_machine.h"

namespace pixfuzz {

namespace {

using layout::kShownColumns;
using layout::kShownRows;

// The least whole factor at which an image fits a view.
std::int64_t Factor(int width, int height) {
  std::int64_t factor = 1;
  while ((width + factor - 1) / factor > kShownColumns || (height + factor - 1) / factor > kShownRows) {
    ++factor;
  }
  return factor;
}

std::int64_t Factor(const IndexImage& image) {
  return Factor(image.width, image.height);
}

// The image pixels the grid shows: whole cells from its first column and row.
struct Part {
  std::int64_t firstColumn;
  std::int64_t firstRow;
  std::int64_t columns;
  std::int64_t rows;
};

Part PartShown(const GridView& view, int width, int height) {
  Check(view.pitch >= layout::kLeastPitch && view.pitch <= layout::kMostPitch,
        "the grid's pitch is out of range");
  const std::int64_t across = layout::kGridAreaWidth / view.pitch;
  const std::int64_t down = layout::kGridAreaHeight / view.pitch;
  return {view.firstColumn, view.firstRow,
          std::clamp<std::int64_t>(width - std::int64_t{view.firstColumn}, 0, across),
          std::clamp<std::int64_t>(height - std::int64_t{view.firstRow}, 0, down)};
}

int Inset(const GridView& view) {
  return view.pitch >= layout::kLeastPitchWithLines ? 1 : 0;
}

// The image pixel at view pixel (across, down) of a view whose image is
// reduced by factor; false past the image's picture.
bool ViewPixel(const IndexImage& image, std::int64_t factor, std::int64_t across, std::int64_t down,
               int* index) {
  if (across < 0 || down < 0 || across >= kShownColumns || down >= kShownRows) {
    return false;
  }
  if (!image.Contains(across * factor, down * factor)) {
    return false;
  }
  *index = image.At(static_cast<int>(across * factor), static_cast<int>(down * factor));
  return true;
}

// The dotted outline of the grid's part in a view (view pixels, inclusive);
// a part of no columns or rows is outlined as one.
struct Mark {
  bool drawn = false;
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;

  bool On(std::int64_t x, std::int64_t y) const {
    return drawn && x >= left && x <= right && y >= top && y <= bottom &&
           (x == left || x == right || y == top || y == bottom);
  }
};

Mark MarkOf(const IndexImage& image, const Part& part) {
  if (part.columns >= image.width && part.rows >= image.height) {
    return {};
  }
  const std::int64_t factor = Factor(image);
  return {true, part.firstColumn / factor, part.firstRow / factor,
          (part.firstColumn + std::max<std::int64_t>(part.columns, 1) - 1) / factor,
          (part.firstRow + std::max<std::int64_t>(part.rows, 1) - 1) / factor};
}

// Screen row y from x holds expected; the message names the first pixel that differs.
void CheckRow(const ScreenLock& screen, std::int64_t x, std::int64_t y,
              const std::vector<std::uint8_t>& expected, const std::string& name) {
  const std::uint8_t* shown = screen.Row(y) + x;
  if (std::memcmp(shown, expected.data(), expected.size()) == 0) {
    return;
  }
  const auto at = static_cast<std::size_t>(std::mismatch(expected.begin(), expected.end(), shown).first -
                                           expected.begin());
  Fail(name + ": the screen at (" + std::to_string(x + static_cast<std::int64_t>(at)) + ", " +
       std::to_string(y) + ") shows " + std::to_string(shown[at]) + ", not " + std::to_string(expected[at]));
}

void CheckView(const ScreenLock& screen, layout::ScreenPoint at, const IndexImage& image, const Part& part,
               const std::string& name) {
  const Mark mark = MarkOf(image, part);
  const std::int64_t factor = Factor(image);
  std::vector<std::uint8_t> row(kShownColumns);
  for (int down = 0; down < kShownRows; ++down) {
    for (int across = 0; across < kShownColumns; ++across) {
      int expected = kBlackIndex;
      if (mark.On(across, down)) {
        expected = (at.x + across + at.y + down) % 2 == 0 ? kWhiteIndex : kBlackIndex;
      } else {
        ViewPixel(image, factor, across, down, &expected);
      }
      row[static_cast<std::size_t>(across)] = static_cast<std::uint8_t>(expected);
    }
    CheckRow(screen, at.x, at.y + down, row, name);
  }
  // The white frame one pixel outside the view.
  const layout::ScreenRect frame = layout::FrameAround(at);
  const std::vector<std::uint8_t> edge(static_cast<std::size_t>(frame.right - frame.left + 1), kWhiteIndex);
  CheckRow(screen, frame.left, frame.top, edge, name + "'s frame");
  CheckRow(screen, frame.left, frame.bottom, edge, name + "'s frame");
  const auto white = static_cast<std::uint8_t>(kWhiteIndex);
  for (int y = frame.top; y <= frame.bottom; ++y) {
    CheckRow(screen, frame.left, y, {white}, name + "'s frame");
    CheckRow(screen, frame.right, y, {white}, name + "'s frame");
  }
}

// The grid row by row: the part's cells in their colours inside white lines
// (at the pitches with lines); at the start pitch the whole lattice of
// kGridColumns x kGridRows cells, those past the part black.
void CheckGrid(const ScreenLock& screen, const IndexImage& working, const GridView& view, const Part& part,
               const std::string& name) {
  const std::int64_t pitch = view.pitch;
  const bool lines = Inset(view) == 1;
  const bool lattice = pitch == layout::kStartPitch;
  const std::int64_t columns = lattice ? layout::kGridColumns : part.columns;
  const std::int64_t rows = lattice ? layout::kGridRows : part.rows;
  if (columns == 0 || rows == 0) {
    return;
  }
  const auto width = static_cast<std::size_t>(pitch * columns + (lines ? 1 : 0));
  const std::vector<std::uint8_t> line(width, kWhiteIndex);
  std::vector<std::uint8_t> cells(width);
  for (std::int64_t row = 0; row < rows; ++row) {
    for (std::size_t x = 0; x < width; ++x) {
      const std::int64_t column = static_cast<std::int64_t>(x) / pitch;
      if (lines && static_cast<std::int64_t>(x) % pitch == 0) {
        cells[x] = kWhiteIndex;
      } else if (column < part.columns && row < part.rows) {
        cells[x] =
            working.At(static_cast<int>(part.firstColumn + column), static_cast<int>(part.firstRow + row));
      } else {
        cells[x] = kBlackIndex;
      }
    }
    const std::int64_t top = layout::kGridOrigin.y + pitch * row;
    for (std::int64_t y = top; y < top + pitch; ++y) {
      CheckRow(screen, layout::kGridOrigin.x, y, lines && y == top ? line : cells, name);
    }
  }
  if (lines) {
    CheckRow(screen, layout::kGridOrigin.x, layout::kGridOrigin.y + pitch * rows, line, name);
  }
}

}  // namespace

IndexImage ImageInFile(const std::string& file, std::int64_t start, int width, int height) {
  IndexImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 255);
  for (std::size_t i = 0; start >= 0 && i < image.pixels.size(); ++i) {
    if (start + static_cast<std::int64_t>(i) < static_cast<std::int64_t>(file.size())) {
      image.pixels[i] = static_cast<std::uint8_t>(file[static_cast<std::size_t>(start) + i]);
    }
  }
  return image;
}

bool SameImage(const IndexImage& a, const IndexImage& b) {
  return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

ModelCell GridCellUnder(const GridView& view, std::int64_t x, std::int64_t y) {
  return {view.firstColumn + (x - layout::kGridOrigin.x) / view.pitch,
          view.firstRow + (y - layout::kGridOrigin.y - Inset(view)) / view.pitch};
}

bool GridShows(const GridView& view, int width, int height, std::int64_t column, std::int64_t row) {
  const Part part = PartShown(view, width, height);
  return column >= part.firstColumn && row >= part.firstRow && column < part.firstColumn + part.columns &&
         row < part.firstRow + part.rows;
}

bool ViewCellUnder(layout::ScreenPoint at, int width, int height, std::int64_t x, std::int64_t y,
                   ModelCell* cell) {
  const std::int64_t across = x - at.x;
  const std::int64_t down = y - at.y;
  if (across < 0 || down < 0 || across >= kShownColumns || down >= kShownRows) {
    return false;
  }
  const std::int64_t factor = Factor(width, height);
  *cell = {across * factor, down * factor};
  return cell->column < width && cell->row < height;
}

GridView CentredOn(const GridView& view, int width, int height, ModelCell cell) {
  const std::int64_t across = layout::kGridAreaWidth / view.pitch;
  const std::int64_t down = layout::kGridAreaHeight / view.pitch;
  GridView centred = view;
  centred.firstColumn = static_cast<int>(
      std::clamp<std::int64_t>(cell.column - across / 2, 0, std::max<std::int64_t>(width - across, 0)));
  centred.firstRow = static_cast<int>(
      std::clamp<std::int64_t>(cell.row - down / 2, 0, std::max<std::int64_t>(height - down, 0)));
  return centred;
}

int IndexUnder(const IndexImage& working, const IndexImage& reference, const GridView& view, std::int64_t x,
               std::int64_t y) {
  int index = -1;
  if (ViewPixel(working, Factor(working), x - layout::kWorkingView.x, y - layout::kWorkingView.y, &index)) {
    return index;
  }
  if (x >= layout::kGridOrigin.x && y >= layout::kGridOrigin.y) {
    const ModelCell cell = GridCellUnder(view, x, y);
    if (GridShows(view, working.width, working.height, cell.column, cell.row)) {
      return working.At(static_cast<int>(cell.column), static_cast<int>(cell.row));
    }
  }
  if (ViewPixel(reference, Factor(reference), x - layout::kReferenceView.x, y - layout::kReferenceView.y,
                &index)) {
    return index;
  }
  return -1;
}

void CheckImageAreas(const IndexImage& working, const IndexImage& reference, const GridView& view,
                     const char* what) {
  const Part part = PartShown(view, working.width, working.height);
  const ScreenLock screen;
  CheckView(screen, layout::kWorkingView, working, part, std::string("the working view ") + what);
  CheckView(screen, layout::kReferenceView, reference, part, std::string("the reference view ") + what);
  CheckGrid(screen, working, view, part, std::string("the grid ") + what);
}

}  // namespace pixfuzz
