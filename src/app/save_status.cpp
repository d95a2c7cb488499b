// The messages after a save or a load, on the screen and on the standard error.
#include "app/save_status.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/action_common.h"
#include "app/editor_message.h"
#include "storage/work_record.h"

namespace {

// A name field holds at most 24 characters, even when its terminator was lost.
std::string NameOf(const char* fileName) {
  return std::string(fileName, strnlen(fileName, kLongestName));
}

void Complain(const std::string& line) {
  ShowEditorMessage(line, kPromptColour);
  std::fprintf(stderr, "pixed: %s\n", line.c_str());
}

}  // namespace

bool SaveWorked(int result, const PixReport& report) {
  return result == 1 && report.written > 0;
}

void ImageSaved(const char* fileName, const PixReport& report) {
  const std::string name = NameOf(fileName);
  if (report.image >= 0) {
    ShowEditorMessage("Saved image " + std::to_string(report.image) + " of " + name, kValueColour);
  } else {
    ShowEditorMessage("Saved to " + name + " at byte " + std::to_string(report.byte) + ", after a part image",
                      kValueColour);
  }
}

void ImageNotSaved(const char* fileName, const PixReport& report) {
  Complain(NameOf(fileName) + " could not be written: " + report.reason);
}

void LoadFileNotOpened(const char* fileName, const PixReport& report) {
  Complain(NameOf(fileName) + " could not be opened: " + report.reason);
}

void ExportDone(const std::string& text) {
  ShowEditorMessage(text, kValueColour);
}

void ExportFailed(const std::string& text) {
  Complain(text);
}
