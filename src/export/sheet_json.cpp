// Writing the sheet's JSON by hand: a fixed shape of numbers and escaped names.
#include "export/sheet_json.h"

#include <cstdint>
#include <cstdio>

#include "export/file_names.h"

namespace pixexport {

namespace {

// The length of the valid UTF-8 sequence at text[i], 0 when there is none:
// no overlong form, no surrogate, nothing above U+10FFFF.
std::size_t Utf8Length(const std::string& text, std::size_t i) {
  const auto byte = [&text](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
  const std::uint8_t lead = byte(i);
  std::size_t length = 0;
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) {
    return 0;
  }
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) {
      return 0;
    }
  }
  return length;
}

std::string Number(std::size_t value) {
  return std::to_string(value);
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    if (byte == '"' || byte == '\\') {
      json += '\\';
      json += static_cast<char>(byte);
      ++i;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      json += escaped;
      ++i;
    } else if (byte < 0x80) {
      json += static_cast<char>(byte);
      ++i;
    } else if (const std::size_t length = Utf8Length(text, i); length > 0) {
      json.append(text, i, length);
      i += length;
    } else {
      json += "\\ufffd";
      ++i;
    }
  }
  return json + "\"";
}

std::string SheetJson(const SheetData& data) {
  std::string json = "{\n  \"frames\": [";
  for (std::size_t n = 0; n < data.frames.size(); ++n) {
    const SheetFrame& frame = data.frames[n];
    const std::string w = Number(frame.width);
    const std::string h = Number(frame.height);
    json += n == 0 ? "\n" : ",\n";
    json +=
        "    {\"filename\": " + JsonString(frame.name) + ", \"frame\": {\"x\": " + Number(frame.x) +
        ", \"y\": " + Number(frame.y) + ", \"w\": " + w + ", \"h\": " + h +
        "}, \"rotated\": false, \"trimmed\": false, \"spriteSourceSize\": {\"x\": 0, \"y\": 0, \"w\": " + w +
        ", \"h\": " + h + "}, \"sourceSize\": {\"w\": " + w + ", \"h\": " + h +
        "}, \"duration\": " + std::to_string(data.durationMs) + "}";
  }
  json += "\n  ],\n  \"meta\": {\"app\": \"pixtool\", \"image\": " + JsonString(data.image) +
          ", \"size\": {\"w\": " + Number(data.width) + ", \"h\": " + Number(data.height) + "}}\n}\n";
  return json;
}

SheetData DescribeSheet(const std::string& pixPath, std::size_t first, std::size_t count,
                        const SheetLayout& layout, int fps, const std::string& imageName) {
  SheetData data;
  data.durationMs = (1000 + fps / 2) / fps;
  data.image = imageName;
  data.width = layout.width;
  data.height = layout.height;
  const std::string stem = FileStem(pixPath);
  for (std::size_t n = 0; n < count; ++n) {
    const CellPlace cell = CellAt(layout, n);
    data.frames.push_back(
        {stem + "_" + std::to_string(first + n), cell.left, cell.top, layout.cellWidth, layout.cellHeight});
  }
  return data;
}

}  // namespace pixexport
