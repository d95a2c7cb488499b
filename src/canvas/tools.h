// The artist's tools. Each tool is one record: the key that chooses it, its
// name on the status line, its line in F1's list, and what the left button
// does with it: a press, a drag and a release. A new tool is a file of its
// own holding its record, and a row of the tool table (tool_table.cpp).
#pragma once

#include <span>

#include "canvas/shapes.h"

struct ToolRecord {
  int key;              // the virtual key that chooses it
  bool shift;           // with Shift held
  const char* keys;     // the key as F1's list writes it
  const char* meaning;  // and what it does
  // Its name on the status line as it stands ("Filled rectangle").
  const char* (*name)();
  // Chosen; again when it was in use already (the rectangle switches
  // between outlined and filled).
  void (*chosen)(bool again);
  // The left button: a press (down where it was up), each further pass it
  // is held (a drag), and the first pass it is up again (the release).
  void (*press)();
  void (*drag)();
  void (*release)();
  // Back to how a run starts.
  void (*reset)();
};

// The tools in the order F1's list names them; the pen first.
std::span<const ToolRecord* const> ToolTable();
// The tool chosen by a key (with Shift or not); null when none is.
const ToolRecord* ToolWithKey(int key, bool shift);

// Back to the pen, each tool as a run starts. Called at every start.
void ResetTools();
// Chooses a tool, not while the left button is down.
void ChooseTool(const ToolRecord& tool);
const ToolRecord& CurrentTool();

// The main loop's calls, once a pass: with the left button down (a press
// when it was up at the previous pass, else a drag), and with it up (the
// release, at the first such pass).
void PressOrDragTool();
void ReleaseTool();
// Whether the left button's press went to the tool and is held still.
bool ToolHeld();

// For the tools' own files: the image pixel under the cursor, and whether it
// is one of the image's that the grid shows, under the painting area.
ImageCell CursorCell();
bool OverImageInGrid();
