// Reading palette files: the text forms line by line, the Adobe table by its
// size, and the form told by the bytes before the name.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "storage/palette_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct TextLine {
  int number = 0;
  std::string_view text;  // without its line end, blanks at both ends cut
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Length of the UTF-8 sequence at text (1 to 4), or 0 when it is not one:
// a stray continuation byte, an overlong form, a surrogate, a cut sequence.
std::size_t Utf8Length(const std::uint8_t* text, std::size_t left) {
  const std::uint8_t first = text[0];
  std::size_t length = 0;
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  if (first < 0x80) {
    return 1;
  } else if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    low = first == 0xE0 ? 0xA0 : 0x80;
    high = first == 0xED ? 0x9F : 0xBF;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    low = first == 0xF0 ? 0x90 : 0x80;
    high = first == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (left < length || text[1] < low || text[1] > high) {
    return 0;
  }
  for (std::size_t k = 2; k < length; ++k) {
    if (text[k] < 0x80 || text[k] > 0xBF) {
      return 0;
    }
  }
  return length;
}

// Where the line [start, end) stops being text (a control byte, or bytes that
// are not UTF-8), or end when it is text throughout.
std::size_t FirstNonText(const Bytes& bytes, std::size_t start, std::size_t end) {
  for (std::size_t at = start; at < end;) {
    const std::uint8_t byte = bytes[at];
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
      return at;
    }
    const std::size_t length = Utf8Length(bytes.data() + at, end - at);
    if (length == 0) {
      return at;
    }
    at += length;
  }
  return end;
}

std::size_t TextStart(const Bytes& bytes) {
  // The byte-order mark Windows' editors put before UTF-8.
  return bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
}

// The lines of a text file, LF or CR LF ended; false at the first line that
// is too long or holds a byte that is not text.
bool SplitLines(const Bytes& bytes, std::vector<TextLine>& lines, PaletteProblem& problem) {
  const char* chars = reinterpret_cast<const char*>(bytes.data());
  std::size_t start = TextStart(bytes);
  for (int number = 1; start < bytes.size(); ++number) {
    const auto newline = std::find(bytes.begin() + static_cast<long>(start), bytes.end(), '\n');
    const std::size_t next = static_cast<std::size_t>(newline - bytes.begin());
    std::size_t end = next;
    if (end > start && bytes[end - 1] == '\r') {
      --end;
    }
    if (end - start > kMaxPaletteLineBytes) {
      problem = {number, "longer than " + std::to_string(kMaxPaletteLineBytes) + " characters"};
      return false;
    }
    if (const std::size_t bad = FirstNonText(bytes, start, end); bad != end) {
      char shown[8];
      std::snprintf(shown, sizeof shown, "0x%02X", bytes[bad]);
      problem = {number, std::string("a byte that is not text (") + shown + ")"};
      return false;
    }
    lines.push_back({number, Trim(std::string_view(chars + start, end - start))});
    start = next + 1;
  }
  return true;
}

// The next word of text (up to a blank), taken off its front.
std::string_view TakeWord(std::string_view& text) {
  text = Trim(text);
  const std::size_t end = std::min(text.find_first_of(" \t"), text.size());
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

// The largest number read: six digits, far from an int's limit.
constexpr int kMaxNumber = 999999;
constexpr std::size_t kMaxDigits = 6;
constexpr const char* kNotAColour = "not a colour: three numbers from 0 to 255";

// A whole number from 0 to limit (at most kMaxNumber); false with the reason otherwise.
bool ReadValue(std::string_view word, int limit, int& value, std::string& reason, const char* notNumber) {
  std::string_view digits = word;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    reason = notNumber;
    return false;
  }
  const std::string_view significant = digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
  int number = 0;
  for (std::size_t k = 0; k < significant.size() && k < kMaxDigits; ++k) {
    number = number * 10 + (significant[k] - '0');
  }
  std::string shown = word.size() <= 12 ? std::string(word) : std::string("a number");
  if (negative && number > 0) {
    reason = shown.append(" is below 0");
    return false;
  }
  if (significant.size() > kMaxDigits || number > limit) {
    reason = shown.append(" is above ").append(std::to_string(limit));
    return false;
  }
  value = number;
  return true;
}

