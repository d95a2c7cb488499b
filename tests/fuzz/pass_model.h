// Editor passes driven by the mouse and checked against the fuzz target's own
// model of what each pass does: the pen painting in the grid, a press in a
// view moving the grid there, the wheel zooming the grid about the cursor,
// a drag with the middle button panning it, a colour picked from the image,
// and the bar's
// Load, Save, Clear, Offset and Quad (Load and Offset with a digit and Enter
// typed). After every pass the images in memory, the grid's view, the offset,
// the quad pen and a colour picked from the image are what the model says,
// and the screen shows the images as image_model.h says. A pass that starts a
// stroke paints exactly the pen's pixels; a stroke's later pass paints the
// pen's pixels at its end and nothing off the way from the pass before.
#pragma once

#include <cstdint>

#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "image_model.h"

namespace pixfuzz {

enum class Button { None, Load, Save, Clear, Offset, Quad };

// One pass's input: where the cursor goes, the mouse buttons held, the
// wheel's notches, the bar button pressed and the digit typed after Load or
// Offset. Not queued: the mouse's script has run out (it holds still, its
// buttons up).
struct Step {
  bool queued = false;
  int x = 0;
  int y = 0;
  bool left = false;
  bool right = false;
  Button button = Button::None;
  int digit = 0;
  bool middle = false;
  int wheel = 0;
};

// The step four bytes give: the mouse anywhere (no left press on the bar;
// the middle button and the wheel as given),
// the left button in the grid, the right button on the palette panel or
// over a view, or a bar button (none when Load or Save would open a name
// that leads out of the working folder).
Step PlanStep(std::uint8_t kind, std::uint8_t a, std::uint8_t b, std::uint8_t c);
// The mouse at the cursor, both buttons up.
Step StillStep();

// What the editor should hold after each pass.
struct PassModel {
  IndexImage working;
  IndexImage reference;
  GridView view;
  int offset = 0;
  int quad = 0;
  // The left button at the previous pass: down as the mouse gave it, taken
  // by a view (a press in a view's frame, until let go), the pen joining the
  // next pass to its pixel.
  bool leftWasDown = false;
  bool leftWasSeen = false;
  bool viewTaken = false;
  bool penJoined = false;
  ModelCell penCell{0, 0};
  // A drag with the middle button: where the cursor was, and the screen
  // pixels moved that have not yet made a whole cell.
  bool panning = false;
  std::int64_t panX = 0;
  std::int64_t panY = 0;
  std::int64_t panRestX = 0;
  std::int64_t panRestY = 0;
  // The mouse's buttons (left, right, middle) as an entry (Load, Offset)
  // left them: the loop takes no press of them until it has seen them up,
  // and drops the wheel turned meanwhile.
  bool taken[3] = {false, false, false};
  bool wheelTaken = false;
};

// A new run at width x height: both images black, the grid at its start view.
PassModel StartingModel(int width, int height);
// One pass of the editor with step's input, checked against the model, which it moves on.
void RunCheckedPass(PassModel& model, const Step& step);

}  // namespace pixfuzz
