// Where the XDG base directory rules put a program's state on Linux.
#pragma once

#include <string>

namespace plat::soft {

// stateHome/pixed when XDG_STATE_HOME (stateHome) is an absolute path; a
// relative or empty one counts as unset, and home/.local/state/pixed is
// taken then, home being absolute too. Empty when neither gives a folder.
std::string XdgStateFolder(const char* stateHome, const char* home);

}  // namespace plat::soft
