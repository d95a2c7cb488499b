// Runs a fuzz target once on each input given (files, or every file of the
// folders given), outside libFuzzer, and reports the slowest inputs: how long
// an input takes in a release build. Exits with 1 when one took longer than
// --limit-ms=N.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  double limitMs = 0;
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("--limit-ms=", 0) == 0) {
      limitMs = std::atof(argument.c_str() + 11);
    } else if (std::filesystem::is_directory(argument)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(argument)) {
        if (entry.is_regular_file()) {
          inputs.push_back(entry.path());
        }
      }
    } else {
      inputs.emplace_back(argument);
    }
  }
  // Targets change into a working folder of their own.
  for (auto& path : inputs) {
    path = std::filesystem::absolute(path);
  }
  std::sort(inputs.begin(), inputs.end());
  // The best of three runs of each input: the first pays for tables built once.
  std::vector<std::pair<double, std::string>> times;
  double total = 0;
  for (const auto& path : inputs) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
      std::fprintf(stderr, "cannot read %s (a running fuzzer may have replaced it)\n", path.c_str());
      continue;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)), {});
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
      const auto start = std::chrono::steady_clock::now();
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      best = std::min(best, took.count());
    }
    total += best;
    times.emplace_back(best, path.string());
  }
  std::sort(times.rbegin(), times.rend());
  std::printf("%zu inputs, %.1f ms in all (best of three runs each)\n", times.size(), total);
  for (std::size_t i = 0; i < times.size() && i < 5; ++i) {
    std::printf("  %8.3f ms  %s\n", times[i].first, times[i].second.c_str());
  }
  if (limitMs > 0 && !times.empty() && times.front().first > limitMs) {
    std::printf("slower than %.1f ms: %s\n", limitMs, times.front().second.c_str());
    return 1;
  }
  return 0;
}
