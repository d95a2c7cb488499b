// The onion skin's images, as the drawing of the grid shows them.
#include "canvas/onion_layer.h"

#include <utility>

namespace {

OnionLayer layer;
std::uint64_t changes = 0;

}  // namespace

const OnionLayer& CurrentOnion() {
  return layer;
}

void SetOnion(OnionLayer next) {
  layer = std::move(next);
  ++changes;
}

std::uint64_t OnionChanges() {
  return changes;
}
