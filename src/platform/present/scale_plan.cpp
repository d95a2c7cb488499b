// The scaling setting and the plan of the sharp bilinear scaling.
#include "scale_plan.h"

#include <algorithm>
#include <cstdint>

#include "../display.h"

namespace plat::present {
namespace {

bool SameLetters(const char* a, const char* b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (lower(*a) != lower(*b)) {
      return false;
    }
  }
  return *a == *b;
}

}  // namespace

Scaling ScalingFromName(const char* name, bool* known) {
  const bool whole = name != nullptr && SameLetters(name, "whole");
  *known = name == nullptr || *name == '\0' || whole || SameLetters(name, "area");
  return whole ? Scaling::Whole : Scaling::Area;
}

ScalePlan PlanScale(const Letterbox& box) {
  ScalePlan plan{};
  plan.dest.x = box.offsetX;
  plan.dest.y = box.offsetY;
  plan.dest.w = static_cast<int>(std::max<std::int64_t>(1, std::int64_t{kScreenWidth} * box.num / box.den));
  plan.dest.h = static_cast<int>(std::max<std::int64_t>(1, std::int64_t{kScreenHeight} * box.num / box.den));
  // Of the two whole multiples around the scale, the one nearer to it in
  // ratio: the linear step then stretches or shrinks the least, and its two
  // taps come nearest to each window pixel's share of each screen pixel (a
  // checkerboard stays within 40 of 255 at every scale; always taking the
  // multiple above would be 64 off just over 1 time).
  const std::int64_t below = box.num / box.den;
  std::int64_t factor = std::max<std::int64_t>(1, below);
  if (below >= 1 && box.num % box.den != 0 && box.num * box.num >= below * (below + 1) * box.den * box.den) {
    factor = below + 1;
  }
  plan.factor = static_cast<int>(factor);
  return plan;
}

}  // namespace plat::present
