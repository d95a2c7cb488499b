// Ctrl+N: the new file's name and size typed in, then the file opened or begun.
#include "app/new_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/action_common.h"
#include "app/button_actions.h"
#include "app/editor_message.h"
#include "app/editor_state.h"
#include "app/image_number.h"
#include "app/save_status.h"
#include "app/unsaved_work.h"
#include "canvas/image_history.h"
#include "canvas/image_store.h"
#include "canvas/screen_layout.h"
#include "canvas/selection.h"
#include "draw/primitives.h"
#include "platform/system.h"
#include "storage/pix_file.h"
#include "storage/pix_layout.h"
#include "textentry/entry.h"

namespace {

struct NewFile {
  char name[kNameBytes] = {};
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Each entry's prompt takes the place of the one before.
void Ask(const char* prompt) {
  EraseRegion(layout::kMenuPromptRegion);
  DrawPrompt(prompt);
}

// False when an entry was given up: nothing of what was typed counts.
bool AskForAll(NewFile& file) {
  Ask("New File Name:");
  if (EnterFileName() == 0) {
    return false;
  }
  // ".pix" alone would be a hidden file: the name stays.
  if (!NameTextBlank()) {
    std::memcpy(file.name, nameText, sizeof file.name);
  }
  Ask("New Width:");
  if (EnterSize() == 0) {
    return false;
  }
  file.width = SizeTextBlank() ? file.width : ConvertNumber(sizeText);
  Ask("New Height:");
  if (EnterSize() == 0) {
    return false;
  }
  file.height = SizeTextBlank() ? file.height : ConvertNumber(sizeText);
  return true;
}

// A file that cannot be read for another reason than its absence is
// opened all the same, and the load says why it could not be.
bool FileThere(const char* name) {
  std::FILE* file = plat::OpenFile(name, "rb");
  if (file == nullptr) {
    return errno != ENOENT;
  }
  std::fclose(file);
  return true;
}

void Open(const NewFile& file) {
  // Floating pixels are placed in the image left behind, as it was shown.
  PlaceFloatingPixels();
  const bool wasSaved = !WorkUnsaved();
  // Begun before the size changes: undo gives back the image at its size.
  BeginImageStep();
  std::memcpy(editorState.loadFileName, file.name, sizeof file.name);
  std::memcpy(editorState.saveFileName, file.name, sizeof file.name);
  EraseRegion(layout::kLoadNameRegion);
  EraseRegion(layout::kSaveNameRegion);
  editorState.width = file.width;
  editorState.height = file.height;
  editorState.pixNumber = 0;
  if (!FileThere(pixfile::TerminatedName(editorState.loadFileName).text)) {
    FillImages(0);
    HideImageNumber();
    return;
  }
  PixReport report;
  if (LoadImageIntoStep(0, wasSaved, &report) == 0 && !report.reason.empty()) {
    LoadFileNotOpened(editorState.loadFileName, report);
  }
}

}  // namespace

static_assert(sizeof(NewFile::name) == sizeof nameText);

void NewFileKey() {
  editorState.pendingAction = ButtonAction::NewFile;
}

void NewFileAction() {
  // The prompts and the entries take the place of a message.
  EraseEditorMessage();
  NewFile file;
  std::memcpy(file.name, editorState.loadFileName, sizeof file.name);
  file.width = editorState.width;
  file.height = editorState.height;
  const bool answered = AskForAll(file);
  EraseRegion(layout::kPromptAreaRegion);
  editorState.pendingAction = ButtonAction::None;
  if (answered) {
    Open(file);
  }
}
