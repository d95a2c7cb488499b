// The headless display shared by the benchmarks.
#pragma once

#include "app/editor_state.h"

namespace pixbench {

// The display alone (800 x 600 x 8 with the program's palette, logging off),
// unless another benchmark has already started the editor: then its screen is
// used as it is, so that its own benchmarks go on working. False on failure.
bool OpenDisplay();

}  // namespace pixbench
