// The browser build has no SDL2: of the BMP forms only the plain 8-bit one
// (every button bitmap of the program) is drawn; the others are refused.
#include "../soft/gdi_bmp_decode.h"

namespace plat::soft {

bool DecodeOtherForms(const std::uint8_t* /*data*/, std::size_t /*size*/, BitmapPixels* /*out*/) {
  return false;
}

}  // namespace plat::soft
