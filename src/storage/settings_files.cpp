// The three settings files: save name, load name, image size.
#include "settings_files.h"

#include <cstdio>
#include <cstring>

#include "../app/editor_state.h"
#include "../draw/primitives.h"
#include "../platform/system.h"

namespace {

constexpr std::size_t nameSize = sizeof(EditorState::loadFileName);
static_assert(nameSize == 25);

// The one way a settings file fails: a white message at (30, 40), then a pause.
void ShowFailure(const char* message) {
  DrawTextAt(message, 30, 40, 0xFFFFFF, displayDevice.primarySurface);
  plat::Sleep(2000);
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

void WriteNameFile(const char* fileName, const char (&name)[nameSize], const char* failure) {
  std::FILE* file = plat::OpenFile(fileName, "w+t");
  if (file == nullptr) {
    ShowFailure(failure);
    return;
  }
  std::fwrite(name, 1, nameSize, file);
  std::fclose(file);
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

void WriteSaveNameFile() {
  WriteNameFile("SaveName.dat", editorState.saveFileName, "Problem opening the SaveName file\n");
}

void WriteLoadNameFile() {
  WriteNameFile("LoadName.dat", editorState.loadFileName, "Problem opening the LoadName file\n");
}

void WriteSizeFile() {
  std::FILE* file = plat::OpenFile("SaveSize.dat", "w+b");
  if (file == nullptr) {
    ShowFailure("SaveSize file could not be opened\n");
    return;
  }
  std::fputc(editorState.width & 0xFF, file);
  std::fputc(editorState.height & 0xFF, file);
  std::fclose(file);
}
