// Pix image files: raw palette indices, width x height bytes per image.
#pragma once

#include <cstdint>
#include <string>

#include "../platform/display.h"

// What a load or a save did, for the message that tells the user.
struct PixReport {
  // The image a save wrote, counted in images of the current size, and its
  // first byte; image is -1 when an append began inside a part image.
  std::int64_t image = -1;
  std::int64_t byte = 0;
  // The bytes a save wrote: the image's size when it worked.
  std::int64_t written = 0;
  // Why it failed: the system's reason (strerror), or the editor's own.
  std::string reason;
};

// Draws image n of the load file into both views and the grid. On a failure
// to open the file, report (when given) says why.
int LoadPixImage(int n, PixReport* report = nullptr);
int LoadWorkingView(int n);
// Writes the working view into the save file (appended, or over image
// offsetNumber). report (when given) tells what was written, or why not.
int SavePixImage(plat::DrawSurface* surface, PixReport* report = nullptr);
// Writes the working view over image n of the save file, whatever the
// offset, which it leaves as it is: image 0 included, the file's other bytes
// kept, a shorter file grown with zero bytes up to image n, a missing one
// created. The file is replaced whole, never left half-written. 1 when the
// image was written, 0 otherwise; report as for SavePixImage.
int SaveImageInPlace(plat::DrawSurface* surface, std::int32_t n, PixReport* report = nullptr);
// How many whole images of the current size the named file holds; 0 for a
// missing or empty file, or a size of no bytes. The file is only read,
// never created.
std::int64_t WholeImagesIn(const char* name);
