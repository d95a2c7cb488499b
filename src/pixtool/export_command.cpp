// pixtool export: pix images as one palette PNG (a single image or a sprite
// sheet, with its frames as JSON beside it) or as a looping animated GIF.
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "export/gif_writer.h"
#include "export/png_io.h"
#include "export/sheet_json.h"
#include "export/sheet_layout.h"
#include "pixtool/commands.h"
#include "pixtool/safe_write.h"

namespace pixtool {

namespace {

struct Chosen {
  std::size_t first = 0;
  std::size_t count = 1;
};

std::string SizeText(ImageSize size) {
  return std::to_string(size.width) + " x " + std::to_string(size.height);
}

// The images --image, or --all with --from and --to, name; false with a message when the file lacks one.
bool ChooseImages(const Options& options, const PixFile& file, Chosen& chosen, std::string& error) {
  const std::size_t count = file.WholeImages();
  if (count == 0) {
    error = options.file + " holds no whole image of " + SizeText(options.size) + " (" +
            std::to_string(file.bytes.size()) + " bytes)";
    return false;
  }
  std::size_t last = 0;
  if (options.all) {
    chosen.first = static_cast<std::size_t>(options.from.value_or(0));
    last = options.to ? static_cast<std::size_t>(*options.to) : count - 1;
  } else {
    chosen.first = static_cast<std::size_t>(options.image.value_or(0));
    last = chosen.first;
  }
  const std::size_t missing = chosen.first >= count ? chosen.first : last;
  if (missing >= count) {
    error = options.file + " holds images 0 to " + std::to_string(count - 1) + " of " +
            SizeText(options.size) + "; there is no image " + std::to_string(missing);
    return false;
  }
  chosen.count = last - chosen.first + 1;
  return true;
}

bool WriteOutput(const Options& options, const WriteBody& body, std::string& error) {
  const WriteBody named = [&](std::FILE* stream, std::string& message) {
    if (!body(stream, message)) {
      message = "cannot write " + options.output + ": " + message;
      return false;
    }
    return true;
  };
  return options.output == "-" ? WriteStandardOutput(named, error)
                               : WriteFileSafely(options.output, named, error);
}

int ExportGif(const Options& options, const PixFile& file, const Chosen& chosen) {
  const auto factor = static_cast<std::size_t>(options.scale);
  const std::size_t width = static_cast<std::size_t>(options.size.width) * factor;
  const std::size_t height = static_cast<std::size_t>(options.size.height) * factor;
  if (width > kMaxGifSide || height > kMaxGifSide) {
    return Fail("a GIF is at most " + std::to_string(kMaxGifSide) + " pixels a side; " +
                SizeText(options.size) + " at --scale " + std::to_string(options.scale) + " is " +
                std::to_string(width) + " x " + std::to_string(height));
  }
  const GifFrames frames{&file, chosen.first, chosen.count, options.scale, GifDelay(options.Fps())};
  const PaletteColours& colours = options.colours;
  std::string error;
  if (!WriteOutput(
          options,
          [&](std::FILE* stream, std::string& message) {
            return WriteAnimatedGif(stream, frames, colours, message);
          },
          error)) {
    return Fail(error);
  }
  std::printf("wrote %s: %zu image%s of %s, %zu x %zu pixels, looping, each shown %d/100 s (%.1f a second)\n",
              options.output.c_str(), chosen.count, chosen.count == 1 ? "" : "s",
              SizeText(options.size).c_str(), width, height, frames.delay, 100.0 / frames.delay);
  return 0;
}

// The sheet's name as seen from the JSON's folder.
std::string ImageNameFromJson(const Options& options) {
  namespace fs = std::filesystem;
  std::error_code failure;
  const fs::path image = fs::absolute(options.output, failure).lexically_normal();
  const fs::path folder = fs::absolute(options.json, failure).lexically_normal().parent_path();
  const fs::path relative = image.lexically_relative(folder);
  return (relative.empty() ? image : relative).generic_string();
}

int WriteSheetJson(const Options& options, const Chosen& chosen, const SheetLayout& layout) {
  const SheetData data = DescribeSheet(options.file, chosen.first, chosen.count, layout, options.Fps(),
                                       ImageNameFromJson(options));
  const std::string json = SheetJson(data);
  std::string error;
  const WriteBody body = [&json](std::FILE* stream, std::string& message) {
    if (std::fwrite(json.data(), 1, json.size(), stream) != json.size()) {
      message = "short write";
      return false;
    }
    return true;
  };
  if (!WriteFileSafely(options.json, body, error)) {
    return Fail(error + " (" + options.output + " is written)");
  }
  std::printf("wrote %s: the %zu frame%s of %s, %d ms each\n", options.json.c_str(), chosen.count,
              chosen.count == 1 ? "" : "s", data.image.c_str(), data.durationMs);
  return 0;
}

}  // namespace

int RunExport(const Options& options) {
  if (options.output == "-" && isatty(STDOUT_FILENO) != 0) {
    return Fail("standard output is a terminal: send the PNG to a file or a pipe", kExitUsage);
  }
  PixFile file;
  Chosen chosen;
  std::string error;
  if (!ReadPixFile(options.file, options.size, false, file, error) ||
      !ChooseImages(options, file, chosen, error)) {
    return Fail(error);
  }
  if (options.picture == PictureFormat::Gif) {
    return ExportGif(options, file, chosen);
  }
  const std::size_t columns =
      options.sheetColumns ? static_cast<std::size_t>(*options.sheetColumns) : chosen.count;
  SheetLayout layout;
  if (!PlanSheet(options.size, chosen.count, columns, options.scale, layout, error)) {
    return Fail(error);
  }
  const IndexedImage picture = DrawSheet(file, chosen.first, chosen.count, layout, options.scale);
  const PaletteColours& colours = options.colours;
  if (!WriteOutput(
          options,
          [&](std::FILE* stream, std::string& message) {
            return WritePalettePng(stream, picture, colours, message);
          },
          error)) {
    return Fail(error);
  }
  if (options.output != "-") {
    std::printf("wrote %s: %zu image%s of %s, %zu x %zu pixels\n", options.output.c_str(), chosen.count,
                chosen.count == 1 ? "" : "s", SizeText(options.size).c_str(), layout.width, layout.height);
  }
  return options.json.empty() ? 0 : WriteSheetJson(options, chosen, layout);
}

}  // namespace pixtool
