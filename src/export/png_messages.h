// How libpng's errors reach pixtool and the editor: as a message kept for the
// caller, after libpng's longjmp out of the failing step.
#pragma once

#include <png.h>

#include <cstdio>

namespace pixexport {

struct PngMessage {
  char text[200] = "";
};

[[noreturn]] inline void OnPngError(png_structp png, png_const_charp message) {
  auto* sink = static_cast<PngMessage*>(png_get_error_ptr(png));
  std::snprintf(sink->text, sizeof sink->text, "%s", message);
  png_longjmp(png, 1);
}

// Warnings (an odd colour profile, a damaged text chunk) do not change the pixels.
inline void OnPngWarning(png_structp, png_const_charp) {}

}  // namespace pixexport
