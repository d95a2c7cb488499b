// The shapes' pixels against models of the rules written here, pixel by pixel, with
// floating-point geometry instead of the drawing's whole-number steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "canvas/shapes.h"
#include "support/shape_models.h"

namespace {

using pixtest::CellSet;

CellSet SetOf(const CellList& cells) {
  CellSet set;
  for (const ImageCell& cell : cells) {
    set.insert({cell.column, cell.row});
  }
  return set;
}

// Each pixel touches the next by a side or a corner.
bool Chained(const CellList& cells) {
  for (std::size_t i = 1; i < cells.size(); ++i) {
    if (std::abs(cells[i].column - cells[i - 1].column) > 1 ||
        std::abs(cells[i].row - cells[i - 1].row) > 1) {
      return false;
    }
  }
  return true;
}

TEST(ShapeRules, LinesAreTheModelsWhicheverWayTheyAreDragged) {
  // Every pair of ends within a 13 x 13 square, and some long ones.
  std::vector<std::pair<ImageCell, ImageCell>> pairs;
  for (int a = 0; a < 169; ++a) {
    for (int b = 0; b < 169; ++b) {
      pairs.push_back({{a % 13, a / 13}, {b % 13 - 3, b / 13 + 2}});
    }
  }
  pairs.push_back({{0, 0}, {101, 77}});
  pairs.push_back({{101, 0}, {0, 77}});
  pairs.push_back({{3, 70}, {98, 1}});
  for (const auto& [a, b] : pairs) {
    CellList forward;
    CellList backward;
    AppendLine(a, b, forward);
    AppendLine(b, a, backward);
    const std::string what = "line (" + std::to_string(a.column) + "," + std::to_string(a.row) + ") to (" +
                             std::to_string(b.column) + "," + std::to_string(b.row) + ")";
    ASSERT_EQ(pixtest::ModelLine(a.column, a.row, b.column, b.row), SetOf(forward)) << what;
    ASSERT_EQ(SetOf(forward), SetOf(backward)) << what << ", dragged the other way";
    const auto longer =
        static_cast<std::size_t>(std::max(std::abs(b.column - a.column), std::abs(b.row - a.row)));
    ASSERT_EQ(longer + 1, forward.size()) << what;
    ASSERT_TRUE(Chained(forward)) << what;
  }
}

TEST(ShapeRules, RectanglesAreTheirBorderOrWhole) {
  for (const auto& [a, b] :
       {std::pair{ImageCell{2, 3}, ImageCell{9, 7}}, std::pair{ImageCell{9, 7}, ImageCell{2, 3}},
        std::pair{ImageCell{4, 4}, ImageCell{4, 9}}, std::pair{ImageCell{5, 5}, ImageCell{5, 5}}}) {
    for (const bool filled : {false, true}) {
      CellList cells;
      AppendRectangle(a, b, filled, cells);
      EXPECT_EQ(pixtest::ModelRectangle(a.column, a.row, b.column, b.row, filled), SetOf(cells));
      EXPECT_EQ(SetOf(cells).size(), cells.size()) << "no pixel twice";
    }
  }
}

// The rows of a shape as text, for failure messages.
std::string Picture(const CellSet& cells, int width, int height) {
  std::ostringstream out;
  for (int y = 0; y < height; ++y) {
    out << '\n';
    for (int x = 0; x < width; ++x) {
      out << (cells.contains({x, y}) ? '#' : '.');
    }
  }
  return out.str();
}

TEST(ShapeRules, EllipsesAreTheModelsAtEverySize) {
  for (int width = 1; width <= 40; ++width) {
    for (int height = 1; height <= 40; ++height) {
      CellList outline;
      CellList filled;
      // Dragged from the bottom-right corner to the top-left one.
      AppendEllipse({width - 1, height - 1}, {0, 0}, false, outline);
      AppendEllipse({0, 0}, {width - 1, height - 1}, true, filled);
      const std::string what = std::to_string(width) + " x " + std::to_string(height);
      const CellSet expectedOutline = pixtest::ModelEllipse(0, 0, width - 1, height - 1, false);
      const CellSet expectedFilled = pixtest::ModelEllipse(0, 0, width - 1, height - 1, true);
      ASSERT_EQ(expectedOutline, SetOf(outline)) << what << Picture(SetOf(outline), width, height);
      ASSERT_EQ(expectedFilled, SetOf(filled)) << what << Picture(SetOf(filled), width, height);
      ASSERT_EQ(SetOf(outline).size(), outline.size()) << what << ": no pixel twice";
      ASSERT_TRUE(std::includes(expectedFilled.begin(), expectedFilled.end(), expectedOutline.begin(),
                                expectedOutline.end()))
          << what << ": the outline lies on the filled ellipse";
    }
  }
}

// Shapes an artist knows by heart: a circle of 7 and a squat ellipse of 5 x 3,
// and the lines and rectangles the narrow sizes give.
TEST(ShapeRules, SmallEllipsesLookAsArtistsDrawThem) {
  const struct {
    int width;
    int height;
    const char* rows;
  } cases[] = {
      {7, 7, "..###..\n.#...#.\n#.....#\n#.....#\n#.....#\n.#...#.\n..###.."},
      {5, 3, ".###.\n#...#\n.###."},
      {3, 3, ".#.\n#.#\n.#."},
      {1, 4, "#\n#\n#\n#"},
      {2, 3, "##\n##\n##"},
  };
  for (const auto& c : cases) {
    CellList cells;
    AppendEllipse({0, 0}, {c.width - 1, c.height - 1}, false, cells);
    EXPECT_EQ(std::string("\n") + c.rows, Picture(SetOf(cells), c.width, c.height));
  }
}

}  // namespace
