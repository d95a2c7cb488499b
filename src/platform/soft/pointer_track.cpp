// Relative mouse motion from absolute pointer positions, and warp avoidance.
#include "pointer_track.h"

#include <algorithm>
#include <cstdint>

namespace plat::soft {
namespace {

std::int32_t Difference(std::int32_t a, std::int32_t b) {
  // Pointer positions stay far inside int range; wrap instead of overflowing
  // should the window system ever report garbage.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace

POINT TakeMotion(PointerTrack& track, POINT now) {
  POINT motion{0, 0};
  if (track.started) {
    motion = POINT{Difference(now.x, track.origin.x), Difference(now.y, track.origin.y)};
  }
  track.origin = now;
  track.known = now;
  track.started = true;
  return motion;
}

void AddWheel(PointerTrack& track, std::int32_t units) {
  const std::int64_t sum = std::int64_t{track.wheel} + units;
  track.wheel = static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
}

std::int32_t TakeWheel(PointerTrack& track) {
  const std::int32_t motion = track.wheel;
  track.wheel = 0;
  return motion;
}

bool NeedsWarp(const PointerTrack& track, POINT target) {
  return !track.started || target.x != track.known.x || target.y != track.known.y;
}

void NoteWarp(PointerTrack& track, POINT target) {
  track.origin = target;
  track.known = target;
  track.started = true;
}

POINT ClampToRect(POINT point, const RECT& rect) {
  const std::int32_t right = rect.right > rect.left ? rect.right - 1 : rect.left;
  const std::int32_t bottom = rect.bottom > rect.top ? rect.bottom - 1 : rect.top;
  return POINT{std::clamp(point.x, rect.left, right), std::clamp(point.y, rect.top, bottom)};
}

POINT ConfinedTarget(POINT target, const RECT* clip) {
  return clip != nullptr ? ClampToRect(target, *clip) : target;
}

}  // namespace plat::soft