// Red, green and blue at the front of text, taken off it.
bool TakeColour(std::string_view& text, PaletteColour& colour, std::string& reason) {
  int values[3] = {0, 0, 0};
  for (int& value : values) {
    if (!ReadValue(TakeWord(text), 255, value, reason, kNotAColour)) {
      return false;
    }
  }
  colour = {static_cast<std::uint8_t>(values[0]), static_cast<std::uint8_t>(values[1]),
            static_cast<std::uint8_t>(values[2])};
  return true;
}

bool AddColour(PaletteFileColours& palette, PaletteColour colour, std::string_view name, int line,
               PaletteProblem& problem) {
  if (palette.colours.size() == kMaxPaletteColours) {
    problem = {line, "a 257th colour: a palette holds at most 256"};
    return false;
  }
  palette.colours.push_back(colour);
  palette.names.emplace_back(name);
  return true;
}

bool ParseGpl(const std::vector<TextLine>& lines, PaletteFileColours& palette, PaletteProblem& problem) {
  for (const TextLine& line : lines) {
    std::string_view text = line.text;
    if (text.empty() || text.front() == '#' || (line.number == 1 && text == "GIMP Palette") ||
        text.starts_with("Name:") || text.starts_with("Columns:")) {
      continue;
    }
    PaletteColour colour{};
    std::string reason;
    if (!TakeColour(text, colour, reason)) {
      problem = {line.number, reason};
      return false;
    }
    if (!AddColour(palette, colour, Trim(text), line.number, problem)) {
      return false;
    }
  }
  return true;
}

