// Small steps shared by the button actions and the settings menu.
#include "app/action_common.h"

#include <cstdio>

#include "app/editor_state.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "platform/system.h"

void PlayProgramSound(int resource) {
  plat::PlaySoundA(resource, editorState.instanceHandle, plat::SND_RESOURCE | plat::SND_ASYNC);
}

void PressButton(const char* pressedBitmap, layout::ScreenPoint at) {
  PlayProgramSound(clickSound);
  DrawBitmapFile(displayDevice.primarySurface, at.x, at.y, pressedBitmap);
}

void DrawNumberAt(std::int32_t value, int cells, layout::ScreenPoint at) {
  std::snprintf(textLine, sizeof textLine, "%d", value);
  PadToCells(textLine, sizeof textLine, cells);
  DrawTextAt(textLine, at.x, at.y, kValueColour, displayDevice.primarySurface);
}

void DrawPrompt(const char* prompt) {
  DrawTextAt(prompt, layout::kPrompt.x, layout::kPrompt.y, kPromptColour, displayDevice.primarySurface);
}
