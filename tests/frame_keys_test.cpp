// A pix file as frames, on the headless editor: stepping with Right, Left,
// Home and End, Ctrl+S over the image shown, the images playing in the
// reference view, and what a save or a load says.
#include "app/frame_keys.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "canvas/image_history.h"
#include "platform/headless/headless.h"
#include "platform/pace.h"
#include "platform/system.h"
#include "support/editor_fixture.h"
#include "support/editor_session.h"
#include "support/file_bytes.h"
#include "support/scratch_dir.h"
#include "support/screen_text.h"

namespace {

using pixtest::Bytes;
using pixtest::IdlePasses;
using pixtest::PassAt;
using pixtest::ReadScreenText;

constexpr int kSide = 16;
constexpr std::size_t kImage = kSide * kSide;
constexpr int kImages = 4;
constexpr std::uint8_t kWhiteInk = 15;
constexpr std::uint8_t kRedInk = 4;

// Image k of the load file: panel colours but 15 (whose white saves as 80),
// different in every image.
Bytes ImageOf(int k) {
  Bytes image = pixtest::Pattern(kImage, 3 + 2 * k, 10 * k + 1, 81);
  for (std::uint8_t& byte : image) {
    byte = byte == 15 ? 16 : byte;
  }
  return image;
}

Bytes FileOf(int images) {
  Bytes file;
  for (int k = 0; k < images; ++k) {
    const Bytes image = ImageOf(k);
    file.insert(file.end(), image.begin(), image.end());
  }
  return file;
}

// What the artist has drawn in the working view and not saved.
const Bytes& Drawn() {
  static const Bytes drawn = pixtest::Pattern(kImage, 5, 40, 80);
  return drawn;
}

void SetName(char (&field)[25], const char* name) {
  std::memset(field, 0, sizeof field);
  std::strncpy(field, name, sizeof field - 1);
}

// A key down for one pass, then up for one.
void Key(std::initializer_list<int> keys) {
  plat::headless::HoldKeys(keys);
  IdlePasses(1);
  plat::headless::HoldKeys({});
  IdlePasses(1);
}

// The Load button with the number typed.
void Load(const std::string& digits) {
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && digits[i] == digits[i - 1]) {
      plat::headless::QueueKeys({});
    }
    plat::headless::QueueKeys(
        {static_cast<std::uint8_t>(digits[i] == '0' ? plat::DIK_0 : plat::DIK_1 + digits[i] - '1')});
  }
  plat::headless::QueueKeys({plat::DIK_RETURN});
  PassAt(200, 510, true);
  PassAt(200, 510, false);
}

void Clear() {
  PassAt(450, 510, true);
  PassAt(450, 510, false);
}

// Settings, its size button, then the width typed and the height kept.
void ChangeWidth(std::uint8_t digit) {
  plat::headless::QueueMouse(200 - editorState.cursorX, 550 - editorState.cursorY, true);
  plat::headless::QueueMouse(0, 0, false);
  plat::headless::QueueMouse(620 - 537, 0, true);
  plat::headless::QueueKeys({digit});
  plat::headless::QueueKeys({plat::DIK_RETURN});
  plat::headless::QueueKeys({});
  plat::headless::QueueKeys({plat::DIK_RETURN});
  RunEditorPass();
  IdlePasses(1);
}

void Stroke(int x, int y) {
  PassAt(x, y, true);
  PassAt(x, y, false);
}

std::string NumberShown() {
  return ReadScreenText(672, 524, 16) + "|" + ReadScreenText(672, 540, 16) + "|" +
         ReadScreenText(672, 556, 16) + "|";
}

std::string MessageShown(std::uint8_t ink) {
  std::string lines;
  for (int line = 0; line < 3; ++line) {
    lines += ReadScreenText(390, 447 + 16 * line, 34, ink) + "|";
  }
  return lines;
}

std::string Padded(std::string text, std::size_t cells) {
  text.resize(cells, ' ');
  return text;
}

// The reference view's whole frame, 102 x 78, as the screen shows it.
Bytes ReferenceFrame() {
  return pixtest::ReadReferenceView(102, 78).pixels;
}

