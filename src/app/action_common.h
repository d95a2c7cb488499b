// Small steps shared by the button actions and the settings menu.
#pragma once

#include <cstdint>

#include "../canvas/screen_colours.h"
#include "../canvas/screen_layout.h"
#include "../platform/platform_types.h"

// Red prompts and white values, in the inks the palette in force gives them.
inline const plat::COLORREF& kPromptColour = kRedInk;
inline const plat::COLORREF& kValueColour = kWhiteInk;

// Plays a WAVE resource of the program (clickSound or savedSound), not waiting for it.
void PlayProgramSound(int resource);
// The click and the pressed image with which every action begins.
void PressButton(const char* pressedBitmap, layout::ScreenPoint at);
// The widest image width or height: three digits.
constexpr int kSizeCells = 3;

// A value written back into its text field: "%d" in white at (x, y), padded
// with blanks to the cells of the widest value the field shows.
void DrawNumberAt(std::int32_t value, int cells, layout::ScreenPoint at);
// A red prompt on the prompt line.
void DrawPrompt(const char* prompt);
