// The Linux program's state folder, by the XDG base directory rules.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "../soft/backend.h"
#include "../soft/xdg_state.h"

namespace plat::backend {

std::string StateFolder() {
  const char* home = std::getenv("HOME");
  // A session without HOME (a service, a bare sudo) still has the user's home.
  std::string fromPasswd;
  if (home == nullptr || home[0] != '/') {
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr) {
      fromPasswd = found->pw_dir;
      home = fromPasswd.c_str();
    }
  }
  return soft::XdgStateFolder(std::getenv("XDG_STATE_HOME"), home);
}

int StateFolderFault(StateFileWork /*work*/) {
  return 0;
}

bool TakeSharedLock(const std::string& /*path*/) {
  return true;
}

}  // namespace plat::backend
