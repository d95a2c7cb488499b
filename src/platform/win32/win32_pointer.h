// The win32 backend's bookkeeping between the system pointer, in window pixels, and the editor's
// cursor, in screen pixels, when the screen is scaled: DirectInput's motion moves the pointer, and
// the cursor follows the screen pixel under it, so that the fractions of a pixel add up. Plain
// arithmetic, without Windows types.
#pragma once

#include "../platform_types.h"
#include "../soft/screen_fit.h"

namespace plat::win32 {

struct PointerMap {
  // The system pointer's window pixel, as far as the program moved it.
  POINT pointer{0, 0};
  // The editor's cursor as the program last put it or reported it.
  POINT cursor{0, 0};
  // False until the cursor was first put: motion before that is not the editor's.
  bool started = false;
};

// DirectInput's relative motion, in window pixels: moves the pointer, kept inside limit (window
// pixels, right and bottom excluded, as the system keeps it), and returns the cursor's motion in
// screen pixels, which brings it to the screen pixel under the pointer.
POINT TakeMotion(PointerMap& map, const soft::Letterbox& box, POINT motion, const RECT& limit);
// The editor puts its cursor at target (screen pixels). True, with the window pixel the system
// pointer must go to, when it shows another screen pixel; false when it is on target already.
bool PlaceCursor(PointerMap& map, const soft::Letterbox& box, POINT target, const RECT& limit,
                 POINT* windowPixel);
// The system pointer is at windowPixel (found there when the window came back): the cursor
// goes there at the next motion.
void FollowPointer(PointerMap& map, POINT windowPixel, const RECT& limit);

}  // namespace plat::win32
