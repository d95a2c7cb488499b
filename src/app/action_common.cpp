// Small steps shared by the button actions and the settings menu.
#include "app/action_common.h"

#include <cstdio>

#include "app/editor_state.h"
#include "draw/primitives.h"
#include "platform/system.h"

void PlayProgramSound(int resource) {
  plat::PlaySoundA(resource, editorState.instanceHandle, plat::SND_RESOURCE | plat::SND_ASYNC);
}

void PressButton(const char* pressedBitmap, int x, int y) {
  PlayProgramSound(clickSound);
  DrawBitmapFile(displayDevice.primarySurface, x, y, pressedBitmap);
}

void DrawNumberAt(std::int32_t value, int cells, int x, int y) {
  std::snprintf(textLine, sizeof textLine, "%d", value);
  PadToCells(textLine, sizeof textLine, cells);
  DrawTextAt(textLine, x, y, kValueColour, displayDevice.primarySurface);
}

void DrawPrompt(const char* prompt) {
  DrawTextAt(prompt, 420, 410, kPromptColour, displayDevice.primarySurface);
}
