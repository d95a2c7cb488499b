// Sounds: the program's WAVE resources played through one SDL audio device.
#include <SDL.h>

#ifdef PIXED_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

#include <climits>
#include <cstring>
#include <vector>

#include "../system.h"

namespace plat {
namespace {

struct Audio {
  bool tried = false;
  SDL_AudioDeviceID device = 0;
  SDL_AudioSpec spec{};
};

Audio audio;

#ifdef PIXED_HAVE_ALSA
// SDL's ALSA driver shares the process's libasound, which otherwise prints
// a dozen lines to the standard error when it finds no sound card. The
// program is silent then anyway; its standard error is for its own words.
void QuietAlsa(const char* /*file*/, int /*line*/, const char* /*function*/, int /*error*/,
               const char* /*format*/, ...) {}
void KeepAlsaQuiet() {
  snd_lib_error_set_handler(QuietAlsa);
}
#else
void KeepAlsaQuiet() {}
#endif

// Opened on the first sound; a machine without audio just stays silent.
bool AudioReady() {
  if (audio.tried) {
    return audio.device != 0;
  }
  audio.tried = true;
  KeepAlsaQuiet();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    return false;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = 44100;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 1;
  wanted.samples = 512;
  audio.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &audio.spec, SDL_AUDIO_ALLOW_ANY_CHANGE);
  if (audio.device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(audio.device, 0);
  return true;
}

// The samples of a RIFF WAVE file in the device's format; empty on failure.
std::vector<std::uint8_t> ConvertedSamples(const ProgramResource& resource) {
  if (resource.data == nullptr || resource.size > INT_MAX) {
    return {};
  }
  SDL_RWops* stream = SDL_RWFromConstMem(resource.data, static_cast<int>(resource.size));
  if (stream == nullptr) {
    return {};
  }
  SDL_AudioSpec spec{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(stream, 1, &spec, &buffer, &length) == nullptr) {
    return {};
  }
  SDL_AudioCVT convert{};
  const int built = SDL_BuildAudioCVT(&convert, spec.format, spec.channels, spec.freq, audio.spec.format,
                                      audio.spec.channels, audio.spec.freq);
  std::vector<std::uint8_t> samples;
  if (built >= 0 && convert.len_mult > 0) {
    samples.resize(static_cast<std::size_t>(length) * static_cast<std::size_t>(convert.len_mult));
    std::memcpy(samples.data(), buffer, length);
    convert.buf = samples.data();
    convert.len = static_cast<int>(length);
    if (built == 0) {
      samples.resize(length);
    } else if (SDL_ConvertAudio(&convert) == 0) {
      samples.resize(static_cast<std::size_t>(convert.len_cvt));
    } else {
      samples.clear();
    }
  }
  SDL_FreeWAV(buffer);
  return samples;
}

}  // namespace

bool PlaySoundA(int resource, HINSTANCE /*module*/, std::uint32_t /*flags*/) {
  const ProgramResource* found = FindProgramResource(resource, "WAVE");
  if (found == nullptr) {
    return false;
  }
  if (!AudioReady()) {
    return true;
  }
  const std::vector<std::uint8_t> samples = ConvertedSamples(*found);
  if (samples.empty()) {
    return false;
  }
  // A new sound cuts off the one still playing.
  SDL_ClearQueuedAudio(audio.device);
  return SDL_QueueAudio(audio.device, samples.data(), static_cast<Uint32>(samples.size())) == 0;
}

}  // namespace plat
