// Ctrl+S and Alt+N: the working image written over one image of the save
// file or after its last, the file replaced whole.
#include <sys/types.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>

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

using Chunk = std::array<std::uint8_t, 64 * 1024>;

// Copies up to count bytes of in to out; stops early at in's end. False
// (errno set) when a read or a write failed; copied tells how many went.
bool Copy(std::FILE* in, std::FILE* out, std::int64_t count, std::int64_t& copied, Chunk& chunk) {
  copied = 0;
  while (copied < count) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(count - copied, chunk.size()));
    const std::size_t got = std::fread(chunk.data(), 1, want, in);
    if (got > 0 && std::fwrite(chunk.data(), 1, got, out) != got) {
      return false;
    }
    copied += static_cast<std::int64_t>(got);
    if (got < want) {
      return std::ferror(in) == 0;
    }
  }
  return true;
}

bool WriteZeros(std::FILE* out, std::int64_t count, Chunk& chunk) {
  chunk.fill(0);
  while (count > 0) {
    const std::size_t piece = static_cast<std::size_t>(std::min<std::int64_t>(count, chunk.size()));
    if (std::fwrite(chunk.data(), 1, piece, out) != piece) {
      return false;
    }
    count -= static_cast<std::int64_t>(piece);
  }
  return true;
}

// The new file: the old one's bytes before the image (zeros where it ended
// short of it), the image, then the old bytes after it.
bool WriteOverImage(const char* name, std::int64_t position, const IndexImage& image, std::FILE* out) {
  std::FILE* old = plat::OpenFile(name, "rb");
  if (old == nullptr && errno != ENOENT) {
    return false;
  }
  Chunk chunk;
  std::int64_t before = 0;
  bool ok = old == nullptr || Copy(old, out, position, before, chunk);
  ok = ok && WriteZeros(out, position - before, chunk);
  ok = ok && std::fwrite(image.pixels.data(), 1, image.pixels.size(), out) == image.pixels.size();
  if (ok && old != nullptr && before == position) {
    const std::int64_t after = position + static_cast<std::int64_t>(image.pixels.size());
    std::int64_t rest = 0;
    ok = fseeko(old, static_cast<off_t>(after), SEEK_SET) == 0 && Copy(old, out, INT64_MAX, rest, chunk);
  }
  if (old != nullptr) {
    const int error = errno;
    std::fclose(old);
    errno = error;
  }
  return ok;
}

// The new file: every byte of the old one (none when it is missing), then
// the image; appendedAt tells where the image began.
bool WriteAfterLast(const char* name, const IndexImage& image, std::FILE* out, std::int64_t& appendedAt) {
  std::FILE* old = plat::OpenFile(name, "rb");
  if (old == nullptr && errno != ENOENT) {
    return false;
  }
  Chunk chunk;
  appendedAt = 0;
  bool ok = old == nullptr || Copy(old, out, INT64_MAX, appendedAt, chunk);
  if (old != nullptr) {
    const int error = errno;
    std::fclose(old);
    errno = error;
  }
  return ok && std::fwrite(image.pixels.data(), 1, image.pixels.size(), out) == image.pixels.size();
}

}  // namespace

int AppendImageWhole(PixReport* report) {
  PixReport unused;
  PixReport& out = report != nullptr ? *report : unused;
  out = PixReport{};
  const IndexImage& image = WorkingImage();
  if (image.pixels.empty()) {
    DescribeWrite(0, 0, out);
    return 0;
  }
  const FileName name = TerminatedName(editorState.saveFileName);
  std::int64_t position = 0;
  const bool written = plat::WriteWholeFile(
      name.text, [&](std::FILE* file) { return WriteAfterLast(name.text, image, file, position); });
  if (!written) {
    out.reason = ReasonOf(errno != 0 ? errno : EIO);
    return 0;
  }
  DescribeWrite(position, static_cast<std::int64_t>(image.pixels.size()), out);
  return 1;
}

int SaveImageInPlace(std::int32_t n, PixReport* report) {
  PixReport unused;
  PixReport& out = report != nullptr ? *report : unused;
  out = PixReport{};
  const IndexImage& image = WorkingImage();
  const std::int64_t position = ImagePosition(n);
  if (position == kNoPosition) {
    out.reason = NoSuchImage(n);
    return 0;
  }
  if (image.pixels.empty()) {
    DescribeWrite(position, 0, out);
    return 0;
  }
  const FileName name = TerminatedName(editorState.saveFileName);
  const bool written = plat::WriteWholeFile(
      name.text, [&](std::FILE* file) { return WriteOverImage(name.text, position, image, file); });
  if (!written) {
    out.reason = ReasonOf(errno != 0 ? errno : EIO);
    return 0;
  }
  DescribeWrite(position, static_cast<std::int64_t>(image.pixels.size()), out);
  return 1;
}
