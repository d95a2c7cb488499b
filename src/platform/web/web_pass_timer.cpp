// The busy and wall time of the editor's passes, and the benchmark's report.
#include "web_pass_timer.h"

#include <algorithm>
#include <cstdio>

namespace plat::web {
namespace {

double Share(std::vector<double> samples, double share) {
  std::sort(samples.begin(), samples.end());
  return samples[static_cast<std::size_t>(share * static_cast<double>(samples.size() - 1))];
}

}  // namespace

void PassTimer::Start(long wanted) {
  *this = PassTimer{};
  wanted_ = std::clamp(wanted, 0L, 1000000L);
  busyUs_.reserve(static_cast<std::size_t>(wanted_));
  wallUs_.reserve(static_cast<std::size_t>(wanted_));
}

void PassTimer::PassBegins(double now) {
  if (!Timing() || timed_ >= wanted_) {
    return;
  }
  if (firstPass_ < 0) {
    firstPass_ = now;
  }
  if (begun_ == 0 && now - firstPass_ < kSettleMs) {
    return;
  }
  ++begun_;
  if (begun_ <= kWarmUp || (begun_ - kWarmUp) % kGroup != 1) {
    return;
  }
  if (begun_ > kWarmUp + kGroup) {
    const double wall = (now - previous_) / kGroup;
    const double busy = std::max(0.0, wall - yielded_ / kGroup);
    busyUs_.push_back(1000.0 * busy);
    wallUs_.push_back(1000.0 * wall);
    timed_ += kGroup;
  }
  previous_ = now;
  yielded_ = 0;
}

std::string PassTimer::TakeReport() {
  if (reported_ || wanted_ == 0 || timed_ < wanted_) {
    return {};
  }
  reported_ = true;
  char text[200];
  std::snprintf(text, sizeof text,
                "%zu passes, timed ten at a time: busy median %.1f us, 10%% %.1f us, 90%% %.1f us (of the "
                "tens); wall median %.1f us",
                static_cast<std::size_t>(timed_), Share(busyUs_, 0.5), Share(busyUs_, 0.1),
                Share(busyUs_, 0.9), Share(wallUs_, 0.5));
  return text;
}

}  // namespace plat::web
