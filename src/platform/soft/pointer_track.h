// The bookkeeping between the system pointer and the relative motion the
// mouse device reports: motion since the previous read, the wheel turned
// since then, and whether a SetCursorPos has to move the pointer at all.
#pragma once

#include <cstdint>

#include "../platform_types.h"

namespace plat::soft {

// The mouse record's wheel motion (lZ) for a notch turned away from the
// user, as DirectInput counts it; a notch towards the user is minus this.
constexpr std::int32_t kWheelNotch = 120;

struct PointerTrack {
  // Where motion is counted from: the pointer at the previous read, or where
  // the program last put it.
  POINT origin{0, 0};
  // The pointer's screen position as last read or set.
  POINT known{0, 0};
  bool started = false;
  // The wheel's motion since the previous read, in the record's units.
  std::int32_t wheel = 0;
};

// The pointer is now at screen position now: returns the motion since the
// previous read (none on the first read) and counts from here on.
POINT TakeMotion(PointerTrack& track, POINT now);
// The wheel turned by units (kWheelNotch a notch away from the user): added
// to the motion the next read takes, held within the record's range.
void AddWheel(PointerTrack& track, std::int32_t units);
// The wheel's motion since the previous read; the next read counts afresh.
std::int32_t TakeWheel(PointerTrack& track);
// True when putting the pointer at target needs a request to the window
// system, false when it is already there as far as we know.
bool NeedsWarp(const PointerTrack& track, POINT target);
// The program put the pointer at target: the move is not motion of the mouse.
void NoteWarp(PointerTrack& track, POINT target);
// The point of rect nearest to point (right and bottom excluded, as
// ClipCursor takes a rectangle). Every backend confines the pointer by this
// one rule: an empty or inverted rectangle holds the point at its left and
// top edges, as a rectangle shrunk to one pixel there would.
POINT ClampToRect(POINT point, const RECT& rect);
// Where the pointer goes when asked for target while confined to clip;
// target itself when clip is null.
POINT ConfinedTarget(POINT target, const RECT* clip);

}  // namespace plat::soft
