// Reading the mouse into the editor's state.
#include "app/mouse_state.h"

#include <algorithm>
#include <limits>

#include "app/editor_state.h"
#include "platform/input.h"

void ReadMouseState() {
  plat::DIMOUSESTATE state{};
  if (inputDevices.mouse == nullptr ||
      plat::FAILED(inputDevices.mouse->GetDeviceState(sizeof state, &state))) {
    state = {};
  }
  editorState.mouseState = state;
}

std::int32_t MoveCoordinate(std::int32_t position, std::int32_t motion) {
  const std::int64_t sum = static_cast<std::int64_t>(position) + motion;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}
