// The system pointer in window pixels and the editor's cursor in screen pixels.
#include "win32_pointer.h"

#include <algorithm>
#include <cstdint>

#include "../soft/pointer_track.h"

namespace plat::win32 {
namespace {

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
  map.pointer =
      soft::ClampToRect(POINT{Moved(map.pointer.x, motion.x), Moved(map.pointer.y, motion.y)}, limit);
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
  map.pointer = soft::ClampToRect(soft::ScreenToWindow(box, target.x, target.y), limit);
  *windowPixel = map.pointer;
  return true;
}

void FollowPointer(PointerMap& map, POINT windowPixel, const RECT& limit) {
  map.pointer = soft::ClampToRect(windowPixel, limit);
  map.started = true;
}

}  // namespace plat::win32
