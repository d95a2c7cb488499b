// pixtool: pix files made visible and exchangeable as PNG and GIF, and the
// editor's palette for other programs.
#include <cstdio>
#include <string>
#include <vector>

#include "pixtool/commands.h"
#include "pixtool/folder_size.h"
#include "pixtool/help.h"
#include "pixtool/options.h"
#include "pixtool/palette_source.h"

namespace {

int UsageError(const std::string& error, pixtool::Command command) {
  const char* name = pixtool::CommandName(command);
  return pixtool::Fail(error + "; see pixtool " + (name[0] != '\0' ? std::string(name) + " " : "") + "--help",
                       pixtool::kExitUsage);
}

// Without --size, the size the editor keeps in this folder, said on standard error.
int TakeFolderSize(pixtool::Options& options) {
  std::string error;
  switch (pixtool::ReadFolderSize(options.size, error)) {
    case pixtool::FolderSize::Found:
      std::fprintf(stderr, "pixtool: --size %dx%d, the editor's size in this folder's %s\n",
                   options.size.width, options.size.height, pixtool::kSizeFile);
      return 0;
    case pixtool::FolderSize::Missing:
      return UsageError(
          std::string("--size WIDTHxHEIGHT is needed: a pix file does not record its image size, ") +
              "and this folder has no " + pixtool::kSizeFile + " of the editor's",
          options.command);
    case pixtool::FolderSize::Damaged:
      break;
  }
  return pixtool::Fail(error);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  pixtool::Options options;
  std::string error;
  if (!pixtool::ParseCommandLine(arguments, options, error)) {
    return UsageError(error, options.command);
  }
  if (options.version) {
    std::printf("pixtool %s\n", PIXED_VERSION);
    return std::fflush(stdout) == 0 ? 0 : pixtool::kExitFailure;
  }
  if (options.help) {
    std::fputs(pixtool::HelpText(options.command), stdout);
    return std::fflush(stdout) == 0 ? 0 : pixtool::kExitFailure;
  }
  if (pixtool::NeedsSize(options.command) && options.size.width == 0) {
    if (const int status = TakeFolderSize(options); status != 0) {
      return status;
    }
  }
  if (pixtool::UsesColours(options.command)) {
    if (const int status = pixtool::TakePalette(options); status != 0) {
      return status;
    }
  }
  switch (options.command) {
    case pixtool::Command::Info:
      return pixtool::RunInfo(options);
    case pixtool::Command::Export:
      return pixtool::RunExport(options);
    case pixtool::Command::Import:
      return pixtool::RunImport(options);
    case pixtool::Command::Delete:
      return pixtool::RunDelete(options);
    case pixtool::Command::Palette:
      return pixtool::RunPalette(options);
    case pixtool::Command::None:
      break;
  }
  return UsageError("name a command: info, export, import, delete or palette", options.command);
}
