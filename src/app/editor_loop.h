// The editor's main loop.
#pragma once

// Runs passes until WM_QUIT is taken or a pass ends with Quit pending.
void RunEditorLoop();
// One pass; false when the loop is to end. Exposed for benchmarks.
bool RunEditorPass();
