// The image number and the load file's count of images, drawn when they change.
#include "app/image_number.h"

#include <cstdio>
#include <cstring>

#include "app/action_common.h"
#include "app/editor_state.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "storage/pix_file.h"
#include "storage/pix_layout.h"

namespace {

// What the count was taken for: it is taken again when any of it changes.
struct Counted {
  char name[kNameBytes] = {};
  std::int32_t width = -1;
  std::int32_t height = -1;
  bool stale = true;
  std::int64_t images = 0;
};

struct Shown {
  bool on = false;
  std::int32_t number = 0;
  std::int64_t count = -1;
};

Counted counted;
Shown shown;
// Saves and loads so far: what may have changed the load file's images.
std::uint64_t fileChanges = 0;

constexpr std::size_t kCells = static_cast<std::size_t>(layout::kImageNumberCells);
// No disk holds this many images: a count beyond it is shown as it.
constexpr std::int64_t kLargestShownCount = 9'999'999'999'999'999;

void DrawLine(const std::string& text, layout::ScreenPoint at) {
  std::snprintf(textLine, sizeof textLine, "%.*s", layout::kImageNumberCells, text.c_str());
  PadToCells(textLine, sizeof textLine, layout::kImageNumberCells);
  DrawTextAt(textLine, at.x, at.y, kValueColour, displayDevice.primarySurface);
}

void Draw() {
  const ImageNumberLines lines = FormatImageNumber(shown.number, shown.count);
  DrawLine("Pix number:", layout::kImageNumberLabel);
  DrawLine(lines.value, layout::kImageNumberValue);
  DrawLine(lines.count, layout::kImageCountValue);
}

bool CountIsCurrent() {
  const pixfile::FileName name = pixfile::TerminatedName(editorState.loadFileName);
  return !counted.stale && counted.width == editorState.width && counted.height == editorState.height &&
         std::strcmp(counted.name, name.text) == 0;
}

}  // namespace

ImageNumberLines FormatImageNumber(std::int32_t number, std::int64_t count) {
  const std::string shownCount = std::to_string(count < kLargestShownCount ? count : kLargestShownCount);
  const std::string one = std::to_string(number) + " of " + shownCount;
  if (one.size() <= kCells) {
    return {one, ""};
  }
  return {std::to_string(number) + " of", shownCount};
}

void ResetImageNumber() {
  counted = Counted{};
  shown = Shown{};
}

std::int64_t LoadFileImageCount() {
  if (!CountIsCurrent()) {
    const pixfile::FileName name = pixfile::TerminatedName(editorState.loadFileName);
    std::memcpy(counted.name, name.text, sizeof counted.name);
    counted.width = editorState.width;
    counted.height = editorState.height;
    counted.stale = false;
    counted.images = WholeImagesIn(name.text);
  }
  return counted.images;
}

void ShowImageNumber() {
  counted.stale = true;
  ++fileChanges;
  shown = Shown{true, editorState.pixNumber, LoadFileImageCount()};
  Draw();
}

void HideImageNumber() {
  if (shown.on) {
    for (const layout::ScreenPoint at :
         {layout::kImageNumberLabel, layout::kImageNumberValue, layout::kImageCountValue}) {
      DrawLine("", at);
    }
  }
  shown.on = false;
}

bool ImageNumberShown() {
  return shown.on;
}

void ImageCountMayHaveChanged() {
  counted.stale = true;
  ++fileChanges;
}

std::uint64_t LoadFileChanges() {
  return fileChanges;
}

void FollowImageNumber() {
  if (!shown.on) {
    return;
  }
  const std::int64_t count = LoadFileImageCount();
  if (count != shown.count || editorState.pixNumber != shown.number) {
    shown.count = count;
    shown.number = editorState.pixNumber;
    Draw();
  }
}
