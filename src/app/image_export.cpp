// Ctrl+Shift+E: the pictures of the load file, written as pixtool's export writes them.
#include "app/image_export.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>
#include <vector>

#include "app/action_common.h"
#include "app/editor_state.h"
#include "app/frame_preview.h"
#include "app/save_status.h"
#include "canvas/image_store.h"
#include "export/file_names.h"
#include "export/gif_writer.h"
#include "export/png_io.h"
#include "export/sheet_json.h"
#include "export/sheet_layout.h"
#include "platform/system.h"

namespace {

using pixexport::PixFile;

// pixtool export's default scale; its sheets are of one row by default too.
constexpr int kScale = 1;

using PictureBody = std::function<bool(std::FILE* out, std::string& error)>;

std::string NameIn(const char* field) {
  return std::string(field, strnlen(field, kLongestName));
}

std::string LoadFileName() {
  return NameIn(editorState.loadFileName);
}

// Whether two names may be one file: letters' case aside, as Windows and a
// case-insensitive disk take them.
bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// An export's name that is the load or the save file's own (a load file
// called walk.gif): why the export must not write, or "".
std::string OverAWorkFile(const ExportNames& names) {
  for (const std::string* name : {&names.image, &names.gif, &names.sheet, &names.json}) {
    for (const char* field : {editorState.loadFileName, editorState.saveFileName}) {
      if (SameName(*name, NameIn(field))) {
        return *name + " would be written over " + NameIn(field) + ": nothing exported";
      }
    }
  }
  return "";
}

// The whole load file; a missing one holds no image. False with the reason
// when it cannot be read, or is larger than an export reads.
bool ReadLoadFile(const std::string& name, PixFile& file, std::string& reason) {
  std::FILE* in = plat::OpenFile(name.c_str(), "rb");
  if (in == nullptr) {
    reason = errno == ENOENT ? "" : std::strerror(errno);
    return reason.empty();
  }
  std::vector<std::uint8_t> chunk(65536);
  std::size_t got = 0;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), in)) > 0 &&
         file.bytes.size() <= pixexport::kMaxFileBytes) {
    file.bytes.insert(file.bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
  }
  const bool failed = std::ferror(in) != 0;
  reason = failed ? std::strerror(errno) : "";
  std::fclose(in);
  if (!failed && file.bytes.size() > pixexport::kMaxFileBytes) {
    reason = "larger than pixed exports (" + std::to_string(pixexport::kMaxFileBytes) + " bytes)";
  }
  return reason.empty();
}

PaletteColours PaletteInForce() {
  PaletteColours colours{};
  for (std::size_t i = 0; i < colours.size(); ++i) {
    colours[i] = {paletteTable[i].peRed, paletteTable[i].peGreen, paletteTable[i].peBlue};
  }
  return colours;
}

// Replaces the file whole with what body writes; false with the reason: the
// system's when it refused a write, else the writer's own.
bool WritePicture(const std::string& name, const PictureBody& body, std::string& reason) {
  std::string bodyError;
  int bodyErrno = 0;
  const bool written = plat::WriteWholeFile(name.c_str(), [&](std::FILE* out) {
    errno = 0;
    if (body(out, bodyError)) {
      return true;
    }
    bodyErrno = std::ferror(out) != 0 && errno != 0 ? errno : 0;
    return false;
  });
  if (!written) {
    const int error = errno;
    reason = bodyErrno != 0 ? std::strerror(bodyErrno)
                            : (!bodyError.empty() ? bodyError : std::strerror(error != 0 ? error : EIO));
  }
  return written;
}

struct Export {
  ExportNames names;
  PaletteColours colours;
  std::vector<std::string> written;
  std::string failure;  // what could not be written, and why

  bool Write(const std::string& name, const PictureBody& body) {
    std::string reason;
    if (!WritePicture(name, body, reason)) {
      failure = name + " could not be written: " + reason;
      return false;
    }
    written.push_back(name);
    return true;
  }
  bool Refuse(const std::string& name, const std::string& reason) {
    failure = name + " could not be written: " + reason;
    return false;
  }
};

bool WriteWorkingImage(Export& run) {
  const IndexImage& working = WorkingImage();
  const pixexport::IndexedImage picture{working.width, working.height, working.pixels};
  return run.Write(run.names.image, [&](std::FILE* out, std::string& error) {
    return pixexport::WritePalettePng(out, picture, run.colours, error);
  });
}