bool ParsePal(const std::vector<TextLine>& lines, PaletteFileColours& palette, PaletteProblem& problem) {
  // A file that ends too soon is refused at its last line.
  const int last = lines.empty() ? 0 : lines.back().number;
  const char* header[] = {"JASC-PAL", "0100"};
  for (int k = 0; k < 2; ++k) {
    const std::string expected =
        std::string(header[k]) + ", line " + std::to_string(k + 1) + " of a JASC palette";
    if (lines.size() <= static_cast<std::size_t>(k)) {
      problem = {last, "the file ends before " + expected};
      return false;
    }
    if (lines[k].text != header[k]) {
      problem = {k + 1, "not " + expected};
      return false;
    }
  }
  if (lines.size() < 3) {
    problem = {last, "the file ends before its number of colours"};
    return false;
  }
  int count = 0;
  std::string reason;
  if (!ReadValue(lines[2].text, kMaxNumber, count, reason, "not a number of colours")) {
    problem = {3, reason};
    return false;
  }
  if (count > static_cast<int>(kMaxPaletteColours)) {
    problem = {3, std::to_string(count) + " colours: a palette holds at most 256"};
    return false;
  }
  for (std::size_t k = 3; k < lines.size(); ++k) {
    std::string_view text = lines[k].text;
    if (text.empty()) {
      continue;
    }
    PaletteColour colour{};
    reason.clear();
    if (!TakeColour(text, colour, reason) || !Trim(text).empty()) {
      problem = {lines[k].number, reason.empty() ? kNotAColour : reason};
      return false;
    }
    if (palette.colours.size() == static_cast<std::size_t>(count)) {
      problem = {lines[k].number, "more colours than the " + std::to_string(count) + " line 3 gives"};
      return false;
    }
    AddColour(palette, colour, "", lines[k].number, problem);
  }
  if (palette.colours.size() < static_cast<std::size_t>(count)) {
    problem = {lines.back().number, "the file ends after " + std::to_string(palette.colours.size()) +
                                        " of the " + std::to_string(count) + " colours line 3 gives"};
    return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  c = static_cast<char>(c | 0x20);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// "rrggbb" or "#rrggbb".
bool ReadHexColour(std::string_view text, PaletteColour& colour) {
  if (!text.empty() && text.front() == '#') {
    text.remove_prefix(1);
  }
  if (text.size() != 6) {
    return false;
  }
  std::uint8_t values[3] = {0, 0, 0};
  for (std::size_t k = 0; k < 3; ++k) {
    const int high = HexDigit(text[2 * k]);
    const int low = HexDigit(text[2 * k + 1]);
    if (high < 0 || low < 0) {
      return false;
    }
    values[k] = static_cast<std::uint8_t>(high * 16 + low);
  }
  colour = {values[0], values[1], values[2]};
  return true;
}

bool ParseHex(const std::vector<TextLine>& lines, PaletteFileColours& palette, PaletteProblem& problem) {
  for (const TextLine& line : lines) {
    if (line.text.empty()) {
      continue;
    }
    PaletteColour colour{};
    if (!ReadHexColour(line.text, colour)) {
      problem = {line.number, "not a colour rrggbb of six hex digits"};
      return false;
    }
    if (!AddColour(palette, colour, "", line.number, problem)) {
      return false;
    }
  }
  return true;
}

bool ParseAct(const Bytes& bytes, PaletteFileColours& palette, PaletteProblem& problem) {
  if (bytes.size() != kActBytes && bytes.size() != kActWithCountBytes) {
    problem = {0,
               std::to_string(bytes.size()) + " bytes: an Adobe colour table has 768, or 772 with its count"};
    return false;
  }
  std::size_t count = kMaxPaletteColours;
  if (bytes.size() == kActWithCountBytes) {
    count = static_cast<std::size_t>(bytes[kActBytes] << 8 | bytes[kActBytes + 1]);
    if (count > kMaxPaletteColours) {
      problem = {0, "its count says " + std::to_string(count) + " colours: a palette holds at most 256"};
      return false;
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    palette.colours.push_back({bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]});
    palette.names.emplace_back();
  }
  return true;
}

}  // namespace

bool ReadPaletteStream(std::FILE* stream, std::vector<std::uint8_t>& bytes, PaletteProblem& problem) {
  bytes.clear();
  char buffer[16384];
  for (;;) {
    const std::size_t want = std::min(sizeof buffer, kMaxPaletteFileBytes + 1 - bytes.size());
    const std::size_t got = std::fread(buffer, 1, want, stream);
    bytes.insert(bytes.end(), buffer, buffer + got);
    if (bytes.size() > kMaxPaletteFileBytes) {
      problem = {0, "larger than " + std::to_string(kMaxPaletteFileBytes >> 20) +
                        " MB, far more than a palette file holds"};
      return false;
    }
    if (got < want) {
      if (std::ferror(stream) != 0) {
        problem = {0, std::string("cannot be read: ") + std::strerror(errno)};
        return false;
      }
      return true;
    }
  }
}

PaletteFormat PaletteFormatOfBytes(const std::vector<std::uint8_t>& bytes,
                                   std::optional<PaletteFormat> named) {
  std::vector<TextLine> lines;
  PaletteProblem unused;
  const bool text = SplitLines(bytes, lines, unused);
  const bool actSize = bytes.size() == kActBytes || bytes.size() == kActWithCountBytes;
  if (actSize && (named == PaletteFormat::Act || !text)) {
    return PaletteFormat::Act;
  }
  const auto first =
      std::find_if(lines.begin(), lines.end(), [](const TextLine& l) { return !l.text.empty(); });
  PaletteColour colour{};
  if (first != lines.end() && first->number == 1 && first->text == "GIMP Palette") {
    return PaletteFormat::Gpl;
  }
  if (first != lines.end() && first->number == 1 && first->text == "JASC-PAL") {
    return PaletteFormat::Pal;
  }
  if (first != lines.end() && ReadHexColour(first->text, colour)) {
    return PaletteFormat::Hex;
  }
  return named.value_or(PaletteFormat::Gpl);
}

bool ParsePaletteFile(PaletteFormat format, const std::vector<std::uint8_t>& bytes,
                      PaletteFileColours& palette, PaletteProblem& problem) {
  palette = PaletteFileColours{};
  problem = PaletteProblem{};
  if (format == PaletteFormat::Act) {
    return ParseAct(bytes, palette, problem);
  }
  std::vector<TextLine> lines;
  if (!SplitLines(bytes, lines, problem)) {
    return false;
  }
  switch (format) {
    case PaletteFormat::Gpl:
      return ParseGpl(lines, palette, problem);
    case PaletteFormat::Pal:
      return ParsePal(lines, palette, problem);
    case PaletteFormat::Hex:
      return ParseHex(lines, palette, problem);
    case PaletteFormat::Act:
      break;
  }
  return false;
}
