// The palette's pages on the panel, a colour edited in place with its undo and
// the folder's Palette.gpl, the hex entry's bad inputs, and the editor's inks.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "canvas/image_history.h"
#include "canvas/palette_panel.h"
#include "canvas/palette_table.h"
#include "canvas/screen_inks.h"
#include "platform/headless/headless.h"
#include "support/editor_fixture.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/scratch_dir.h"
#include "support/screen_text.h"

namespace {

using pixtest::IdlePasses;
using pixtest::PassAt;

// The keys down for one pass, then up for one.
void Key(int key) {
  plat::headless::HoldKeys({key});
  IdlePasses(1);
  plat::headless::HoldKeys({});
  IdlePasses(1);
}

// The right button on slot (27 c + k) of the page shown.
void PickSlot(int slot) {
  const int x = 695 + 35 * (slot / 27);
  const int y = 10 + 16 * (slot % 27);
  PassAt(x, y, false, true);
  PassAt(x, y, false);
}

// F4, then the text typed into the entry a key a poll, then Enter.
void EditCurrentColour(const std::string& typed) {
  static const std::string kKeys = "0123456789abcdefghijklmnopqrstuvwxyz";
  static const std::uint8_t kCodes[] = {
      plat::DIK_0, plat::DIK_1, plat::DIK_2, plat::DIK_3, plat::DIK_4, plat::DIK_5, plat::DIK_6, plat::DIK_7,
      plat::DIK_8, plat::DIK_9, plat::DIK_A, plat::DIK_B, plat::DIK_C, plat::DIK_D, plat::DIK_E, plat::DIK_F,
      plat::DIK_G, plat::DIK_H, plat::DIK_I, plat::DIK_J, plat::DIK_K, plat::DIK_L, plat::DIK_M, plat::DIK_N,
      plat::DIK_O, plat::DIK_P, plat::DIK_Q, plat::DIK_R, plat::DIK_S, plat::DIK_T, plat::DIK_U, plat::DIK_V,
      plat::DIK_W, plat::DIK_X, plat::DIK_Y, plat::DIK_Z};
  for (const char c : typed) {
    plat::headless::QueueKeys({kCodes[kKeys.find(c)]});
    plat::headless::QueueKeys({});
  }
  plat::headless::QueueKeys({plat::DIK_RETURN});
  Key(plat::VK_F4);
}

// The colour an entry shows on the screen, as rrggbb.
std::string Shown(int index) {
  const plat::PALETTEENTRY entry = plat::headless::Palette()[static_cast<std::size_t>(index)];
  char text[8];
  std::snprintf(text, sizeof text, "%02x%02x%02x", entry.peRed, entry.peGreen, entry.peBlue);
  return text;
}

// The colours of a GIMP palette's lines, read by hand: "r g b<tab>name".
std::vector<std::string> FileColours(const char* path) {
  const pixtest::Bytes bytes = pixtest::ReadFileBytes(path);
  std::istringstream lines(std::string(bytes.begin(), bytes.end()));
  std::vector<std::string> colours;
  std::string line;
  while (std::getline(lines, line)) {
    int red = 0;
    int green = 0;
    int blue = 0;
    if (std::sscanf(line.c_str(), "%d %d %d", &red, &green, &blue) == 3) {
      char text[8];
      std::snprintf(text, sizeof text, "%02x%02x%02x", red, green, blue);
      colours.emplace_back(text);
    }
  }
  return colours;
}

class PaletteEditTest : public ::testing::Test {
 protected:
  void Start() {
    ASSERT_TRUE(pixtest::WriteDefaultSettingsFiles());
    ASSERT_TRUE(pixtest::StartEditor());
    IdlePasses(1);
  }
  void TearDown() override { pixtest::StopEditor(); }

