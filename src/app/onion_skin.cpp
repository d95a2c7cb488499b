// The onion skin's images read from the load file, following the frame keys and the saves.
#include "app/onion_skin.h"

#include <sys/types.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "app/editor_state.h"
#include "app/image_number.h"
#include "canvas/onion_layer.h"
#include "platform/system.h"
#include "storage/pix_layout.h"

namespace {

// What the images shown were read for: they are read again when it changes.
struct ReadFor {
  WorkRecord work;
  std::uint64_t fileChanges = 0;
  std::int64_t images = -1;

  bool operator==(const ReadFor&) const = default;
};

bool on = false;
ReadFor readFor;

// Image n of the load file, whole; empty when the file holds no such image.
IndexImage ReadImage(std::int64_t n, std::int64_t images) {
  if (n < 0 || n >= images || editorState.width <= 0 || editorState.height <= 0) {
    return {};
  }
  IndexImage image = FilledImage(editorState.width, editorState.height, 0);
  const pixfile::FileName name = pixfile::TerminatedName(editorState.loadFileName);
  const std::int64_t position = pixfile::ImagePosition(n);
  std::FILE* file = position != pixfile::kNoPosition ? plat::OpenFile(name.text, "rb") : nullptr;
  if (file == nullptr) {
    return {};
  }
  const bool read = fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0 &&
                    std::fread(image.pixels.data(), 1, image.pixels.size(), file) == image.pixels.size();
  std::fclose(file);
  return read ? image : IndexImage{};
}

ReadFor Now() {
  return {CurrentWorkRecord(), LoadFileChanges(), LoadFileImageCount()};
}

void ReadNeighbours() {
  readFor = Now();
  OnionLayer layer;
  layer.shown = true;
  const std::int64_t number = editorState.pixNumber;
  layer.previous = ReadImage(number - 1, readFor.images);
  layer.next = ReadImage(number + 1, readFor.images);
  SetOnion(std::move(layer));
}

}  // namespace

void ToggleOnionSkin() {
  on = !on;
  if (on) {
    ReadNeighbours();
  } else {
    SetOnion(OnionLayer{});
  }
}

void FollowOnionSkin() {
  if (on && !(Now() == readFor)) {
    ReadNeighbours();
  }
}

void ResetOnionSkin() {
  on = false;
  readFor = ReadFor{};
  SetOnion(OnionLayer{});
}
