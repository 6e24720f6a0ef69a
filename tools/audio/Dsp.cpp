// Filters, envelopes and the other signal building blocks of the generated sounds.
#include "Dsp.h"

#include <algorithm>
#include <array>

namespace audio {

double Random::gaussian() {
  const double u = std::max(uniform(), 1e-300);
  const double v = uniform();
  return std::sqrt(-2.0 * std::log(u)) * std::cos(TwoPi * v);
}

void Stereo::addPanned(const std::vector<float>& mono, std::size_t offset, double gain,
                       double pan) {
  if (offset >= frames()) return;
  const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * Pi / 4.0;
  const auto gainLeft = static_cast<float>(gain * std::cos(angle));
  const auto gainRight = static_cast<float>(gain * std::sin(angle));
  const std::size_t count = std::min(mono.size(), frames() - offset);
  for (std::size_t i = 0; i < count; ++i) {
    left[offset + i] += gainLeft * mono[i];
    right[offset + i] += gainRight * mono[i];
  }
}

void Stereo::addScaled(const Stereo& other, double gain) {
  const std::size_t count = std::min(frames(), other.frames());
  const auto g = static_cast<float>(gain);
  for (std::size_t i = 0; i < count; ++i) {
    left[i] += g * other.left[i];
    right[i] += g * other.right[i];
  }
}

void Stereo::scale(double gain) {
  const auto g = static_cast<float>(gain);
  for (std::size_t i = 0; i < frames(); ++i) {
    left[i] *= g;
    right[i] *= g;
  }
}

double Oscillator::polyBlep(double t) const {
  const double dt = increment_;
  if (dt <= 0.0) return 0.0;
  if (t < dt) {
    const double x = t / dt;
    return x + x - x * x - 1.0;
  }
  if (t > 1.0 - dt) {
    const double x = (t - 1.0) / dt;
    return x * x + x + x + 1.0;
  }
  return 0.0;
}

double Oscillator::pulse(double width) {
  const double naive = phase_ < width ? 1.0 : -1.0;
  double shifted = phase_ + 1.0 - width;
  shifted -= std::floor(shifted);
  // Centre the wave so that changing the width does not move its mean.
  return advance(naive + polyBlep(phase_) - polyBlep(shifted) - (2.0 * width - 1.0));
}

double Adsr::held(double t) const {
  if (t < attack) return 0.5 - 0.5 * std::cos(Pi * t / attack);
  if (decay <= 0.0) return sustain;
  return sustain + (1.0 - sustain) * std::exp(-4.0 * (t - attack) / decay);
}

double Adsr::level(double t, double gate) const {
  if (t < 0.0) return 0.0;
  if (t < gate) return held(t);
  const double sinceRelease = t - gate;
  if (sinceRelease >= release) return 0.0;
  const double remaining = 1.0 - sinceRelease / release;
  return held(gate) * remaining * remaining;
}

void Svf::set(double cutoffHz, double q) {
  const double limited = std::clamp(cutoffHz, 10.0, 0.45 * SampleRate);
  const double g = std::tan(Pi * limited / SampleRate);
  k_ = 1.0 / q;
  a1_ = 1.0 / (1.0 + g * (g + k_));
  a2_ = g * a1_;
  a3_ = g * a2_;
}

void Svf::process(double input) {
  const double v3 = input - ic2_;
  const double v1 = a1_ * ic1_ + a2_ * v3;
  const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  low_ = v2;
  band_ = v1;
  high_ = input - k_ * v1 - v2;
}

namespace {
constexpr std::array<std::size_t, 8> CombLengths{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<std::size_t, 4> AllpassLengths{556, 441, 341, 225};
constexpr std::size_t StereoSpread = 23;
constexpr double InputGain = 0.015;
}  // namespace

Reverb::Reverb(double roomSize, double damping, double preDelaySeconds, double width)
    : feedback_(0.7 + 0.28 * roomSize),
      damping_(0.4 * damping),
      width_(width),
      preDelay_(secondsToFrames(preDelaySeconds)) {
  for (std::size_t side = 0; side < 2; ++side) {
    const std::size_t spread = side * StereoSpread;
    for (const std::size_t length : CombLengths) {
      Comb c;
      c.buffer.assign(length + spread, 0.0);
      combs_[side].push_back(c);
    }
    for (const std::size_t length : AllpassLengths) {
      Allpass a;
      a.buffer.assign(length + spread, 0.0);
      allpasses_[side].push_back(a);
    }
  }
}

double Reverb::comb(Comb& c, double input, double feedback, double damping) {
  const double output = c.buffer[c.index];
  c.store = output * (1.0 - damping) + c.store * damping;
  c.buffer[c.index] = input + c.store * feedback;
  if (++c.index == c.buffer.size()) c.index = 0;
  return output;
}

double Reverb::allpass(Allpass& a, double input) {
  const double delayed = a.buffer[a.index];
  a.buffer[a.index] = input + delayed * 0.5;
  if (++a.index == a.buffer.size()) a.index = 0;
  return delayed - input;
}

void Reverb::process(Stereo& signal) {
  const std::size_t frames = signal.frames();
  std::vector<float> input(frames, 0.0f);
  OnePole lowCut;
  lowCut.setLowpass(180.0);
  for (std::size_t i = 0; i < frames; ++i) {
    const double mono = 0.5 * (static_cast<double>(signal.left[i]) + signal.right[i]);
    input[i] = static_cast<float>(lowCut.highpass(mono) * InputGain);
  }
  const double wetMain = 0.5 + 0.5 * width_;
  const double wetCross = 0.5 - 0.5 * width_;
  for (std::size_t i = 0; i < frames; ++i) {
    const double in = i >= preDelay_ ? static_cast<double>(input[i - preDelay_]) : 0.0;
    double out[2] = {0.0, 0.0};
    for (std::size_t side = 0; side < 2; ++side) {
      for (Comb& c : combs_[side]) out[side] += comb(c, in, feedback_, damping_);
      for (Allpass& a : allpasses_[side]) out[side] = allpass(a, out[side]);
    }
    signal.left[i] = static_cast<float>(out[0] * wetMain + out[1] * wetCross);
    signal.right[i] = static_cast<float>(out[1] * wetMain + out[0] * wetCross);
  }
}

void pingPongEcho(Stereo& signal, double delaySeconds, double feedback, double mix) {
  const std::size_t delay = std::max<std::size_t>(1, secondsToFrames(delaySeconds));
  const std::size_t frames = signal.frames();
  std::vector<float> echoLeft(frames, 0.0f);
  std::vector<float> echoRight(frames, 0.0f);
  OnePole darkenLeft;
  OnePole darkenRight;
  darkenLeft.setLowpass(3500.0);
  darkenRight.setLowpass(3500.0);
  for (std::size_t i = delay; i < frames; ++i) {
    const std::size_t j = i - delay;
    const double mono = 0.5 * (static_cast<double>(signal.left[j]) + signal.right[j]);
    echoLeft[i] = static_cast<float>(darkenLeft.lowpass(mono + feedback * echoRight[j]));
    echoRight[i] = static_cast<float>(darkenRight.lowpass(feedback * echoLeft[j]));
  }
  const auto m = static_cast<float>(mix);
  for (std::size_t i = 0; i < frames; ++i) {
    signal.left[i] += m * echoLeft[i];
    signal.right[i] += m * echoRight[i];
  }
}

}  // namespace audio
