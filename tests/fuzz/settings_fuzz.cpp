// Fuzz target: the three settings files with arbitrary contents, or missing,
// read as start-up reads them; then a few editor passes with the names and
// the size they give, each checked against the target's own model of the
// pass (pass_model.h: painting, a press in a view, picking colours, Load,
// Save, Clear, Offset and Quad); then the shutdown's writes and the next
// start's reads.
// Input: for each file a presence byte and its bytes, then steps of four bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/editor_state.h"
#include "fuzz_machine.h"
#include "pass_model.h"
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

  // A run starts with both images black at the size read; a first pass with
  // the mouse still shows them.
  pixfuzz::PassModel model = pixfuzz::StartingModel(width, height);
  pixfuzz::RunCheckedPass(model, pixfuzz::StillStep());
  for (int step = 0; step < kMaxSteps && input.remaining_bytes() >= 4; ++step) {
    const auto bytes = input.ConsumeBytes<std::uint8_t>(4);
    const pixfuzz::Step planned = pixfuzz::PlanStep(bytes[0], bytes[1], bytes[2], bytes[3]);
    if (planned.button != pixfuzz::Button::None && model.leftWasDown) {
      // The button is let go first, so that the press on the bar is a new one.
      pixfuzz::RunCheckedPass(model, pixfuzz::StillStep());
    }
    pixfuzz::RunCheckedPass(model, planned);
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
