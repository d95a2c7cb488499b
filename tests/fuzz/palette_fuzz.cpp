// Fuzz target: arbitrary bytes read as each of the four palette forms. A
// refusal names a line the file has (or none); a palette that is taken holds
// at most 256 colours, a name for each, names only from a GIMP palette, none
// with a line end; written as a GIMP palette it reads back to the same colours
// and names (names too long for a line cut). Input: the file.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_machine.h"
#include "storage/palette_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  const auto lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
  for (const PaletteFormat format :
       {PaletteFormat::Gpl, PaletteFormat::Pal, PaletteFormat::Act, PaletteFormat::Hex}) {
    PaletteFileColours palette;
    PaletteProblem problem;
    if (!ParsePaletteFile(format, bytes, palette, problem)) {
      pixfuzz::Check(!problem.reason.empty(), "a refusal without a reason");
      pixfuzz::Check(problem.line >= 0 && problem.line <= lines, "a refusal at a line the file lacks");
      continue;
    }
    pixfuzz::Check(palette.colours.size() <= kMaxPaletteColours, "more than 256 colours taken");
    pixfuzz::Check(palette.names.size() == palette.colours.size(), "not a name for every colour");
    for (const std::string& name : palette.names) {
      pixfuzz::Check(format == PaletteFormat::Gpl || name.empty(), "a name from a form without names");
      pixfuzz::Check(name.find_first_of("\r\n") == std::string::npos, "a name with a line end");
    }
    const PaletteColours colours = PaletteWithFile(GeneratePaletteColours(), palette);
    PaletteFileColours back;
    pixfuzz::Check(
        ParsePaletteFile(PaletteFormat::Gpl, PaletteFileBytes(PaletteFormat::Gpl, colours, palette.names),
                         back, problem),
        "a written palette is refused: " + PaletteProblemText(problem));
    pixfuzz::Check(back.colours.size() == kMaxPaletteColours, "a written palette lacks colours");
    for (std::size_t i = 0; i < palette.colours.size(); ++i) {
      const PaletteColour& a = palette.colours[i];
      const PaletteColour& b = back.colours[i];
      pixfuzz::Check(a.red == b.red && a.green == b.green && a.blue == b.blue,
                     "a colour changed on the way back");
      // A name too long for its line comes back cut.
      const std::string& name = palette.names[i];
      pixfuzz::Check(name.empty() || back.names[i] == name ||
                         (name.size() > kMaxPaletteLineBytes - 12 && name.starts_with(back.names[i])),
                     "a name changed on the way back");
    }
  }
  return 0;
}
