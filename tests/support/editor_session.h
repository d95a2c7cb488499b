// Running the editor pass by pass on the headless backend, with the screen open to inspection.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace pixtest {

// Writes "SaveName.dat", "LoadName.dat" and "SaveSize.dat" holding the
// defaults into the current folder, so start-up shows no messages.
bool WriteDefaultSettingsFiles();

// A fresh machine, then what WinMain does before its loop: the window class,
// the window and InitDevices. False when any of them failed.
bool StartEditor();
// ShutdownApp and the window's end; the screen is gone afterwards.
void StopEditor();

// One pass of the main loop with the given mouse state read in it. Returns RunEditorPass's answer: false when
// the loop would end.
bool Pass(int dx, int dy, bool left, bool right = false);
// One pass that moves the cursor to (x, y) from where it is (the clamp still applies).
bool PassAt(int x, int y, bool left, bool right = false);
// Passes with the mouse still and both buttons up.
void IdlePasses(int count);
// The keys (virtual keys) down for one idle pass, then up for one.
void Chord(std::initializer_list<int> keys);
void Key(int key);

}  // namespace pixtest
