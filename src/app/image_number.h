// "Pix number:" with the image number and the count of whole images in the
// load file ("3 of 12"), in the corner below the palette panel.
#pragma once

#include <cstdint>
#include <string>

// Forgets what was shown and counted: the start of every run.
void ResetImageNumber();
// A Load or a step: shows "Pix number:" with the image number, from now on
// until Clear.
void ShowImageNumber();
// Clear blanked the screen: the number stays off it until the next Load.
void HideImageNumber();
// A save may have changed the load file: it is counted again.
void ImageCountMayHaveChanged();
// Counts what may have changed the load file's images (saves, loads), for
// what shows them to know when to read them again.
std::uint64_t LoadFileChanges();
// Once a pass: counts the load file again when its name or the size changed
// (or a save asked for it), and redraws the number where it changed.
void FollowImageNumber();
// The whole images of the current size in the load file, counted when
// anything that changes it happened; the file is never created.
std::int64_t LoadFileImageCount();

// The lines the number and the count take ("3 of 12", or "-2147483648 of"
// and "12" when both do not fit on one line); the second empty when one does.
struct ImageNumberLines {
  std::string value;
  std::string count;
};
ImageNumberLines FormatImageNumber(std::int32_t number, std::int64_t count);
