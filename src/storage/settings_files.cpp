// The three settings files: save name, load name, image size.
#include "settings_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "../app/editor_state.h"
#include "../canvas/screen_layout.h"
#include "../draw/primitives.h"
#include "../platform/system.h"

namespace {

constexpr std::size_t nameSize = sizeof(EditorState::loadFileName);
static_assert(nameSize == kNameBytes);

// The one way a settings file fails: a white message, then a pause. The
// screen was black there before, and the message lies over the image areas:
// drawn again in black on black, its cells are black again, so no letter is
// left to look like (or be picked or saved as) a pixel of the image.
void ShowFailure(const char* message) {
  const layout::ScreenPoint at = layout::kSettingsMessage;
  DrawTextAt(message, at.x, at.y, 0xFFFFFF, displayDevice.primarySurface);
  plat::Sleep(2000);
  DrawTextAt(message, at.x, at.y, 0x000000, displayDevice.primarySurface);
}

void ReadNameFile(const char* fileName, char (&name)[nameSize], const char* failure) {
  std::FILE* file = plat::OpenFile(fileName, "r+t");
  if (file == nullptr) {
    ShowFailure(failure);
    return;
  }
  std::fread(name, 1, nameSize, file);
  std::fclose(file);
  // A file of 25 bytes without a zero would leave the name unterminated.
  if (std::memchr(name, 0, nameSize) == nullptr) {
    name[nameSize - 1] = '\0';
  }
}

// A write that fails shows the message of a failed open (the only one there
// is) and says why on the standard error, for whoever started the editor.
int WriteFailed(const char* fileName, const char* failure) {
  const int error = errno;
  std::fprintf(stderr, "pixed: %s could not be written: %s\n", fileName, std::strerror(error));
  ShowFailure(failure);
  return 0;
}

// A full disk often shows only when the buffer is flushed at the close.
int Finish(std::FILE* file, bool written, const char* fileName, const char* failure) {
  const bool closed = std::fclose(file) == 0;
  return written && closed ? 1 : WriteFailed(fileName, failure);
}

int WriteNameFile(const char* fileName, const char (&name)[nameSize], const char* failure) {
  std::FILE* file = plat::OpenFile(fileName, "w+t");
  if (file == nullptr) {
    return WriteFailed(fileName, failure);
  }
  const bool written = std::fwrite(name, 1, nameSize, file) == nameSize;
  return Finish(file, written, fileName, failure);
}

}  // namespace

void ReadSaveNameFile() {
  ReadNameFile("SaveName.dat", editorState.saveFileName, "SaveName file could not be opened\n");
}

void ReadLoadNameFile() {
  ReadNameFile("LoadName.dat", editorState.loadFileName, "LoadName file could not be opened\n");
}

void ReadSizeFile() {
  std::FILE* file = plat::OpenFile("SaveSize.dat", "r+b");
  if (file == nullptr) {
    ShowFailure("SaveSize file could not be opened\n");
    return;
  }
  std::fseek(file, 0, SEEK_SET);
  // A byte the file does not hold keeps the value it would have replaced.
  const int width = std::fgetc(file);
  if (width != EOF) {
    editorState.width = width;
  }
  const int height = std::fgetc(file);
  if (height != EOF) {
    editorState.height = height;
  }
  std::fclose(file);
}

int WriteSaveNameFile() {
  return WriteNameFile("SaveName.dat", editorState.saveFileName, "Problem opening the SaveName file\n");
}

int WriteLoadNameFile() {
  return WriteNameFile("LoadName.dat", editorState.loadFileName, "Problem opening the LoadName file\n");
}

int WriteSizeFile() {
  const char* failure = "SaveSize file could not be opened\n";
  std::FILE* file = plat::OpenFile("SaveSize.dat", "w+b");
  if (file == nullptr) {
    return WriteFailed("SaveSize.dat", failure);
  }
  const bool written =
      std::fputc(editorState.width & 0xFF, file) != EOF && std::fputc(editorState.height & 0xFF, file) != EOF;
  return Finish(file, written, "SaveSize.dat", failure);
}
