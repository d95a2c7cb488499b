// The win32 backend's bridge to the real Windows headers, handles and records.
//
// Include it after the plat headers: the Windows headers define macros (S_OK,
// RGB, DIK_A, WNDCLASSEX, ...) that would rewrite plat's own names. The plat
// handles are opaque pointers holding the real handles' values; records are
// copied field by field, each side keeping its own size.
#pragma once

#include "../platform_types.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
// Without it dinput.h hides DirectInputCreateEx and the version 7 interfaces.
#define DIRECTINPUT_VERSION 0x0700
#include <windows.h>
// After windows.h, which they need.
#include <ddraw.h>
#include <dinput.h>
#include <mmsystem.h>

namespace plat::win32 {

template <typename Real>
Real ToReal(const void* handle) {
  return reinterpret_cast<Real>(const_cast<void*>(handle));
}

template <typename Plat, typename Real>
Plat ToPlat(Real handle) {
  return reinterpret_cast<Plat>(handle);
}

inline ::RECT ToReal(const plat::RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace plat::win32
