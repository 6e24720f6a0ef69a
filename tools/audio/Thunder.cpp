// A close lightning strike: the tearing crack of the channel, the boom of the air it heated,
// and the long roll of echoes from clouds and sea arriving ever later, lower and softer.

#include <algorithm>
#include <cmath>

#include "Mastering.h"
#include "Pieces.h"

namespace audio {
namespace {

constexpr double Length = 6.8;
// A moment of silence before the crack keeps the encoder's pre-echo off the first samples, so
// that the thunder, restarted whenever it ends, always starts from silence.
constexpr double LeadIn = 0.03;

// The crack: bright noise torn into a dense run of sparks, loudest at the strike and dying
// within a fraction of a second, with a couple of later branches snapping after it.
void addCrack(Stereo& out, Random& random) {
  struct Branch {
    double start, level, decay;
  };
  const Branch branches[] = {{0.0, 1.0, 0.09},
                             {random.uniform(0.12, 0.2), 0.5, 0.06},
                             {random.uniform(0.3, 0.45), 0.3, 0.08}};
  const std::size_t frames = secondsToFrames(0.9);
  Svf tear[2];
  Svf body[2];
  for (int side = 0; side < 2; ++side) {
    tear[side].set(900.0, 0.6);
    body[side].set(2600.0, 0.8);
  }
  double sparkle = 0.0;
  for (std::size_t i = 0; i < frames && i < out.frames(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    double envelope = 0.0;
    for (const Branch& branch : branches) {
      envelope += branch.level * strikeEnvelope(t - branch.start, 0.0015, branch.decay);
    }
    // Sparks: random jolts that decay within a millisecond or two.
    if (random.uniform() < 0.02) sparkle = random.uniform(0.6, 1.0);
    sparkle *= 0.996;
    const double modulation = 0.35 + 0.65 * sparkle;
    const double shared = random.bipolar();
    for (int side = 0; side < 2; ++side) {
      const double noise = 0.6 * shared + 0.8 * random.bipolar();
      tear[side].process(noise);
      body[side].process(tear[side].high());
      const double crack = tear[side].high() * 0.6 + body[side].bandNormalised();
      (side == 0 ? out.left : out.right)[i] += static_cast<float>(crack * envelope * modulation);
    }
  }
}

// Low-passed noise shaped by an envelope that is the sum of many rolling bursts.
void addRumble(Stereo& out, Random& random) {
  struct Roll {
    double start, attack, length, level, pan;
  };
  std::vector<Roll> rolls;
  // The boom right after the crack, then echoes spreading out in time.
  rolls.push_back({0.02, 0.05, 1.6, 0.75, 0.0});
  double t = 0.3;
  while (t < Length - 1.5) {
    const double level = std::exp(-t / 2.8) * random.uniform(0.5, 1.0);
    rolls.push_back(
        {t, random.uniform(0.08, 0.3), random.uniform(0.5, 1.4), level, random.uniform(-0.7, 0.7)});
    t += random.uniform(0.15, 0.55) * (1.0 + 0.35 * t);
  }

  const std::size_t frames = out.frames();
  Svf low[2][2];
  for (std::size_t i = 0; i < frames; ++i) {
    const double time = static_cast<double>(i) / SampleRate;
    if (i % 32 == 0) {
      // The roll darkens as its echoes come from farther away.
      const double cutoff = 90.0 + 520.0 * std::exp(-time / 1.3);
      for (auto& side : low) {
        for (Svf& f : side) f.set(cutoff, 0.75);
      }
    }
    double envelope[2] = {0.0, 0.0};
    for (const Roll& roll : rolls) {
      const double local = time - roll.start;
      if (local < 0.0 || local > roll.length) continue;
      const double rise =
          local < roll.attack ? 0.5 - 0.5 * std::cos(Pi * local / roll.attack) : 1.0;
      const double fall = 0.5 + 0.5 * std::cos(Pi * std::max(0.0, local - roll.attack) /
                                               (roll.length - roll.attack));
      const double level = roll.level * rise * fall;
      envelope[0] += level * std::sqrt(0.5 * (1.0 - roll.pan));
      envelope[1] += level * std::sqrt(0.5 * (1.0 + roll.pan));
    }
    const double shared = random.bipolar();
    for (std::size_t side = 0; side < 2; ++side) {
      const double noise = 0.7 * shared + 0.7 * random.bipolar();
      low[side][0].process(noise);
      low[side][1].process(low[side][0].low());
      const double sample = 2.2 * low[side][1].low() * envelope[side];
      (side == 0 ? out.left : out.right)[i] += static_cast<float>(sample);
    }
  }
}

}  // namespace

Piece makeThunder() {
  Random random(0x7E1D0A51ULL);
  Piece piece;
  Stereo dry(secondsToFrames(Length));
  addCrack(dry, random);
  addRumble(dry, random);
  Stereo wet(dry);
  Reverb sky(0.93, 0.55, 0.03, 1.0);
  sky.process(wet);
  dry.addScaled(wet, 1.6);
  removeRumble(dry, 25.0);
  const std::size_t lead = secondsToFrames(LeadIn);
  for (std::vector<float>* channel : {&dry.left, &dry.right}) {
    channel->insert(channel->begin(), lead, 0.0f);
    channel->resize(channel->size() - lead);
  }
  fadeOut(dry, 1.2);
  piece.audio = std::move(dry);
  return piece;
}

}  // namespace audio
