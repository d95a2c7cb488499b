// The browser's state folder: inside the working folder's storage, which the
// page writes to IndexedDB whenever a file of it changes, so the copy outlives
// a closed, crashed or discarded tab.
#include <string>

#include "../soft/backend.h"

namespace plat::backend {

std::string StateFolder() {
  // A folder, so that the page's list of files (the working folder's own
  // files) leaves it out; the dot keeps it from an imported file's name.
  return "/pixed/.recovery";
}

int StateFolderFault(StateFileWork /*work*/) {
  return 0;
}

}  // namespace plat::backend
