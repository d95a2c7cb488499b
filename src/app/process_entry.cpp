// The process entry of the real program: the command line, then WinMain.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/winmain.h"
#include "platform/system.h"

namespace {

constexpr const char* kUsage =
    "Usage: pixed [FOLDER]\n"
    "A full-screen 8-bit pixel editor for a game's graphics.\n"
    "\n"
    "It works in FOLDER, or in the current folder when none is given: the\n"
    "settings files and the pix files are read and written there, and button\n"
    "bitmaps found there are drawn instead of the program's own.\n"
    "\n"
    "While the screen holds work that no Save wrote (\"Unsaved\" shows left of\n"
    "the buttons), a recovery copy of it is kept in $XDG_STATE_HOME/pixed, by\n"
    "default ~/.local/state/pixed, one for each working folder. The next start\n"
    "in that folder offers it back: R puts it back, any other key sets it aside\n"
    "there as NAME.TIME.WIDTHxHEIGHT.pix, whose image\n"
    "\"pixtool export FILE --size WIDTHxHEIGHT\" reads.\n"
    "\n"
    "  --help     show this help and end\n"
    "  --version  show the version and end\n"
    "\n"
    "Keys in the editor:\n"
    "  B                 the pen, single or 2 x 2 as the Quad button says\n"
    "  G                 fill the area of one colour that a press is on; with\n"
    "                    Shift held at the press, that colour everywhere\n"
    "  L                 a line from the press to the release\n"
    "  U                 a rectangle between the press and the release; U\n"
    "                    again switches between outlined and filled\n"
    "  Shift+U           an ellipse inside that rectangle; Shift+U again\n"
    "                    switches between outlined and filled\n"
    "  Shift+H, Shift+V  flip the image left to right, or top to bottom\n"
    "  Shift+arrow       shift the image a pixel, round to the other edge\n"
    "  [ and ]           the previous or next colour of the palette panel\n"
    "  Right, Left       load the next or the previous image of the load file\n"
    "  Home, End         load image 0, or the last whole image of the load file\n"
    "  Ctrl+S            write the working view over the image \"Pix number:\"\n"
    "                    shows, in the save file, replacing the file whole; with\n"
    "                    no number shown (a fresh start, after Clear or a new\n"
    "                    size), or one past the file's end, append it\n"
    "  Alt+N             append the working view to the save file\n"
    "  Ctrl+N            a new file: its name, width and height, in turn\n"
    "  Enter             play the load file's images in the reference view, or\n"
    "                    stop; + and - change the rate, 1 to 30 a second (8)\n"
    "  Ctrl+Z, Ctrl+Y    undo, redo (Ctrl+Shift+Z redoes too)\n"
    "  F1                these keys on the screen, until a key or click\n"
    "  Escape            end the editor; in an entry or the settings menu,\n"
    "                    cancel that alone\n"
    "\n"
    "Environment:\n"
    "  PIXED_SCALING=area   the picture fills the screen, every screen pixel\n"
    "                       showing the share of each editor pixel it covers\n"
    "                       (the default)\n"
    "  PIXED_SCALING=whole  sharp square pixels at the largest whole multiple\n"
    "                       that fits, with wider black bars\n"
    "  PIXED_HISTORY_MB\n"
    "      the most memory the undo history keeps, in megabytes of 1,048,576\n"
    "      bytes: 64 when unset or empty, at least 256 steps of a 102 x 78\n"
    "      image; the oldest steps go first. 0 turns undo and redo off. A whole\n"
    "      number from 0 to 1024; a larger one counts as 1024, anything else\n"
    "      (negative, a fraction, text) as 64, with a warning on stderr.\n"
    "  XDG_STATE_HOME\n"
    "      the folder of the recovery copies is XDG_STATE_HOME/pixed; unset,\n"
    "      empty or not an absolute path, ~/.local/state/pixed\n"
    "\n"
    "Exit status: 0 after a normal run, 1 when the editor could not start,\n"
    "3 when a settings file could not be written at the end.\n";

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "pixed: %s\nTry 'pixed --help'.\n", problem.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const char* folder = nullptr;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!optionsEnded && argument == "--version") {
      std::printf("pixed %s\n", PIXED_VERSION);
      return 0;
    } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
      return UsageError("unknown option " + argument);
    } else if (folder != nullptr) {
      return UsageError("one folder at most, not also " + argument);
    } else {
      folder = argv[i];
    }
  }
  if (folder != nullptr) {
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error) {
      std::fprintf(stderr, "pixed: cannot work in %s: %s\n", folder, error.message().c_str());
      return 1;
    }
  }
  // Buttons the working folder lacks come from the program's own folder.
  plat::SetBitmapFolder(plat::ProgramBitmapFolder().c_str());

  // The command line as the program would see it: the arguments after its name.
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      commandLine += ' ';
    }
    commandLine += argv[i];
  }
  constexpr int showDefault = 10;
  return WinMain(plat::GetModuleHandleA(nullptr), nullptr, commandLine.data(), showDefault);
}
