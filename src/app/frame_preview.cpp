// The preview's clock, its images read from the file at its pace, and the picture laid over the reference
// view.
#include "app/frame_preview.h"

#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/action_common.h"
#include "app/editor_state.h"
#include "app/image_number.h"
#include "canvas/image_store.h"
#include "canvas/reference_cover.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "platform/pace.h"
#include "platform/system.h"
#include "storage/pix_layout.h"

namespace {

// The part of an image the reference view's frame shows: all of an image
// that fits, the top-left part of a larger one.
struct Shown {
  int columns;
  int rows;
  int factor;
};

Shown ShownPart() {
  const int width = editorState.width;
  const int height = editorState.height;
  if (width <= 0 || height <= 0) {
    return {0, 0, 1};
  }
  const int columns = std::min(width, layout::kShownColumns);
  const int rows = std::min(height, layout::kShownRows);
  const int factor = std::max(1, std::min(layout::kShownColumns / columns, layout::kShownRows / rows));
  return {columns, rows, factor};
}

// The image read from the file, and what it was read for.
struct FileFrame {
  std::int64_t image = -1;
  char name[kNameBytes] = {};
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> pixels;  // Shown columns x rows
};

struct Preview {
  bool playing = false;
  int rate = kDefaultPlayRate;
  // Frames since anchorAt; the next one is due at NextAt().
  std::uint64_t anchorAt = 0;
  std::uint64_t steps = 0;
  std::int64_t frame = 0;
  std::uint64_t wantedAt = plat::kNoPassWanted;
  bool rateShown = false;
  FileFrame file;
};

Preview preview;

std::uint64_t NextAt() {
  return preview.anchorAt + (preview.steps + 1) * 1000 / static_cast<std::uint64_t>(preview.rate);
}

// The image being edited, in the loop: the image number, when it is one of
// the file's whole images or the first one after them.
std::int64_t EditedFrame(std::int64_t images) {
  const std::int64_t number = editorState.pixNumber;
  return number >= 0 && number <= images ? number : -1;
}

std::int64_t FrameCount() {
  if (editorState.width <= 0 || editorState.height <= 0) {
    return 0;
  }
  const std::int64_t images = LoadFileImageCount();
  return EditedFrame(images) == images ? images + 1 : images;
}

// The shown part of image n of the load file; bytes past its end read as 255.
void ReadFileFrame(std::int64_t n, const Shown& part) {
  FileFrame& frame = preview.file;
  const pixfile::FileName name = pixfile::TerminatedName(editorState.loadFileName);
  frame.image = n;
  std::memcpy(frame.name, name.text, sizeof frame.name);
  frame.width = editorState.width;
  frame.height = editorState.height;
  frame.pixels.assign(static_cast<std::size_t>(part.columns) * static_cast<std::size_t>(part.rows), 255);
  const std::int64_t position = pixfile::ImagePosition(n);
  std::FILE* file = position != pixfile::kNoPosition ? plat::OpenFile(name.text, "rb") : nullptr;
  if (file == nullptr) {
    return;
  }
  const auto columns = static_cast<std::size_t>(part.columns);
  for (int row = 0; row < part.rows; ++row) {
    const std::int64_t at = position + std::int64_t{row} * editorState.width;
    if (fseeko(file, static_cast<off_t>(at), SEEK_SET) != 0) {
      break;
    }
    std::fread(frame.pixels.data() + static_cast<std::size_t>(row) * columns, 1, columns, file);
  }
  std::fclose(file);
}

bool FileFrameCurrent(std::int64_t n) {
  const FileFrame& frame = preview.file;
  const pixfile::FileName name = pixfile::TerminatedName(editorState.loadFileName);
  return frame.image == n && frame.width == editorState.width && frame.height == editorState.height &&
         std::strcmp(frame.name, name.text) == 0;
}

// The shown part of the working image.
void ReadWorkingFrame(const Shown& part, std::vector<std::uint8_t>& pixels) {
  const IndexImage& image = WorkingImage();
  pixels.resize(static_cast<std::size_t>(part.columns) * static_cast<std::size_t>(part.rows));
  for (int row = 0; row < part.rows && row < image.height; ++row) {
    std::memcpy(pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(part.columns),
                image.Row(row), static_cast<std::size_t>(std::min(part.columns, image.width)));
  }
}

// The image enlarged by the part's factor and centred in the frame, black around it.
CoverPicture Enlarge(const std::vector<std::uint8_t>& pixels, const Shown& part) {
  CoverPicture picture{};
  const int left = (layout::kShownColumns - part.columns * part.factor) / 2;
  const int top = (layout::kShownRows - part.rows * part.factor) / 2;
  for (int y = 0; y < part.rows * part.factor; ++y) {
    for (int x = 0; x < part.columns * part.factor; ++x) {
      const std::size_t from =
          static_cast<std::size_t>(y / part.factor) * static_cast<std::size_t>(part.columns) +
          static_cast<std::size_t>(x / part.factor);
      picture[static_cast<std::size_t>(top + y) * layout::kShownColumns +
              static_cast<std::size_t>(left + x)] = pixels[from];
    }
  }
  return picture;
}

void DrawRateLine(bool on) {
  if (on) {
    std::snprintf(textLine, sizeof textLine, "Playing %d/s", preview.rate);
  } else {
    textLine[0] = '\0';
  }
  PadToCells(textLine, sizeof textLine, layout::kImageNumberCells);
  DrawTextAt(textLine, layout::kPlayRateLine.x, layout::kPlayRateLine.y, kValueColour,
             displayDevice.primarySurface);
  preview.rateShown = on;
}

void AskForNextPass() {
  const std::uint64_t at = preview.playing ? NextAt() : plat::kNoPassWanted;
  if (at != preview.wantedAt) {
    preview.wantedAt = at;
    plat::WantPassBy(at);
  }
}

void Stop() {
  preview.playing = false;
  LiftReferenceCover();
  if (preview.rateShown) {
    DrawRateLine(false);
  }
  AskForNextPass();
}

// Moves the loop on by the frames that fell due. After a long pause (an
// entry, the settings menu) it goes on from now rather than racing after.
void Advance(std::uint64_t now, std::int64_t count) {
  if (now < NextAt()) {
    return;
  }
  preview.frame = (preview.frame + 1) % count;
  ++preview.steps;
  if (now >= NextAt()) {
    preview.anchorAt = now;
    preview.steps = 0;
  }
}

}  // namespace

