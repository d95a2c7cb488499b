// Running the built pixtool and ImageMagick from pixtool's tests (whose build
// defines PIXTOOL_PATH and PIXED_CONVERT).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_bytes.h"
#include "tool_run.h"

namespace pixtest {

inline ToolRun Pixtool(const std::vector<std::string>& arguments, const ToolLimits& limits = {}) {
  return RunTool(PIXTOOL_PATH, arguments, limits);
}

// ImageMagick's convert, as an artist's other tools.
inline bool Convert(const std::vector<std::string>& arguments) {
  const ToolRun run = RunTool(PIXED_CONVERT, arguments);
  EXPECT_EQ(run.status, 0) << "convert: " << run.err;
  return run.status == 0;
}

// The run ended with status and said why on exactly one line of standard error.
inline ::testing::AssertionResult FailedWithOneLine(const ToolRun& run, int status) {
  if (run.status != status || LineCount(run.err) != 1 || run.err.rfind("pixtool: ", 0) != 0) {
    return ::testing::AssertionFailure()
           << "status " << run.status << " (expected " << status << "), standard error:\n"
           << run.err;
  }
  return ::testing::AssertionSuccess();
}

// A binary PPM of red, green, blue bytes, which ImageMagick turns into a PNG.
inline Bytes Ppm(int width, int height, const Bytes& rgb) {
  const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  Bytes file(header.begin(), header.end());
  file.insert(file.end(), rgb.begin(), rgb.end());
  return file;
}

}  // namespace pixtest
