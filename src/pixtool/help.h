// pixtool's help texts.
#pragma once

#include "pixtool/options.h"

namespace pixtool {

// The help of one command, or the overview for Command::None.
const char* HelpText(Command command);

}  // namespace pixtool
