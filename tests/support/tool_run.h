// Running another program of the build (or a system tool) from a test, its output captured.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixtest {

struct ToolRun {
  int status = -1;  // the exit status; -1 when the program could not run or died of a signal
  std::string out;  // standard output (empty when it went to outputPath)
  std::string err;  // standard error
};

struct ToolLimits {
  // Above 0: no file may grow past this many bytes (RLIMIT_FSIZE, with
  // SIGXFSZ ignored), so writes past it fail as on a full disk.
  std::uint64_t fileSizeLimit = 0;
  // When set, standard output goes to this file instead of being captured.
  std::string outputPath;
};

// Runs program with the arguments (no shell) in the current folder and waits for it.
ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const ToolLimits& limits = {});

// Number of lines in text (each ended by a newline).
std::size_t LineCount(const std::string& text);

}  // namespace pixtest
