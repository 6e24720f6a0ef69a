#pragma once

// Test tones, recorded output and measures of it, so the sound tests judge what is
// actually heard rather than what the engine reports.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "CaptureOutput.h"

// A directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string file(const std::string& name) const { return path + "/" + name; }

  std::string path;
};

struct Tone {
  double frequency = 440.0;
  double seconds = 0.3;
  double amplitude = 0.5;
  int channels = 1;
  int sampleRate = 44100;
};

// Encodes a sine tone as an Ogg Vorbis file.
void writeToneOgg(const std::string& path, const Tone& tone);

// Makes OpenAL Soft open its wave-file writer, which records everything mixed into `wavePath`.
// Must run before the process opens its first device.
void useWaveOutput(const std::string& configPath, const std::string& wavePath, const std::string& extraGeneral = "");
// A device that mixes in real time and plays nowhere.
void useNullOutput(const std::string& configPath, const std::string& extraGeneral = "");

// A recording mixed down to mono, samples in -1..1.
struct Recording {
  int sampleRate = 0;
  std::vector<float> samples;

  std::size_t at(double seconds) const { return static_cast<std::size_t>(seconds * sampleRate); }
  double seconds(std::size_t sample) const { return static_cast<double>(sample) / sampleRate; }
};

Recording readWave(const std::string& path);

// First and one past the last sample louder than `threshold`; {0, 0} when all is quieter.
struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t length() const { return end - begin; }
};
Span loudSpan(const std::vector<float>& samples, float threshold);
// Loud stretches separated by at least `minimumGap` samples of quiet.
std::vector<Span> loudSpans(const std::vector<float>& samples, float threshold, std::size_t minimumGap);

double rms(const std::vector<float>& samples, std::size_t begin, std::size_t end);
// Amplitude of the sinusoid at `frequency` within [begin, end).
double toneAmplitude(const Recording& recording, std::size_t begin, std::size_t end, double frequency);
// Longest run of consecutive samples quieter than `threshold` within [begin, end).
std::size_t longestQuietRun(const std::vector<float>& samples, std::size_t begin, std::size_t end, float threshold);
// Largest step between neighbouring samples within [begin, end).
float largestStep(const std::vector<float>& samples, std::size_t begin, std::size_t end);
