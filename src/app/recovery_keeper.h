// The recovery copy on disk: its name after the working folder, its lock, its
// writes and what became of them.
#pragma once

#include <cstdint>
#include <string>

#include "storage/recovery_format.h"

namespace recovery {

// Whether this run keeps a copy, and if not, why.
enum class Standing {
  Off,             // the system gives no state folder (the headless backend's default)
  Keeping,         // the copy is written and the last write worked
  WriteFailed,     // the last write failed (a full or read-only disk): error() says why
  CannotLock,      // the state folder cannot be used at all: error() says why
  HeldElsewhere,   // another editor in this working folder keeps its copy there
  CannotSetAside,  // an old copy could not be renamed out of the way, so it stays
                   // and no new copy is written: error() says why
};

// The name of a working folder's files in the state folder: its last part
// (letters, digits, '.', '_' and '-' only, at most 32 of them) and a hash of
// the whole path, "art-3f2a9c1b7d4e5a60". Pure.
std::string BaseNameFor(const std::string& workingFolder);
// A time as the file names have it (local time): "20240501-123456".
std::string FileTime(std::int64_t seconds);

// At the start of a run: names the copy after the working folder and takes
// the folder's lock, saying on stderr when it cannot.
void OpenKeeper();
// At the end of a run: waits for the writes and gives the lock back.
void CloseKeeper();
Standing KeeperStanding();
int KeeperError();
// Empty when the run keeps no copy.
const std::string& CopyPath();
// The folder the copies are in.
const std::string& CopyFolder();
// Renames the copy out of the way, keeping it: to "<base><suffix><extension>"
// beside it, with "-2", "-3" ... before the extension when that exists. False
// when it cannot be renamed, and no more copies are written in this run, so
// that the old one is never lost; else the new path in setAsidePath.
bool SetCopyAside(const std::string& suffix, const std::string& extension, std::string* setAsidePath);

// The working image of the current size, with what puts it back.
Copy CaptureWork();
// Queues the copy's write (nothing when the run keeps none).
void WriteCopy(Copy copy);
// Queues the copy's removal: the work is in a file now. A copy that cannot
// be removed is marked instead, so that the next start does not offer it.
void RemoveCopy();
// Once a pass: takes in the results of the writes and removes that finished,
// saying on stderr the first time one failed.
void FollowWrites();

}  // namespace recovery
