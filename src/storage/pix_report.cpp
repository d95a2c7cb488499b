// The reasons a load or a save gives, and what a save that worked wrote.
#include "storage/pix_report.h"

#include <cstring>

#include "app/editor_state.h"

std::string ReasonOf(int error) {
  const char* text = std::strerror(error);
  return text != nullptr ? text : "unknown error " + std::to_string(error);
}

std::string NoSuchOffset(std::int64_t offset) {
  return "the offset " + std::to_string(offset) + " names no image";
}

std::string NoSuchImage(std::int64_t image) {
  return "there is no image " + std::to_string(image);
}

void DescribeWrite(std::int64_t position, std::int64_t size, PixReport& report) {
  report.byte = position;
  report.written = size;
  if (size <= 0) {
    report.image = -1;
    report.reason = "the image is " + std::to_string(editorState.width) + " x " +
                    std::to_string(editorState.height) + ": there is nothing to write";
    return;
  }
  report.image = position % size == 0 ? position / size : -1;
}