// The frame of the reference view after a Load of image k: the image at its
// top left, black around it as at start.
Bytes LoadedFrame(int k) {
  Bytes frame(102 * 78, 0);
  const Bytes image = ImageOf(k);
  for (int row = 0; row < kSide; ++row) {
    std::copy_n(image.begin() + row * kSide, kSide, frame.begin() + row * 102);
  }
  return frame;
}

// A 16 x 16 image as the preview shows it: four screen pixels a pixel, in the
// middle of the 102 x 78 frame, black around it.
Bytes Enlarged(const Bytes& image) {
  Bytes frame(102 * 78, 0);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      frame[static_cast<std::size_t>((7 + y) * 102 + 19 + x)] =
          image[static_cast<std::size_t>(y / 4 * 16 + x / 4)];
    }
  }
  return frame;
}

std::vector<int> SoundIds() {
  std::vector<int> ids;
  for (const auto& sound : plat::headless::Sounds()) {
    ids.push_back(sound.resource);
  }
  return ids;
}

// The image areas and everything else above the text fields.
Bytes PaintingArea() {
  Bytes screen = plat::headless::Screen();
  screen.resize(800 * 396);
  return screen;
}

// The editor at its start, with walk.pix of four images as the load file,
// out.pix of two, and test1.pix as the save file.
void Start() {
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("test1.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("walk.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{kSide, kSide}));
  ASSERT_TRUE(pixtest::WriteFileBytes("walk.pix", FileOf(kImages)));
  ASSERT_TRUE(pixtest::WriteFileBytes("out.pix", FileOf(2)));
  ASSERT_TRUE(pixtest::StartEditor());
  StartFrames();
  IdlePasses(1);
}

void Restart() {
  pixtest::StopEditor();
  Start();
}

