// pixtool import: one PNG, or the images of a sprite sheet, into a pix file,
// as new last images or over image slots, without ever leaving the file half
// written.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "export/png_io.h"
#include "pixtool/commands.h"
#include "pixtool/png_to_indices.h"
#include "pixtool/safe_write.h"
#include "pixtool/sheet.h"

namespace pixtool {

namespace {

std::string SizeText(std::size_t width, std::size_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

// The cells the PNG must hold: one image of --size (enlarged by --scale), or
// with --sheet as many as its size fits, in the layout of export --sheet.
PngSizeCheck LayoutCheck(const Options& options, SheetLayout& layout) {
  return [&options, &layout](std::size_t width, std::size_t height, std::string& error) {
    if (options.sheetColumns) {
      return FindSheetLayout(options.size, options.scale, static_cast<std::size_t>(*options.sheetColumns),
                             width, height, layout, error);
    }
    std::string unused;
    PlanSheet(options.size, 1, 1, options.scale, layout, unused);
    if (width != layout.width || height != layout.height) {
      error = "is " + SizeText(width, height) + " pixels, not " + SizeText(layout.width, layout.height) +
              " as --size" + (options.scale > 1 ? " at --scale " + std::to_string(options.scale) : "") +
              " says";
      return false;
    }
    return true;
  };
}

bool ReadPngFile(const std::string& path, const PngSizeCheck& check, PngPixels& png, std::string& error) {
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  if (stream == nullptr) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  const bool read = ReadPng(stream, check, png, error);
  std::fclose(stream);
  if (!read) {
    error = path + " " + error;
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

void ReportSheet(const Options& options, const SheetLayout& layout, const SheetImages& images) {
  std::printf("took %zu image%s from %s (%zu x %zu cells", images.count, images.count == 1 ? "" : "s",
              options.file.c_str(), layout.columns, layout.rows);
  if (images.emptyCells > 0) {
    std::printf("; %zu empty cell%s after the last image left out", images.emptyCells,
                images.emptyCells == 1 ? "" : "s");
  }
  std::printf(")\n");
  if (images.mixedPixels > 0) {
    std::printf("%zu enlarged pixels were not of one colour: took the top-left pixel of each\n",
                images.mixedPixels);
  }
}

}  // namespace

int RunImport(const Options& options) {
  PngPixels png;
  SheetLayout layout;
  ImportedPixels imported;
  std::string error;
  if (!ReadPngFile(options.file, LayoutCheck(options, layout), png, error)) {
    return Fail(error);
  }
  // The empty cells are left out before the colours are read: their gap
  // index is not an image's.
  const PaletteColours& colours = options.colours;
  const std::size_t emptyCells =
      options.sheetColumns ? EmptyCellsAtEnd(png, layout, SheetGapColour(png, layout, colours)) : 0;
  const std::size_t count = layout.columns * layout.rows - emptyCells;
  png = TakeCells(std::move(png), layout, count);
  if (!ToPixIndices(png, colours, options.allowAnyIndex, imported, error)) {
    return Fail(options.file + " " + error);
  }
  SheetImages images = ShrinkCells(imported.indices, count, options.size, options.scale);
  images.emptyCells = emptyCells;

  const bool append = !options.appendTo.empty();
  const std::string& target = append ? options.appendTo : options.into;
  PixFile file;
  if (!ReadPixFile(target, options.size, append, file, error)) {
    return Fail(error);
  }
  const std::string sizeText = SizeText(options.size.width, options.size.height);
  if (append && file.LeftoverBytes() != 0) {
    return Fail(target + " ends " + std::to_string(file.LeftoverBytes()) + " bytes into an image of " +
                sizeText + " (is --size right?): an appended image would not start where an image starts");
  }
  const std::size_t n = append ? file.WholeImages() : static_cast<std::size_t>(*options.image);
  const std::size_t last = n + images.count - 1;
  if (last >= kMaxFileBytes / options.size.Bytes()) {
    return Fail("image " + std::to_string(last) + " of " + sizeText + " would make " + target +
                " larger than pixtool writes (" + std::to_string(kMaxFileBytes) + " bytes)");
  }
  std::size_t padded = 0;
  const Bytes bytes = PlaceImage(file.bytes, options.size, n, images.bytes, padded);
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
  if (options.sheetColumns) {
    ReportSheet(options, layout, images);
  }
  const std::string which = images.count == 1 ? "image " + std::to_string(n)
                                              : "images " + std::to_string(n) + " to " + std::to_string(last);
  std::printf("%s %s of %s (%s)\n", append ? "appended as" : "wrote", which.c_str(), target.c_str(),
              sizeText.c_str());
  if (padded > 0) {
    std::printf("%s ended before image %zu: filled the %zu bytes between with zeros (index 0)\n",
                target.c_str(), n, padded);
  }
  return 0;
}

}  // namespace pixtool
