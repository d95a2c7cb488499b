// Scratch working folders for tests, and running code as an unprivileged user.
#include "scratch_dir.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace pixtest {

ScratchDir::ScratchDir() {
  std::vector<char> buffer(4096);
  if (getcwd(buffer.data(), buffer.size()) != nullptr) {
    previous_ = buffer.data();
  }
  char pattern[] = "/tmp/pixed-test-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  path_ = pattern;
  if (chdir(path_.c_str()) != 0) {
    std::perror("chdir into scratch folder");
    std::abort();
  }
}

ScratchDir::~ScratchDir() {
  if (!previous_.empty() && chdir(previous_.c_str()) != 0) {
    std::perror("chdir back from scratch folder");
  }
  // Tests may leave read-only files or folders behind; root removes them anyway,
  // and for others the modes are opened first. Never through a link: it may
  // lead to a device or anywhere else.
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
    if (!entry.is_symlink(error)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, error);
    }
  }
  std::filesystem::remove_all(path_, error);
}

std::string ScratchDir::File(const std::string& name) const {
  return path_ + "/" + name;
}

void ScratchDir::OpenToEveryone() const {
  chmod(path_.c_str(), 0777);
}

int RunAsUnprivilegedChild(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    return -1;
  }
  if (child == 0) {
    if (geteuid() == 0) {
      constexpr gid_t nobodyGroup = 65534;
      constexpr uid_t nobodyUser = 65534;
      if (setgroups(0, nullptr) != 0 || setgid(nobodyGroup) != 0 || setuid(nobodyUser) != 0) {
        _exit(125);
      }
    }
    const int result = body();
    std::fflush(nullptr);
    _exit(result);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
    return -1;
  }
  return WEXITSTATUS(status);
}

}  // namespace pixtest
