// Decodes Ogg Vorbis files and measures their loudness and pitch content, for the tests
// that check the game's sounds without trusting the code that wrote them.
#include "SoundMeasures.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr double Pi = 3.14159265358979323846;

double toDb(double gain) { return 20.0 * std::log10(std::max(gain, 1e-12)); }

void fft(std::vector<std::complex<double>>& data) {
  const std::size_t n = data.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; (j & bit) != 0; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(data[i], data[j]);
  }
  for (std::size_t length = 2; length <= n; length <<= 1) {
    const double angle = -2.0 * Pi / static_cast<double>(length);
    const std::complex<double> step(std::cos(angle), std::sin(angle));
    for (std::size_t start = 0; start < n; start += length) {
      std::complex<double> w(1.0, 0.0);
      for (std::size_t k = 0; k < length / 2; ++k) {
        const std::complex<double> even = data[start + k];
        const std::complex<double> odd = data[start + k + length / 2] * w;
        data[start + k] = even + odd;
        data[start + k + length / 2] = even - odd;
        w *= step;
      }
    }
  }
}

}  // namespace

bool decodeOggVorbis(const std::string& path, DecodedSound& sound, std::string& error) {
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) {
    error = "cannot open " + path + " as Ogg Vorbis";
    return false;
  }
  const vorbis_info* info = ov_info(&file, -1);
  sound.channels = info->channels;
  sound.rate = info->rate;
  sound.declaredFrames = ov_pcm_total(&file, -1);
  sound.samples.assign(static_cast<std::size_t>(info->channels), {});
  float** pcm = nullptr;
  int section = 0;
  long count = 0;
  while ((count = ov_read_float(&file, &pcm, 4096, &section)) > 0) {
    for (std::size_t c = 0; c < sound.samples.size(); ++c) {
      sound.samples[c].insert(sound.samples[c].end(), pcm[c], pcm[c] + count);
    }
  }
  ov_clear(&file);
  if (count < 0) {
    error = "decoding " + path + " failed";
    return false;
  }
  return true;
}

double rmsDb(const DecodedSound& sound, std::size_t from, std::size_t count) {
  double sum = 0.0;
  std::size_t n = 0;
  for (const std::vector<float>& channel : sound.samples) {
    for (std::size_t i = from; i < std::min(from + count, channel.size()); ++i) {
      sum += static_cast<double>(channel[i]) * channel[i];
      ++n;
    }
  }
  return toDb(std::sqrt(sum / static_cast<double>(std::max<std::size_t>(n, 1))));
}

double rmsDb(const DecodedSound& sound) { return rmsDb(sound, 0, sound.frames()); }

double peakDb(const DecodedSound& sound) {
  float peak = 0.0f;
  for (const std::vector<float>& channel : sound.samples) {
    for (const float sample : channel) peak = std::max(peak, std::fabs(sample));
  }
  return toDb(peak);
}

double pitchClassShare(const DecodedSound& sound, const std::vector<int>& pitchClasses) {
  constexpr std::size_t Window = 8192;
  std::vector<double> hann(Window);
  for (std::size_t i = 0; i < Window; ++i) {
    hann[i] = 0.5 - 0.5 * std::cos(2.0 * Pi * static_cast<double>(i) / Window);
  }
  double inside = 0.0;
  double total = 0.0;
  std::vector<std::complex<double>> spectrum(Window);
  for (std::size_t start = 0; start + Window <= sound.frames(); start += Window / 2) {
    for (std::size_t i = 0; i < Window; ++i) {
      double mono = 0.0;
      for (const std::vector<float>& channel : sound.samples) mono += channel[start + i];
      spectrum[i] = mono * hann[i];
    }
    fft(spectrum);
    for (std::size_t k = 1; k < Window / 2; ++k) {
      const double hz = static_cast<double>(k) * static_cast<double>(sound.rate) / Window;
      if (hz < 60.0 || hz > 1000.0) continue;
      const double power = std::norm(spectrum[k]);
      const double midi = 69.0 + 12.0 * std::log2(hz / 440.0);
      const int pitchClass = ((static_cast<int>(std::lround(midi)) % 12) + 12) % 12;
      total += power;
      if (std::find(pitchClasses.begin(), pitchClasses.end(), pitchClass) != pitchClasses.end()) {
        inside += power;
      }
    }
  }
  return total > 0.0 ? inside / total : 0.0;
}
