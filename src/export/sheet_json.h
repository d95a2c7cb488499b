// The frames of a sprite sheet as the JSON that game engines import from
// sprite-sheet editors (the "array" form): each frame's name, rectangle in the
// sheet and duration, and the sheet image's name and size.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "export/sheet_layout.h"

namespace pixexport {

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

// The frames of a sheet of images first .. first + count - 1 of the pix file
// at pixPath, laid out as layout says, shown fps a second: each named after
// the file and its image number ("walk_3" for image 3 of walk.pix), each
// lasting the nearest whole millisecond. imageName is the sheet's name as the
// JSON's reader finds it.
SheetData DescribeSheet(const std::string& pixPath, std::size_t first, std::size_t count,
                        const SheetLayout& layout, int fps, const std::string& imageName);

}  // namespace pixexport
