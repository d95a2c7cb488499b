// What the user is told after a save or a load: one function per outcome,
// so that whatever else follows an outcome joins it there.
#pragma once

#include <string>

#include "../storage/pix_file.h"

// A save (Save or Ctrl+S) wrote the whole image: "Saved image 3 of walk.pix".
void ImageSaved(const char* fileName, const PixReport& report);
// A save wrote nothing, or less than the image: why, on the screen and on
// the standard error.
void ImageNotSaved(const char* fileName, const PixReport& report);
// A load could not open its file: why, the same way.
void LoadFileNotOpened(const char* fileName, const PixReport& report);
// An export (Ctrl+Shift+E) wrote its files: which.
void ExportDone(const std::string& text);
// An export wrote nothing, or not all: why, on the screen and on the standard error.
void ExportFailed(const std::string& text);

// True when a save's result and report say that the whole image was written.
bool SaveWorked(int result, const PixReport& report);
