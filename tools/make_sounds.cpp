// Writes the program's two sounds as 16-bit mono PCM WAVE files: the click and the "saved" chime.
//
// The files are kept in resources/; to make them again after changing this tool:
//   g++ -std=c++20 -O2 -o /tmp/make_sounds tools/make_sounds.cpp && /tmp/make_sounds resources
// (or build the target make_sounds and run it with the folder as its argument).
// The output is the same on every run: the noise comes from a fixed linear congruential sequence.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;

struct Sound {
  const char* file;
  std::uint32_t rate;
  std::vector<double> samples;  // -1..1
};

// Same numbers on every machine, unlike std::rand.
std::uint32_t noiseState = 0x2545F491u;
double NextNoise() {
  noiseState = noiseState * 1664525u + 1013904223u;
  return static_cast<double>(noiseState >> 8) / 8388608.0 - 1.0;
}

// A short woody tick: a burst of high-passed noise over two damped partials, gone within ~15 ms.
Sound MakeClick() {
  constexpr std::uint32_t rate = 44100;
  constexpr std::size_t count = 2295;
  Sound sound{"click.wav", rate, std::vector<double>(count)};
  double previousNoise = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    // The difference of successive noise values has no DC and a bright, tick-like spectrum.
    const double raw = NextNoise();
    const double noise = 0.5 * (raw - previousNoise);
    previousNoise = raw;
    const double attack = std::min(1.0, t / 0.0004);
    const double noisePart = noise * std::exp(-t / 0.0015);
    const double tonePart = 0.6 * std::sin(twoPi * 2200.0 * t) * std::exp(-t / 0.004) +
                            0.3 * std::sin(twoPi * 3700.0 * t) * std::exp(-t / 0.0025);
    sound.samples[i] = 0.55 * attack * (noisePart + tonePart);
  }
  return sound;
}

// One bell strike: a fundamental with two softer inharmonic partials that die away faster.
void AddBell(std::vector<double>& out, std::uint32_t rate, double start, double frequency, double level) {
  const struct {
    double ratio, gain, decay;
  } partials[] = {{1.0, 1.0, 0.30}, {2.0, 0.35, 0.16}, {2.76, 0.15, 0.09}};
  const auto first = static_cast<std::size_t>(start * rate);
  for (std::size_t i = first; i < out.size(); ++i) {
    const double t = static_cast<double>(i - first) / rate;
    const double attack = std::min(1.0, t / 0.006);  // no click at the strike
    double value = 0.0;
    for (const auto& p : partials) {
      value += p.gain * std::sin(twoPi * frequency * p.ratio * t) * std::exp(-t / p.decay);
    }
    out[i] += level * attack * value;
  }
}

// Three rising bell notes (C6, E6, G6), then a fade to exact silence at the end.
Sound MakeChime() {
  constexpr std::uint32_t rate = 22050;
  constexpr std::size_t count = 20160;
  Sound sound{"saved.wav", rate, std::vector<double>(count, 0.0)};
  AddBell(sound.samples, rate, 0.000, 1046.50, 0.20);
  AddBell(sound.samples, rate, 0.085, 1318.51, 0.19);
  AddBell(sound.samples, rate, 0.170, 1567.98, 0.22);
  const std::size_t fadeLength = rate / 8;
  for (std::size_t i = 0; i < fadeLength; ++i) {
    const double x = static_cast<double>(i) / fadeLength;  // 0 at the fade's start, 1 at the end
    sound.samples[count - fadeLength + i] *= 0.5 * (1.0 + std::cos(std::numbers::pi * x));
  }
  sound.samples[count - 1] = 0.0;
  return sound;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int b = 0; b < bytes; ++b) {
    out.push_back(static_cast<std::uint8_t>(value >> (8 * b)));
  }
}

std::vector<std::uint8_t> EncodeWave(const Sound& sound) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutLe(out, 4 + (8 + 16) + (8 + dataBytes), 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, 1, 2);  // mono
  PutLe(out, sound.rate, 4);
  PutLe(out, sound.rate * 2, 4);  // bytes per second
  PutLe(out, 2, 2);               // block align
  PutLe(out, 16, 2);              // bits per sample
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLe(out, dataBytes, 4);
  for (double s : sound.samples) {
    const double clamped = std::max(-1.0, std::min(1.0, s));
    const auto value = static_cast<std::int16_t>(std::lround(clamped * 32767.0));
    PutLe(out, static_cast<std::uint16_t>(value), 2);
  }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "make_sounds: cannot create %s\n", path.c_str());
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  for (const Sound& sound : {MakeClick(), MakeChime()}) {
    if (!WriteFile(folder + "/" + sound.file, EncodeWave(sound))) {
      return 1;
    }
  }
  return 0;
}