void ResetFramePreview() {
  ForgetReferenceCover();
  preview = Preview{};
  plat::WantPassBy(plat::kNoPassWanted);
}

bool PreviewPlaying() {
  return preview.playing;
}

int PreviewRate() {
  return preview.rate;
}

void TogglePreview() {
  if (preview.playing) {
    Stop();
    return;
  }
  if (FrameCount() == 0) {
    return;
  }
  preview.playing = true;
  preview.frame = 0;
  preview.anchorAt = plat::GetTickCount64();
  preview.steps = 0;
  preview.file.image = -1;
}

void ChangePreviewRate(int change) {
  if (!preview.playing) {
    return;
  }
  preview.rate = std::clamp(preview.rate + change, kSlowestPlayRate, kFastestPlayRate);
  preview.anchorAt = plat::GetTickCount64();
  preview.steps = 0;
}

void FollowFramePreview() {
  if (!preview.playing) {
    return;
  }
  const std::int64_t count = FrameCount();
  if (count == 0) {
    Stop();
    return;
  }
  Advance(plat::GetTickCount64(), count);
  preview.frame %= count;
  const Shown part = ShownPart();
  const std::int64_t images = LoadFileImageCount();
  std::vector<std::uint8_t> working;
  const std::vector<std::uint8_t>* pixels = &preview.file.pixels;
  if (preview.frame == EditedFrame(images)) {
    ReadWorkingFrame(part, working);
    pixels = &working;
  } else if (!FileFrameCurrent(preview.frame)) {
    ReadFileFrame(preview.frame, part);
  }
  LayReferenceCover(Enlarge(*pixels, part));
  DrawRateLine(true);
  AskForNextPass();
}
