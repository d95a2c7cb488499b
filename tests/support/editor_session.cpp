// Running the editor pass by pass on the headless backend.
#include "editor_session.h"

#include "app/devices.h"
#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "app/winmain.h"
#include "file_bytes.h"
#include "platform/headless/headless.h"
#include "platform/window.h"
#include "program_run.h"

namespace pixtest {

bool WriteDefaultSettingsFiles() {
  return WriteFileBytes("SaveName.dat", NameFileBytes("test1.pix")) &&
         WriteFileBytes("LoadName.dat", NameFileBytes("test1.pix")) &&
         WriteFileBytes("SaveSize.dat", Bytes{102, 78});
}

bool StartEditor() {
  FreshMachine();
  return OpenTestWindow() && InitDevices() == 1;
}

void StopEditor() {
  ShutdownApp();
  if (plat::headless::WindowAlive()) {
    plat::DestroyWindow(editorState.windowHandle);
  }
}

// The queued state keeps Escape up at the pass's first step: the headless
// backend only presses it once every script has run out.
bool Pass(int dx, int dy, bool left, bool right) {
  plat::headless::QueueMouse(dx, dy, left, right);
  return RunEditorPass();
}

bool PassAt(int x, int y, bool left, bool right) {
  return Pass(x - editorState.cursorX, y - editorState.cursorY, left, right);
}

void IdlePasses(int count) {
  for (int i = 0; i < count; ++i) {
    Pass(0, 0, false, false);
  }
}

void Chord(std::initializer_list<int> keys) {
  plat::headless::HoldKeys(keys);
  IdlePasses(1);
  plat::headless::HoldKeys({});
  IdlePasses(1);
}

void Key(int key) {
  Chord({key});
}

}  // namespace pixtest
