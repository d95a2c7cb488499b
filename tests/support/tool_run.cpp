// Running a program with fork and exec, standard output and error into temporary files.
#include "tool_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace pixtest {

namespace {

std::string ReadAll(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    text.append(chunk, got);
  }
  return text;
}

}  // namespace

ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments,
                const ToolLimits& limits) {
  ToolRun run;
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  if (out == nullptr || err == nullptr) {
    return run;
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int output = limits.outputPath.empty()
                           ? fileno(out)
                           : open(limits.outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int input = open("/dev/null", O_RDONLY);
    if (output < 0 || input < 0 || dup2(output, STDOUT_FILENO) < 0 || dup2(fileno(err), STDERR_FILENO) < 0 ||
        dup2(input, STDIN_FILENO) < 0) {
      _exit(126);
    }
    if (limits.fileSizeLimit > 0) {
      const rlimit limit{limits.fileSizeLimit, limits.fileSizeLimit};
      std::signal(SIGXFSZ, SIG_IGN);
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        _exit(126);
      }
    }
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    run.status = WEXITSTATUS(status);
  }
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  std::fclose(out);
  std::fclose(err);
  return run;
}

std::size_t LineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace pixtest
