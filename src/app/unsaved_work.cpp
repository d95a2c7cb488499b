// Unsaved work: the mark, the notes, and when the recovery copy is written.
#include "app/unsaved_work.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/editor_state.h"
#include "app/recovery_keeper.h"
#include "app/recovery_offer.h"
#include "canvas/image_history.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "platform/system.h"

namespace {

constexpr std::uint64_t kLeastMsBetweenWrites = 1000;
const plat::COLORREF& kNoteColour = kWhiteInk;

// What the copy on disk was taken of: a change of any of them calls for a
// new one.
struct Fingerprint {
  std::uint64_t imageChanges = 0;
  WorkRecord work;

  bool operator==(const Fingerprint&) const = default;
};

struct Writes {
  bool copyOnDisk = false;
  Fingerprint written;
  bool everWritten = false;
  std::uint64_t lastAt = 0;
  // The texts in the note area, as last drawn ("" for blank).
  std::string shownMark;
  std::string shownNote[2];
};

Writes writes;

Fingerprint Now() {
  return {editorState.imageChanges, CurrentWorkRecord()};
}

void WriteNow() {
  if (recovery::CopyPath().empty()) {
    return;
  }
  recovery::WriteCopy(recovery::CaptureWork());
  writes.copyOnDisk = true;
  writes.written = Now();
  writes.everWritten = true;
  writes.lastAt = plat::GetTickCount64();
}

void WorkInAFile() {
  editorState.savedStateId = ImageStateId();
  if (writes.copyOnDisk) {
    recovery::RemoveCopy();
    writes.copyOnDisk = false;
  }
}

// Why no copy is kept, in the note's few cells.
const char* Reason(int error) {
  switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return "the disk is full";
    case EROFS:
    case EACCES:
    case EPERM:
      return "no right to write";
    default:
      return "the write failed";
  }
}

// The two lines of the note: why no copy is kept, or where the last one went.
void NoteLines(std::string (&lines)[2]) {
  switch (recovery::KeeperStanding()) {
    case recovery::Standing::WriteFailed:
    case recovery::Standing::CannotLock:
    case recovery::Standing::CannotSetAside:
      lines[0] = "No recovery copy:";
      lines[1] = Reason(recovery::KeeperError());
      return;
    case recovery::Standing::HeldElsewhere:
      lines[0] = "No recovery copy:";
      lines[1] = "another pixed runs";
      return;
    case recovery::Standing::Off:
    case recovery::Standing::Keeping:
      break;
  }
  if (CopySetAsideThisRun() && !WorkUnsaved()) {
    lines[0] = "Old copy set aside";
  }
}

// A line of the note area: drawn every pass while it holds a text (a Clear
// blanks the screen), blanked once when it no longer does.
void ShowLine(const std::string& text, std::string& shown, layout::ScreenPoint at) {
  if (text.empty() && shown.empty()) {
    return;
  }
  std::snprintf(textLine, sizeof textLine, "%.*s", layout::kNoteCells, text.c_str());
  PadToCells(textLine, sizeof textLine, layout::kNoteCells);
  DrawTextAt(textLine, at.x, at.y, kNoteColour, displayDevice.primarySurface);
  shown = text;
}

void DrawNotes() {
  ShowLine(WorkUnsaved() ? "Unsaved" : "", writes.shownMark, layout::kUnsavedMark);
  std::string lines[2];
  NoteLines(lines);
  for (int i = 0; i < 2; ++i) {
    const layout::ScreenPoint at{layout::kRecoveryNote.x,
                                 layout::kRecoveryNote.y + i * layout::kTextLineHeight};
    ShowLine(lines[i], writes.shownNote[i], at);
  }
}

}  // namespace

void NoteWorkSaved() {
  WorkInAFile();
}

void NoteWorkLoaded() {
  WorkInAFile();
}

bool WorkUnsaved() {
  return ImageStateId() != editorState.savedStateId;
}

void StartRecovery() {
  writes = Writes{};
  editorState.savedStateId = ImageStateId();
  recovery::OpenKeeper();
  if (OfferCopyBack()) {
    // The screen shows the copy now, as the file holds it.
    writes.copyOnDisk = true;
    writes.written = Now();
    writes.everWritten = true;
    writes.lastAt = plat::GetTickCount64();
  }
}

void EndRecovery() {
  if (WorkUnsaved() && !(writes.everWritten && writes.written == Now())) {
    WriteNow();
  }
  recovery::CloseKeeper();
  writes = Writes{};
}

void ForgetRecovery() {
  recovery::CloseKeeper();
  ForgetOffer();
  writes = Writes{};
}

void FollowUnsavedWork(bool leftButtonDown) {
  recovery::FollowWrites();
  const std::uint64_t now = plat::GetTickCount64();
  const bool due = !writes.everWritten || now - writes.lastAt >= kLeastMsBetweenWrites;
  if (WorkUnsaved() && !leftButtonDown && due && !(writes.everWritten && writes.written == Now())) {
    WriteNow();
  }
  DrawNotes();
}
