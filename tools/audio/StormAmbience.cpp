// Storm at sea: gusting wind with a whistle in the rigging, waves swelling and breaking, and
// rain hissing on the water and rapping on the deck. Continuous sounds, so the loop's seam is a
// long crossfade.

#include <algorithm>
#include <array>
#include <cmath>

#include "Mastering.h"
#include "Pieces.h"

namespace audio {
namespace {

constexpr double LoopSeconds = 40.0;
constexpr double OverlapSeconds = 4.0;

// A slow wandering value in 0..1 made of a few unrelated sine waves.
class Drift {
 public:
  Drift(Random& random, double slowest, double fastest) {
    for (Wave& w : waves_) {
      w.rate = random.uniform(slowest, fastest);
      w.phase = random.uniform(0.0, TwoPi);
    }
  }
  double at(double t) const {
    double sum = 0.0;
    for (const Wave& w : waves_) sum += std::sin(TwoPi * w.rate * t + w.phase);
    return 0.5 + 0.5 * sum / static_cast<double>(waves_.size());
  }

 private:
  struct Wave {
    double rate = 0.0, phase = 0.0;
  };
  std::array<Wave, 4> waves_;
};

void addWind(Stereo& out, Random& random) {
  for (int side = 0; side < 2; ++side) {
    const Drift gust(random, 0.03, 0.16);
    const Drift whistle(random, 0.02, 0.09);
    Svf body;
    Svf howl;
    OnePole soften;
    soften.setLowpass(2500.0);
    std::vector<float>& channel = side == 0 ? out.left : out.right;
    for (std::size_t i = 0; i < channel.size(); ++i) {
      const double t = static_cast<double>(i) / SampleRate;
      const double g = gust.at(t);
      if (i % 32 == 0) {
        body.set(280.0 + 650.0 * g, 0.9);
        howl.set(620.0 + 520.0 * whistle.at(t) + 200.0 * g, 14.0);
      }
      const double noise = random.bipolar();
      body.process(noise);
      howl.process(noise);
      const double wind =
          body.bandNormalised() * (0.25 + 0.75 * g * g) + 0.55 * howl.bandNormalised() * g * g * g;
      channel[i] += static_cast<float>(0.5 * soften.lowpass(wind));
    }
  }
}

// One wave: the swell rises as a darker roar, breaks into bright foam and washes out.
void addWave(Stereo& out, Random& random, double start, double size) {
  const double rise = random.uniform(1.4, 2.4);
  const double wash = random.uniform(2.5, 4.0);
  const double length = rise + wash;
  const double pan = random.uniform(-0.7, 0.7);
  std::vector<float> wave(secondsToFrames(length));
  Svf foam;
  Svf fizz;
  fizz.set(5000.0, 0.7);
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    double level = 0.0;
    double brightness = 0.0;
    if (t < rise) {
      const double x = t / rise;
      level = x * x;
      brightness = x * x * x;
    } else {
      const double x = (t - rise) / wash;
      level = std::pow(1.0 - x, 2.0) * (1.0 - 0.7 * x) + 0.0;
      brightness = std::exp(-5.0 * x);
    }
    if (i % 32 == 0) foam.set(180.0 + 2800.0 * brightness, 0.6);
    const double noise = random.bipolar();
    foam.process(noise);
    fizz.process(noise);
    const double crackle = t > rise ? std::pow(random.uniform(), 6.0) : 0.0;
    wave[i] = static_cast<float>(level * (foam.low() + 0.25 * fizz.high() * brightness +
                                          0.2 * crackle * (t < rise + wash * 0.6 ? 1.0 : 0.3)));
  }
  out.addPanned(wave, secondsToFrames(start), 0.55 * size, pan);
}

void addSea(Stereo& out, Random& random) {
  const double total = static_cast<double>(out.frames()) / SampleRate;
  double t = -random.uniform(1.0, 3.0);
  while (t < total) {
    if (t > -3.0) addWave(out, random, std::max(0.0, t), random.uniform(0.55, 1.0));
    t += random.uniform(4.0, 7.5);
  }
  // The open sea's constant low roar under the breakers.
  for (int side = 0; side < 2; ++side) {
    Svf roar;
    roar.set(220.0, 0.7);
    const Drift heave(random, 0.05, 0.12);
    std::vector<float>& channel = side == 0 ? out.left : out.right;
    for (std::size_t i = 0; i < channel.size(); ++i) {
      roar.process(random.bipolar());
      const double t2 = static_cast<double>(i) / SampleRate;
      channel[i] += static_cast<float>(0.35 * roar.low() * (0.6 + 0.4 * heave.at(t2)));
    }
  }
}

void addRain(Stereo& out, Random& random) {
  for (int side = 0; side < 2; ++side) {
    Svf hiss;
    hiss.set(4200.0, 0.7);
    OnePole top;
    top.setLowpass(7000.0);
    const Drift downpour(random, 0.04, 0.1);
    std::vector<float>& channel = side == 0 ? out.left : out.right;
    for (std::size_t i = 0; i < channel.size(); ++i) {
      hiss.process(random.bipolar());
      const double t = static_cast<double>(i) / SampleRate;
      channel[i] +=
          static_cast<float>(0.035 * top.lowpass(hiss.high()) * (0.7 + 0.3 * downpour.at(t)));
    }
  }
  // Drops: bright ticks on the water, and fewer, duller knocks on the wooden deck.
  const double total = static_cast<double>(out.frames()) / SampleRate;
  for (const bool onDeck : {false, true}) {
    const double rate = onDeck ? 9.0 : 140.0;
    double t = 0.0;
    while (true) {
      t += -std::log(1.0 - random.uniform()) / rate;
      if (t >= total) break;
      const double hz = onDeck ? random.uniform(500.0, 1300.0) : random.uniform(2200.0, 7000.0);
      const double decay = onDeck ? random.uniform(0.006, 0.015) : random.uniform(0.002, 0.006);
      const double level = (onDeck ? 0.1 : 0.03) * std::exp(random.gaussian() * 0.5);
      std::vector<float> drop(secondsToFrames(decay * 6.0));
      Phasor ring(hz, 0.0);
      for (std::size_t i = 0; i < drop.size(); ++i) {
        const double s = static_cast<double>(i) / SampleRate;
        drop[i] = static_cast<float>(ring.next() * strikeEnvelope(s, 0.0003, decay));
      }
      out.addPanned(drop, secondsToFrames(t), level, random.uniform(-0.9, 0.9));
    }
  }
}

}  // namespace

Piece makeStorm() {
  Random random(0x5701A3E5ULL);
  Piece piece;
  const std::size_t loop = secondsToFrames(LoopSeconds);
  Stereo storm(loop + secondsToFrames(OverlapSeconds));
  addWind(storm, random);
  addSea(storm, random);
  addRain(storm, random);
  removeRumble(storm, 30.0);
  crossfadeLoop(storm, loop);
  piece.audio = std::move(storm);
  return piece;
}

}  // namespace audio
