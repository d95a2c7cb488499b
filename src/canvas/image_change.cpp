// Many pixels of the working image changed as one step, and the colour an index shows.
#include "canvas/image_change.h"

#include <utility>

#include "app/editor_state.h"
#include "canvas/image_history.h"

bool ChangeWorkingImage(const std::function<bool(const IndexImage& before, IndexImage& after)>& change) {
  const IndexImage& before = WorkingImage();
  IndexImage after = before;
  if (!change(before, after)) {
    return false;
  }
  BeginImageStep();
  ReplaceWorkingImage(std::move(after));
  return true;
}

std::uint32_t ShownColour(int index) {
  const plat::PALETTEENTRY& entry = paletteTable[static_cast<std::uint8_t>(index)];
  return std::uint32_t{entry.peRed} << 16 | std::uint32_t{entry.peGreen} << 8 | entry.peBlue;
}
