// Editor passes checked against the fuzz target's own model of the pen, the view, the picks and the bar.
#include "pass_model.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "canvas/screen_layout.h"
#include "fuzz_machine.h"
#include "platform/headless/headless.h"

namespace pixfuzz {

namespace {

constexpr std::uint8_t kEnterScanCode = 0x1C;
// Scan codes of the digits: 1 to 9, then 0.
constexpr std::uint8_t kOneScanCode = 0x02;
constexpr std::uint8_t kZeroScanCode = 0x0B;
// A notch of the wheel as the mouse counts it, and a button held.
constexpr int kWheelNotch = 120;
constexpr std::uint8_t kDown = 0x80;

constexpr layout::ScreenRect kGridArea{layout::kGridOrigin.x, layout::kGridOrigin.y,
                                       layout::kGridOrigin.x + layout::kGridAreaWidth,
                                       layout::kGridOrigin.y + layout::kGridAreaHeight};

// The name as the pix file operations open it.
std::string OpenedName(const char (&name)[25]) {
  return std::string(name, strnlen(name, 24));
}

// False when it leads out of the working folder, where a fuzz run must never write.
bool StaysInTheFolder(const char (&name)[25]) {
  return OpenedName(name).find('/') == std::string::npos;
}

// A pix file as a load or a save finds it: a file, none, or a name that
// cannot be opened as one (no name, a folder).
struct PixFileBefore {
  bool opens = false;
  bool exists = false;
  std::string bytes;
};

PixFileBefore LookAt(const char (&field)[25]) {
  const std::string name = OpenedName(field);
  PixFileBefore file;
  if (name.empty()) {
    return file;
  }
  struct stat info;
  if (stat(name.c_str(), &info) != 0) {
    file.opens = true;
    return file;
  }
  file.opens = S_ISREG(info.st_mode);
  file.exists = file.opens && ReadFile(name.c_str(), &file.bytes);
  return file;
}

void QueueStep(const Step& step) {
  if (!step.queued) {
    return;
  }
  if (step.button == Button::Load || step.button == Button::Offset) {
    const int digit = step.digit;
    plat::headless::QueueKeys(
        {static_cast<std::uint8_t>(digit == 0 ? kZeroScanCode : kOneScanCode + digit - 1)});
    plat::headless::QueueKeys({kEnterScanCode});
  }
  plat::DIMOUSESTATE mouse = {};
  mouse.lX = step.x - editorState.cursorX;
  mouse.lY = step.y - editorState.cursorY;
  mouse.lZ = step.wheel * kWheelNotch;
  mouse.rgbButtons[0] = step.left ? kDown : 0;
  mouse.rgbButtons[1] = step.right ? kDown : 0;
  mouse.rgbButtons[2] = step.middle ? kDown : 0;
  plat::headless::QueueMouse(mouse);
}

// The pen's pixels at cell: itself, or the quad pen's 2 x 2 block from it,
// those the grid shows.
void PaintPen(IndexImage& image, const GridView& view, ModelCell cell, bool quad, std::uint8_t colour) {
  const int size = quad ? 2 : 1;
  for (int dy = 0; dy < size; ++dy) {
    for (int dx = 0; dx < size; ++dx) {
      if (GridShows(view, image.width, image.height, cell.column + dx, cell.row + dy)) {
        image.At(static_cast<int>(cell.column + dx), static_cast<int>(cell.row + dy)) = colour;
      }
    }
  }
}

// A stroke's later pass joins the pen's pixel of the pass before: the pen's
// pixels at its end are painted, and nothing changed off the way between the
// two or to another colour.
void CheckStrokeStep(const PassModel& model, ModelCell cell, bool quad, std::uint8_t colour) {
  const IndexImage& now = WorkingImage();
  IndexImage end = now;
  PaintPen(end, model.view, cell, quad, colour);
  Check(SameImage(end, now), "a stroke did not paint the pen's pixels at its end");
  const int reach = quad ? 1 : 0;
  const ModelCell from = model.penCell;
  for (int row = 0; row < now.height; ++row) {
    for (int column = 0; column < now.width; ++column) {
      if (now.At(column, row) == model.working.At(column, row)) {
        continue;
      }
      const bool between = column >= std::min(cell.column, from.column) &&
                           column <= std::max(cell.column, from.column) + reach &&
                           row >= std::min(cell.row, from.row) && row <= std::max(cell.row, from.row) + reach;
      Check(between && now.At(column, row) == colour,
            "a stroke changed a pixel off its way, or not to the current colour");
    }
  }
}

// The save file as a Save must leave it: the working image appended (offset
// 0) or over image offset of a file that exists, or nothing written (false).
bool SavedFile(const PassModel& model, const PixFileBefore& before, std::string* after) {
  const std::string image(model.working.pixels.begin(), model.working.pixels.end());
  if (!before.opens || (model.offset > 0 && !before.exists)) {
    return false;
  }
  if (model.offset == 0) {
    *after = before.bytes + image;
    return true;
  }
  const std::size_t at = static_cast<std::size_t>(model.offset) * image.size();
  *after = before.bytes;
  if (after->size() < at + image.size()) {
    after->resize(at + image.size(), '\0');
  }
  after->replace(at, image.size(), image);
  return true;
}

bool InViewFrame(layout::ScreenPoint at, std::int64_t x, std::int64_t y) {
  return x >= at.x && y >= at.y && x < at.x + layout::kShownColumns && y < at.y + layout::kShownRows;
}

// The first column (or row) shown stays within the image's edges.
int Clamped(std::int64_t first, int size, std::int64_t cells) {
  return static_cast<int>(std::clamp<std::int64_t>(first, 0, std::max<std::int64_t>(size - cells, 0)));
}

// The wheel over the grid's area: a pitch a notch, from the least to the
// most, the image pixel under the cursor kept where it is as far as the
// image's edges allow.
void FollowWheel(PassModel& model, int notches, std::int64_t x, std::int64_t y) {
  const GridView& view = model.view;
  const int pitch = std::clamp(view.pitch + notches, layout::kLeastPitch, layout::kMostPitch);
  if (notches == 0 || !kGridArea.Contains(x, y) || pitch == view.pitch) {
    return;
  }
  const ModelCell under = GridCellUnder(view, x, y);
  const ModelCell fromOrigin = GridCellUnder(GridView{pitch, 0, 0}, x, y);
  model.view = {
      pitch, Clamped(under.column - fromOrigin.column, model.working.width, layout::kGridAreaWidth / pitch),
      Clamped(under.row - fromOrigin.row, model.working.height, layout::kGridAreaHeight / pitch)};
}

// A drag with the middle button: the image follows the cursor by whole cells.
void FollowPan(PassModel& model, bool middle, std::int64_t x, std::int64_t y) {
  if (!middle) {
    model.panning = false;
    return;
  }
  if (!model.panning) {
    model.panning = true;
    model.panX = x;
    model.panY = y;
    model.panRestX = 0;
    model.panRestY = 0;
    return;
  }
  const int pitch = model.view.pitch;
  model.panRestX += x - model.panX;
  model.panRestY += y - model.panY;
  model.panX = x;
  model.panY = y;
  const std::int64_t columns = model.panRestX / pitch;
  const std::int64_t rows = model.panRestY / pitch;
  model.panRestX -= columns * pitch;
  model.panRestY -= rows * pitch;
  model.view.firstColumn =
      Clamped(model.view.firstColumn - columns, model.working.width, layout::kGridAreaWidth / pitch);
  model.view.firstRow =
      Clamped(model.view.firstRow - rows, model.working.height, layout::kGridAreaHeight / pitch);
}

// The left button as the view sees it: a press in a view's frame takes it
// until it is let go, and while it is taken the grid shows the pixel under
// it in a view in its middle.
void FollowViewPress(PassModel& model, bool left, std::int64_t x, std::int64_t y) {
  if (left && !model.leftWasSeen) {
    model.viewTaken = InViewFrame(layout::kWorkingView, x, y) || InViewFrame(layout::kReferenceView, x, y);
  }
  if (!left) {
    model.viewTaken = false;
  }
  ModelCell pixel{0, 0};
  const int width = model.working.width;
  const int height = model.working.height;
  if (model.viewTaken && (ViewCellUnder(layout::kWorkingView, width, height, x, y, &pixel) ||
                          ViewCellUnder(layout::kReferenceView, width, height, x, y, &pixel))) {
    model.view = CentredOn(model.view, width, height, pixel);
  }
}

// The pen where the left button is down over the painting area and no view took it.
void FollowPen(PassModel& model, bool left, std::int64_t x, std::int64_t y, bool quad, std::uint8_t colour) {
  if (!left) {
    model.penJoined = false;
    return;
  }
  if (model.viewTaken) {
    return;
  }
  if (y >= layout::kPaintBottom) {
    model.penJoined = false;
    return;
  }
  const ModelCell cell = GridCellUnder(model.view, x, y);
  if (model.penJoined) {
    CheckStrokeStep(model, cell, quad, colour);
    model.working = WorkingImage();
  } else {
    PaintPen(model.working, model.view, cell, quad, colour);
  }
  model.penJoined = true;
  model.penCell = cell;
}

void FollowButton(PassModel& model, const Step& step, const PixFileBefore& load, const PixFileBefore& save) {
  switch (step.button) {
    case Button::Load:
      if (load.opens) {
        const std::int64_t start = std::int64_t{step.digit} * model.working.width * model.working.height;
        model.working = ImageInFile(load.bytes, start, model.working.width, model.working.height);
        model.reference = model.working;
        std::string made;
        Check(load.exists || ReadFile(OpenedName(editorState.loadFileName).c_str(), &made),
              "Load did not make its missing file");
      }
      break;
    case Button::Save: {
      std::string expected;
      std::string written;
      const bool saves = SavedFile(model, save, &expected);
      const bool present = ReadFile(OpenedName(editorState.saveFileName).c_str(), &written);
      if (saves) {
        Check(present && written == expected, "Save did not write the working image's bytes");
        model.offset = 0;
      } else {
        Check(present == save.exists && (!present || written == save.bytes),
              "a Save that could not write changed its file");
      }
      break;
    }
    case Button::Clear:
      std::fill(model.working.pixels.begin(), model.working.pixels.end(), 0);
      model.reference = model.working;
      break;
    case Button::Offset:
      model.offset = step.digit;
      break;
    case Button::Quad:
      model.quad ^= 1;
      break;
    case Button::None:
      break;
  }
}

}  // namespace

Step PlanStep(std::uint8_t kind, std::uint8_t a, std::uint8_t b, std::uint8_t c) {
  struct Place {
    Button button;
    int x;
    int y;
  };
  constexpr Place kButtons[] = {{Button::Load, 200, 510},
                                {Button::Save, 320, 510},
                                {Button::Clear, 450, 510},
                                {Button::Offset, 450, 550},
                                {Button::Quad, 320, 550}};
  Step step{true, a * 800 / 256, b * 600 / 256, (c & 1) != 0, (c & 2) != 0};
  switch (kind % 4) {
    case 0:  // anywhere, buttons as given: moving, painting
      // Not a left press on the button bar: Settings would wait for a click
      // on its menu that no step gives, and Quit would end the editor.
      if (step.left && step.y > layout::kButtonHitTop) {
        step.y = layout::kButtonHitTop;
      }
      if ((c & 4) != 0) {
        step.wheel = ((c >> 3) & 7) - 4;
        step.middle = (c & 0x80) != 0;
      }
      break;
    case 1:  // in the editing grid
      step.x = 141 + a * 510 / 256;
      step.y = 6 + b * 390 / 256;
      step.left = true;
      break;
    case 2:  // the right button on the palette panel, or over a view
      if ((c & 4) != 0) {
        const layout::ScreenPoint view = (c & 8) != 0 ? layout::kReferenceView : layout::kWorkingView;
        step.x = view.x + a * layout::kShownColumns / 256;
        step.y = view.y + b * layout::kShownRows / 256;
      } else {
        step.x = 685 + a * 115 / 256;
        step.y = b * 432 / 256;
      }
      step.right = true;
      break;
    default: {  // a button; Load and Offset then read a digit and Enter
      const Place& place = kButtons[a % 5];
      if ((place.button == Button::Load || place.button == Button::Save) &&
          (!StaysInTheFolder(editorState.loadFileName) || !StaysInTheFolder(editorState.saveFileName))) {
        return Step{};
      }
      step = Step{true, place.x, place.y, true, false, place.button, (c % 10 + 1) % 10};
      break;
    }
  }
  return step;
}

Step StillStep() {
  Step still;
  still.queued = true;
  still.x = editorState.cursorX;
  still.y = editorState.cursorY;
  return still;
}

PassModel StartingModel(int width, int height) {
  PassModel model;
  model.working = FilledImage(width, height, 0);
  model.reference = model.working;
  return model;
}

void RunCheckedPass(PassModel& model, const Step& step) {
  const PixFileBefore load = step.button == Button::Load ? LookAt(editorState.loadFileName) : PixFileBefore{};
  const PixFileBefore save = step.button == Button::Save ? LookAt(editorState.saveFileName) : PixFileBefore{};
  const auto colour = static_cast<std::uint8_t>(editorState.currentColor);
  const bool quad = editorState.quadMode == 1;
  const bool left = step.left && !model.taken[0];
  const bool right = step.right && !model.taken[1];
  const bool middle = step.middle && !model.taken[2];
  const int notches = model.wheelTaken ? 0 : step.wheel;
  model.taken[0] = model.taken[0] && step.left;
  model.taken[1] = model.taken[1] && step.right;
  model.taken[2] = model.taken[2] && step.middle;
  model.wheelTaken = false;
  QueueStep(step);
  RunEditorPass();
  Check(plat::headless::KeyboardReadsLeft() == 0, "an entry did not take the digit and Enter typed");
  const std::int64_t x = editorState.cursorX;
  const std::int64_t y = editorState.cursorY;

  FollowWheel(model, notches, x, y);
  FollowViewPress(model, left, x, y);
  FollowPan(model, middle, x, y);
  FollowPen(model, left, x, y, quad, colour);
  FollowButton(model, step, load, save);
  Check(CurrentGridView() == model.view, "the grid's view is not what the pass made");
  Check(SameImage(WorkingImage(), model.working), "the working image is not what the pass made");
  Check(SameImage(ReferenceImage(), model.reference), "the reference image is not what the pass made");
  Check(editorState.offsetNumber == model.offset, "the offset is not what the pass made");
  Check(editorState.quadMode == model.quad, "Quad did not switch the quad pen");
  // The right button over an image area picks the index shown there.
  const bool onPanel = x > layout::kPanelPickLeft && y < layout::kPanelPickBottom;
  if (right && !onPanel && y < layout::kPaintBottom) {
    const int picked = IndexUnder(model.working, model.reference, model.view, x, y);
    Check(editorState.currentColor == (picked >= 0 ? picked : colour),
          "the colour picked is not the index under the cursor");
  }
  CheckImageAreas(model.working, model.reference, model.view, "after a pass");
  model.leftWasDown = step.left;
  model.leftWasSeen = left;
  if (step.button == Button::Load || step.button == Button::Offset) {
    model.taken[0] = true;
    model.taken[1] = true;
    model.taken[2] = true;
    model.wheelTaken = true;
  }
}

}  // namespace pixfuzz
