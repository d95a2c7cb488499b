// The process entry of the real program: hands over to WinMain.
#include <string>

#include "app/winmain.h"
#include "platform/system.h"

int main(int argc, char** argv) {
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
