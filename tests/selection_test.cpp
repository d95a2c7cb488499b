// The selection, its floating pixels and the clipboard, and the onion skin: each act as an artist does it,
// against a model of the image of the test's own, undone and redone; what lies over the image never reaches a
// file.
#include "canvas/selection.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "canvas/image_history.h"
#include "canvas/image_store.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/scratch_dir.h"

namespace {

using pixtest::Bytes;
using pixtest::IdlePasses;
using pixtest::PassAt;

constexpr int kW = 12;
constexpr int kH = 9;
constexpr std::size_t kImage = kW * kH;

int X(int column) {
  return 142 + 5 * column;
}
int Y(int row) {
  return 7 + 5 * row;
}

using pixtest::Chord;
using pixtest::Key;
void Drag(int fromColumn, int fromRow, int toColumn, int toRow) {
  PassAt(X(fromColumn), Y(fromRow), true);
  PassAt(X(toColumn), Y(toRow), true);
  PassAt(X(toColumn), Y(toRow), false);
}
void Select(int left, int top, int right, int bottom) {
  Key(plat::VK_M);
  Drag(left, top, right, bottom);
}

// Image n of the test's file: every pixel its own colour, none 0.
Bytes FileImage(int n) {
  Bytes image(kImage);
  for (std::size_t i = 0; i < kImage; ++i) {
    image[i] = static_cast<std::uint8_t>(1 + (i * 7 + static_cast<std::size_t>(n) * 31) % 80);
  }
  return image;
}

std::uint8_t& At(Bytes& image, int column, int row) {
  return image[static_cast<std::size_t>(row * kW + column)];
}

// What the grid shows of the images: floating pixels laid over the working one.
Bytes Shown() {
  Bytes shown = WorkingImage().pixels;
  const Selection& selection = CurrentSelection();
  if (selection.floating) {
    for (int row = 0; row < selection.pixels.height; ++row) {
      for (int column = 0; column < selection.pixels.width; ++column) {
        const int x = selection.rect.left + column;
        const int y = selection.rect.top + row;
        if (x >= 0 && y >= 0 && x < kW && y < kH && selection.pixels.At(column, row) != 0) {
          At(shown, x, y) = selection.pixels.At(column, row);
        }
      }
    }
  }
  return shown;
}

// The rectangle (both corners included) of image moved by (dx, dy): the place it left 0.
void Move(Bytes& image, int left, int top, int right, int bottom, int dx, int dy) {
  const Bytes before = image;
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      At(image, column, row) = 0;
    }
  }
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      At(image, column + dx, row + dy) = before[static_cast<std::size_t>(row * kW + column)];
    }
  }
}

void Fill(Bytes& image, int left, int top, int right, int bottom, std::uint8_t colour) {
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      At(image, column, row) = colour;
    }
  }
}

struct Scenario {
  const char* name;
  std::function<void()> act;
  std::function<void(Bytes&)> model;  // image 1 as loaded, made what the act leaves
  std::size_t steps;
};

const Scenario kScenarios[] = {
    {"a selection moved floats, the place it left colour 0",
     [] {
       Select(2, 2, 4, 3);
       Drag(3, 2, 6, 5);
     },
     [](Bytes& image) { Move(image, 2, 2, 4, 3, 3, 3); }, 1},
    {"moved twice, then placed with Ctrl+D",
     [] {
       Select(2, 2, 4, 3);
       Drag(3, 2, 3, 4);
       Drag(3, 4, 4, 4);
       Chord({plat::VK_CONTROL, plat::VK_D});
     },
     [](Bytes& image) { Move(image, 2, 2, 4, 3, 1, 2); }, 3},
    {"copied from image 1 and pasted into image 2",
     [] {
       Select(1, 1, 3, 2);
       Chord({plat::VK_CONTROL, plat::VK_C});
       Key(plat::VK_RIGHT);
       Chord({plat::VK_CONTROL, plat::VK_V});
     },
     [](Bytes& image) {
       const Bytes one = image;
       image = FileImage(2);
       for (int row = 1; row <= 2; ++row) {
         for (int column = 1; column <= 3; ++column) {
           At(image, column, row) = one[static_cast<std::size_t>(row * kW + column)];
         }
       }
     },
     2},
    {"cut",
     [] {
       Select(5, 0, 8, 3);
       Chord({plat::VK_CONTROL, plat::VK_X});
     },
     [](Bytes& image) { Fill(image, 5, 0, 8, 3, 0); }, 1},
    {"Delete",
     [] {
       Select(0, 6, 11, 8);
       Key(plat::VK_DELETE);
     },
     [](Bytes& image) { Fill(image, 0, 6, 11, 8, 0); }, 1},
    {"Ctrl+A, then a flip of the whole selection",
     [] {
       Chord({plat::VK_CONTROL, plat::VK_A});
       Chord({plat::VK_SHIFT, plat::VK_H});
     },
     [](Bytes& image) {
       const Bytes before = image;
       for (int row = 0; row < kH; ++row) {
         for (int column = 0; column < kW; ++column) {
           At(image, column, row) = before[static_cast<std::size_t>(row * kW + kW - 1 - column)];
         }
       }
     },
     1},
    {"a shift of the selection alone, round within it",
     [] {
       Select(2, 2, 4, 2);
       Chord({plat::VK_SHIFT, plat::VK_RIGHT});
     },
     [](Bytes& image) {
       const std::uint8_t last = At(image, 4, 2);
       At(image, 4, 2) = At(image, 3, 2);
       At(image, 3, 2) = At(image, 2, 2);
       At(image, 2, 2) = last;
     },
     1},
    {"the pen paints only inside the selection",
     [] {
       Select(3, 3, 5, 5);
       Key(plat::VK_B);
       PassAt(X(0), Y(4), true);
       PassAt(X(11), Y(4), true);
       PassAt(X(11), Y(4), false);
     },
     [](Bytes& image) { Fill(image, 3, 4, 5, 4, 255); }, 1},
    {"the fill fills only inside the selection",
     [] {
       Select(6, 6, 7, 8);
       Key(plat::VK_G);
       PassAt(X(6), Y(6), true);
       PassAt(X(6), Y(6), false);
     },
     [](Bytes& image) {
       // Shift held nowhere: the area of the clicked pixel's colour, 4-connected, within the selection.
       At(image, 6, 6) = 255;
     },
     1},
};

