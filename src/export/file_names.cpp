// A path's folder and stem, by the rules of std::filesystem::path.
#include "export/file_names.h"

namespace pixexport {

std::size_t NameStart(const std::string& path) {
#ifdef _WIN32
  const std::size_t drive = path.size() >= 2 && path[1] == ':' ? 2 : 0;
  const std::size_t separator = path.find_last_of("/\\");
#else
  const std::size_t drive = 0;
  const std::size_t separator = path.rfind('/');
#endif
  return separator == std::string::npos || separator + 1 < drive ? drive : separator + 1;
}

std::string FileStem(const std::string& path) {
  const std::string name = path.substr(NameStart(path));
  if (name.size() <= 2 && !name.empty() && name[0] == '.') {
    return name;
  }
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace pixexport
