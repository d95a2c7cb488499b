// Loading pix images: the file's palette indices read into the images in memory.
#include "storage/pix_file.h"

#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "app/editor_state.h"
#include "canvas/image_store.h"
#include "platform/system.h"
#include "storage/pix_layout.h"
#include "storage/pix_report.h"

using pixfile::FileName;
using pixfile::ImagePosition;
using pixfile::kNoPosition;
using pixfile::TerminatedName;

namespace {

// A seek the file system refuses (past its largest file) would leave the
// stream at byte 0 and show image 0; that image lies past the end just the
// same. Bytes past the end read as 255.
void ReadImage(std::FILE* file, std::int64_t position, IndexImage& image) {
  if (image.pixels.empty() || position == kNoPosition ||
      fseeko(file, static_cast<off_t>(position), SEEK_SET) != 0) {
    return;
  }
  std::fread(image.pixels.data(), 1, image.pixels.size(), file);
}

}  // namespace

int LoadPixImage(int n, PixReport* report) {
  const std::int64_t position = ImagePosition(n);
  const FileName name = TerminatedName(editorState.loadFileName);
  // Opened for appending too, as ever: a missing file is made.
  std::FILE* file = plat::OpenFile(name.text, "a+b");
  if (file == nullptr) {
    if (report != nullptr) {
      report->reason = ReasonOf(errno);
    }
    return 0;
  }
  const IndexImage& working = WorkingImage();
  IndexImage image = FilledImage(working.width, working.height, 255);
  ReadImage(file, position, image);
  std::fclose(file);
  LoadImages(image);
  return 1;
}

std::int64_t WholeImagesIn(const char* name) {
  const std::int64_t imageBytes =
      std::int64_t{std::max(editorState.width, 0)} * std::int64_t{std::max(editorState.height, 0)};
  if (imageBytes == 0) {
    return 0;
  }
  // Read only: "a+b" would create a missing file.
  std::FILE* file = plat::OpenFile(name, "rb");
  if (file == nullptr) {
    return 0;
  }
  const std::int64_t length = fseeko(file, 0, SEEK_END) == 0 ? static_cast<std::int64_t>(ftello(file)) : 0;
  std::fclose(file);
  return std::max<std::int64_t>(length, 0) / imageBytes;
}
