// The recovery copy on disk: its name after the working folder, its lock, its
// writes and what became of them.
#include "app/recovery_keeper.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <utility>

#include "app/editor_state.h"
#include "canvas/image_store.h"
#include "platform/system.h"

namespace recovery {
namespace {

constexpr std::size_t kLongestTail = 32;

struct Keeper {
  Standing standing = Standing::Off;
  int error = 0;
  std::string folder;
  std::string base;
  std::string copyPath;
  std::string lockPath;
  std::uint64_t finishedSeen = 0;
  std::uint64_t removesSeen = 0;
  bool failureTold = false;
  bool removeFailureTold = false;
};

Keeper keeper;

std::uint64_t Fnv1a64(const std::string& text) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (const char c : text) {
    hash = (hash ^ static_cast<std::uint8_t>(c)) * 0x100000001B3ull;
  }
  return hash;
}

bool Separator(char c) {
  return c == '/' || c == '\\' || c == ':';
}

void Tell(const std::string& line) {
  std::fprintf(stderr, "pixed: %s\n", line.c_str());
}

void FollowRemoves(const plat::QueuedFileProgress& progress) {
  if (progress.removesFinished == keeper.removesSeen) {
    return;
  }
  keeper.removesSeen = progress.removesFinished;
  if (progress.lastRemoveError == 0 || keeper.removeFailureTold) {
    return;
  }
  keeper.removeFailureTold = true;
  Tell("the recovery copy " + keeper.copyPath + " could not be removed (" +
       std::strerror(progress.lastRemoveError) + "): " +
       (progress.lastRemoveMarked ? "it is marked as saved, and no start offers it back"
                                  : "the next start offers it back"));
}

}  // namespace

std::string BaseNameFor(const std::string& workingFolder) {
  std::size_t end = workingFolder.size();
  while (end > 0 && Separator(workingFolder[end - 1])) {
    --end;
  }
  std::size_t begin = end;
  while (begin > 0 && !Separator(workingFolder[begin - 1])) {
    --begin;
  }
  std::string tail;
  for (std::size_t i = begin; i < end && tail.size() < kLongestTail; ++i) {
    const char c = workingFolder[i];
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '_' || c == '-';
    tail += plain ? c : '_';
  }
  // Never a hidden file, nor a name that is all dots.
  if (tail.empty() || tail[0] == '.') {
    tail.insert(0, "folder");
  }
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a64(workingFolder)));
  return tail + "-" + hash;
}

std::string FileTime(std::int64_t seconds) {
  const auto when = static_cast<std::time_t>(seconds);
  const std::tm* local = std::localtime(&when);
  char text[32] = "00000000-000000";
  if (local != nullptr) {
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", local);
  }
  return text;
}

void OpenKeeper() {
  keeper = Keeper{};
  keeper.folder = plat::StateFolder();
  const std::string working = plat::WorkingFolderPath();
  if (keeper.folder.empty() || working.empty()) {
    return;
  }
  // The platform's own separator: the state folder's path shows which.
  const char separator = keeper.folder.find('\\') != std::string::npos ? '\\' : '/';
  keeper.base = BaseNameFor(working);
  keeper.copyPath = keeper.folder + separator + keeper.base + ".recovery";
  keeper.lockPath = keeper.folder + separator + keeper.base + ".lock";
  const plat::QueuedFileProgress progress = plat::QueuedFiles();
  keeper.finishedSeen = progress.replacesFinished;
  keeper.removesSeen = progress.removesFinished;
  int error = 0;
  switch (plat::TakeFileLock(keeper.lockPath, &error)) {
    case plat::LockOutcome::Taken:
      keeper.standing = Standing::Keeping;
      return;
    case plat::LockOutcome::HeldElsewhere:
      keeper.standing = Standing::HeldElsewhere;
      Tell("another pixed in " + working + " keeps its recovery copy in " + keeper.folder +
           "; this one keeps none");
      break;
    case plat::LockOutcome::Failed:
      keeper.standing = Standing::CannotLock;
      keeper.error = error;
      Tell("cannot keep a recovery copy in " + keeper.folder + ": " + std::strerror(error));
      break;
  }
  keeper.copyPath.clear();
  keeper.lockPath.clear();
}

