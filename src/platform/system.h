// Time, sounds, program resources and files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform_types.h"

namespace plat {

// Waits ms milliseconds; the headless clock advances at once. Keeps the
// window answering meanwhile. Provided by the backend.
void Sleep(std::uint32_t ms);
// Milliseconds since start, on the backend's clock. Provided by the backend.
std::uint64_t GetTickCount64();

// Plays a WAVE resource of the program by number (flags SND_RESOURCE |
// SND_ASYNC), replacing a sound still playing. Without an audio device it
// silently plays nothing and still returns true. Provided by the backend.
bool PlaySoundA(int resource, HINSTANCE module, std::uint32_t flags);

// The instance handle that the process entry hands to WinMain.
HINSTANCE GetModuleHandleA(const char* name);

// One resource carried in the program (made from resources/ at build time).
struct ProgramResource {
  int id;
  const char* type;  // "WAVE"
  const std::uint8_t* data;
  std::size_t size;
};
// The program's resources, generated from the resource script in resources/.
extern const ProgramResource programResources[];
extern const std::size_t programResourceCount;
// Null when the program has no such resource.
const ProgramResource* FindProgramResource(int id, const char* type);

// fopen with the C library's modes; "t" (text mode) is accepted and means
// nothing here. Only regular files open: a folder, a FIFO or a device in the
// file's place fails (nothing blocks, nothing is truncated). Logged like the
// other platform calls.
std::FILE* OpenFile(const char* name, const char* mode);
// Bitmap files (LoadImageA) are found by name in the working folder: the
// name as it stands, else one that differs only in case, as on the first
// platform. A bare name that is not there at all is looked for in this
// folder next, where the program's own bitmaps lie. None ("" or null) at
// start; the process entry of the real program sets it.
void SetBitmapFolder(const char* folder);
// The folder of the bitmaps that came with the running program: share/pixed
// beside the bin/ folder it is installed in, or bitmaps/ in the build folder
// it runs from. Empty when neither exists.
std::string ProgramBitmapFolder();

// Cuts the named file back to length bytes (undoing a write that failed half
// way). Traced "TruncateFile(name,length)".
bool TruncateFile(const char* name, std::int64_t length);

// Fills the new content of a file.
using FileContent = std::function<bool(std::FILE* out)>;
// Writes a file anew so that it is never found half-written: write fills a
// new file in the same folder, which is flushed to the disk and only then
// renamed over the named one, so a crash, a kill or a full disk leaves the
// old file whole. A missing file is created. A symbolic link is followed
// (the file it names is replaced) and the old file's permissions are kept;
// anything but a regular file in its place is refused. False on any failure,
// write's own included, with errno telling why and the file as it was.
// Traced "WriteWholeFile(name)".
bool WriteWholeFile(const char* name, const FileContent& write);
// ---- The program's own files, kept outside the working folder ---------------
// The folder the system gives a program for state it keeps between runs: on
// Linux $XDG_STATE_HOME/pixed (an absolute XDG_STATE_HOME only), else
// ~/.local/state/pixed; on Windows %LOCALAPPDATA%\pixed; in the browser a
// folder of the page's own storage. Not made here. Empty when the system
// gives none (no home folder; the headless backend until a test sets one).
std::string StateFolder();
// The working folder as an absolute path; empty when it cannot be told.
std::string WorkingFolderPath();

// How TakeFileLock went.
enum class LockOutcome {
  Taken,          // this process holds the lock
  HeldElsewhere,  // another running process holds it
  Failed,         // the lock file cannot be made or opened (error says why)
};
// Takes an exclusive lock on the file at path (made, with its folder, when
// missing), held until ReleaseFileLock or the end of the process, however it
// ends: a killed process leaves no lock behind. The file holds the process
// id. Traced "TakeFileLock(path)".
LockOutcome TakeFileLock(const std::string& path, int* error);
void ReleaseFileLock(const std::string& path);
// Renames a file; false (error set) when it cannot, or when to exists
// already: nothing is ever renamed over another file, in one step of the
// system where it can refuse that. Traced "RenameFile(from,to)".
bool RenameFile(const std::string& from, const std::string& to, int* error);

// File work done off the editor's thread (in the browser, at once), in the
// order queued, so that no pass waits for a disk. A replace writes the bytes
// to a new file beside path, flushes it to the disk and renames it over path:
// a crash at any moment leaves either the old file or the new one whole. A
// replace or remove queued while an earlier one of the same path still waits
// takes its place. finish, when given, is run on the bytes just before they
// are written, off the editor's thread too (a checksum of a large file). A
// job that throws (no memory) fails like one the disk refused: the file is
// left as it was. Traced "QueueFileReplace(path)" and "QueueFileRemove(path)".
using FileBytesFinisher = void (*)(std::vector<std::uint8_t>& bytes);
void QueueFileReplace(const std::string& path, std::vector<std::uint8_t> bytes,
                      FileBytesFinisher finish = nullptr);
// What a remove that cannot remove its file writes over it in place instead
// (a folder the user may no longer change), so that the file says it is done
// with: bytes put fromEnd bytes before the file's end. Empty for nothing.
struct FileMark {
  std::vector<std::uint8_t> bytes;
  std::size_t fromEnd = 0;
};
void QueueFileRemove(const std::string& path, FileMark markIfKept = {});
// What the queue has done so far: how many jobs, replaces and removes have
// finished, the error (errno value, 0 for none) of the last replace and of
// the last remove, and whether the file of a failed remove was marked.
struct QueuedFileProgress {
  std::uint64_t finished = 0;
  std::uint64_t replacesFinished = 0;
  int lastReplaceError = 0;
  std::uint64_t removesFinished = 0;
  int lastRemoveError = 0;
  bool lastRemoveMarked = false;
};
QueuedFileProgress QueuedFiles();
// Waits until every queued job has finished.
void FinishQueuedFiles();

}  // namespace plat