  pixtest::ScratchDir scratch_;
};

// The panel's slot 0 sample point, the label, and the current colour's frame
// (its top-left ring pixel, 3 pixels up and left of the swatch).
int SlotZeroShows() {
  return plat::headless::ScreenAt(695, 10);
}
std::string Label() {
  return pixtest::ReadScreenText(672, 444, 15);
}
bool FramedAt(int slot) {
  return plat::headless::ScreenAt(682 + 35 * (slot / 27), 2 + 16 * (slot % 27)) == 15;
}

TEST_F(PaletteEditTest, PagesTurnWithTheirKeysAndWithTheColourSteps) {
  Start();
  EXPECT_EQ(0, SlotZeroShows());
  EXPECT_EQ(std::string(15, ' '), Label()) << "no label at the start";
  const struct {
    void (*input)();
    int colour;
    int firstShown;  // the page's first entry
    const char* label;
    int framedSlot;  // -1: the current colour is on another page
  } steps[] = {
      {[] { Key(plat::VK_NEXT); }, 255, 81, "Colors 81-161  ", -1},
      {[] { PickSlot(80); }, 161, 81, "Colors 81-161  ", 80},
      {[] { Key(plat::VK_OEM_6); }, 162, 162, "Colors 162-242 ", 0},
      {[] { Key(plat::VK_OEM_4); }, 161, 81, "Colors 81-161  ", 80},
      {[] { Key(plat::VK_NEXT); }, 161, 162, "Colors 162-242 ", -1},
      {[] { Key(plat::VK_NEXT); }, 161, 243, "Colors 243-255 ", -1},
      {[] { Key(plat::VK_NEXT); }, 161, 243, "Colors 243-255 ", -1},
      {[] { PickSlot(12); }, 255, 243, "Colors 243-255 ", 12},
      {[] { PickSlot(13); }, 255, 243, "Colors 243-255 ", 12},  // past 255: nothing picked
      {[] { Key(plat::VK_OEM_6); }, 0, 0, "Colors 0-80    ", 0},
      {[] { Key(plat::VK_OEM_4); }, 255, 243, "Colors 243-255 ", 12},
      {[] { Key(plat::VK_PRIOR); }, 255, 162, "Colors 162-242 ", -1},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.label);
    step.input();
    EXPECT_EQ(step.colour, editorState.currentColor);
    EXPECT_EQ(step.firstShown, SlotZeroShows());
    EXPECT_EQ(step.label, Label());
    for (const int slot : {0, 12, 80}) {
      EXPECT_EQ(slot == step.framedSlot, FramedAt(slot)) << "slot " << slot;
    }
  }
  Key(plat::VK_NEXT);
  EXPECT_EQ(0, plat::headless::ScreenAt(695, 10 + 16 * 13)) << "the last page has no slot 13";
}

TEST_F(PaletteEditTest, AnEditAndItsUndoShowAndWriteThePalette) {
  Start();
  // The model: the palette as the screen shows it at the start, with its changes.
  std::vector<std::string> model;
  for (int i = 0; i < 256; ++i) {
    model.push_back(Shown(i));
  }
  const std::string old = model[29];
  editorState.currentColor = 29;
  PassAt(302, 202, true);  // a pixel of colour 29 on the screen
  PassAt(302, 202, false);
  const int shownIndex = plat::headless::ScreenAt(302, 202);
  ASSERT_EQ(29, shownIndex);
  const std::size_t steps = UndoableSteps();

  EditCurrentColour("3399ff");
  model[29] = "3399ff";
  EXPECT_EQ(model[29], Shown(plat::headless::ScreenAt(302, 202))) << "the pixel shows the new colour";
  EXPECT_EQ(model, FileColours("Palette.gpl")) << "a new file of all 256 entries";
  EXPECT_EQ(steps + 1, UndoableSteps());
  EXPECT_EQ("#3399ff", pixtest::ReadScreenText(680, 572, 7));

  Key(plat::VK_UP);  // a key of no meaning here: nothing changes
  plat::headless::HoldKeys({plat::VK_CONTROL, plat::VK_Z});
  IdlePasses(1);
  plat::headless::HoldKeys({});
  IdlePasses(1);
  model[29] = old;
  EXPECT_EQ(model[29], Shown(29)) << "undo puts the old colour back on the screen";
  EXPECT_EQ(model, FileColours("Palette.gpl")) << "and in the file";
  EXPECT_EQ(29, plat::headless::ScreenAt(302, 202)) << "the image keeps its index";
}

