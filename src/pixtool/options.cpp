// Parsing pixtool's command line: a command, one file, and options as
// "--name value" or "--name=value".
#include "pixtool/options.h"

#include <charconv>
#include <initializer_list>

namespace pixtool {

namespace {

// Bit i: taken by the command of value i.
constexpr unsigned Takes(std::initializer_list<Command> commands) {
  unsigned bits = 0;
  for (Command command : commands) {
    bits |= 1u << static_cast<unsigned>(command);
  }
  return bits;
}

struct OptionSpec {
  const char* name;
  bool takesValue;
  unsigned commands;
};

constexpr OptionSpec kOptions[] = {
    {"--size", true, Takes({Command::Info, Command::Export, Command::Import, Command::Delete})},
    {"--image", true, Takes({Command::Export, Command::Import, Command::Delete})},
    {"--all", false, Takes({Command::Export})},
    {"--from", true, Takes({Command::Export, Command::Palette})},
    {"--to", true, Takes({Command::Export})},
    {"--fps", true, Takes({Command::Export})},
    {"--sheet", true, Takes({Command::Export, Command::Import})},
    {"--scale", true, Takes({Command::Export, Command::Import})},
    {"-o", true, Takes({Command::Export, Command::Palette})},
    {"--json", true, Takes({Command::Export})},
    {"--format", true, Takes({Command::Palette})},
    {"--append", true, Takes({Command::Import})},
    {"--into", true, Takes({Command::Import})},
    {"--allow-any-index", false, Takes({Command::Import})},
    {"--palette", true, Takes({Command::Export, Command::Import, Command::Palette})},
};

constexpr Command kCommands[] = {Command::Info, Command::Export, Command::Import, Command::Delete,
                                 Command::Palette};
constexpr const char* kCommandList = "info, export, import, delete or palette";

Command CommandNamed(const std::string& name) {
  for (Command command : kCommands) {
    if (name == CommandName(command)) {
      return command;
    }
  }
  return Command::None;
}

// A decimal number from low to high, digits only.
bool ParseNumber(const std::string& text, std::int64_t low, std::int64_t high, std::int64_t& value) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
  return problem == std::errc{} && end == text.data() + text.size() && value >= low && value <= high;
}

bool ParseSize(const std::string& text, ImageSize& size) {
  const std::size_t x = text.find_first_of("xX");
  std::int64_t width = 0;
  std::int64_t height = 0;
  if (x == std::string::npos || !ParseNumber(text.substr(0, x), 1, kMaxSide, width) ||
      !ParseNumber(text.substr(x + 1), 1, kMaxSide, height)) {
    return false;
  }
  size = {static_cast<int>(width), static_cast<int>(height)};
  return true;
}

// Stores one option's value; false with a message when the value is not valid.
bool TakeOption(const std::string& name, const std::string& value, Options& options, std::string& error) {
  std::int64_t number = 0;
  if (name == "--size") {
    if (!ParseSize(value, options.size)) {
      error = "--size wants WIDTHxHEIGHT, each from 1 to " + std::to_string(kMaxSide) + ", such as 16x16";
      return false;
    }
  } else if (name == "--image") {
    if (!ParseNumber(value, 0, kMaxImageNumber, number)) {
      error = "--image wants an image number from 0 to " + std::to_string(kMaxImageNumber);
      return false;
    }
    options.image = number;
  } else if (name == "--all") {
    options.all = true;
  } else if (name == "--from" && options.command == Command::Palette) {
    options.paletteFrom = value;
  } else if (name == "--from" || name == "--to") {
    if (!ParseNumber(value, 0, kMaxImageNumber, number)) {
      error = name + " wants an image number from 0 to " + std::to_string(kMaxImageNumber);
      return false;
    }
    (name == "--from" ? options.from : options.to) = number;
  } else if (name == "--fps") {
    if (!ParseNumber(value, 1, kMaxFps, number)) {
      error = "--fps wants images a second from 1 to " + std::to_string(kMaxFps) +
              " (a GIF's delays are in hundredths of a second)";
      return false;
    }
    options.fps = static_cast<int>(number);
  } else if (name == "--sheet") {
    if (!ParseNumber(value, 1, kMaxColumns, number)) {
      error = "--sheet wants a number of columns from 1 to " + std::to_string(kMaxColumns);
      return false;
    }
    options.sheetColumns = static_cast<int>(number);
  } else if (name == "--scale") {
    if (!ParseNumber(value, 1, kMaxScale, number)) {
      error = "--scale wants a whole factor from 1 to " + std::to_string(kMaxScale);
      return false;
    }
    options.scale = static_cast<int>(number);
  } else if (name == "-o") {
    options.output = value;
  } else if (name == "--json") {
    options.json = value;
  } else if (name == "--format") {
    const std::optional<PaletteFormat> format = PaletteFormatNamed(value);
    if (!format) {
      error = "--format wants gpl, pal, act or hex";
      return false;
    }
    options.paletteFormat = format;
  } else if (name == "--append") {
    options.appendTo = value;
  } else if (name == "--into") {
    options.into = value;
  } else if (name == "--allow-any-index") {
    options.allowAnyIndex = true;
  } else if (name == "--palette") {
    options.palette = value;
  }
  if (value.empty() && (name == "-o" || name == "--json" || name == "--append" || name == "--into" ||
                        name == "--palette" || (name == "--from" && options.command == Command::Palette))) {
    error = name + " wants a file name";
    return false;
  }
  return true;
}

bool EndsWithGif(const std::string& path) {
  const std::size_t length = path.size();
  return length >= 4 && path[length - 4] == '.' && (path[length - 3] | 0x20) == 'g' &&
         (path[length - 2] | 0x20) == 'i' && (path[length - 1] | 0x20) == 'f';
}

bool CheckExport(Options& options, std::string& error) {
  if (options.image && options.all) {
    error = "--image and --all exclude each other";
  } else if ((options.from || options.to) && !options.all) {
    error = "--from and --to choose among the images of --all: add --all";
  } else if (options.from && options.to && *options.from > *options.to) {
    error = "--from " + std::to_string(*options.from) + " comes after --to " + std::to_string(*options.to) +
            ": no image between them";
  } else if (options.output.empty()) {
    error = "-o OUT.png or -o OUT.gif is needed (-o - writes a PNG to standard output)";
  }
  if (!error.empty()) {
    return false;
  }
  options.picture = EndsWithGif(options.output) ? PictureFormat::Gif : PictureFormat::Png;
  if (options.picture == PictureFormat::Gif && options.sheetColumns) {
    error = "--sheet lays images out in a PNG; a GIF shows them one after another";
  } else if (options.picture == PictureFormat::Gif && !options.json.empty()) {
    error = "--json describes the frames of a PNG sheet, not of a GIF";
  } else if (options.fps && options.picture == PictureFormat::Png && options.json.empty()) {
    error = "--fps sets the rate of a GIF (-o OUT.gif) or the durations that --json writes";
  } else if (!options.json.empty() && options.output == "-") {
    error = "--json names the sheet's file, which -o - does not have: give -o SHEET.png";
  } else if (options.json == options.output) {
    error = "--json and -o name the same file";
  }
  return error.empty();
}

bool CheckImport(const Options& options, std::string& error) {
  if (options.appendTo.empty() == options.into.empty()) {
    error = "give either --append FILE or --into FILE --image N";
  } else if (!options.into.empty() && !options.image) {
    error = "--into needs --image N, the image slot to write";
  } else if (!options.appendTo.empty() && options.image) {
    error = "--append adds a new last image; --image goes with --into";
  }
  return error.empty();
}

bool CheckPalette(Options& options, std::string& error) {
  if (!options.file.empty()) {
    error = "palette takes the colours of --from FILE, not of '" + options.file + "'";
  } else if (!options.paletteFrom.empty() && !options.palette.empty()) {
    error = "--from and --palette both name the colours to write: give one";
  } else if (options.output.empty()) {
    error =
        "-o OUT.gpl, OUT.pal, OUT.act or OUT.hex is needed (-o - with --format writes to standard output)";
  } else if (!options.paletteFormat) {
    options.paletteFormat = PaletteFormatOfFile(options.output);
    if (options.output == "-") {
      error = "-o - has no extension to tell the form: say which with --format";
    } else if (!options.paletteFormat) {
      error = "'" + options.output + "' does not end in .gpl, .pal, .act or .hex: say which with --format";
    }
  }
  return error.empty();
}

// What the options together must satisfy, once all are read.
bool CheckCombination(Options& options, std::string& error) {
  error.clear();
  if (options.command == Command::Palette) {
    return CheckPalette(options, error);
  }
  if (options.file.empty()) {
    error = options.command == Command::Import ? "name the PNG file to import" : "name the pix file";
    return false;
  }
  switch (options.command) {
    case Command::Export:
      return CheckExport(options, error);
    case Command::Import:
      return CheckImport(options, error);
    case Command::Delete:
      if (!options.image) {
        error = "--image N is needed: the image to take out";
      }
      return error.empty();
    default:
      return true;
  }
}

}  // namespace

