// The program-wide state and the display and input objects.
#pragma once

#include <cstdint>

#include "../platform/display.h"
#include "../platform/input.h"
#include "../platform/platform_types.h"
#include "../storage/work_record.h"

// The action chosen in the current pass: a button of the bar, or Ctrl+N.
enum class ButtonAction : std::int32_t {
  None = 0,
  Load = 1,
  Save = 2,
  Clear = 3,
  Quit = 4,
  Settings = 5,
  Offset = 6,
  NewFile = 7,
};

struct EditorState {
  plat::HINSTANCE instanceHandle = nullptr;
  plat::HWND windowHandle = nullptr;
  std::int32_t cursorX = 0;
  std::int32_t cursorY = 0;
  plat::DIMOUSESTATE mouseState = {};
  std::int32_t currentColor = 255;
  std::int32_t quadMode = 0;
  std::int32_t clickArmed = 1;
  ButtonAction pendingAction = ButtonAction::None;
  std::int32_t pixNumber = 0;
  std::int32_t offsetNumber = 0;
  std::int32_t width = 102;
  std::int32_t height = 78;
  std::int32_t previousWidth = 0;
  std::int32_t previousHeight = 0;
  char loadFileName[kNameBytes] = "test1.pix";
  char saveFileName[kNameBytes] = "test1.pix";
  // Changes of the images so far: every step begun (BeginImageStep), undone
  // or redone. The recovery copy is written again when it moved on.
  std::uint64_t imageChanges = 0;
  // The history's number of the images' state at the last save or load
  // (ImageStateId): the work is unsaved while the images are in another.
  std::uint64_t savedStateId = 0;
};

struct DisplayDevice {
  plat::DirectDraw* directDraw = nullptr;
  plat::DrawSurface* primarySurface = nullptr;
  plat::DrawSurface* backBuffer = nullptr;
  plat::DrawPalette* palette = nullptr;
};

struct InputDevices {
  plat::DirectInput* directInput = nullptr;
  plat::InputDevice* keyboard = nullptr;
  plat::InputDevice* mouse = nullptr;
};

using PaletteTable = plat::PALETTEENTRY[256];

extern EditorState editorState;
extern DisplayDevice displayDevice;
extern InputDevices inputDevices;
// Filled to create the primary surface, and by every lock of it afterwards.
extern plat::DDSURFACEDESC2 surfaceDesc;
extern PaletteTable paletteTable;
// Every text is formatted here just before it is drawn: 79 characters at most.
extern char textLine[80];

// Sounds of the program's own resources.
constexpr int clickSound = 8001;
constexpr int savedSound = 8002;

// Back to the values a new run starts with (tests run WinMain many times).
void ResetEditorState();
// The editing's own state as a run starts: the images, the view, the
// history, the tools, the lists and layers over the image.
void ResetEditing();

// The work's record as the state has it now, and the state set from one.
WorkRecord CurrentWorkRecord();
void TakeWorkRecord(const WorkRecord& record);
