// Mastering a performed piece: rumble filter, loop seams, fades and its loudness and limit.
#include "Mastering.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace audio {

void removeRumble(Stereo& signal, double cutoffHz) {
  for (std::vector<float>* channel : {&signal.left, &signal.right}) {
    Svf filter;
    filter.set(cutoffHz, 0.7071);
    for (float& sample : *channel) {
      filter.process(sample);
      sample = static_cast<float>(filter.high());
    }
  }
}

void foldLoop(Stereo& signal, std::size_t loopFrames) {
  for (std::size_t i = loopFrames; i < signal.frames(); ++i) {
    signal.left[i % loopFrames] += signal.left[i];
    signal.right[i % loopFrames] += signal.right[i];
  }
  signal.left.resize(loopFrames);
  signal.right.resize(loopFrames);
}

void crossfadeLoop(Stereo& signal, std::size_t loopFrames) {
  const std::size_t overhang = std::min(signal.frames() - loopFrames, loopFrames);
  for (std::size_t i = 0; i < overhang; ++i) {
    const double w = (static_cast<double>(i) + 0.5) / static_cast<double>(overhang);
    const double in = std::sin(0.5 * Pi * w);
    const double out = std::cos(0.5 * Pi * w);
    signal.left[i] = static_cast<float>(in * signal.left[i] + out * signal.left[loopFrames + i]);
    signal.right[i] = static_cast<float>(in * signal.right[i] + out * signal.right[loopFrames + i]);
  }
  signal.left.resize(loopFrames);
  signal.right.resize(loopFrames);
}

void fadeIn(Stereo& signal, double seconds) {
  const std::size_t frames = std::min(signal.frames(), secondsToFrames(seconds));
  for (std::size_t i = 0; i < frames; ++i) {
    const auto g = static_cast<float>(0.5 - 0.5 * std::cos(Pi * static_cast<double>(i) / frames));
    signal.left[i] *= g;
    signal.right[i] *= g;
  }
}

void fadeOut(Stereo& signal, double seconds) {
  const std::size_t frames = std::min(signal.frames(), secondsToFrames(seconds));
  const std::size_t start = signal.frames() - frames;
  for (std::size_t i = 0; i < frames; ++i) {
    const double x = static_cast<double>(i + 1) / static_cast<double>(frames);
    const auto g = static_cast<float>(0.5 + 0.5 * std::cos(Pi * x));
    signal.left[start + i] *= g;
    signal.right[start + i] *= g;
  }
}

double rmsDb(const Stereo& signal) {
  double sum = 0.0;
  for (std::size_t i = 0; i < signal.frames(); ++i) {
    sum += static_cast<double>(signal.left[i]) * signal.left[i] +
           static_cast<double>(signal.right[i]) * signal.right[i];
  }
  return gainToDb(
      std::sqrt(sum / (2.0 * static_cast<double>(std::max<std::size_t>(1, signal.frames())))));
}

double peakDb(const Stereo& signal) {
  float peak = 0.0f;
  for (std::size_t i = 0; i < signal.frames(); ++i) {
    peak = std::max({peak, std::fabs(signal.left[i]), std::fabs(signal.right[i])});
  }
  return gainToDb(peak);
}

void limit(Stereo& signal, double ceilingDb, bool looped) {
  const std::size_t frames = signal.frames();
  if (frames == 0) return;
  const double ceiling = dbToGain(ceilingDb);
  const std::size_t lookahead = std::min(frames, secondsToFrames(0.0015));
  const double release = std::exp(-1.0 / (0.12 * SampleRate));

  // The gain each frame may have at most, spread back over the look-ahead so that the gain
  // is already down when a peak arrives.
  std::vector<double> allowed(frames, 1.0);
  for (std::size_t i = 0; i < frames; ++i) {
    const double peak = std::max(std::fabs(signal.left[i]), std::fabs(signal.right[i]));
    if (peak <= ceiling) continue;
    const double need = ceiling / peak;
    for (std::size_t k = 0; k < lookahead; ++k) {
      if (i < k && !looped) break;
      const std::size_t j = (i + frames - k) % frames;
      allowed[j] = std::min(allowed[j], need);
    }
  }
  // A moving average over the look-ahead turns steps into ramps and stays under every limit
  // it covers. Before the start of a sound that does not loop, the first frame's limit holds.
  const auto allowedAt = [&](std::size_t i, std::size_t back) {
    if (back <= i) return allowed[i - back];
    return looped ? allowed[frames + i - back] : allowed[0];
  };
  std::vector<double> smooth(frames, 1.0);
  double sum = 0.0;
  for (std::size_t k = 1; k < lookahead; ++k) sum += allowedAt(0, k);
  for (std::size_t i = 0; i < frames; ++i) {
    sum += allowed[i];
    smooth[i] = sum / static_cast<double>(lookahead);
    sum -= allowedAt(i, lookahead - 1);
  }
  // Slow recovery; a loop goes round twice so that its start inherits the end's state.
  double gain = 1.0;
  for (int pass = looped ? 0 : 1; pass < 2; ++pass) {
    for (std::size_t i = 0; i < frames; ++i) {
      gain = std::min(smooth[i], 1.0 - (1.0 - gain) * release);
      if (pass == 1) {
        signal.left[i] = static_cast<float>(signal.left[i] * gain);
        signal.right[i] = static_cast<float>(signal.right[i] * gain);
      }
    }
  }
}

void master(Stereo& signal, double targetRmsDb, double ceilingDb, bool looped) {
  for (int round = 0; round < 4; ++round) {
    const double correction = targetRmsDb - rmsDb(signal);
    if (round > 0 && std::fabs(correction) < 0.05) break;
    signal.scale(dbToGain(correction));
    limit(signal, ceilingDb, looped);
  }
}

}  // namespace audio
