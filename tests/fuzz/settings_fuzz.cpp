// Fuzz target: the three settings files with arbitrary contents, or missing,
// read as start-up reads them; then a few editor passes with the names and
// the size they give (painting, picking colours, pressing Load, Save, Clear,
// Offset and Quad); then the shutdown's writes and the next start's reads.
// Input: for each file a presence byte and its bytes, then steps of four bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "fuzz_machine.h"
#include "platform/headless/headless.h"
#include "storage/settings_files.h"

namespace {

constexpr int kMaxSteps = 6;

using Name = std::array<char, 25>;

// What reading a name file of these bytes leaves in a field that held name.
Name NameAfterReading(const char (&name)[25], const std::string& bytes) {
  Name read;
  std::memcpy(read.data(), name, read.size());
  std::memcpy(read.data(), bytes.data(), std::min(bytes.size(), read.size()));
  if (std::memchr(read.data(), 0, read.size()) == nullptr) {
    read[24] = '\0';
  }
  return read;
}

bool SameName(const char (&field)[25], const Name& name) {
  return std::memcmp(field, name.data(), name.size()) == 0;
}

// The name as the pix file operations open it; false when it leads out of the
// working folder, where a fuzz run must never write.
bool StaysInTheFolder(const char (&name)[25]) {
  return std::memchr(name, '/', strnlen(name, 24)) == nullptr;
}

// Where the cursor goes for each kind of step, and what the step presses.
void QueueStep(std::uint8_t kind, std::uint8_t a, std::uint8_t b, std::uint8_t c) {
  struct Point {
    int x;
    int y;
  };
  constexpr Point kButtons[] = {
      {200, 510}, {320, 510}, {450, 510}, {450, 550}, {320, 550}};  // Load Save Clear Offset Quad
  Point to = {a * 800 / 256, b * 600 / 256};
  bool left = (c & 1) != 0;
  bool right = (c & 2) != 0;
  switch (kind % 4) {
    case 0:  // anywhere, buttons as given: moving, painting
      // Not a left press on the button bar: Settings would wait for a click
      // on its menu that no step gives, and Quit would end the editor.
      if (left && to.y > 500) {
        to.y = 500;
      }
      break;
    case 1:  // in the editing grid
      to = {141 + a * 510 / 256, 6 + b * 390 / 256};
      left = true;
      break;
    case 2:  // on the palette panel
      to = {685 + a * 115 / 256, b * 432 / 256};
      right = true;
      break;
    default: {  // a button; Load and Offset then read a digit
      const int which = a % 5;
      if ((which == 0 || which == 1) &&
          (!StaysInTheFolder(editorState.loadFileName) || !StaysInTheFolder(editorState.saveFileName))) {
        return;
      }
      to = kButtons[which];
      left = true;
      right = false;
      if (which == 0 || which == 3) {
        plat::headless::QueueKeys({static_cast<std::uint8_t>(0x02 + c % 10)});
      }
      break;
    }
  }
  plat::headless::QueueMouse(to.x - editorState.cursorX, to.y - editorState.cursorY, left, right);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pixfuzz::OpenEditorOnce();
  const pixfuzz::Input scope;
  pixfuzz::EmptyWorkingFolder();
  FuzzedDataProvider input(data, size);
  const char* const kFiles[] = {"SaveName.dat", "LoadName.dat", "SaveSize.dat"};
  std::string contents[3];
  bool present[3];
  for (int f = 0; f < 3; ++f) {
    present[f] = input.ConsumeBool();
    contents[f] = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, f < 2 ? 30 : 3));
    if (present[f]) {
      pixfuzz::WriteFile(kFiles[f], contents[f]);
    }
  }

  // A missing file leaves the default in place.
  const Name saveName = NameAfterReading(editorState.saveFileName, present[0] ? contents[0] : std::string());
  const Name loadName = NameAfterReading(editorState.loadFileName, present[1] ? contents[1] : std::string());
  const int width = present[2] && contents[2].size() >= 1 ? static_cast<std::uint8_t>(contents[2][0]) : 102;
  const int height = present[2] && contents[2].size() >= 2 ? static_cast<std::uint8_t>(contents[2][1]) : 78;
  ReadSaveNameFile();
  ReadLoadNameFile();
  ReadSizeFile();
  pixfuzz::Check(SameName(editorState.saveFileName, saveName), "the save name is not what the file gives");
  pixfuzz::Check(SameName(editorState.loadFileName, loadName), "the load name is not what the file gives");
  pixfuzz::Check(editorState.width == width && editorState.height == height,
                 "the size is not what the file gives");

  for (int step = 0; step < kMaxSteps && input.remaining_bytes() >= 4; ++step) {
    const auto bytes = input.ConsumeBytes<std::uint8_t>(4);
    QueueStep(bytes[0], bytes[1], bytes[2], bytes[3]);
    RunEditorPass();
    pixfuzz::Check(std::memchr(editorState.saveFileName, 0, 25) != nullptr &&
                       std::memchr(editorState.loadFileName, 0, 25) != nullptr,
                   "a name lost its terminator");
  }

  // The shutdown's writes, then the next start's reads.
  WriteSaveNameFile();
  WriteLoadNameFile();
  WriteSizeFile();
  std::string written[3];
  for (int f = 0; f < 3; ++f) {
    pixfuzz::Check(pixfuzz::ReadFile(kFiles[f], &written[f]), std::string(kFiles[f]) + " was not written");
  }
  pixfuzz::Check(written[0] == std::string(editorState.saveFileName, 25),
                 "SaveName.dat is not the 25 bytes of the name");
  pixfuzz::Check(written[1] == std::string(editorState.loadFileName, 25),
                 "LoadName.dat is not the 25 bytes of the name");
  pixfuzz::Check(written[2] == std::string{static_cast<char>(editorState.width & 0xFF),
                                           static_cast<char>(editorState.height & 0xFF)},
                 "SaveSize.dat is not the low bytes of the size");
  const EditorState before = editorState;
  pixfuzz::StartInput();
  ReadSaveNameFile();
  ReadLoadNameFile();
  ReadSizeFile();
  pixfuzz::Check(std::memcmp(editorState.saveFileName, before.saveFileName, 25) == 0 &&
                     std::memcmp(editorState.loadFileName, before.loadFileName, 25) == 0,
                 "the names do not come back as written");
  pixfuzz::Check(editorState.width == (before.width & 0xFF) && editorState.height == (before.height & 0xFF),
                 "the size does not come back as written");
  return 0;
}
