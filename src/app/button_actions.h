// The six button actions and the settings menu.
#pragma once

#include <cstdint>

#include "../storage/pix_file.h"

void LoadAction();
void SaveAction();
void ClearAction();
void QuitAction();
void SettingsAction();
void OffsetAction();
// Carries out pendingAction (1 to 6); nothing for None.
void CarryOutAction();

// Loads image n of the load file as Load does, once its number is chosen (by
// the entry or a frame key): "Pix number:" shows it, the load is one step of
// the history, and the work counts as saved when the image was drawn (or was
// saved before). LoadPixImage's result; report says why a load failed.
int LoadImageAsStep(std::int32_t n, PixReport* report);
// After a Save or Ctrl+S that wrote the image: the saved sound, the message,
// and the work saved. After one that did not: its message alone.
void SaveFinished(bool worked, const PixReport& report);
