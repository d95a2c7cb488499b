// The bitmap folders' reports of change in the browser. The page's file store changes only
// through the page's own code: the program's writes, and the files the page imports or fetches
// (pixed_page.js, which calls pixed_web_files_changed). Counting those is watching the folders.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

#include "../soft/folder_watch.h"

namespace plat::soft {

namespace {

std::uint64_t changes = 1;

void CountFileChange() {
  ++changes;
}

}  // namespace

std::uint64_t BitmapFolderChanges(const std::string& /*programFolder*/) {
  return changes;
}

void StopWatchingBitmapFolders() {
  CountFileChange();
}

// The program writes a file whole between its opening and its closing, with nothing drawn in
// between: counted at the opening, the change is seen by the next draw.
void FileWriteBegins() {
  CountFileChange();
}

}  // namespace plat::soft

// The page has written files into the store.
extern "C" EMSCRIPTEN_KEEPALIVE void pixed_web_files_changed() {
  plat::soft::CountFileChange();
}
