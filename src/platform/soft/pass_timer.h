// The benchmark builds' timing of the editor's main-loop passes (the page's
// ?passes=N, pixed_pass_bench.exe): the busy time from the start of one pass
// to the start of the next, without the time spent waiting for input or
// handed back to the browser, and its spread.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace plat::soft {

class PassTimer {
 public:
  static constexpr long kWarmUp = 20;

  struct Figures {
    std::size_t passes;
    double busyMedianUs;
    double busy10Us;
    double busy90Us;
    double wallMedianUs;
    long waits;
  };

  // Times wanted passes (none for 0) after kWarmUp that warm up, from
  // settleMs after the first pass on. A clock coarser than a pass is read
  // once every group passes, each group's mean one sample.
  void Start(long wanted, long group = 1, double settleMs = 0);
  // True while passes are asked for and their figures not yet taken.
  bool Timing() const { return wanted_ > 0 && !reported_; }
  // A pass begins at nowMs (plat::BeginEditorPass).
  void PassBegins(double nowMs);
  // The program waited ms for input, or handed the page to the browser.
  void Waited(double ms);
  // The figures, once every pass asked for is timed; only once.
  std::optional<Figures> TakeFigures();

 private:
  long wanted_ = 0;
  long group_ = 1;
  double settleMs_ = 0;
  long begun_ = 0;
  double firstPass_ = -1;
  long timed_ = 0;
  double previous_ = 0;
  double waited_ = 0;
  long waits_ = 0;
  bool reported_ = false;
  std::vector<double> busyUs_;
  std::vector<double> wallUs_;
};

// The sample at share (0 for the least, 0.5 for the median, 1 for the
// greatest) of samples, which must not be empty.
double Percentile(std::vector<double> samples, double share);

}  // namespace plat::soft
