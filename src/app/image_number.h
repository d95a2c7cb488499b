// "Pix number:" with the image number and the count of whole images in the
// load file ("3 of 12"), in the corner below the palette panel.
#pragma once

#include <cstdint>
#include <string>

// Whether the image being edited is image editorState.pixNumber of the
// files: it is from a Load, a step, or a save that wrote it as that number,
// until the next Clear, size change or new file; it is not at the start nor
// after a recovery copy is put back (the copy does not tell). "Pix number:"
// shows the number exactly while it is, and Ctrl+S writes over that image
// only then (else it appends), so no image of a file is ever replaced by
// one that was not it.

// Forgets what was shown and counted: the start of every run.
void ResetImageNumber();
// The image is image pixNumber of the files: "Pix number:" shows it.
void ShowImageNumber();
// The image is none of the files' (Clear, a size change, a new file): the
// number goes off the screen until the next Load, step or save.
void HideImageNumber();
// True while the image is image pixNumber of the files.
bool ImageNumberShown();
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
