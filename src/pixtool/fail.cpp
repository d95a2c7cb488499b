// The one line pixtool prints when it fails.
#include <cstdio>

#include "pixtool/commands.h"

namespace pixtool {

int Fail(const std::string& message, int status) {
  std::fprintf(stderr, "pixtool: %s\n", message.c_str());
  return status;
}

}  // namespace pixtool