TEST_F(PaletteEditTest, BadHexEntriesChangeNothing) {
  Start();
  editorState.currentColor = 29;
  const std::string before = Shown(29);
  const struct {
    const char* typed;
    const char* message;  // the start of the message line; "" for none
  } entries[] = {
      {"3399f", "A color takes 6 hex digits"},
      {"33g9ff", "'g' is no hex digit (0-9, a-f)"},
      {"", ""},
  };
  for (const auto& entry : entries) {
    SCOPED_TRACE(entry.typed);
    EditCurrentColour(entry.typed);
    EXPECT_EQ(before, Shown(29));
    EXPECT_EQ(entry.message,
              pixtest::ReadScreenText(390, 447, static_cast<int>(std::string(entry.message).size()), 4));
    EXPECT_FALSE(pixtest::FileExists("Palette.gpl")) << "nothing written";
  }
  EditCurrentColour("abcdef7");  // the seventh is dropped
  EXPECT_EQ("abcdef", Shown(29));
}

// A file the editor refused at start is the artist's to mend: an edit holds on
// the screen and leaves the file as it was.
TEST_F(PaletteEditTest, ARefusedFileIsNeverWrittenOver) {
  const std::string refused = "GIMP Palette\n300 0 0\n";
  ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", refused));
  Start();
  editorState.currentColor = 29;
  EditCurrentColour("3399ff");
  EXPECT_EQ("3399ff", Shown(29));
  const pixtest::Bytes bytes = pixtest::ReadFileBytes("Palette.gpl");
  EXPECT_EQ(refused, std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ("Palette.gpl was not used", pixtest::ReadScreenText(390, 447, 24, 4));
}

TEST_F(PaletteEditTest, TheStatusLineNamesAPickedColour) {
  ASSERT_TRUE(pixtest::WriteFileBytes("Palette.gpl", std::string("GIMP Palette\n"
                                                                 "  0   0   0\tInk\n"
                                                                 " 51 153 255\tSky blue\n")));
  Start();
  PickSlot(1);
  EXPECT_EQ("#3399ff Sky blu", pixtest::ReadScreenText(680, 572, 15)) << "cut at the screen's edge";
  PickSlot(2);
  EXPECT_EQ("#339933  ", pixtest::ReadScreenText(680, 572, 9)) << "the built-in colour after the file's";
}

// A shade steps within the panel column of its colour, on that colour's page.
TEST(PanelColumnTest, EachColourLiesInItsPagesColumn) {
  const struct {
    int colour, first, last;
  } columns[] = {{0, 0, 26},      {30, 27, 53},    {80, 54, 80},    {81, 81, 107},
                 {161, 135, 161}, {200, 189, 215}, {243, 243, 255}, {255, 243, 255}};
  for (const auto& column : columns) {
    const PanelColumn found = PanelColumnOf(column.colour);
    EXPECT_EQ(column.first, found.first) << column.colour;
    EXPECT_EQ(column.last, found.last) << column.colour;
  }
}

// The inks by hand: a palette's darkest and lightest entries, and the
// readable entries nearest to red and to light grey.
TEST(ScreenInksTest, EachPaletteGetsReadableInks) {
  const PaletteColours builtIn = GeneratePaletteColours();
  PaletteColours pastel;
  pastel.fill({200, 200, 120});
  pastel[3] = {10, 10, 30};     // the darkest: black
  pastel[9] = {250, 240, 200};  // the lightest: white
  pastel[12] = {230, 90, 80};   // reads on 3 and is nearest to red
  PaletteColours flat;
  flat.fill({90, 90, 90});
  const struct {
    const char* name;
    const PaletteColours& colours;
    int black, red, grey, white;
  } palettes[] = {
      {"built-in", builtIn, 0, 4, 7, 15},
      {"pastel", pastel, 3, 12, 9, 9},
      {"one colour", flat, 0, 0, 0, 0},
  };
  for (const auto& palette : palettes) {
    SCOPED_TRACE(palette.name);
    const ScreenInks inks = InksFor(palette.colours);
    EXPECT_EQ(palette.black, inks.black);
    EXPECT_EQ(palette.red, inks.red);
    EXPECT_EQ(palette.grey, inks.grey);
    EXPECT_EQ(palette.white, inks.white);
  }
}

}  // namespace
