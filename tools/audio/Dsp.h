#pragma once

// The synthesizer's building blocks: random numbers, oscillators, envelopes, filters, delay and
// reverb. Everything runs at one sample rate and is deterministic.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace audio {

constexpr int SampleRate = 44100;
constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2.0 * Pi;

inline double midiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }
inline double dbToGain(double db) { return std::pow(10.0, db / 20.0); }
inline double gainToDb(double gain) { return 20.0 * std::log10(gain > 1e-12 ? gain : 1e-12); }
inline std::size_t secondsToFrames(double seconds) {
  return seconds <= 0.0 ? 0 : static_cast<std::size_t>(std::lround(seconds * SampleRate));
}

// xorshift64*: small, fast and identical on every platform. Each sound owns one, started from a
// fixed random state, so the files come out the same on every run.
class Random {
 public:
  explicit Random(std::uint64_t state) : state_(state != 0 ? state : 0x9E3779B97F4A7C15ULL) {}

  std::uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }
  // Uniform in [0, 1).
  double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
  // Uniform in [-1, 1).
  double bipolar() { return 2.0 * uniform() - 1.0; }
  double gaussian();

 private:
  std::uint64_t state_;
};

// Two channels of float samples at SampleRate.
struct Stereo {
  Stereo() = default;
  explicit Stereo(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
  std::size_t frames() const { return left.size(); }
  // Adds a mono signal at a frame offset with constant-power panning (pan -1 left .. +1 right).
  void addPanned(const std::vector<float>& mono, std::size_t offset, double gain, double pan);
  void addScaled(const Stereo& other, double gain);
  void scale(double gain);

  std::vector<float> left;
  std::vector<float> right;
};

// Phase-accumulating oscillator. Saw and pulse use polyBLEP corrections, so they stay clean of
// the aliasing a naive ramp would fold back into the audible range.
class Oscillator {
 public:
  explicit Oscillator(double phase = 0.0) : phase_(phase - std::floor(phase)) {}
  void setFrequency(double hz) { increment_ = hz / SampleRate; }

  double sine() { return advance(std::sin(TwoPi * phase_)); }
  double saw() { return advance(2.0 * phase_ - 1.0 - polyBlep(phase_)); }
  double pulse(double width);

 private:
  double advance(double value) {
    phase_ += increment_;
    phase_ -= std::floor(phase_);
    return value;
  }
  double polyBlep(double t) const;

  double phase_;
  double increment_ = 0.0;
};

// Attack / decay / sustain / release shape as a pure function of time. The attack is a raised
// cosine so that notes begin without a step; the release starts from wherever the note was.
struct Adsr {
  double attack = 0.01;
  double decay = 0.1;
  double sustain = 1.0;
  double release = 0.1;

  double level(double t, double gate) const;
  double length(double gate) const { return gate + release; }

 private:
  double held(double t) const;
};

// Smooth decay that starts with a short raised-cosine attack: percussion and plucked notes.
inline double strikeEnvelope(double t, double attack, double decayTime) {
  if (t < 0.0) return 0.0;
  const double onset = t < attack ? 0.5 - 0.5 * std::cos(Pi * t / attack) : 1.0;
  return onset * std::exp(-t / decayTime);
}

// Topology-preserving state-variable filter (trapezoidal integration): stable under fast
// modulation, with low, band and high outputs from one structure.
class Svf {
 public:
  void set(double cutoffHz, double q);
  void process(double input);
  double low() const { return low_; }
  // Band output scaled to unit gain at the centre frequency.
  double bandNormalised() const { return k_ * band_; }
  double high() const { return high_; }

 private:
  double a1_ = 1.0, a2_ = 0.0, a3_ = 0.0, k_ = 1.0;
  double ic1_ = 0.0, ic2_ = 0.0;
  double low_ = 0.0, band_ = 0.0, high_ = 0.0;
};

class OnePole {
 public:
  void setLowpass(double cutoffHz) { coefficient_ = std::exp(-TwoPi * cutoffHz / SampleRate); }
  double lowpass(double input) {
    state_ = input + coefficient_ * (state_ - input);
    return state_;
  }
  double highpass(double input) { return input - lowpass(input); }

 private:
  double coefficient_ = 0.0;
  double state_ = 0.0;
};

// Sine by rotating a unit phasor: much cheaper than std::sin for long, fixed-pitch partials.
class Phasor {
 public:
  Phasor(double hz, double phase)
      : re_(std::cos(phase)),
        im_(std::sin(phase)),
        stepRe_(std::cos(TwoPi * hz / SampleRate)),
        stepIm_(std::sin(TwoPi * hz / SampleRate)) {}
  double next() {
    const double value = im_;
    const double re = re_ * stepRe_ - im_ * stepIm_;
    im_ = re_ * stepIm_ + im_ * stepRe_;
    re_ = re;
    return value;
  }

 private:
  double re_, im_, stepRe_, stepIm_;
};

// Freeverb-style stereo room: eight damped combs and four allpasses per side, with pre-delay and
// a high-pass on its input so the low end stays dry and tight.
class Reverb {
 public:
  Reverb(double roomSize, double damping, double preDelaySeconds, double width = 1.0);
  void process(Stereo& signal);

 private:
  struct Comb {
    std::vector<double> buffer;
    std::size_t index = 0;
    double store = 0.0;
  };
  struct Allpass {
    std::vector<double> buffer;
    std::size_t index = 0;
  };
  static double comb(Comb& c, double input, double feedback, double damping);
  static double allpass(Allpass& a, double input);

  double feedback_;
  double damping_;
  double width_;
  std::size_t preDelay_;
  std::vector<Comb> combs_[2];
  std::vector<Allpass> allpasses_[2];
};

// Stereo echo whose repeats alternate between the sides and grow darker.
void pingPongEcho(Stereo& signal, double delaySeconds, double feedback, double mix);

}  // namespace audio
