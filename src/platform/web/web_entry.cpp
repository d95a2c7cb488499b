// The program's entry in the browser, and what the page asks of the editor.
#include <emscripten/emscripten.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "../../app/editor_state.h"
#include "../../app/winmain.h"
#include "../system.h"
#include "web_page.h"

namespace {

// Mounted by the page on the browser's storage before the program starts;
// the program's own bitmaps are fetched into the other.
constexpr const char* kWorkingFolder = "/pixed";
constexpr const char* kBitmapFolder = "/bitmaps";
// The mask of a shell: Emscripten's C library starts with every permission
// masked, so a file made anew (an export, a new save file) would get mode 0,
// which the page may not read to download it.
constexpr mode_t kFileMask = 022;

}  // namespace

int main() {
  umask(kFileMask);
  if (chdir(kWorkingFolder) != 0) {
    return 1;
  }
  plat::SetBitmapFolder(kBitmapFolder);
  char commandLine[] = "";
  constexpr int showDefault = 10;
  const int status = WinMain(plat::GetModuleHandleA(nullptr), nullptr, commandLine, showDefault);
  plat::web::page::Ended(status);
  return status;
}

// The image size the editor loads and saves with, for the page's checks of
// imported files.
extern "C" EMSCRIPTEN_KEEPALIVE int pixed_web_image_width() {
  return editorState.width;
}

extern "C" EMSCRIPTEN_KEEPALIVE int pixed_web_image_height() {
  return editorState.height;
}

// The save file's name as it stands (its 25 bytes need not hold a zero).
extern "C" EMSCRIPTEN_KEEPALIVE const char* pixed_web_save_name() {
  static char name[sizeof editorState.saveFileName + 1];
  std::memcpy(name, editorState.saveFileName, sizeof editorState.saveFileName);
  name[sizeof editorState.saveFileName] = '\0';
  return name;
}