class SelectionTest : public ::testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{kW, kH}));
    Bytes file;
    for (int n = 0; n < 4; ++n) {
      const Bytes image = FileImage(n);
      file.insert(file.end(), image.begin(), image.end());
    }
    ASSERT_TRUE(pixtest::WriteFileBytes("test1.pix", file));
    ASSERT_TRUE(pixtest::StartEditor());
    IdlePasses(1);
    Key(plat::VK_RIGHT);  // image 1
  }
  void TearDown() override { pixtest::StopEditor(); }

  pixtest::ScratchDir scratch_;
};

TEST_P(SelectionTest, Scenario) {
  const Scenario& scenario = GetParam();
  const Bytes start = Shown();
  const std::size_t stepsBefore = UndoableSteps();
  scenario.act();
  Bytes model = FileImage(1);
  scenario.model(model);
  EXPECT_TRUE(model == Shown()) << "shown";
  EXPECT_EQ(scenario.steps, UndoableSteps() - stepsBefore) << "steps of the history";
  const Bytes after = Shown();
  for (std::size_t i = 0; i < scenario.steps; ++i) {
    Chord({plat::VK_CONTROL, plat::VK_Z});
  }
  EXPECT_TRUE(start == Shown()) << "undone";
  for (std::size_t i = 0; i < scenario.steps; ++i) {
    Chord({plat::VK_CONTROL, plat::VK_Y});
  }
  EXPECT_TRUE(after == Shown()) << "redone";
  // Ctrl+S places what floats and writes what is shown over the image shown.
  const std::int32_t number = editorState.pixNumber;
  Chord({plat::VK_CONTROL, plat::VK_S});
  const Bytes file = pixtest::ReadFileBytes("test1.pix");
  ASSERT_GE(file.size(), (static_cast<std::size_t>(number) + 1) * kImage);
  EXPECT_TRUE(Bytes(file.begin() + number * kImage, file.begin() + (number + 1) * kImage) == model)
      << "saved";
}

INSTANTIATE_TEST_SUITE_P(Selections, SelectionTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& scenario) {
                           std::string name;
                           for (const char c : std::string(scenario.param.name)) {
                             name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
                           }
                           return name;
                         });

// The onion skin at image 0, a middle image and the last: the neighbours'
// colours in the quarters of cells the image leaves 0, never in a pick, the
// views or a saved file.
TEST(OnionSkinTest, ShowsTheNeighboursWhereTheImageIsBlankAndNowhereElse) {
  pixtest::ScratchDir scratch;
  ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{kW, kH}));
  Bytes file;
  for (int n = 0; n < 3; ++n) {
    Bytes image = FileImage(n);
    At(image, 0, 0) = 0;  // the cell where the neighbours show
    file.insert(file.end(), image.begin(), image.end());
  }
  ASSERT_TRUE(pixtest::WriteFileBytes("test1.pix", file));
  ASSERT_TRUE(pixtest::StartEditor());
  IdlePasses(1);
  Key(plat::VK_HOME);
  Key(plat::VK_F3);
  const struct {
    int image;
    bool previous;
    bool next;
  } cases[] = {{0, false, true}, {1, true, true}, {2, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.image);
    while (editorState.pixNumber < c.image) {
      Key(plat::VK_RIGHT);
    }
    ASSERT_EQ(c.image, editorState.pixNumber);
    // Cell (1, 0) of the image: the previous image's pixel top left of its
    // inside (x 146..149, y 6..9), the next one's bottom right.
    const std::uint8_t previous = c.previous ? FileImage(c.image - 1)[1] : 0;
    const std::uint8_t next = c.next ? FileImage(c.image + 1)[1] : 0;
    SetWorkingPixel(1, 0, 0);
    IdlePasses(1);
    EXPECT_EQ(previous, plat::headless::ScreenAt(146, 6));
    EXPECT_EQ(next, plat::headless::ScreenAt(149, 9));
    EXPECT_EQ(0, plat::headless::ScreenAt(149, 6)) << "the other quarters black";
    EXPECT_EQ(0, plat::headless::ScreenAt(7, 128)) << "the working view shows the image alone";
    PassAt(147, 7, false, true);
    EXPECT_EQ(0, editorState.currentColor) << "the pick takes the image's own pixel";
  }
  Chord({plat::VK_CONTROL, plat::VK_S});
  const Bytes saved = pixtest::ReadFileBytes("test1.pix");
  EXPECT_EQ(0, saved[2 * kImage + 1]) << "nothing of the onion skin saved";
  Key(plat::VK_F3);
  EXPECT_EQ(0, plat::headless::ScreenAt(146, 6)) << "F3 again: gone";
  pixtest::StopEditor();
}

}  // namespace
