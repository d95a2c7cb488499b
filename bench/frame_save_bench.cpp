// What Ctrl+S costs on a large pix file (1,000 images of 102 x 78, 7.96 MB): the whole file
// written anew beside the old one, flushed to the disk and renamed over it; beside it, the
// Save button's write over one image in place, which a crash can leave half done.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "bench_display.h"
#include "canvas/palette_panel.h"
#include "platform/display.h"
#include "storage/pix_file.h"

namespace {

constexpr int kImageBytes = 102 * 78;
std::string scratchFolder;

void RemoveScratchFolder() {
  std::error_code error;
  std::filesystem::remove_all(scratchFolder, error);
}

bool WriteFile(const std::string& path, int images) {
  std::vector<unsigned char> bytes(static_cast<std::size_t>(images) * kImageBytes);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<unsigned char>(i % 81);
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return file != nullptr && std::fclose(file) == 0 && written;
}

// A scratch folder on the disk the files of a user lie on (PIXED_BENCH_FOLDER, else the
// current folder: /tmp may be a file system in memory, where a flush costs nothing), with a
// file of 1,000 images and one of a single image.
bool PrepareOnce() {
  static const bool prepared = [] {
    const char* parent = std::getenv("PIXED_BENCH_FOLDER");
    std::string pattern = std::string(parent != nullptr ? parent : ".") + "/pixed-framebench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      return false;
    }
    scratchFolder = pattern;
    std::atexit(RemoveScratchFolder);
    return WriteFile(scratchFolder + "/walk.pix", 1000) && WriteFile(scratchFolder + "/one.pix", 1) &&
           pixbench::OpenDisplay();
  }();
  return prepared;
}

// The scratch folder as working folder and the save file named, for one benchmark.
class FrameBenchScope {
 public:
  explicit FrameBenchScope(const char* saveName) : saved_(editorState) {
    char folder[4096];
    if (getcwd(folder, sizeof folder) != nullptr) {
      previousFolder_ = folder;
    }
    ready_ = PrepareOnce() && chdir(scratchFolder.c_str()) == 0;
    std::memset(editorState.saveFileName, 0, sizeof editorState.saveFileName);
    std::strncpy(editorState.saveFileName, saveName, sizeof editorState.saveFileName - 1);
    editorState.width = 102;
    editorState.height = 78;
    DrawPalettePanel();
  }
  ~FrameBenchScope() {
    editorState = saved_;
    if (!previousFolder_.empty() && chdir(previousFolder_.c_str()) != 0) {
      std::perror("chdir back");
    }
  }
  bool Ready() const { return ready_; }

 private:
  EditorState saved_;
  std::string previousFolder_;
  bool ready_ = false;
};

// Ctrl+S over image 500 of 1,000, or image 0 of a file of one (the flush alone, nearly).
void BM_CtrlS(benchmark::State& state, const char* name, int image) {
  FrameBenchScope scope(name);
  if (!scope.Ready()) {
    state.SkipWithError("the scratch folder or the display could not be prepared");
    return;
  }
  for (auto _ : state) {
    if (SaveImageInPlace(image) != 1) {
      state.SkipWithError("Ctrl+S failed");
      break;
    }
  }
}
BENCHMARK_CAPTURE(BM_CtrlS, ThousandImages, "walk.pix", 500)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CtrlS, OneImage, "one.pix", 0)->Unit(benchmark::kMillisecond);

// The Save button over image 500 through the offset: written in place, not flushed.
void BM_SaveOverOffsetThousandImages(benchmark::State& state) {
  FrameBenchScope scope("walk.pix");
  if (!scope.Ready()) {
    state.SkipWithError("the scratch folder or the display could not be prepared");
    return;
  }
  for (auto _ : state) {
    editorState.offsetNumber = 500;
    if (SavePixImage() != 1) {
      state.SkipWithError("the save failed");
      break;
    }
  }
}
BENCHMARK(BM_SaveOverOffsetThousandImages)->Unit(benchmark::kMillisecond);

}  // namespace