void CloseKeeper() {
  plat::FinishQueuedFiles();
  // A remove queued by the last pass is told too.
  FollowWrites();
  if (!keeper.lockPath.empty()) {
    plat::ReleaseFileLock(keeper.lockPath);
  }
  keeper = Keeper{};
}

Standing KeeperStanding() {
  return keeper.standing;
}

int KeeperError() {
  return keeper.error;
}

const std::string& CopyPath() {
  return keeper.copyPath;
}

const std::string& CopyFolder() {
  return keeper.folder;
}

bool SetCopyAside(const std::string& suffix, const std::string& extension, std::string* setAsidePath) {
  std::string stem = keeper.copyPath.substr(0, keeper.copyPath.size() - std::strlen(".recovery"));
  stem.append(suffix);
  int error = 0;
  for (int attempt = 1; attempt <= 99; ++attempt) {
    std::string path = stem;
    if (attempt > 1) {
      path.append("-").append(std::to_string(attempt));
    }
    path.append(extension);
    if (plat::RenameFile(keeper.copyPath, path, &error)) {
      *setAsidePath = std::move(path);
      return true;
    }
    if (error != EEXIST) {
      break;
    }
  }
  Tell("the recovery copy " + keeper.copyPath + " could not be set aside (" + std::strerror(error) +
       "): it stays, and no new copy is kept in this run");
  keeper.standing = Standing::CannotSetAside;
  keeper.error = error;
  keeper.copyPath.clear();
  return false;
}

Copy CaptureWork() {
  Copy copy;
  const EditorState& s = editorState;
  static_cast<WorkRecord&>(copy) = CurrentWorkRecord();
  copy.takenAt = static_cast<std::int64_t>(std::time(nullptr));
  if (s.width <= 0 || s.height <= 0 || s.width > kLargestSide || s.height > kLargestSide) {
    copy.width = std::max(0, std::min(s.width, kLargestSide));
    copy.height = std::max(0, std::min(s.height, kLargestSide));
  }
  const std::size_t imageBytes = std::size_t(copy.width) * std::size_t(copy.height);
  // Room for the trailer too: the file's bytes are made in this buffer.
  copy.pixels.reserve(2 * imageBytes + kTrailerBytes);
  const IndexImage& working = WorkingImage();
  const IndexImage& reference = ReferenceImage();
  if (working.width == copy.width && working.height == copy.height) {
    copy.pixels.assign(working.pixels.begin(), working.pixels.end());
    copy.reference.assign(reference.pixels.begin(), reference.pixels.end());
  } else {
    copy.pixels.assign(imageBytes, 0);
  }
  return copy;
}

void WriteCopy(Copy copy) {
  if (keeper.copyPath.empty()) {
    return;
  }
  // The checksum of a large image takes a while: the writer's thread makes it.
  plat::QueueFileReplace(keeper.copyPath, EncodeUnsealed(std::move(copy)), Seal);
}

void RemoveCopy() {
  if (!keeper.copyPath.empty()) {
    plat::QueueFileRemove(keeper.copyPath, {SavedMark(), kTrailerBytes});
  }
}

void FollowWrites() {
  if (keeper.standing != Standing::Keeping && keeper.standing != Standing::WriteFailed) {
    return;
  }
  const plat::QueuedFileProgress progress = plat::QueuedFiles();
  FollowRemoves(progress);
  if (progress.replacesFinished == keeper.finishedSeen) {
    return;
  }
  keeper.finishedSeen = progress.replacesFinished;
  keeper.error = progress.lastReplaceError;
  keeper.standing = keeper.error == 0 ? Standing::Keeping : Standing::WriteFailed;
  if (keeper.error != 0 && !keeper.failureTold) {
    keeper.failureTold = true;
    Tell("cannot keep a recovery copy in " + keeper.folder + ": " + std::strerror(keeper.error));
  }
}

}  // namespace recovery
