// The program-wide state and the display and input object slots.
#include "editor_state.h"

#include <cstring>

#include "app/editor_hits.h"
#include "app/key_list.h"
#include "app/onion_skin.h"
#include "app/view_keys.h"
#include "canvas/drawing_aids.h"
#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/palette_panel.h"
#include "canvas/tools.h"
#include "draw/image_areas.h"
#include "edit_history.h"
#include "unsaved_work.h"

EditorState editorState;
DisplayDevice displayDevice;
InputDevices inputDevices;
plat::DDSURFACEDESC2 surfaceDesc = {};
PaletteTable paletteTable = {};
char textLine[80] = {};

WorkRecord CurrentWorkRecord() {
  WorkRecord record;
  record.width = editorState.width;
  record.height = editorState.height;
  record.pixNumber = editorState.pixNumber;
  std::memcpy(record.loadFileName, editorState.loadFileName, kNameBytes);
  std::memcpy(record.saveFileName, editorState.saveFileName, kNameBytes);
  return record;
}

void TakeWorkRecord(const WorkRecord& record) {
  editorState.width = record.width;
  editorState.height = record.height;
  editorState.pixNumber = record.pixNumber;
  std::memcpy(editorState.loadFileName, record.loadFileName, kNameBytes);
  std::memcpy(editorState.saveFileName, record.saveFileName, kNameBytes);
}

void ResetEditorState() {
  editorState = EditorState{};
  displayDevice = DisplayDevice{};
  inputDevices = InputDevices{};
  surfaceDesc = plat::DDSURFACEDESC2{};
  std::memset(paletteTable, 0, sizeof paletteTable);
  std::memset(textLine, 0, sizeof textLine);
  ResetEditing();
  ForgetRecovery();
}

void ResetEditing() {
  StartEditHistory();
  ResetImages();
  ResetGridView();
  ResetImageAreas();
  ResetViewMouse();
  ResetTools();
  ResetKeyList();
  ResetPalettePanel();
  RearmButtonBar();
  ResetOnionSkin();
  ResetAids();
}
