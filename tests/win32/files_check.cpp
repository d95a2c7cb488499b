// Checks under Wine the win32 backend's file calls that the editor's storage relies on: files open
// in binary whatever the mode says, and a failed save can cut the file back.
//
// Usage: files_check FOLDER; exit status 0 when every case passes.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/system.h"

namespace {

std::string Path;

std::string Read() {
  std::string bytes;
  if (std::FILE* file = std::fopen(Path.c_str(), "rb")) {
    for (int c; (c = std::fgetc(file)) != EOF;) {
      bytes += static_cast<char>(c);
    }
    std::fclose(file);
  }
  return bytes;
}

// Bytes a text mode would change: a line end, a carriage return, and the end-of-file mark 26.
const std::string kOddBytes(
    "ab\ncd\r\n\x1a"
    "ef\0g",
    11);

bool WriteWith(const char* mode) {
  std::FILE* file = plat::OpenFile(Path.c_str(), mode);
  if (file == nullptr) {
    return false;
  }
  std::fwrite(kOddBytes.data(), 1, kOddBytes.size(), file);
  return std::fclose(file) == 0 && Read() == kOddBytes;
}

bool ReadWith(const char* mode) {
  std::FILE* file = plat::OpenFile(Path.c_str(), mode);
  if (file == nullptr) {
    return false;
  }
  std::string bytes(64, '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  return bytes == kOddBytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: files_check FOLDER\n");
    return 2;
  }
  Path = std::string(argv[1]) + "/check.pix";
  struct Case {
    const char* name;
    bool passed;
  };
  const std::vector<Case> cases = {
      {"\"w+t\" writes every byte as it is", WriteWith("w+t")},
      {"\"r+t\" reads every byte as it is, past a byte 26", ReadWith("r+t")},
      {"\"a+b\" appends after them", WriteWith("w+b") &&
                                         [] {
                                           std::FILE* file = plat::OpenFile(Path.c_str(), "a+b");
                                           return file != nullptr && std::fputc('z', file) == 'z' &&
                                                  std::fclose(file) == 0 && Read() == kOddBytes + 'z';
                                         }()},
      {"TruncateFile cuts the file back to 3 bytes",
       plat::TruncateFile(Path.c_str(), 3) && Read() == kOddBytes.substr(0, 3)},
      {"TruncateFile of a missing file fails", !plat::TruncateFile((Path + ".missing").c_str(), 0)},
      {"TruncateFile to a negative length fails and keeps the file",
       !plat::TruncateFile(Path.c_str(), -1) && Read() == kOddBytes.substr(0, 3)},
  };
  int failed = 0;
  for (const Case& item : cases) {
    std::printf("%s: %s\n", item.passed ? "pass" : "FAIL", item.name);
    failed += item.passed ? 0 : 1;
  }
  std::remove(Path.c_str());
  return failed == 0 ? 0 : 1;
}
