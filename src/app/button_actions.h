// The six button actions and the settings menu.
#pragma once

void LoadAction();
void SaveAction();
void ClearAction();
void QuitAction();
void SettingsAction();
void OffsetAction();
// Carries out pendingAction (1 to 6); nothing for None.
void CarryOutAction();
