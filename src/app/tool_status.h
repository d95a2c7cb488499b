// The status of the tools, right of the colour number on the status line: a
// swatch of the current colour and the name of the tool in use.
#pragma once

// The name the status shows for the tool in use: "Pen", "Quad pen", "Fill",
// "Line", "Rectangle", "Filled rectangle", "Ellipse", "Filled ellipse".
const char* ToolStatusName();
// Draws the status; every pass does, as it draws the other texts.
void DrawToolStatus();
