// Scratch working folders for tests, and running code as an unprivileged user.
#pragma once

#include <functional>
#include <string>

namespace pixtest {

// A fresh folder under /tmp that the test runs in: the constructor makes it
// and changes into it, the destructor changes back and removes it with
// everything inside. Settings files, pix files and bitmaps a test needs go
// here, never into the source tree.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& Path() const { return path_; }
  // path/name, for files the test makes or checks.
  std::string File(const std::string& name) const;
  // Lets every user in (mode 0777), so a child that dropped root can work here.
  void OpenToEveryone() const;

 private:
  std::string path_;
  std::string previous_;
};

// Runs body in a forked child that first drops root (to user and group
// "nobody") when the test runs as root; returns the child's exit status,
// body's result, or -1 when the child could not run or died. The child ends
// with _exit, so GoogleTest assertions inside body do not count: return a
// code and check it in the parent.
int RunAsUnprivilegedChild(const std::function<int()>& body);

}  // namespace pixtest
