// Saving pix images: the working image's own palette indices, one byte a pixel.
#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include "app/editor_state.h"
#include "canvas/image_store.h"
#include "platform/system.h"
#include "storage/pix_file.h"
#include "storage/pix_layout.h"
#include "storage/pix_report.h"

using pixfile::FileName;
using pixfile::ImagePosition;
using pixfile::kNoPosition;
using pixfile::TerminatedName;

namespace {

// Writes the working image; false (errno set) when a write failed.
bool WriteImage(const IndexImage& image, std::FILE* file) {
  return image.pixels.empty() ||
         std::fwrite(image.pixels.data(), 1, image.pixels.size(), file) == image.pixels.size();
}

// The length of an open file, or -1 when it cannot be told.
std::int64_t FileLength(std::FILE* file) {
  if (file == nullptr || fseeko(file, 0, SEEK_END) != 0) {
    return -1;
  }
  return static_cast<std::int64_t>(ftello(file));
}

// The bytes of an image slot that an overwrite is about to replace: from
// position to the end of the image or of the file, whichever comes first.
struct OldSlot {
  std::int64_t position = 0;
  std::size_t count = 0;
  std::unique_ptr<std::uint8_t[]> bytes;
};

// False when they cannot be read (and so could not be put back).
bool ReadOldSlot(std::FILE* file, std::int64_t position, std::int64_t oldLength, OldSlot* old) {
  const std::int64_t imageBytes =
      std::int64_t{std::max(editorState.width, 0)} * std::int64_t{std::max(editorState.height, 0)};
  const std::int64_t count = std::clamp<std::int64_t>(oldLength - position, 0, imageBytes);
  old->position = position;
  old->count = static_cast<std::size_t>(count);
  if (count == 0) {
    return true;
  }
  old->bytes.reset(new (std::nothrow) std::uint8_t[old->count]);
  return old->bytes != nullptr && fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0 &&
         std::fread(old->bytes.get(), 1, old->count, file) == old->count;
}

void RestoreOldSlot(const char* name, const OldSlot& old) {
  if (old.count == 0) {
    return;
  }
  std::FILE* file = plat::OpenFile(name, "r+b");
  if (file == nullptr) {
    return;
  }
  if (fseeko(file, static_cast<off_t>(old.position), SEEK_SET) == 0) {
    std::fwrite(old.bytes.get(), 1, old.count, file);
  }
  std::fclose(file);
}

}  // namespace

int SavePixImage(PixReport* report) {
  PixReport unused;
  PixReport& out = report != nullptr ? *report : unused;
  out = PixReport{};
  FileName name = TerminatedName(editorState.saveFileName);
  std::FILE* file = nullptr;
  std::int64_t oldLength = -1;
  std::int64_t position = 0;
  OldSlot old;
  if (editorState.offsetNumber > 0) {
    // Over image slot offsetNumber of an existing file.
    position = ImagePosition(editorState.offsetNumber);
    errno = 0;
    if (position != kNoPosition) {
      file = plat::OpenFile(name.text, "r+b");
    }
    oldLength = FileLength(file);
    if (file != nullptr && (oldLength < 0 || !ReadOldSlot(file, position, oldLength, &old) ||
                            fseeko(file, static_cast<off_t>(position), SEEK_SET) != 0)) {
      const int error = errno;
      std::fclose(file);
      file = nullptr;
      errno = error != 0 ? error : EIO;
    }
    if (position == kNoPosition) {
      out.reason = NoSuchImage(editorState.offsetNumber);
    }
  } else if (editorState.offsetNumber == 0) {
    file = plat::OpenFile(name.text, "a+b");
    oldLength = FileLength(file);
    position = oldLength;
  } else {
    out.reason = NoSuchOffset(editorState.offsetNumber);
  }
  if (file == nullptr) {
    if (out.reason.empty()) {
      out.reason = ReasonOf(errno);
    }
    return 0;
  }
  const IndexImage& image = WorkingImage();
  errno = 0;
  bool written = WriteImage(image, file);
  int error = errno;
  // A full disk often shows only when the buffer is flushed at the close.
  bool closed = std::fclose(file) == 0;
  if (written && !closed) {
    error = errno;
  }
  if (!written || !closed) {
    // Half an image at the end would shift every image saved after it: give
    // the file back its old length. Then put back the old bytes of the slot
    // that the failed write covered, read for that before writing.
    if (oldLength >= 0) {
      plat::TruncateFile(name.text, oldLength);
    }
    RestoreOldSlot(name.text, old);
    out.reason = ReasonOf(error != 0 ? error : EIO);
    return 0;
  }
  editorState.offsetNumber = 0;
  DescribeWrite(position, static_cast<std::int64_t>(image.pixels.size()), out);
  return 1;
}
