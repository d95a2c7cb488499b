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
    {"--size", true, Takes({Command::Info, Command::Export, Command::Import})},
    {"--image", true, Takes({Command::Export, Command::Import})},
    {"--all", false, Takes({Command::Export})},
    {"--sheet", true, Takes({Command::Export, Command::Import})},
    {"--scale", true, Takes({Command::Export, Command::Import})},
    {"-o", true, Takes({Command::Export})},
    {"--append", true, Takes({Command::Import})},
    {"--into", true, Takes({Command::Import})},
    {"--allow-any-index", false, Takes({Command::Import})},
};

Command CommandNamed(const std::string& name) {
  for (Command command : {Command::Info, Command::Export, Command::Import}) {
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
  } else if (name == "--append") {
    options.appendTo = value;
  } else if (name == "--into") {
    options.into = value;
  } else if (name == "--allow-any-index") {
    options.allowAnyIndex = true;
  }
  if (value.empty() && (name == "-o" || name == "--append" || name == "--into")) {
    error = name + " wants a file name";
    return false;
  }
  return true;
}

// What the options together must satisfy, once all are read.
bool CheckCombination(const Options& options, std::string& error) {
  if (options.file.empty()) {
    error = options.command == Command::Import ? "name the PNG file to import" : "name the pix file";
    return false;
  }
  if (options.size.width == 0) {
    error = "--size WIDTHxHEIGHT is needed: a pix file does not record its image size";
    return false;
  }
  if (options.command == Command::Export) {
    if (options.image && options.all) {
      error = "--image and --all exclude each other";
      return false;
    }
    if (options.output.empty()) {
      error = "-o OUT.png is needed (-o - writes to standard output)";
      return false;
    }
  }
  if (options.command == Command::Import) {
    if (options.appendTo.empty() == options.into.empty()) {
      error = "give either --append FILE or --into FILE --image N";
      return false;
    }
    if (!options.into.empty() && !options.image) {
      error = "--into needs --image N, the image slot to write";
      return false;
    }
    if (!options.appendTo.empty() && options.image) {
      error = "--append adds a new last image; --image goes with --into";
      return false;
    }
  }
  return true;
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

bool ParseCommandLine(const std::vector<std::string>& arguments, Options& options, std::string& error) {
  options = Options{};
  if (arguments.empty()) {
    error = "name a command: info, export or import";
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
    error = "unknown command '" + arguments[0] + "': use info, export or import";
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