struct Scenario {
  const char* name;
  void (*run)();
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

const Scenario kScenarios[] = {
    {"StepsThroughTheFileAndStopsAtItsEnds",
     [] {
       const struct {
         int key;
         std::int32_t image;
         const char* said;  // what a key that would step past an end says
       } steps[] = {
           {plat::VK_RIGHT, 1, ""},
           {plat::VK_RIGHT, 2, ""},
           {plat::VK_RIGHT, 3, ""},
           {plat::VK_RIGHT, 3, "image 3 is the last"},
           {plat::VK_LEFT, 2, ""},
           {plat::VK_HOME, 0, ""},
           {plat::VK_LEFT, 0, "image 0 is the first"},
           {plat::VK_HOME, 0, ""},
           {plat::VK_END, 3, ""},
           {plat::VK_END, 3, ""},
           {plat::VK_RIGHT, 3, "image 3 is the last"},
           {plat::VK_LEFT, 2, ""},
       };
       std::size_t undoable = UndoableSteps();
       std::int32_t at = 0;
       for (const auto& step : steps) {
         Key({step.key});
         const std::string trace =
             "key " + std::to_string(step.key) + " to image " + std::to_string(step.image);
         EXPECT_EQ(step.image, editorState.pixNumber) << trace;
         EXPECT_EQ(ImageOf(step.image), pixtest::ReadReferenceView(kSide, kSide).pixels) << trace;
         EXPECT_EQ(ImageOf(step.image), pixtest::ReadGridCells(kSide, kSide).pixels) << trace;
         EXPECT_EQ(ImageOf(step.image), pixtest::ReadWorkingView(kSide, kSide).pixels) << trace;
         if (*step.said != '\0') {
           EXPECT_EQ(Padded(step.said, 34), MessageShown(kWhiteInk).substr(0, 34)) << trace;
         }
         undoable += step.image != at ? 1 : 0;
         EXPECT_EQ(undoable, UndoableSteps()) << trace << ": one step a load, none at an end";
         at = step.image;
       }
       EXPECT_EQ("Pix number:     |2 of 4          |                |", NumberShown());
       EXPECT_FALSE(pixtest::FileExists("test1.pix")) << "the save file is not touched";
       // Shift with an arrow, and Control with one, are other keys' business.
       Key({plat::VK_SHIFT, plat::VK_RIGHT});
       Key({plat::VK_CONTROL, plat::VK_LEFT});
       EXPECT_EQ(2, editorState.pixNumber);
     }},
    {"PastTheEndLeftGoesToTheLastImageRightSaysItIs",
     [] {
       Load("7");
       EXPECT_EQ("Pix number:     |7 of 4          |                |", NumberShown());
       Key({plat::VK_RIGHT});
       EXPECT_EQ(7, editorState.pixNumber);
       EXPECT_EQ(Padded("image 3 is the last", 34), MessageShown(kWhiteInk).substr(0, 34));
       Key({plat::VK_LEFT});
       EXPECT_EQ(3, editorState.pixNumber);
       EXPECT_EQ(ImageOf(3), pixtest::ReadWorkingView(kSide, kSide).pixels);
       Load("4294967295");  // -1: before the start
       Key({plat::VK_RIGHT});
       EXPECT_EQ(0, editorState.pixNumber);
     }},
    {"NumbersOfEveryLengthShowWhole",
     [] {
       const struct {
         const char* typed;
         const char* shown;
       } cases[] = {
           {"12", "Pix number:     |12 of 4         |                |"},
           {"99999", "Pix number:     |99999 of 4      |                |"},
           {"2147483647", "Pix number:     |2147483647 of 4 |                |"},
           {"2147483648", "Pix number:     |-2147483648 of 4|                |"},
           {"99999999999", "Pix number:     |-1 of 4         |                |"},
       };
       for (const auto& c : cases) {
         Load(c.typed);
         EXPECT_EQ(c.shown, NumberShown()) << c.typed;
       }
       // A size of one byte an image: the count takes a line of its own.
       editorState.width = 1;
       editorState.height = 1;
       IdlePasses(1);
       EXPECT_EQ("Pix number:     |-1 of 1024      |                |", NumberShown());
       Load("2147483648");
       EXPECT_EQ("Pix number:     |-2147483648 of  |1024            |", NumberShown());
     }},
    {"AMissingOrEmptyLoadFileHasNothingToStepThrough",
     [] {
       for (const char* name : {"none.pix", "empty.pix"}) {
         SetName(editorState.loadFileName, name);
         const Bytes before = PaintingArea();
         for (const int key : {plat::VK_RIGHT, plat::VK_END, plat::VK_HOME, plat::VK_LEFT, plat::VK_RETURN}) {
           Key({key});
           EXPECT_EQ(0, editorState.pixNumber) << name << ", key " << key;
         }
         EXPECT_EQ(before, PaintingArea()) << name;
       }
       EXPECT_FALSE(pixtest::FileExists("none.pix")) << "a missing file is not created";
       EXPECT_EQ(Bytes{}, pixtest::ReadFileBytes("empty.pix"));
     }},
    {"AStepIsUndoneWithCtrlZ",
     [] {
       Stroke(150, 10);
       const Bytes painted = PaintingArea();
       Key({plat::VK_RIGHT});
       ASSERT_NE(painted, PaintingArea());
       Key({plat::VK_CONTROL, plat::VK_Z});
       EXPECT_EQ(painted, PaintingArea());
     }},
    {"CtrlSWritesOverAnImageOnlyWhileItIsTheOneShown",
     [] {
       // written: the image Ctrl+S writes, counted in images of the width then;
       // a second Ctrl+S writes over the same one.
       const struct {
         const char* state;
         const char* saveFile;  // walk.pix is the load file too; out.pix holds two images
         void (*reach)();
         int width;
         std::int32_t written;
       } cases[] = {
           {"a fresh start", "walk.pix", [] {}, kSide, 4},
           {"after Load 0", "walk.pix", [] { Load("0"); }, kSide, 0},
           {"after Load 3", "walk.pix", [] { Load("3"); }, kSide, 3},
           {"after Load 2 and Clear", "walk.pix",
            [] {
              Load("2");
              Clear();
            },
            kSide, 4},
           {"after Load 2 and a size change", "walk.pix",
            [] {
              Load("2");
              ChangeWidth(plat::DIK_8);
            },
            8, 8},
           {"after Load 6, past the end", "walk.pix", [] { Load("6"); }, kSide, 4},
           {"after Load 3 of the other file", "out.pix", [] { Load("3"); }, kSide, 2},
           {"after Load 1 of the other file", "out.pix", [] { Load("1"); }, kSide, 1},
       };
       for (const auto& c : cases) {
         Restart();
         SetName(editorState.saveFileName, c.saveFile);
         c.reach();
         Bytes model = pixtest::ReadFileBytes(c.saveFile);
         const std::size_t imageBytes = static_cast<std::size_t>(c.width) * kSide;
         for (int save = 0; save < 2; ++save) {
           const Bytes drawn = pixtest::Pattern(imageBytes, 7, save + 1, 81);
           pixtest::PutWorkingView({c.width, kSide, drawn});
           const std::size_t soundsBefore = plat::headless::Sounds().size();
           Key({plat::VK_CONTROL, plat::VK_S});
           const std::vector<int> sounds = SoundIds();
           model.resize(std::max(model.size(), (c.written + 1) * imageBytes));
           std::copy(drawn.begin(), drawn.end(),
                     model.begin() + static_cast<std::ptrdiff_t>(c.written * imageBytes));
           const std::string trace = std::string(c.state) + ", save " + std::to_string(save);
           EXPECT_EQ(model, pixtest::ReadFileBytes(c.saveFile)) << trace;
           EXPECT_EQ(Padded("Saved image " + std::to_string(c.written) + " of " + c.saveFile, 34),
                     MessageShown(kWhiteInk).substr(0, 34))
               << trace;
           EXPECT_EQ(c.written, editorState.pixNumber) << trace << ": the number shown";
           EXPECT_EQ(
               (std::vector<int>{8001, 8002}),
               std::vector<int>(sounds.begin() + static_cast<std::ptrdiff_t>(soundsBefore), sounds.end()))
               << trace;
         }
       }
     }},
    {"HomeLoadsImageZeroAtTheStartAndAfterClear",
     [] {
       for (const bool clear : {false, true}) {
         if (clear) {
           Load("2");
           Clear();
         }
         EXPECT_EQ(std::string(16, ' ') + "|", NumberShown().substr(0, 17)) << "no number yet";
         Key({plat::VK_HOME});
         EXPECT_EQ("Pix number:     |0 of 4          |                |", NumberShown()) << clear;
         EXPECT_EQ(ImageOf(0), pixtest::ReadWorkingView(kSide, kSide).pixels) << clear;
       }
     }},
    {"AltNAddsTheImageAfterTheLastAndShowsIt",
     [] {
       SetName(editorState.saveFileName, "walk.pix");
       Load("1");
       Bytes model = FileOf(kImages);
       for (const int added : {4, 5}) {
         const Bytes drawn = pixtest::Pattern(kImage, 7, added, 81);
         pixtest::PutWorkingView({kSide, kSide, drawn});
         Key({plat::VK_MENU, plat::VK_N});
         model.insert(model.end(), drawn.begin(), drawn.end());
         EXPECT_EQ(model, pixtest::ReadFileBytes("walk.pix")) << added;
         EXPECT_EQ(Padded("Saved image " + std::to_string(added) + " of walk.pix", 34),
                   MessageShown(kWhiteInk).substr(0, 34));
         EXPECT_EQ(Padded(std::to_string(added) + " of " + std::to_string(added + 1), 16),
                   NumberShown().substr(17, 16));
       }
       EXPECT_EQ(2u, pixtest::CountCalls("WriteWholeFile(walk.pix)")) << "each written whole";
     }},
    {"AMissingSaveFileIsMadeReadableWhateverTheMask",
     [] {
       // The browser's C library has a mask of 0777.
       SetName(editorState.saveFileName, "new.pix");
       pixtest::PutWorkingView({kSide, kSide, Drawn()});
       const mode_t mask = umask(0777);
       Key({plat::VK_MENU, plat::VK_N});
       umask(mask);
       struct stat made {};
       ASSERT_EQ(0, stat("new.pix", &made));
       EXPECT_EQ(0600u, made.st_mode & 0600u);
       EXPECT_EQ(Drawn(), pixtest::ReadFileBytes("new.pix"));
     }},
    {"CtrlSReplacesTheFileALinkNamesAndKeepsItsMode",
     [] {
       ASSERT_EQ(0, mkdir("art", 0755));
       ASSERT_TRUE(pixtest::WriteFileBytes("art/walk.pix", FileOf(2)));
       ASSERT_EQ(0, chmod("art/walk.pix", 0640));
       ASSERT_EQ(0, symlink("art/walk.pix", "linked.pix"));
       SetName(editorState.saveFileName, "linked.pix");
       pixtest::PutWorkingView({kSide, kSide, ImageOf(3)});
       Key({plat::VK_CONTROL, plat::VK_S});
       // At a fresh start no image is shown: Ctrl+S appends.
       Bytes expected = FileOf(2);
       const Bytes drawn = ImageOf(3);
       expected.insert(expected.end(), drawn.begin(), drawn.end());
       EXPECT_EQ(expected, pixtest::ReadFileBytes("art/walk.pix"));
       struct stat link {};
       struct stat file {};
       ASSERT_EQ(0, lstat("linked.pix", &link));
       ASSERT_EQ(0, stat("art/walk.pix", &file));
       EXPECT_TRUE(S_ISLNK(link.st_mode)) << "the link stays a link";
       EXPECT_EQ(0640u, file.st_mode & 07777u);
       EXPECT_EQ(1u, std::distance(std::filesystem::directory_iterator("art"), {}))
           << "no file left beside it";
     }},
    {"PlaysTheFramesAtItsPaceWithTheUnsavedWorkingView",
     [] {
       Load("1");
       const Bytes loaded = ReferenceFrame();
       pixtest::PutWorkingView({kSide, kSide, Drawn()});
       const Bytes grid = pixtest::ReadGridCells(kSide, kSide).pixels;
       const std::uint64_t start = plat::headless::Now();
       Key({plat::VK_RETURN});
       // Image 1 plays as the working view shows it; 125 ms an image at 8 a second.
       const struct {
         std::uint32_t wait;
         int image;
       } frames[] = {{0, 0}, {124, 0}, {1, 1}, {124, 1}, {1, 2}, {125, 3}, {125, 0}, {125, 1}};
       for (const auto& frame : frames) {
         plat::Sleep(frame.wait);
         IdlePasses(1);
         const std::uint64_t at = plat::headless::Now() - start;
         EXPECT_EQ(Enlarged(frame.image == 1 ? Drawn() : ImageOf(frame.image)), ReferenceFrame())
             << "at " << at << " ms";
         EXPECT_EQ(start + (at / 125 + 1) * 125, plat::headless::PassWantedBy()) << "at " << at << " ms";
       }
       EXPECT_EQ("Playing 8/s     ", ReadScreenText(672, 508, 16));
       EXPECT_EQ(Drawn(), pixtest::ReadWorkingView(kSide, kSide).pixels) << "the working view is left alone";
       EXPECT_EQ(grid, pixtest::ReadGridCells(kSide, kSide).pixels) << "the grid is left alone";
       // Faster: the next image a ninth of a second on.
       Key({plat::VK_OEM_PLUS});
       EXPECT_EQ("Playing 9/s     ", ReadScreenText(672, 508, 16));
       EXPECT_EQ(plat::headless::Now() + 111, plat::headless::PassWantedBy());
       for (int slower = 0; slower < 40; ++slower) {
         Key({plat::VK_SUBTRACT});
       }
       EXPECT_EQ("Playing 1/s     ", ReadScreenText(672, 508, 16));
       Key({plat::VK_RETURN});
       EXPECT_EQ(loaded, ReferenceFrame()) << "stopped: the loaded image again";
       EXPECT_EQ(plat::kNoPassWanted, plat::headless::PassWantedBy());
       EXPECT_EQ(std::string(16, ' '), ReadScreenText(672, 508, 16));
     }},
    {"NothingOfThePreviewReachesAFileOrTheHistory",
     [] {
       Load("1");
       ASSERT_EQ(LoadedFrame(1), ReferenceFrame());
       Key({plat::VK_RETURN});
       for (int frame = 1; frame <= 2; ++frame) {
         plat::Sleep(125);
         IdlePasses(1);
       }
       ASSERT_EQ(Enlarged(ImageOf(2)), ReferenceFrame());
       // A stroke, an undo, a stroke and a Load while the images play; then Ctrl+S and Save.
       Stroke(150, 10);
       Key({plat::VK_CONTROL, plat::VK_Z});
       Stroke(155, 10);
       Load("2");
       Key({plat::VK_CONTROL, plat::VK_S});
       PassAt(330, 510, true);  // Save appends
       PassAt(330, 510, false);
       Key({plat::VK_RETURN});
       EXPECT_EQ(LoadedFrame(2), ReferenceFrame()) << "stopped: the image loaded last";
       const Bytes working = pixtest::ReadWorkingView(kSide, kSide).pixels;
       EXPECT_EQ(ImageOf(2), working);
       // The save file held no image 2: Ctrl+S made it image 0, with no blank images before it.
       const Bytes saved = pixtest::ReadFileBytes("test1.pix");
       ASSERT_EQ(2 * kImage, saved.size());
       EXPECT_EQ(working, Bytes(saved.begin(), saved.begin() + kImage)) << "Ctrl+S";
       EXPECT_EQ(working, Bytes(saved.begin() + kImage, saved.end())) << "Save";
       // Undone and redone, the steps hold the loaded images only.
       Key({plat::VK_CONTROL, plat::VK_Z});
       EXPECT_EQ(LoadedFrame(1), ReferenceFrame()) << "before the Load of image 2";
       Key({plat::VK_CONTROL, plat::VK_Y});
       EXPECT_EQ(LoadedFrame(2), ReferenceFrame()) << "after it";
       while (UndoableSteps() > 0) {
         Key({plat::VK_CONTROL, plat::VK_Z});
         const Bytes frame = ReferenceFrame();
         EXPECT_TRUE(frame == LoadedFrame(1) || frame == LoadedFrame(2) || frame == Bytes(102 * 78, 0))
             << UndoableSteps() << " steps left";
       }
     }},
    {"SaveMessagesSayWhatWasWrittenOrWhyNothingWas",
     [] {
       SetName(editorState.saveFileName, "out.pix");
       ASSERT_TRUE(pixtest::WriteFileBytes("out.pix", FileOf(3)));
       editorState.offsetNumber = 1;
       PassAt(330, 510, true);
       PassAt(330, 510, false);
       EXPECT_EQ(Padded("Saved image 1 of out.pix", 34), MessageShown(kWhiteInk).substr(0, 34));
       PassAt(330, 510, true);
       PassAt(330, 510, false);
       EXPECT_EQ(Padded("Saved image 3 of out.pix", 34), MessageShown(kWhiteInk).substr(0, 34))
           << "appended as image 3";

       // The message's lines, as the 34 cells of each show them.
       const auto lines = [](std::initializer_list<std::string> texts) {
         std::string shown;
         for (const std::string& text : texts) {
           shown += Padded(text, 34) + "|";
         }
         return shown;
       };
       const struct {
         const char* what;
         void (*prepare)();
         std::string line;
         std::string shown;
       } failures[] = {
           {"a folder in the save file's place",
            [] { ASSERT_EQ(0, mkdir("abcdefghijklmnopqrst.pix", 0755)); },
            "abcdefghijklmnopqrst.pix could not be written: Is a directory",
            lines({"abcdefghijklmnopqrst.pix could not", "be written: Is a directory", ""})},
           {"a width of 0",
            [] {
              ASSERT_EQ(0, rmdir("abcdefghijklmnopqrst.pix"));
              editorState.width = 0;
            },
            "abcdefghijklmnopqrst.pix could not be written: the image is 0 x 16: there is nothing to write",
            lines({"abcdefghijklmnopqrst.pix could not",
                   "be written: the image is 0 x 16:", "there is nothing to write"})},
       };
       SetName(editorState.saveFileName, "abcdefghijklmnopqrst.pix");
       for (const auto& failure : failures) {
         failure.prepare();
         for (const bool ctrlS : {false, true}) {
           const std::size_t sounds = plat::headless::Sounds().size();
           ::testing::internal::CaptureStderr();
           if (ctrlS) {
             Key({plat::VK_CONTROL, plat::VK_S});
           } else {
             PassAt(330, 510, true);
             PassAt(330, 510, false);
           }
           const std::string how = std::string(failure.what) + (ctrlS ? ", Ctrl+S" : ", Save");
           EXPECT_EQ("pixed: " + failure.line + "\n", ::testing::internal::GetCapturedStderr()) << how;
           EXPECT_EQ(failure.shown, MessageShown(kRedInk)) << how;
           EXPECT_EQ(sounds + 1, plat::headless::Sounds().size()) << how << ": the click, no saved sound";
         }
       }
       // A Load whose file cannot be opened.
       editorState.width = kSide;
       ASSERT_EQ(0, std::remove("abcdefghijklmnopqrst.pix")) << "the empty file Save made at width 0";
       ASSERT_EQ(0, mkdir("abcdefghijklmnopqrst.pix", 0755));
       SetName(editorState.loadFileName, "abcdefghijklmnopqrst.pix");
       ::testing::internal::CaptureStderr();
       Load("0");
       EXPECT_EQ("pixed: abcdefghijklmnopqrst.pix could not be opened: Is a directory\n",
                 ::testing::internal::GetCapturedStderr());
       EXPECT_EQ(Padded("abcdefghijklmnopqrst.pix could not", 34) + "|" +
                     Padded("be opened: Is a directory", 34) + "|" + std::string(34, ' ') + "|",
                 MessageShown(kRedInk));
       // The next action's prompt takes the place.
       plat::headless::QueueKeys({plat::DIK_RETURN});
       PassAt(450, 550, true);  // Offset
       PassAt(450, 550, false);
       EXPECT_EQ(std::string(34, ' ') + "|" + std::string(34, ' ') + "|" + std::string(34, ' ') + "|",
                 MessageShown(kRedInk));
     }},
};

class FrameKeysTest : public ::testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pixtest::WriteFileBytes("empty.pix", Bytes{}));
    Start();
  }
  void TearDown() override { pixtest::StopEditor(); }

  pixtest::ScratchDir scratch_;
};

