// pixtool: pix files made visible and exchangeable as PNG.
#include <cstdio>
#include <string>
#include <vector>

#include "pixtool/commands.h"
#include "pixtool/help.h"
#include "pixtool/options.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  pixtool::Options options;
  std::string error;
  if (!pixtool::ParseCommandLine(arguments, options, error)) {
    const char* command = pixtool::CommandName(options.command);
    return pixtool::Fail(
        error + "; see pixtool " + (command[0] != '\0' ? std::string(command) + " " : "") + "--help",
        pixtool::kExitUsage);
  }
  if (options.version) {
    std::printf("pixtool %s\n", PIXED_VERSION);
    return std::fflush(stdout) == 0 ? 0 : pixtool::kExitFailure;
  }
  if (options.help) {
    std::fputs(pixtool::HelpText(options.command), stdout);
    return std::fflush(stdout) == 0 ? 0 : pixtool::kExitFailure;
  }
  switch (options.command) {
    case pixtool::Command::Info:
      return pixtool::RunInfo(options);
    case pixtool::Command::Export:
      return pixtool::RunExport(options);
    case pixtool::Command::Import:
      return pixtool::RunImport(options);
    case pixtool::Command::None:
      break;
  }
  return pixtool::Fail("name a command: info, export or import", pixtool::kExitUsage);
}
