// The queue of file work done off the editor's thread, on its own: the order
// of its jobs, the jobs it drops as out of date, a job that throws, and its
// end while a job runs.
#include "platform/soft/file_queue.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using plat::soft::FileJob;
using plat::soft::FileQueue;

// What the runner saw, and the gate that holds it in its job while a test
// queues more behind it.
struct Runs {
  std::mutex mutex;
  std::condition_variable changed;
  bool holding = false;
  std::vector<std::string> started;
  std::vector<std::string> done;
};
Runs runs;

// A job's path says what it does: "throw-alloc" and "throw-other" throw.
int Runner(const FileJob& job) {
  std::unique_lock lock(runs.mutex);
  runs.started.push_back(job.path);
  runs.changed.notify_all();
  runs.changed.wait(lock, [] { return !runs.holding; });
  if (job.path == "throw-alloc") {
    throw std::bad_alloc();
  }
  if (job.path == "throw-other") {
    throw std::runtime_error("no");
  }
  runs.done.push_back(job.path + "=" + std::string(job.bytes.begin(), job.bytes.end()));
  return 0;
}

void Hold(bool holding) {
  std::lock_guard lock(runs.mutex);
  runs.holding = holding;
  runs.changed.notify_all();
}

void WaitUntilStarted(std::size_t count) {
  std::unique_lock lock(runs.mutex);
  runs.changed.wait(lock, [count] { return runs.started.size() >= count; });
}

FileJob Replace(const std::string& path, const std::string& bytes) {
  FileJob job;
  job.path = path;
  job.bytes.assign(bytes.begin(), bytes.end());
  return job;
}

class FileQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::lock_guard lock(runs.mutex);
    runs.holding = false;
    runs.started.clear();
    runs.done.clear();
  }
};

// A job of a path still waiting is out of date once another of that path
// comes; the one already running is not.
TEST_F(FileQueueTest, AWaitingJobOfTheSamePathIsDropped) {
  FileQueue queue(Runner, nullptr);
  Hold(true);
  queue.Add(Replace("a", "1"));
  WaitUntilStarted(1);
  queue.Add(Replace("b", "1"));
  queue.Add(Replace("b", "2"));
  queue.Add(Replace("a", "2"));
  Hold(false);
  queue.Finish();
  EXPECT_EQ(runs.done, (std::vector<std::string>{"a=1", "b=2", "a=2"}));
  const plat::QueuedFileProgress progress = queue.Progress();
  EXPECT_EQ(progress.finished, 4u) << "the dropped job counts as finished";
  EXPECT_EQ(progress.replacesFinished, 3u);
}

// An exception fails its job with an error and the jobs after it are done.
TEST_F(FileQueueTest, AJobThatThrowsFailsAndTheQueueGoesOn) {
  struct Case {
    const char* path;
    int error;
  };
  const Case kCases[] = {{"throw-alloc", ENOMEM}, {"throw-other", EIO}};
  FileQueue queue(Runner, nullptr);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.path);
    queue.Add(Replace(c.path, "x"));
    queue.Finish();
    EXPECT_EQ(queue.Progress().lastReplaceError, c.error);
    queue.Add(Replace("after", "y"));
    queue.Finish();
    EXPECT_EQ(queue.Progress().lastReplaceError, 0);
  }
  EXPECT_EQ(runs.done, (std::vector<std::string>{"after=y", "after=y"}));
}

// The end of the queue waits for the job running and the ones behind it.
TEST_F(FileQueueTest, ItsEndWaitsForTheJobInFlight) {
  auto queue = std::make_unique<FileQueue>(Runner, nullptr);
  Hold(true);
  queue->Add(Replace("a", "1"));
  WaitUntilStarted(1);
  queue->Add(Replace("b", "1"));
  std::thread release([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Hold(false);
  });
  queue.reset();
  release.join();
  EXPECT_EQ(runs.done, (std::vector<std::string>{"a=1", "b=1"}));
}

}  // namespace
