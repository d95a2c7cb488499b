// The editor's messages, wrapped into the lines of the message place.
#include "app/editor_message.h"

#include <cstdio>

#include "app/editor_state.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"

namespace {

bool messageShown = false;

constexpr std::size_t kCells = static_cast<std::size_t>(layout::kMessageCells);

// The part of text that line begins with, from start: as many whole words as
// fit (a word longer than a line is cut), without the blanks where it breaks.
std::size_t LineEnd(const std::string& text, std::size_t start) {
  if (text.size() - start <= kCells) {
    return text.size();
  }
  const std::size_t space = text.rfind(' ', start + kCells);
  return space != std::string::npos && space > start ? space : start + kCells;
}

std::size_t SkipBlanks(const std::string& text, std::size_t at) {
  while (at < text.size() && text[at] == ' ') {
    ++at;
  }
  return at;
}

void DrawLine(const std::string& line, int index, plat::COLORREF colour) {
  std::snprintf(textLine, sizeof textLine, "%.*s", layout::kMessageCells, line.c_str());
  PadToCells(textLine, sizeof textLine, layout::kMessageCells);
  DrawTextAt(textLine, layout::kMessageTop.x, layout::kMessageTop.y + index * layout::kTextLinePitch, colour,
             displayDevice.primarySurface);
}

}  // namespace

std::string WrappedMessageLine(const std::string& text, int line) {
  std::size_t start = SkipBlanks(text, 0);
  for (int i = 0; i < line && start < text.size(); ++i) {
    start = SkipBlanks(text, LineEnd(text, start));
  }
  return start < text.size() ? text.substr(start, LineEnd(text, start) - start) : std::string();
}

void ShowEditorMessage(const std::string& text, plat::COLORREF colour) {
  for (int line = 0; line < layout::kMessageLines; ++line) {
    DrawLine(WrappedMessageLine(text, line), line, colour);
  }
  messageShown = true;
}

void EraseEditorMessage() {
  if (!messageShown) {
    return;
  }
  for (int line = 0; line < layout::kMessageLines; ++line) {
    DrawLine("", line, 0);
  }
  messageShown = false;
}
