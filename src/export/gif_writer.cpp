// giflib behind one call: the screen with the palette, the loop extension,
// then for each frame its delay and its rows, enlarged one row at a time.
#include "export/gif_writer.h"

#include <gif_lib.h>

#include <vector>

namespace pixexport {

namespace {

int WriteToStream(GifFileType* gif, const GifByteType* data, int length) {
  auto* stream = static_cast<std::FILE*>(gif->UserData);
  return static_cast<int>(std::fwrite(data, 1, static_cast<std::size_t>(length), stream));
}

// Loop for ever: the application extension "NETSCAPE2.0" with a sub-block of
// 1 and a loop count of 0.
bool PutLoopForever(GifFileType* gif) {
  static const GifByteType kName[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoops[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kName, kName) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kLoops, kLoops) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutFrame(GifFileType* gif, const GifFrames& frames, std::size_t n, std::vector<GifPixelType>& row) {
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.UserInputFlag = false;
  control.DelayTime = frames.delay;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const int length = static_cast<int>(EGifGCBToExtension(&control, extension));
  const auto factor = static_cast<std::size_t>(frames.scale);
  const auto width = static_cast<std::size_t>(frames.file->size.width);
  const auto height = static_cast<std::size_t>(frames.file->size.height);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, length, extension) != GIF_OK ||
      EGifPutImageDesc(gif, 0, 0, static_cast<int>(width * factor), static_cast<int>(height * factor), false,
                       nullptr) != GIF_OK) {
    return false;
  }
  const std::uint8_t* image = frames.file->Image(frames.first + n);
  for (std::size_t y = 0; y < height * factor; ++y) {
    // giflib masks the row in place: it is drawn anew for every line.
    const std::uint8_t* source = image + (y / factor) * width;
    for (std::size_t x = 0; x < row.size(); ++x) {
      row[x] = source[x / factor];
    }
    if (EGifPutLine(gif, row.data(), static_cast<int>(row.size())) != GIF_OK) {
      return false;
    }
  }
  return true;
}

}  // namespace

int GifDelay(int fps) {
  return (100 + fps / 2) / fps;
}

bool WriteAnimatedGif(std::FILE* out, const GifFrames& frames, const PaletteColours& colours,
                      std::string& error) {
  int code = 0;
  GifFileType* gif = EGifOpen(out, WriteToStream, &code);
  if (gif == nullptr) {
    error = GifErrorString(code);
    return false;
  }
  GifColorType table[256];
  for (std::size_t i = 0; i < colours.size(); ++i) {
    table[i] = {colours[i].red, colours[i].green, colours[i].blue};
  }
  // giflib keeps a copy of the map, and frees it at the close.
  ColorMapObject* map = GifMakeMapObject(256, table);
  const auto factor = static_cast<std::size_t>(frames.scale);
  std::vector<GifPixelType> row(static_cast<std::size_t>(frames.file->size.width) * factor);
  EGifSetGifVersion(gif, true);
  bool ok = map != nullptr &&
            EGifPutScreenDesc(gif, static_cast<int>(row.size()),
                              static_cast<int>(static_cast<std::size_t>(frames.file->size.height) * factor),
                              8, 0, map) == GIF_OK &&
            PutLoopForever(gif);
  for (std::size_t n = 0; ok && n < frames.count; ++n) {
    ok = PutFrame(gif, frames, n, row);
  }
  if (!ok) {
    error = GifErrorString(map == nullptr ? E_GIF_ERR_NOT_ENOUGH_MEM : gif->Error);
  }
  GifFreeMapObject(map);
  if (EGifCloseFile(gif, &code) != GIF_OK && ok) {
    error = GifErrorString(code);
    ok = false;
  }
  return ok;
}

}  // namespace pixexport