const char* CommandName(Command command) {
  switch (command) {
    case Command::Info:
      return "info";
    case Command::Export:
      return "export";
    case Command::Import:
      return "import";
    case Command::Delete:
      return "delete";
    case Command::Palette:
      return "palette";
    case Command::None:
      break;
  }
  return "";
}

std::vector<std::string> OptionNames(Command command) {
  std::vector<std::string> names;
  for (const OptionSpec& spec : kOptions) {
    if ((spec.commands & Takes({command})) != 0) {
      names.emplace_back(spec.name);
    }
  }
  return names;
}

bool NeedsSize(Command command) {
  return command == Command::Info || command == Command::Export || command == Command::Import ||
         command == Command::Delete;
}

bool UsesColours(Command command) {
  return command == Command::Export || command == Command::Import || command == Command::Palette;
}

bool ParseCommandLine(const std::vector<std::string>& arguments, Options& options, std::string& error) {
  options = Options{};
  if (arguments.empty()) {
    error = std::string("name a command: ") + kCommandList;
    return false;
  }
  std::size_t next = 1;
  if (arguments[0] == "--version") {
    options.version = true;
    return true;
  }
  if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
    options.help = true;
    options.command = arguments.size() > 1 ? CommandNamed(arguments[1]) : Command::None;
    return true;
  }
  options.command = CommandNamed(arguments[0]);
  if (options.command == Command::None) {
    error = "unknown command '" + arguments[0] + "': use " + kCommandList;
    return false;
  }
  bool optionsEnded = false;
  for (; next < arguments.size(); ++next) {
    const std::string& argument = arguments[next];
    if (!optionsEnded && (argument == "--help" || argument == "-h")) {
      options.help = true;
      return true;
    }
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      if (!options.file.empty()) {
        error = "one file only: '" + options.file + "' and '" + argument + "'";
        return false;
      }
      options.file = argument;
      continue;
    }
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& candidate : kOptions) {
      if (name == candidate.name && (candidate.commands & Takes({options.command})) != 0) {
        spec = &candidate;
      }
    }
    if (spec == nullptr) {
      error = "'" + name + "' is not an option of " + CommandName(options.command);
      return false;
    }
    std::string value;
    if (spec->takesValue) {
      if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
      } else if (next + 1 < arguments.size()) {
        value = arguments[++next];
      } else {
        error = name + " wants a value";
        return false;
      }
    } else if (equals != std::string::npos) {
      error = name + " takes no value";
      return false;
    }
    if (!TakeOption(name, value, options, error)) {
      return false;
    }
  }
  return CheckCombination(options, error);
}

}  // namespace pixtool
