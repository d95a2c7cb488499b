// At start-up: the recovery copy that an earlier run left in this working
// folder, offered back.
#include "app/recovery_offer.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "app/action_common.h"
#include "app/edit_history.h"
#include "app/editor_state.h"
#include "app/image_number.h"
#include "app/main_keys.h"
#include "app/recovery_keeper.h"
#include "canvas/image_history.h"
#include "canvas/image_store.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "platform/input.h"
#include "platform/system.h"
#include "platform/window.h"
#include "storage/recovery_format.h"

namespace {

// White on the black start screen, as the settings messages are.
const plat::COLORREF& kWhite = kWhiteInk;
const plat::COLORREF& kBlack = kBlackInk;
constexpr std::uint32_t kPollMs = 50;
constexpr std::uint32_t kMessageMs = 2000;

// Keys that are held to type another, and so answer nothing on their own:
// both Shifts and Controls, both Alts, Caps Lock and the Windows keys.
constexpr std::uint8_t kRightControl = 0x9D;
constexpr std::uint8_t kRightAlt = 0xB8;
constexpr std::uint8_t kLeftWindows = 0xDB;
constexpr std::uint8_t kRightWindows = 0xDC;
constexpr std::uint8_t kModifiers[] = {plat::DIK_LSHIFT,  plat::DIK_RSHIFT, plat::DIK_LCONTROL,
                                       kRightControl,     plat::DIK_LMENU,  kRightAlt,
                                       plat::DIK_CAPITAL, kLeftWindows,     kRightWindows};

bool setAside = false;

// Two lines at the settings messages' place; drawn again in black they are
// gone, and no letter is left over the image areas.
void DrawLines(const char* first, const char* second, plat::COLORREF colour) {
  DrawTextAt(first, layout::kSettingsMessage.x, layout::kSettingsMessage.y, colour,
             displayDevice.primarySurface);
  if (second[0] != '\0') {
    DrawTextAt(second, layout::kStartQuestionSecondLine.x, layout::kStartQuestionSecondLine.y, colour,
               displayDevice.primarySurface);
  }
}

std::string ShownTime(std::int64_t seconds) {
  const auto when = static_cast<std::time_t>(seconds);
  const std::tm* local = std::localtime(&when);
  char text[32] = "an unknown time";
  if (local != nullptr) {
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", local);
  }
  return text;
}

bool Modifier(std::size_t code) {
  for (const std::uint8_t modifier : kModifiers) {
    if (modifier == code) {
      return true;
    }
  }
  return false;
}

// The keyboard device's 256 key bytes; all up when it cannot be read (the
// window not in front).
void ReadKeys(std::uint8_t (&keys)[256]) {
  if (inputDevices.keyboard == nullptr || inputDevices.keyboard->GetDeviceState(sizeof keys, keys) < 0) {
    std::memset(keys, 0, sizeof keys);
  }
}

// Asks the question and waits for a key that goes down after it is shown.
// The keys are read once before it is drawn: a key down then (or pressed
// before, and latched) answers only once it has been let go and pressed
// again. The answering key's scan code, or 0 when the program is to end.
std::uint8_t AskForKey(const char* question, const char* how) {
  std::uint8_t keys[256];
  ReadKeys(keys);
  bool held[256];
  for (std::size_t code = 0; code < 256; ++code) {
    held[code] = (keys[code] & 0x80) != 0;
  }
  DrawLines(question, how, kWhite);
  for (;;) {
    plat::Sleep(kPollMs);
    if (plat::EndRequested()) {
      return 0;
    }
    ReadKeys(keys);
    for (std::size_t code = 1; code < 256; ++code) {
      const bool down = (keys[code] & 0x80) != 0;
      if (!down) {
        held[code] = false;
      } else if (!held[code] && !Modifier(code)) {
        return static_cast<std::uint8_t>(code);
      }
    }
  }
}

// The copy as the images being edited, with its size, names and image
// number, as one step of the history. A copy that holds no reference image
// shows its own image in the reference view.
void PutBack(const recovery::Copy& copy) {
  BeginImageStep();
  editorState.previousWidth = editorState.width;
  editorState.previousHeight = editorState.height;
  TakeWorkRecord(copy);
  // The copy does not tell whether its number was a Load's: Ctrl+S appends
  // rather than write over an image the work may never have been.
  HideImageNumber();
  IndexImage working{copy.width, copy.height, copy.pixels};
  IndexImage reference = copy.reference.size() == copy.pixels.size()
                             ? IndexImage{copy.width, copy.height, copy.reference}
                             : working;
  SetImages(std::move(working), std::move(reference));
}

// Reads the copy; false with errno set when there is none or it cannot be read.
bool ReadCopyFile(std::vector<std::uint8_t>* bytes) {
  std::FILE* file = plat::OpenFile(recovery::CopyPath().c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  // One byte more than the largest copy tells a file too long to be one.
  bytes->resize(recovery::kLargestCopyBytes + 1);
  const std::size_t got = std::fread(bytes->data(), 1, bytes->size(), file);
  const bool failed = std::ferror(file) != 0;
  const int error = errno;
  std::fclose(file);
  bytes->resize(got);
  errno = error;
  return !failed;
}

const char* ProblemText(recovery::Problem problem) {
  switch (problem) {
    case recovery::Problem::Truncated:
      return "wrong length";
    case recovery::Problem::Foreign:
      return "not a recovery copy";
    case recovery::Problem::Damaged:
    case recovery::Problem::Saved:
    case recovery::Problem::None:
      break;
  }
  return "damaged";
}

// A copy that cannot be put back: out of the way, with a line on the screen
// for two seconds and one on stderr.
void SetAsideUnreadable(const std::string& why) {
  std::string path;
  const std::string suffix =
      ".unreadable-" + recovery::FileTime(static_cast<std::int64_t>(std::time(nullptr)));
  setAside = recovery::SetCopyAside(suffix, ".recovery", &path);
  char line[80];
  std::snprintf(line, sizeof line, "The recovery copy could not be read (%s): %s", why.c_str(),
                setAside ? "it is set aside." : "it is left as it is.");
  if (setAside) {
    std::fprintf(stderr, "pixed: the recovery copy could not be read (%s): set aside as %s\n", why.c_str(),
                 path.c_str());
  }
  DrawLines(line, "", kWhite);
  plat::Sleep(kMessageMs);
  DrawLines(line, "", kBlack);
}

}  // namespace

bool OfferCopyBack() {
  setAside = false;
  if (recovery::CopyPath().empty()) {
    return false;
  }
  std::vector<std::uint8_t> bytes;
  if (!ReadCopyFile(&bytes)) {
    if (errno != ENOENT) {
      SetAsideUnreadable(std::strerror(errno));
    }
    return false;
  }
  recovery::Copy copy;
  const recovery::Problem problem = recovery::Decode(bytes, &copy);
  if (problem == recovery::Problem::Saved) {
    // Its work was saved, but an earlier run could not remove it.
    recovery::RemoveCopy();
    return false;
  }
  if (problem != recovery::Problem::None) {
    SetAsideUnreadable(ProblemText(problem));
    return false;
  }
  char question[80];
  std::snprintf(question, sizeof question, "Unsaved work from %s (%d x %d) was kept.",
                ShownTime(copy.takenAt).c_str(), static_cast<int>(copy.width), static_cast<int>(copy.height));
  const char* how = "Press R to put it back, any other key to set it aside.";
  const std::uint8_t answer = AskForKey(question, how);
  DrawLines(question, how, kBlack);
  // The answer is not a key of the main loop.
  ForgetMainKeys();
  if (answer == plat::DIK_R) {
    PutBack(copy);
    return true;
  }
  if (answer == plat::DIK_ESCAPE) {
    // The press answered the question; only an Escape still held ends the editor.
    plat::GetAsyncKeyState(plat::VK_ESCAPE);
  }
  std::string path;
  // Its size in its name: pixtool reads its image with --size WIDTHxHEIGHT.
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".%s.%dx%d", recovery::FileTime(copy.takenAt).c_str(),
                static_cast<int>(copy.width), static_cast<int>(copy.height));
  setAside = recovery::SetCopyAside(suffix, ".pix", &path);
  if (setAside) {
    std::fprintf(stderr, "pixed: the recovery copy is set aside as %s\n", path.c_str());
  }
  return false;
}

bool CopySetAsideThisRun() {
  return setAside;
}

void ForgetOffer() {
  setAside = false;
}
