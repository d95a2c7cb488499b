// The headless display shared by the benchmarks.
#include "bench_display.h"

#include "harness/headless_setup.h"
#include "platform/display.h"
#include "platform/headless/headless.h"

namespace pixbench {

bool OpenDisplay() {
  if (displayDevice.primarySurface != nullptr) {
    return true;
  }
  if (!pixtest::OpenTestDisplay()) {
    return false;
  }
  plat::headless::SetLogging(false);
  return true;
}

}  // namespace pixbench
