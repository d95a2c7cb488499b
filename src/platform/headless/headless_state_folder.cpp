// The headless backend's state folder: where a test points it, failing as a
// test asks.
#include <cerrno>
#include <string>

#include "../soft/backend.h"
#include "headless.h"
#include "machine.h"

namespace plat::headless {

void SetStateFolder(const std::string& path) {
  TheMachine().stateFolder = path;
}

void SetStateFolderFault(DiskFault fault) {
  TheMachine().stateFault = fault;
}

}  // namespace plat::headless

namespace plat::backend {

std::string StateFolder() {
  return headless::TheMachine().stateFolder;
}

int StateFolderFault(StateFileWork work) {
  switch (headless::TheMachine().stateFault) {
    case headless::DiskFault::ReadOnly:
      return EROFS;
    case headless::DiskFault::Full:
      return work == StateFileWork::Replace ? ENOSPC : 0;
    case headless::DiskFault::FolderReadOnly:
      return work == StateFileWork::Lock || work == StateFileWork::Mark ? 0 : EACCES;
    case headless::DiskFault::None:
      break;
  }
  return 0;
}

bool TakeSharedLock(const std::string& /*path*/) {
  return true;
}

}  // namespace plat::backend
