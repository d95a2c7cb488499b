// pixtool's command line: which command, on which file, with which options.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pixtool/pix_images.h"

namespace pixtool {

enum class Command { None, Info, Export, Import };

inline constexpr std::int64_t kMaxImageNumber = 2147483647;
inline constexpr int kMaxScale = 64;
inline constexpr int kMaxColumns = 65535;

struct Options {
  Command command = Command::None;
  bool help = false;
  bool version = false;
  // info and export: the pix file; import: the PNG.
  std::string file;
  ImageSize size;
  std::optional<std::int64_t> image;
  bool all = false;
  std::optional<int> sheetColumns;
  int scale = 1;
  std::string output;
  std::string appendTo;
  std::string into;
  bool allowAnyIndex = false;
};

// The command's name as typed, "" for None.
const char* CommandName(Command command);

// The options the command takes, as typed ("--size", "-o", ...).
std::vector<std::string> OptionNames(Command command);

// Parses the arguments after the program name. False with a one-line message
// when they are not a valid command line; help and version requests succeed with
// help or version set.
bool ParseCommandLine(const std::vector<std::string>& arguments, Options& options, std::string& error);

}  // namespace pixtool
