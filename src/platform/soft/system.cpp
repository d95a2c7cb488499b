// The instance handle, the program's own resources and traced file opening.
#include "../system.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "backend.h"
#include "folder_watch.h"
#include "regular_file.h"

namespace plat {

// The one module of the program.
struct Instance {
  int unused;
};

namespace {

Instance programInstance{0};

}  // namespace

HINSTANCE GetModuleHandleA(const char* name) {
  backend::Trace("GetModuleHandleA");
  return name == nullptr ? &programInstance : nullptr;
}

const ProgramResource* FindProgramResource(int id, const char* type) {
  if (type == nullptr) {
    return nullptr;
  }
  for (std::size_t i = 0; i < programResourceCount; ++i) {
    const ProgramResource& resource = programResources[i];
    if (resource.id == id && resource.type != nullptr && std::strcmp(resource.type, type) == 0) {
      return &resource;
    }
  }
  return nullptr;
}

std::FILE* OpenFile(const char* name, const char* mode) {
  const std::string shownName = name != nullptr ? name : "(null)";
  const std::string shownMode = mode != nullptr ? mode : "(null)";
  const std::string call = "OpenFile(" + shownName + "," + shownMode + ")";
  backend::Trace(call);
  if (backend::ShouldFail(call)) {
    errno = EACCES;
    return nullptr;
  }
  if (name == nullptr || mode == nullptr) {
    errno = EINVAL;
    return nullptr;
  }
  // The C library here has no text mode: "t" is dropped, everything else kept.
  std::string cleaned;
  for (const char* c = mode; *c != '\0'; ++c) {
    if (*c != 't') {
      cleaned += *c;
    }
  }
  if (cleaned.find_first_of("wa+") != std::string::npos) {
    soft::FileWriteBegins();
  }
  return soft::OpenRegularFile(name, cleaned.c_str());
}

bool TruncateFile(const char* name, std::int64_t length) {
  const std::string shownName = name != nullptr ? name : "(null)";
  const std::string call = "TruncateFile(" + shownName + "," + std::to_string(length) + ")";
  backend::Trace(call);
  if (backend::ShouldFail(call) || name == nullptr || length < 0) {
    return false;
  }
  soft::FileWriteBegins();
  return truncate(name, static_cast<off_t>(length)) == 0;
}

}  // namespace plat
