// Six hex digits read into a colour, and a colour written as them.
#include "textentry/hex_colour.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::size_t kHexDigits = 6;

int DigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

std::size_t TypedLength(const char* text) {
  std::size_t length = std::strlen(text);
  while (length > 0 && text[length - 1] == ' ') {
    --length;
  }
  return length;
}

}  // namespace

char FirstNonHexCharacter(const char* text) {
  const std::size_t length = TypedLength(text);
  for (std::size_t i = 0; i < length; ++i) {
    if (DigitValue(text[i]) < 0) {
      return text[i];
    }
  }
  return '\0';
}

HexColourText ReadHexColour(const char* text, PaletteColour* colour) {
  const std::size_t length = TypedLength(text);
  if (length == 0) {
    return HexColourText::Empty;
  }
  if (FirstNonHexCharacter(text) != '\0') {
    return HexColourText::NotHex;
  }
  if (length != kHexDigits) {
    return HexColourText::TooShort;
  }
  const auto byte = [text](std::size_t at) {
    return static_cast<std::uint8_t>(DigitValue(text[at]) * 16 + DigitValue(text[at + 1]));
  };
  *colour = {byte(0), byte(2), byte(4)};
  return HexColourText::Taken;
}

std::string HexOfColour(const PaletteColour& colour) {
  char text[kHexDigits + 1];
  std::snprintf(text, sizeof text, "%02x%02x%02x", colour.red, colour.green, colour.blue);
  return text;
}
