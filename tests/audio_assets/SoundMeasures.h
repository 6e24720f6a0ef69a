#pragma once

// Decoding and measuring Ogg Vorbis files, independent of the code that wrote them.

#include <string>
#include <vector>

struct DecodedSound {
  int channels = 0;
  long rate = 0;
  long long declaredFrames = 0;             // length stated by the stream's granule positions
  std::vector<std::vector<float>> samples;  // one vector per channel

  std::size_t frames() const { return samples.empty() ? 0 : samples[0].size(); }
  double seconds() const { return rate > 0 ? static_cast<double>(frames()) / rate : 0.0; }
};

bool decodeOggVorbis(const std::string& path, DecodedSound& sound, std::string& error);

// RMS in dBFS over frames [from, from + count) of all channels together.
double rmsDb(const DecodedSound& sound, std::size_t from, std::size_t count);
double rmsDb(const DecodedSound& sound);
double peakDb(const DecodedSound& sound);

// Share (0..1) of the spectral energy between 60 Hz and 1 kHz that lies within a quarter tone
// of the given pitch classes (C = 0), over the whole sound.
double pitchClassShare(const DecodedSound& sound, const std::vector<int>& pitchClasses);
