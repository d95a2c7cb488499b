// Reading and writing whole files as bytes in tests.
#include "file_bytes.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace pixtest {

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return {};
  }
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  return WriteFileBytes(path, Bytes(bytes.begin(), bytes.end()));
}

bool FileExists(const std::string& path) {
  struct stat info = {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ShowBytes(const Bytes& bytes) {
  std::string text = "{";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%s0x%02X", i == 0 ? "" : ", ", bytes[i]);
    text += hex;
  }
  return text + "}";
}

Bytes NameFileBytes(const std::string& name) {
  Bytes bytes(25, 0);
  for (std::size_t i = 0; i < name.size() && i < bytes.size(); ++i) {
    bytes[i] = static_cast<std::uint8_t>(name[i]);
  }
  return bytes;
}

}  // namespace pixtest