bool WriteGif(Export& run, const PixFile& file) {
  const std::size_t count = file.WholeImages();
  if (static_cast<std::size_t>(file.size.width) > pixexport::kMaxGifSide ||
      static_cast<std::size_t>(file.size.height) > pixexport::kMaxGifSide) {
    return run.Refuse(run.names.gif,
                      "a GIF is at most " + std::to_string(pixexport::kMaxGifSide) + " pixels a side");
  }
  const pixexport::GifFrames frames{&file, 0, count, kScale, pixexport::GifDelay(PreviewRate())};
  return run.Write(run.names.gif, [&](std::FILE* out, std::string& error) {
    return pixexport::WriteAnimatedGif(out, frames, run.colours, error);
  });
}

bool WriteSheet(Export& run, const PixFile& file) {
  const std::size_t count = file.WholeImages();
  pixexport::SheetLayout layout;
  std::string unused;
  if (!pixexport::PlanSheet(file.size, count, count, kScale, layout, unused)) {
    return run.Refuse(run.names.sheet, "it would be " + std::to_string(layout.width) + " x " +
                                           std::to_string(layout.height) +
                                           " pixels, more than a picture holds");
  }
  const pixexport::IndexedImage picture = pixexport::DrawSheet(file, 0, count, layout, kScale);
  if (!run.Write(run.names.sheet, [&](std::FILE* out, std::string& error) {
        return pixexport::WritePalettePng(out, picture, run.colours, error);
      })) {
    return false;
  }
  // The sheet's name as the JSON beside it finds it.
  const std::string sheetName = run.names.sheet.substr(pixexport::NameStart(run.names.sheet));
  const std::string json = pixexport::SheetJson(
      pixexport::DescribeSheet(LoadFileName(), 0, count, layout, PreviewRate(), sheetName));
  return run.Write(run.names.json, [&json](std::FILE* out, std::string& error) {
    if (std::fwrite(json.data(), 1, json.size(), out) != json.size()) {
      error = "short write";
      return false;
    }
    return true;
  });
}

// Whether the file holds the image being edited as the working view shows it.
bool FileHoldsWorkingImage(const PixFile& file) {
  const IndexImage& working = WorkingImage();
  const std::int32_t n = editorState.pixNumber;
  return n >= 0 && static_cast<std::size_t>(n) < file.WholeImages() &&
         std::equal(working.pixels.begin(), working.pixels.end(), file.Image(static_cast<std::size_t>(n)));
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) {
    text += (text.empty() ? "" : ", ") + name;
  }
  return text;
}

void Tell(const Export& run, const PixFile& file) {
  if (!run.failure.empty()) {
    ExportFailed(run.failure + (run.written.empty() ? "" : " (" + Joined(run.written) + " written)"));
    return;
  }
  PlayProgramSound(savedSound);
  const ExportNames& names = run.names;
  if (file.WholeImages() == 0) {
    ExportDone("Exported " + names.image + "; " + LoadFileName() +
               " holds no whole image for a GIF or a sheet");
  } else if (FileHoldsWorkingImage(file)) {
    ExportDone("Exported " + names.image + ", " + names.gif + " and " + names.sheet + "/.json");
  } else {
    ExportDone("Exported " + names.image + " as shown, and " + names.gif + " and " + names.sheet +
               "/.json of " + LoadFileName() + " as saved");
  }
}

}  // namespace

ExportNames ExportNamesFor(const std::string& loadFile, std::int32_t image) {
  const std::string beside =
      loadFile.substr(0, pixexport::NameStart(loadFile)) + pixexport::FileStem(loadFile);
  return {beside + ".gif", beside + "-sheet.png", beside + "-sheet.json",
          beside + "-" + std::to_string(image) + ".png"};
}

void ExportImagesKey() {
  PlayProgramSound(clickSound);
  const std::string loadFile = LoadFileName();
  const IndexImage& working = WorkingImage();
  if (working.pixels.empty()) {
    ExportFailed("There is no image to export at this size");
    return;
  }
  Export run{ExportNamesFor(loadFile, editorState.pixNumber), PaletteInForce(), {}, {}};
  if (const std::string clash = OverAWorkFile(run.names); !clash.empty()) {
    ExportFailed(clash);
    return;
  }
  PixFile file;
  file.size = {working.width, working.height};
  std::string reason;
  try {
    if (!ReadLoadFile(loadFile, file, reason)) {
      ExportFailed(loadFile + " could not be read: " + reason);
      return;
    }
    if (WriteWorkingImage(run) && file.WholeImages() > 0 && WriteGif(run, file)) {
      WriteSheet(run, file);
    }
  } catch (const std::bad_alloc&) {
    run.failure = "There is not enough memory to export " + loadFile;
  }
  Tell(run, file);
}
