// The palette in force: shown, kept with the images' history and written to the folder.
#include "app/palette_in_force.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "app/action_common.h"
#include "app/editor_message.h"
#include "app/editor_state.h"
#include "app/unsaved_work.h"
#include "canvas/image_history.h"
#include "canvas/image_store.h"
#include "canvas/screen_inks.h"
#include "draw/image_areas.h"
#include "draw/primitives.h"

namespace {

struct PaletteFile {
  std::vector<std::string> names;
  // False when the folder's file was refused: it is never written over.
  bool writable = true;
};

PaletteFile paletteFile;

PaletteColours ColoursOfTable() {
  PaletteColours colours;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    colours[i] = {paletteTable[i].peRed, paletteTable[i].peGreen, paletteTable[i].peBlue};
  }
  return colours;
}

void FillTable(const PaletteColours& colours) {
  for (std::size_t i = 0; i < colours.size(); ++i) {
    paletteTable[i] = {colours[i].red, colours[i].green, colours[i].blue, plat::PC_NOCOLLAPSE};
  }
}

// The new colours on the screen: the display's palette recolours every pixel
// at once; where the inks changed, everything is drawn again in the new ones.
void ShowColours(const PaletteColours& colours) {
  FillTable(colours);
  if (displayDevice.palette != nullptr) {
    displayDevice.palette->SetEntries(0, 256, paletteTable);
  }
  if (ChooseScreenInks(colours)) {
    FillSurface(displayDevice.primarySurface, kBlackIndex);
    RedrawImageAreas();
  }
}

void WriteColours(const PaletteColours& colours) {
  if (!paletteFile.writable) {
    ShowEditorMessage(std::string(kFolderPaletteFile) + " was not used, so it is left as it is.",
                      kPromptColour);
    return;
  }
  errno = 0;
  if (!WriteFolderPalette(colours, paletteFile.names)) {
    const int error = errno != 0 ? errno : EIO;
    ShowEditorMessage(std::string(kFolderPaletteFile) + " not written: " + std::strerror(error) + ".",
                      kPromptColour);
  }
}

}  // namespace

void TakeFolderPalette(const FolderPalette& palette) {
  FillTable(palette.colours);
  paletteFile.names = palette.file.names;
  paletteFile.writable = !palette.found || palette.problem.reason.empty();
  ChooseScreenInks(palette.colours);
  // The images' state holds the palette from now on, undone to no earlier one.
  SetImagePalette(std::make_shared<const PaletteColours>(palette.colours));
  TakePaletteChange();
}

PaletteColours PaletteInForce() {
  return ColoursOfTable();
}

std::string ColourName(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= paletteFile.names.size()) {
    return "";
  }
  // A file this editor wrote names the entries it had no name for so.
  const std::string& name = paletteFile.names[static_cast<std::size_t>(index)];
  char unnamed[16];
  std::snprintf(unnamed, sizeof unnamed, "index %d", index);
  return name == unnamed ? "" : name;
}

void ChangePaletteColour(int index, PaletteColour colour) {
  PaletteColours colours = ColoursOfTable();
  PaletteColour& entry = colours[static_cast<std::uint8_t>(index)];
  if (entry.red == colour.red && entry.green == colour.green && entry.blue == colour.blue) {
    return;
  }
  entry = colour;
  // The images stay as they are: work saved before is saved still.
  const bool wasSaved = !WorkUnsaved();
  BeginImageStep();
  SetImagePalette(std::make_shared<const PaletteColours>(colours));
  if (wasSaved) {
    NoteWorkLoaded();
  }
}

void FollowPaletteChanges() {
  const std::shared_ptr<const PaletteColours> palette = ImagePalette();
  if (!TakePaletteChange() || palette == nullptr) {
    return;
  }
  ShowColours(*palette);
  WriteColours(*palette);
}
