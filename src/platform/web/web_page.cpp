// The calls into the page's script, through Emscripten's inline JavaScript.
#include "web_page.h"

#include <emscripten/emscripten.h>

#include "../display.h"

// The page's script defines pixedPage before the program starts.
EM_JS(void, pixed_page_place_canvas, (int x, int y, int w, int h, int factor),
      { pixedPage.placeCanvas(x, y, w, h, factor); });
EM_JS(void, pixed_page_show_frame, (const void* pixels, int bytes, int wholePassDrawn),
      { pixedPage.showFrame(HEAPU8.subarray(pixels, pixels + bytes), wholePassDrawn != 0); });
EM_ASYNC_JS(double, pixed_page_wait, (double ms, int wakeOnInput), {
  const start = performance.now();
  await pixedPage.wait(ms, wakeOnInput != 0);
  return performance.now() - start;
});
EM_JS(void, pixed_page_play_sound, (int id, const void* data, int size),
      { pixedPage.playSound(id, HEAPU8.slice(data, data + size)); });
EM_JS(void, pixed_page_store_files, (), { pixedPage.storeFiles(); });
EM_JS(void, pixed_page_ended, (int status), { pixedPage.ended(status); });
EM_JS(double, pixed_page_passes_wanted, (), { return pixedPage.passesWanted(); });
EM_JS(void, pixed_page_report, (const char* text), { pixedPage.report(UTF8ToString(text)); });
EM_ASYNC_JS(int, pixed_page_take_lock, (const char* name),
            { return await pixedPage.takeLock(UTF8ToString(name)); });

namespace plat::web::page {

void PlaceCanvas(int x, int y, int w, int h, int factor) {
  pixed_page_place_canvas(x, y, w, h, factor);
}

void ShowFrame(const std::uint32_t* pixels, bool wholePassDrawn) {
  pixed_page_show_frame(pixels, kScreenWidth * kScreenHeight * 4, wholePassDrawn ? 1 : 0);
}

double Wait(double ms, bool wakeOnInput) {
  return pixed_page_wait(ms, wakeOnInput ? 1 : 0);
}

void PlaySound(int id, const std::uint8_t* data, std::size_t size) {
  if (size <= 0x7FFFFFFF) {
    pixed_page_play_sound(id, data, static_cast<int>(size));
  }
}

void StoreFiles() {
  pixed_page_store_files();
}

void Ended(int status) {
  pixed_page_ended(status);
}

long PassesWanted() {
  return static_cast<long>(pixed_page_passes_wanted());
}

void Report(const char* text) {
  pixed_page_report(text);
}

bool TakeLock(const char* name) {
  return pixed_page_take_lock(name) != 0;
}

}  // namespace plat::web::page
