// The backend's calls into the page's script (pixed_page.js), which owns the
// canvas, the toolbar, the sounds and the browser's storage.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat::web::page {

// Puts the canvas at (x, y) in the page's area below the toolbar, w x h
// device pixels, and draws the last frame again at that size: drawn at
// factor times with nearest sampling first, then fitted with linear filtering.
void PlaceCanvas(int x, int y, int w, int h, int factor);
// Draws the screen's RGBA pixels (kScreenWidth x kScreenHeight) on the canvas; the page keeps a copy to draw
// again when its size changes. wholePassDrawn: the editor's first pass has
// drawn the whole screen by now (the page times its first screen by it).
void ShowFrame(const std::uint32_t* pixels, bool wholePassDrawn);
// Gives control to the browser for ms milliseconds (0: just long enough for
// it to handle what waits), ending early at input when wakeOnInput is set.
// Returns the milliseconds it took.
double Wait(double ms, bool wakeOnInput);
// Plays a RIFF WAVE file, cutting off the sound still playing; silent until
// the user's first press on the page, as browsers require.
void PlaySound(int id, const std::uint8_t* data, std::size_t size);
// Files of the working folder may have changed: the page writes them to the
// browser's storage.
void StoreFiles();
// The editor has ended with this exit status.
void Ended(int status);
// The passes asked for by the page's address (?passes=N), 0 for none.
long PassesWanted();
// A line for the page and the browser's console.
void Report(const char* text);
// Takes the browser's lock of this name for as long as the page lives: false
// when another tab of the site holds it. Where the browser has no such locks,
// true.
bool TakeLock(const char* name);

}  // namespace plat::web::page
