// The frames of a sprite sheet as the JSON that game engines import from
// sprite-sheet editors (the "array" form): each frame's name, rectangle in the
// sheet and duration, and the sheet image's name and size.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pixtool {

struct SheetFrame {
  std::string name;
  std::size_t x = 0;
  std::size_t y = 0;
  std::size_t width = 0;
  std::size_t height = 0;
};

struct SheetData {
  std::vector<SheetFrame> frames;
  int durationMs = 100;  // every frame's
  std::string image;     // the sheet's file name, as the JSON's reader finds it from the JSON's folder
  std::size_t width = 0;
  std::size_t height = 0;
};

// The text as a JSON string, quotes included: quotes, backslashes and control
// characters escaped, and any byte that is not part of valid UTF-8 given as
// U+FFFD, so that the document is valid JSON whatever a file is called.
std::string JsonString(const std::string& text);

// The whole document, ending in a newline.
std::string SheetJson(const SheetData& data);

}  // namespace pixtool
