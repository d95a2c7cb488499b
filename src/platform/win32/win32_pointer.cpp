// The system pointer in window pixels and the editor's cursor in screen pixels.
#include "win32_pointer.h"

#include <algorithm>
#include <cstdint>

namespace plat::win32 {
namespace {

POINT Confined(POINT point, const RECT& limit) {
  const std::int32_t right = std::max(limit.left, limit.right - 1);
  const std::int32_t bottom = std::max(limit.top, limit.bottom - 1);
  return POINT{std::clamp(point.x, limit.left, right), std::clamp(point.y, limit.top, bottom)};
}

// Motion far beyond any window is garbage from a broken device; it must not overflow.
std::int32_t Moved(std::int32_t position, std::int32_t motion) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::int64_t{position} + motion, -(1 << 24), 1 << 24));
}

}  // namespace

POINT TakeMotion(PointerMap& map, const soft::Letterbox& box, POINT motion, const RECT& limit) {
  if (!map.started) {
    return POINT{0, 0};
  }
  map.pointer = Confined(POINT{Moved(map.pointer.x, motion.x), Moved(map.pointer.y, motion.y)}, limit);
  const POINT under = soft::WindowToScreen(box, map.pointer.x, map.pointer.y);
  const POINT cursorMotion{under.x - map.cursor.x, under.y - map.cursor.y};
  map.cursor = under;
  return cursorMotion;
}

bool PlaceCursor(PointerMap& map, const soft::Letterbox& box, POINT target, const RECT& limit,
                 POINT* windowPixel) {
  map.cursor = target;
  const POINT under = soft::WindowToScreen(box, map.pointer.x, map.pointer.y);
  if (map.started && under.x == target.x && under.y == target.y) {
    return false;
  }
  map.started = true;
  map.pointer = Confined(soft::ScreenToWindow(box, target.x, target.y), limit);
  *windowPixel = map.pointer;
  return true;
}

void FollowPointer(PointerMap& map, POINT windowPixel, const RECT& limit) {
  map.pointer = Confined(windowPixel, limit);
  map.started = true;
}

}  // namespace plat::win32
