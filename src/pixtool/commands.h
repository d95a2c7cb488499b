// pixtool's commands. Each returns the program's exit status: 0 done,
// 1 failed (one line on standard error saying why), 2 a usage error.
#pragma once

#include "pixtool/options.h"

namespace pixtool {

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Prints "pixtool: message" on standard error and gives status.
int Fail(const std::string& message, int status = kExitFailure);

int RunInfo(const Options& options);
int RunExport(const Options& options);
int RunImport(const Options& options);
int RunDelete(const Options& options);
int RunPalette(const Options& options);

}  // namespace pixtool