TEST_P(FrameKeysTest, Scenario) {
  GetParam().run();
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FrameKeysTest, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& scenario) {
                           return std::string(scenario.param.name);
                         });

// A read-only working folder: neither Save nor Ctrl+S writes, both say so and
// play no saved sound. Checked in a child that dropped root.
TEST(FrameKeysReadOnly, SavesInAReadOnlyFolderSaySo) {
  pixtest::ScratchDir scratch;
  scratch.OpenToEveryone();
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveName.dat", pixtest::NameFileBytes("art.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("LoadName.dat", pixtest::NameFileBytes("art.pix")));
  ASSERT_TRUE(pixtest::WriteFileBytes("SaveSize.dat", Bytes{kSide, kSide}));
  ASSERT_TRUE(pixtest::WriteFileBytes("art.pix", FileOf(2)));
  ASSERT_EQ(0, chmod("art.pix", 0666));
  ASSERT_EQ(0, chmod(scratch.Path().c_str(), 0555));
  const int status = pixtest::RunAsUnprivilegedChild([] {
    if (!pixtest::StartEditor()) {
      return 2;
    }
    StartFrames();
    IdlePasses(1);
    int failures = 0;
    // Save makes a new file; Ctrl+S replaces the file, which the folder must take.
    for (const char* name : {"new.pix", "art.pix"}) {
      SetName(editorState.saveFileName, name);
      if (std::strcmp(name, "art.pix") == 0) {
        Key({plat::VK_CONTROL, plat::VK_S});
      } else {
        PassAt(330, 510, true);
        PassAt(330, 510, false);
      }
      const std::string expected = Padded(std::string(name) + " could not be written:", 34) + "|" +
                                   Padded("Permission denied", 34) + "|" + std::string(34, ' ') + "|";
      failures += MessageShown(kRedInk) == expected ? 0 : 1;
    }
    for (const auto& sound : plat::headless::Sounds()) {
      failures += sound.resource == 8002 ? 1 : 0;
    }
    pixtest::StopEditor();
    return failures;
  });
  EXPECT_EQ(0, status) << "the number of checks that failed in the child (-1: it died)";
  EXPECT_EQ(FileOf(2), pixtest::ReadFileBytes(scratch.File("art.pix")));
  EXPECT_FALSE(pixtest::FileExists(scratch.File("new.pix")));
}

}  // namespace
