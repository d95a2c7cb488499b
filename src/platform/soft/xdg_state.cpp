// Where the XDG base directory rules put a program's state on Linux.
#include "xdg_state.h"

namespace plat::soft {
namespace {

bool Absolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

// Without the trailing slashes, so that no "//" appears in the paths made from it.
std::string Trimmed(const char* path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') {
    trimmed.pop_back();
  }
  return trimmed == "/" ? std::string() : trimmed;
}

}  // namespace

std::string XdgStateFolder(const char* stateHome, const char* home) {
  if (Absolute(stateHome)) {
    return Trimmed(stateHome) + "/pixed";
  }
  if (Absolute(home)) {
    return Trimmed(home) + "/.local/state/pixed";
  }
  return {};
}

}  // namespace plat::soft
