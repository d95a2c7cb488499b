// The bitmap folders' reports of change on Linux: one inotify queue watching the working folder
// and the program's bitmap folder.
#include <pthread.h>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "backend.h"
#include "folder_watch.h"

namespace plat::soft {

namespace {

// Whatever can change which file a name finds or what the file holds.
constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY |
                                   IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
// After these a watch no longer stands for the folder its path names.
constexpr std::uint32_t kWatchEnds = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED;

// File systems whose files other machines change without a report here: such a folder is read
// every time, as one that cannot be watched.
constexpr unsigned long kRemoteFileSystems[] = {
    0x6969,      // NFS
    0x517B,      // SMB
    0xFF534D42,  // CIFS
    0xFE534D42,  // SMB2
    0x65735546,  // FUSE (sshfs and the like)
    0x01021997,  // 9P (shared folders of virtual machines)
    0x00C36400,  // Ceph
    0x786F4256,  // VirtualBox shared folders
    0x5346414F,  // AFS
    0x6B414653,  // AFS (kAFS)
};

struct Watch {
  std::string folder;
  int descriptor = -1;
  bool refused = false;  // cannot be watched: not tried again until the watcher starts afresh
};

struct Watcher {
  int queue = -1;
  bool queueRefused = false;
  Watch working{"."};
  Watch program;
  // Never goes back, so that no bitmap read before a restart matches a count after it.
  std::uint64_t changes = 1;
};

Watcher& TheWatcher() {
  static Watcher watcher;
  return watcher;
}

bool Remote(const std::string& folder) {
  struct statfs info;
  if (statfs(folder.c_str(), &info) != 0) {
    return true;
  }
  for (const unsigned long type : kRemoteFileSystems) {
    if (static_cast<unsigned long>(info.f_type) == type) {
      return true;
    }
  }
  return false;
}

bool QueueOpen(Watcher& watcher) {
  if (watcher.queue < 0 && !watcher.queueRefused) {
    // A process forked from this one shares the queue: were it to read the queue, this one would
    // miss the changes it took. The child starts a queue of its own if it needs one.
    static const bool forkHandled = pthread_atfork(nullptr, nullptr, StopWatchingBitmapFolders) == 0;
    watcher.queue = forkHandled ? inotify_init1(IN_NONBLOCK | IN_CLOEXEC) : -1;
    watcher.queueRefused = watcher.queue < 0;
  }
  return watcher.queue >= 0;
}

// True while the folder is watched. A folder newly watched counts as changed: anything may
// have happened to it while it was not.
bool Watching(Watcher& watcher, Watch& watch) {
  if (watch.descriptor >= 0 || watch.refused) {
    return watch.descriptor >= 0;
  }
  // The headless backend's tests make the watch fail by this name; it is not logged.
  const std::string call = "WatchFolder(" + watch.folder + ")";
  if (!backend::ShouldFail(call) && !Remote(watch.folder)) {
    watch.descriptor = inotify_add_watch(watcher.queue, watch.folder.c_str(), kChanges);
  }
  watch.refused = watch.descriptor < 0;
  ++watcher.changes;
  return !watch.refused;
}

void Unwatch(Watcher& watcher, Watch& watch) {
  if (watch.descriptor >= 0) {
    inotify_rm_watch(watcher.queue, watch.descriptor);
  }
  watch.descriptor = -1;
  watch.refused = false;
}

// Takes every report queued: each is a change. A watch that ended is made again at the next count.
void TakeReports(Watcher& watcher) {
  alignas(inotify_event) char reports[4096];
  for (;;) {
    const ssize_t got = read(watcher.queue, reports, sizeof reports);
    if (got <= 0) {
      return;
    }
    ++watcher.changes;
    std::size_t at = 0;
    while (at + sizeof(inotify_event) <= static_cast<std::size_t>(got)) {
      inotify_event report;
      std::memcpy(&report, reports + at, sizeof report);
      at += sizeof report + report.len;
      for (Watch* watch : {&watcher.working, &watcher.program}) {
        if ((report.mask & kWatchEnds) != 0 && report.wd == watch->descriptor) {
          // The kernel has dropped the watch itself when it says so.
          if ((report.mask & IN_IGNORED) != 0) {
            watch->descriptor = -1;
          }
          Unwatch(watcher, *watch);
        }
      }
    }
  }
}

}  // namespace

std::uint64_t BitmapFolderChanges(const std::string& programFolder) {
  Watcher& watcher = TheWatcher();
  if (!QueueOpen(watcher)) {
    return 0;
  }
  if (watcher.program.folder != programFolder) {
    Unwatch(watcher, watcher.program);
    watcher.program.folder = programFolder;
  }
  TakeReports(watcher);
  const bool watched =
      Watching(watcher, watcher.working) && (programFolder.empty() || Watching(watcher, watcher.program));
  return watched ? watcher.changes : 0;
}

void StopWatchingBitmapFolders() {
  Watcher& watcher = TheWatcher();
  if (watcher.queue >= 0) {
    close(watcher.queue);
  }
  const std::uint64_t changes = watcher.changes + 1;
  watcher = Watcher{};
  watcher.changes = changes;
}

// Writes show in the folders' own reports.
void FileWriteBegins() {}

}  // namespace plat::soft
