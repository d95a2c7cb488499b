// pixtool import: one PNG into a pix file, as a new last image or over an
// image slot, without ever leaving the file half written.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "canvas/palette_table.h"
#include "pixtool/commands.h"
#include "pixtool/png_io.h"
#include "pixtool/png_to_indices.h"
#include "pixtool/safe_write.h"

namespace pixtool {

namespace {

bool ReadPngFile(const Options& options, PngPixels& png, std::string& error) {
  std::FILE* stream = std::fopen(options.file.c_str(), "rb");
  if (stream == nullptr) {
    error = "cannot read " + options.file + ": " + std::strerror(errno);
    return false;
  }
  const bool read = ReadPng(stream, options.size, png, error);
  std::fclose(stream);
  if (!read) {
    error = options.file + " " + error;
  }
  return read;
}

void ReportColours(const Options& options, const ImportedPixels& imported) {
  if (imported.byIndex) {
    std::printf("took %s index for index\n", options.file.c_str());
    return;
  }
  std::printf("took %s by colour: %zu of %zu pixels changed colour to the nearest swatch",
              options.file.c_str(), imported.changed, imported.indices.size());
  if (imported.transparent > 0) {
    std::printf(", %zu not opaque laid on black first", imported.transparent);
  }
  std::printf("\n");
}

}  // namespace

int RunImport(const Options& options) {
  PngPixels png;
  ImportedPixels imported;
  std::string error;
  if (!ReadPngFile(options, png, error)) {
    return Fail(error);
  }
  if (!ToPixIndices(png, GeneratePaletteColours(), options.allowAnyIndex, imported, error)) {
    return Fail(options.file + " " + error);
  }

  const bool append = !options.appendTo.empty();
  const std::string& target = append ? options.appendTo : options.into;
  PixFile file;
  if (!ReadPixFile(target, options.size, append, file, error)) {
    return Fail(error);
  }
  const std::string sizeText =
      std::to_string(options.size.width) + " x " + std::to_string(options.size.height);
  if (append && file.LeftoverBytes() != 0) {
    return Fail(target + " ends " + std::to_string(file.LeftoverBytes()) + " bytes into an image of " +
                sizeText + " (is --size right?): an appended image would not start where an image starts");
  }
  const std::size_t n = append ? file.WholeImages() : static_cast<std::size_t>(*options.image);
  const std::size_t imageBytes = options.size.Bytes();
  if (n >= kMaxFileBytes / imageBytes) {
    return Fail("image " + std::to_string(n) + " of " + sizeText + " would make " + target +
                " larger than pixtool writes (" + std::to_string(kMaxFileBytes) + " bytes)");
  }
  std::size_t padded = 0;
  const Bytes bytes = PlaceImage(file.bytes, options.size, n, imported.indices, padded);
  const WriteBody body = [&bytes](std::FILE* stream, std::string& message) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
      message = "short write";
      return false;
    }
    return true;
  };
  if (!WriteFileSafely(target, body, error)) {
    return Fail(error);
  }
  ReportColours(options, imported);
  std::printf("%s image %zu of %s (%zu x %zu)\n", append ? "appended as" : "wrote", n, target.c_str(),
              static_cast<std::size_t>(options.size.width), static_cast<std::size_t>(options.size.height));
  if (padded > 0) {
    std::printf("%s ended before image %zu: filled the %zu bytes between with zeros (index 0)\n",
                target.c_str(), n, padded);
  }
  return 0;
}

}  // namespace pixtool
