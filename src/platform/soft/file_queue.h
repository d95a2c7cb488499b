// File work done in the order asked, on a worker thread of its own (in the
// browser, which has none, at once): the queue behind plat::QueueFileReplace.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../system.h"

namespace plat::soft {

struct FileJob {
  enum class Kind { Replace, Remove };
  Kind kind = Kind::Replace;
  std::string path;
  std::vector<std::uint8_t> bytes;
  FileBytesFinisher finish = nullptr;
  // A remove's mark for a file that stays.
  FileMark mark;
  // Errors the job and its mark are to fail with instead of being done
  // (errno values, 0 for none): a test's read-only or full disk, taken when
  // it was queued.
  int fault = 0;
  int markFault = 0;
};

// Does one job's replace or remove; returns 0, or the errno value it failed with.
using FileJobRunner = int (*)(const FileJob& job);
// Writes a remove's mark over the file in place; 0 or an errno value.
using FileMarker = int (*)(const std::string& path, const FileMark& mark);

class FileQueue {
 public:
  FileQueue(FileJobRunner runner, FileMarker marker);
  // Waits for the jobs still queued: the last copy reaches the disk.
  ~FileQueue();
  FileQueue(const FileQueue&) = delete;
  FileQueue& operator=(const FileQueue&) = delete;

  void Add(FileJob job);
  QueuedFileProgress Progress();
  void Finish();

 private:
  void Drain(std::unique_lock<std::mutex>& lock);
  void Work();

  FileJobRunner runner_;
  FileMarker marker_;
  std::mutex mutex_;
  std::condition_variable idle_;
  std::deque<FileJob> waiting_;
  bool working_ = false;
  QueuedFileProgress progress_;
  std::thread worker_;
};

}  // namespace plat::soft
