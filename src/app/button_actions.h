// The six button actions, the settings menu, and their dispatch with Ctrl+N's.
#pragma once

#include <cstdint>

#include "../storage/pix_file.h"

void LoadAction();
void SaveAction();
void ClearAction();
void QuitAction();
void SettingsAction();
void OffsetAction();
// Carries out pendingAction; nothing for None.
void CarryOutAction();

// Loads image n of the load file as Load does, once its number is chosen (by
// the entry or a frame key): "Pix number:" shows it, the load is one step of
// the history, and the work counts as saved when the image was drawn (or was
// saved before). LoadPixImage's result; report says why a load failed.
int LoadImageAsStep(std::int32_t n, PixReport* report);
// The same within a step the caller has begun; wasSaved: whether the work
// was saved before it.
int LoadImageIntoStep(std::int32_t n, bool wasSaved, PixReport* report);
// After a Save or Ctrl+S that wrote the image: the saved sound, the message,
// and the work saved. After one that did not: its message alone.
void SaveFinished(bool worked, const PixReport& report);
