// The artist's tools: which one is in use, and what the left button does
// with it. Each tool is a press, a drag and a release, chosen at the press.
#pragma once

enum class Tool {
  Pen,  // the single or the quad pen, as the Quad button says
  Fill,
  Line,
  Rectangle,
  Ellipse,
};

// Back to the pen, rectangles and ellipses outlined, nothing dragged. Called
// at every start of the editor.
void ResetTools();

// Chooses a tool. Choosing the rectangle or the ellipse while it is in use
// switches it between outlined and filled. Not while the left button is down.
void ChooseTool(Tool tool);
Tool CurrentTool();
// Whether the rectangle, or the ellipse, is drawn filled.
bool ToolFilled(Tool tool);

// The main loop's calls, once a pass: with the left button down (a press
// when it was up at the previous pass, else a drag), and with it up (the
// release, at the first such pass).
void PressOrDragTool();
void ReleaseTool();
// True while a line, rectangle or ellipse is dragged: its preview is on the
// screen, and the button bar takes no press.
bool ShapeBeingDragged();
