// Pix image files: raw palette indices, width x height bytes per image.
#pragma once

#include <cstdint>
#include <string>

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

// Reads image n of the load file into the working and the reference image
// (bytes past the file's end read as 255; a missing file is created empty).
// On a failure to open the file, report (when given) says why, and the
// images are left as they were.
int LoadPixImage(int n, PixReport* report = nullptr);
// Writes the working image's own indices into the save file (appended, or
// over image offsetNumber). report (when given) tells what was written, or
// why not.
int SavePixImage(PixReport* report = nullptr);
// Writes the working image over image n of the save file, whatever the
// offset, which it leaves as it is: image 0 included, the file's other bytes
// kept, a shorter file grown with zero bytes up to image n, a missing one
// created. The file is replaced whole, never left half-written. 1 when the
// image was written, 0 otherwise; report as for SavePixImage.
int SaveImageInPlace(std::int32_t n, PixReport* report = nullptr);
// Writes the working image after the last byte of the save file (a missing
// one is created), replacing the file whole as SaveImageInPlace does: the
// file's own bytes stay as they were. 1 when the image was written, 0
// otherwise; report as for SavePixImage (its image is -1 when the file
// ended inside a part image).
int AppendImageWhole(PixReport* report = nullptr);
// How many whole images of the current size the named file holds; 0 for a
// missing or empty file, or a size of no bytes. The file is only read,
// never created.
std::int64_t WholeImagesIn(const char* name);
