// The busy and wall time of the editor's passes, and their spread.
#include "pass_timer.h"

#include <algorithm>

namespace plat::soft {

double Percentile(std::vector<double> samples, double share) {
  std::sort(samples.begin(), samples.end());
  const double at = std::clamp(share, 0.0, 1.0) * static_cast<double>(samples.size() - 1);
  return samples[static_cast<std::size_t>(at)];
}

void PassTimer::Start(long wanted, long group, double settleMs) {
  *this = PassTimer{};
  wanted_ = std::clamp(wanted, 0L, 1000000L);
  group_ = std::clamp(group, 1L, 1000L);
  settleMs_ = settleMs;
  busyUs_.reserve(static_cast<std::size_t>(wanted_));
  wallUs_.reserve(static_cast<std::size_t>(wanted_));
}

void PassTimer::PassBegins(double nowMs) {
  if (!Timing() || timed_ >= wanted_) {
    return;
  }
  if (firstPass_ < 0) {
    firstPass_ = nowMs;
  }
  if (begun_ == 0 && nowMs - firstPass_ < settleMs_) {
    return;
  }
  ++begun_;
  // The clock is read at the first pass after the warm-up, and every group passes from there.
  if (begun_ <= kWarmUp || (begun_ - kWarmUp - 1) % group_ != 0) {
    return;
  }
  if (begun_ > kWarmUp + 1) {
    const double wall = (nowMs - previous_) / static_cast<double>(group_);
    const double busy = std::max(0.0, wall - waited_ / static_cast<double>(group_));
    busyUs_.push_back(1000.0 * busy);
    wallUs_.push_back(1000.0 * wall);
    timed_ += group_;
  }
  previous_ = nowMs;
  waited_ = 0;
}

void PassTimer::Waited(double ms) {
  waited_ += ms;
  if (begun_ > kWarmUp) {
    ++waits_;
  }
}

std::optional<PassTimer::Figures> PassTimer::TakeFigures() {
  if (reported_ || wanted_ == 0 || timed_ < wanted_) {
    return std::nullopt;
  }
  reported_ = true;
  return Figures{static_cast<std::size_t>(timed_), Percentile(busyUs_, 0.5), Percentile(busyUs_, 0.1),
                 Percentile(busyUs_, 0.9),         Percentile(wallUs_, 0.5), waits_};
}

}  // namespace plat::soft
