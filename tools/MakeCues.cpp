// quillane-make-cues FOLDER: synthesises the program's sound cues into FOLDER as
// 16-bit mono PCM WAV files. Each cue is a few decaying partials (or a burst of
// noise for the click), short and quiet, and each sounds different, so a user
// can tell a count from a tick from a finished step by ear.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "shell/SoundCues.h"

namespace {

constexpr int kRate = 22050;
constexpr double kAttack = 0.003;  // seconds; a softer start than a step avoids a pop

// One partial of a cue: a sine (or noise when Hz is 0) that starts at Start
// seconds, lasts Length seconds and dies away with time constant Decay.
struct TPartial {
  double Hz, Start, Length, Amplitude, Decay;
};

struct TCue {
  const char* Name;
  std::vector<TPartial> Partials;
};

// Peak levels stay well under a quarter of full scale: cues accompany the
// work, they must not startle.
const std::vector<TCue>& Cues() {
  static const std::vector<TCue> cues = {
      {kCueClick, {{0, 0, 0.025, 0.15, 0.006}, {2400, 0, 0.03, 0.08, 0.008}}},
      {kCueBlip, {{1320, 0, 0.09, 0.16, 0.03}, {2640, 0, 0.06, 0.04, 0.015}}},
      {kCueChime, {{880, 0, 0.32, 0.13, 0.12}, {1320, 0.12, 0.36, 0.13, 0.14}}},
      {kCueTickOdd, {{1000, 0, 0.04, 0.14, 0.012}}},
      {kCueTickEven, {{750, 0, 0.04, 0.14, 0.012}}},
  };
  return cues;
}

std::vector<std::int16_t> Render(const TCue& cue) {
  double length = 0;
  for (const TPartial& p : cue.Partials) length = std::max(length, p.Start + p.Length);
  std::vector<double> mix(static_cast<std::size_t>(length * kRate) + 1, 0.0);
  std::uint32_t noise = 0x2545F491u;  // a fixed seed: the files are the same every build
  for (const TPartial& p : cue.Partials) {
    const auto first = static_cast<std::size_t>(p.Start * kRate);
    const auto count = static_cast<std::size_t>(p.Length * kRate);
    for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double envelope = std::min(1.0, t / kAttack) * std::exp(-t / p.Decay);
      double wave;
      if (p.Hz > 0) {
        wave = std::sin(2 * std::numbers::pi * p.Hz * t);
      } else {
        noise = noise * 1664525u + 1013904223u;
        wave = static_cast<double>(noise >> 8) / (1u << 23) - 1.0;
      }
      mix[first + i] += p.Amplitude * envelope * wave;
    }
  }
  std::vector<std::int16_t> samples;
  samples.reserve(mix.size());
  for (double v : mix) samples.push_back(static_cast<std::int16_t>(std::lround(v * 32767)));
  return samples;
}

void PutLE(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The canonical 44-byte header of a RIFF WAVE file with one PCM data chunk.
std::string WaveFile(const std::vector<std::int16_t>& samples) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  PutLE(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLE(out, 16, 4);         // format chunk size
  PutLE(out, 1, 2);          // PCM
  PutLE(out, 1, 2);          // mono
  PutLE(out, kRate, 4);      // samples a second
  PutLE(out, kRate * 2, 4);  // bytes a second
  PutLE(out, 2, 2);          // bytes a frame
  PutLE(out, 16, 2);         // bits a sample
  out += "data";
  PutLE(out, dataBytes, 4);
  for (std::int16_t s : samples) PutLE(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillane-make-cues FOLDER\n");
    return 2;
  }
  for (const TCue& cue : Cues()) {
    const std::string path = std::string(argv[1]) + "/" + cue.Name;
    const std::string bytes = WaveFile(Render(cue));
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
      std::fprintf(stderr, "quillane-make-cues: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
