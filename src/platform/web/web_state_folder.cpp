// The browser's state folder: inside the working folder's storage, which the
// page writes to IndexedDB whenever a file of it changes, so the copy outlives
// a closed, crashed or discarded tab.
#include <string>

#include "../soft/backend.h"
#include "web_page.h"

namespace plat::backend {

std::string StateFolder() {
  // A folder, so that the page's list of files (the working folder's own
  // files) leaves it out; the dot keeps it from an imported file's name.
  return "/pixed/.recovery";
}

int StateFolderFault(StateFileWork /*work*/) {
  return 0;
}

// Every tab of the site keeps its files in one storage, and each has a
// file system of its own in memory: a lock file there keeps nothing from
// another tab. The browser's own locks do, and give a lock back when its tab
// closes, crashes or is discarded.
bool TakeSharedLock(const std::string& path) {
  return web::page::TakeLock(path.c_str());
}

}  // namespace plat::backend
