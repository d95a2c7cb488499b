// File work done in the order asked, off the editor's thread.
#include "file_queue.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <system_error>
#include <utility>

namespace plat::soft {
namespace {

// One step of a job, whose exception is a failure like any other: the
// worker goes on, and the step counts as not done (a replace renames only
// once its file is whole, so the old file stays as it was).
template <typename Step>
int Guarded(const Step& step) {
  try {
    return step();
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  } catch (...) {
    return EIO;
  }
}

}  // namespace

FileQueue::FileQueue(FileJobRunner runner, FileMarker marker) : runner_(runner), marker_(marker) {}

FileQueue::~FileQueue() {
  Finish();
}

void FileQueue::Add(FileJob job) {
  std::unique_lock lock(mutex_);
  // A job of the same path that has not begun is out of date: it counts as
  // done without being done.
  const auto stale = std::find_if(waiting_.begin(), waiting_.end(),
                                  [&job](const FileJob& waiting) { return waiting.path == job.path; });
  if (stale != waiting_.end()) {
    waiting_.erase(stale);
    ++progress_.finished;
  }
  waiting_.push_back(std::move(job));
  if (working_) {
    return;
  }
  working_ = true;
#if !defined(__EMSCRIPTEN__)
  // The worker of the previous batch has ended or is about to.
  if (worker_.joinable()) {
    lock.unlock();
    worker_.join();
    lock.lock();
  }
  try {
    worker_ = std::thread(&FileQueue::Work, this);
    return;
  } catch (const std::system_error&) {
    // No thread to be had: the work is done here, late rather than never.
  }
#endif
  Drain(lock);
}

void FileQueue::Work() {
  std::unique_lock lock(mutex_);
  Drain(lock);
}

void FileQueue::Drain(std::unique_lock<std::mutex>& lock) {
  while (!waiting_.empty()) {
    FileJob job = std::move(waiting_.front());
    waiting_.pop_front();
    lock.unlock();
    int error = job.fault;
    if (error == 0) {
      error = Guarded([&job, this] {
        if (job.finish != nullptr) {
          job.finish(job.bytes);
        }
        return runner_(job);
      });
    }
    bool marked = false;
    if (error != 0 && job.kind == FileJob::Kind::Remove && !job.mark.bytes.empty() && marker_ != nullptr) {
      marked = (job.markFault != 0 ? job.markFault
                                   : Guarded([&job, this] { return marker_(job.path, job.mark); })) == 0;
    }
    lock.lock();
    ++progress_.finished;
    if (job.kind == FileJob::Kind::Replace) {
      ++progress_.replacesFinished;
      progress_.lastReplaceError = error;
    } else {
      ++progress_.removesFinished;
      progress_.lastRemoveError = error;
      progress_.lastRemoveMarked = marked;
    }
  }
  working_ = false;
  idle_.notify_all();
}

QueuedFileProgress FileQueue::Progress() {
  std::lock_guard lock(mutex_);
  return progress_;
}

void FileQueue::Finish() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !working_; });
  lock.unlock();
  if (worker_.joinable()) {
    worker_.join();
  }
}

}  // namespace plat::soft
