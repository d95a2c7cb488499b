// Checks under Wine that pixed.exe carries its sounds as the system finds them for PlaySoundA:
// WAVE resources 8001 and 8002 in English (United States), byte for byte the files of resources/.
//
// Usage: resource_check PIXED.EXE CLICK.WAV SAVED.WAV; exit status 0 when both match.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::vector<unsigned char> ReadFile(const char* name) {
  std::vector<unsigned char> bytes;
  if (std::FILE* file = std::fopen(name, "rb")) {
    unsigned char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
      bytes.insert(bytes.end(), buffer, buffer + got);
    }
    std::fclose(file);
  }
  return bytes;
}

bool Matches(HMODULE program, int id, const char* fileName) {
  const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 1033
  HRSRC found = FindResourceExA(program, "WAVE", MAKEINTRESOURCEA(id), english);
  if (found == nullptr) {
    std::printf("FAIL: no WAVE resource %d in language %u\n", id, english);
    return false;
  }
  const DWORD size = SizeofResource(program, found);
  HGLOBAL loaded = LoadResource(program, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  const std::vector<unsigned char> expected = ReadFile(fileName);
  if (data == nullptr || expected.empty() || size != expected.size() ||
      std::memcmp(data, expected.data(), size) != 0) {
    std::printf("FAIL: WAVE resource %d (%lu bytes) is not %s (%zu bytes)\n", id,
                static_cast<unsigned long>(size), fileName, expected.size());
    return false;
  }
  std::printf("WAVE resource %d, language %u: %lu bytes, equal to %s\n", id, english,
              static_cast<unsigned long>(size), fileName);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::printf("usage: resource_check PIXED.EXE CLICK.WAV SAVED.WAV\n");
    return 2;
  }
  HMODULE program =
      LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (program == nullptr) {
    std::printf("FAIL: cannot open %s\n", argv[1]);
    return 1;
  }
  const bool click = Matches(program, 8001, argv[2]);
  const bool saved = Matches(program, 8002, argv[3]);
  FreeLibrary(program);
  return click && saved ? 0 : 1;
}
