// The page's benchmark mode (?passes=N): the busy time of the editor's passes,
// without the time the page spends handed back to the browser. The browser's
// clock moves in steps of 0.1 ms, so passes are timed ten at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plat::web {

class PassTimer {
 public:
  static constexpr int kWarmUp = 20;
  // The working folder was just written (the page stored it at the start):
  // for two seconds after that, every look for a bitmap lists it again.
  // The steady pass, the one an artist's session runs, comes after.
  static constexpr double kSettleMs = 2500;
  static constexpr int kGroup = 10;

  // Passes to time; 0 (the default) times nothing.
  void Start(long wanted);
  // True while passes are asked for and not all timed yet.
  bool Timing() const { return wanted_ > 0 && !reported_; }
  // A pass begins at now (ms).
  void PassBegins(double now);
  // The page had control for ms.
  void Yielded(double ms) { yielded_ += ms; }
  // The figures once the passes asked for are timed, else empty; once.
  std::string TakeReport();

 private:
  long wanted_ = 0;
  long begun_ = 0;
  double firstPass_ = -1;
  long timed_ = 0;
  double previous_ = 0;
  double yielded_ = 0;
  bool reported_ = false;
  // The mean of each ten passes.
  std::vector<double> busyUs_;
  std::vector<double> wallUs_;
};

}  // namespace plat::web
