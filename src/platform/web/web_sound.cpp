// Sounds: the program's WAVE resources played by the page through Web Audio.
#include "../system.h"
#include "web_page.h"

namespace plat {

bool PlaySoundA(int resource, HINSTANCE /*module*/, std::uint32_t /*flags*/) {
  const ProgramResource* found = FindProgramResource(resource, "WAVE");
  if (found == nullptr) {
    return false;
  }
  web::page::PlaySound(resource, found->data, found->size);
  return true;
}

}  // namespace plat
