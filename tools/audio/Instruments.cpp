// The synthesised instruments the pieces are played on.
#include "Instruments.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace audio {
namespace {

// Filters are retuned every few frames: cheaper than every frame and inaudible.
constexpr std::size_t ControlInterval = 16;

double centsToRatio(double cents) { return std::pow(2.0, cents / 1200.0); }

// Vibrato that fades in after the note has settled, as players do.
struct Vibrato {
  Vibrato(Random& random, double rateHz, double depthCents, double delaySeconds)
      : rate(rateHz * random.uniform(0.93, 1.07)),
        phase(random.uniform(0.0, TwoPi)),
        depth(depthCents),
        delay(delaySeconds) {}
  double cents(double t) const {
    const double ramp = std::clamp((t - delay) / 0.4, 0.0, 1.0);
    return depth * ramp * std::sin(TwoPi * rate * t + phase);
  }
  double rate, phase, depth, delay;
};

double formantBank(std::vector<Svf>& filters, const std::vector<Formant>& formants, double in) {
  double sum = 0.0;
  for (std::size_t f = 0; f < filters.size(); ++f) {
    filters[f].process(in);
    sum += formants[f].gain * filters[f].bandNormalised();
  }
  return sum;
}

std::vector<Svf> tunedFormants(const std::vector<Formant>& formants) {
  std::vector<Svf> filters(formants.size());
  for (std::size_t f = 0; f < formants.size(); ++f) {
    filters[f].set(formants[f].frequency, formants[f].q);
  }
  return filters;
}

}  // namespace

void Pluck::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  const double period = SampleRate / hz;
  // The loop is delay line + two-point average (half a frame) + tuning allpass (the rest).
  const auto length = static_cast<std::size_t>(std::max(2.0, std::floor(period - 0.7)));
  const double fraction = period - static_cast<double>(length) - 0.5;
  const double tuning = (1.0 - fraction) / (1.0 + fraction);

  std::vector<double> line(length);
  OnePole soften;
  // A pluck's spectrum scales with the string's pitch; brightness and force widen it.
  soften.setLowpass(
      std::min(12000.0, hz * (1.5 + 30.0 * brightness_ * (0.35 + 0.65 * note.velocity))));
  double mean = 0.0;
  for (double& value : line) {
    value = soften.lowpass(random.bipolar());
    mean += value;
  }
  mean /= static_cast<double>(length);
  const auto pick = static_cast<std::size_t>(pickPosition_ * static_cast<double>(length));
  std::vector<double> excitation(line);
  double energy = 0.0;
  for (std::size_t i = 0; i < length; ++i) {
    const double plucked = excitation[i] - mean;
    line[i] = pick > 0 && i >= pick ? plucked - (excitation[i - pick] - mean) : plucked;
    energy += line[i] * line[i];
  }
  const double excitationGain = 0.5 / std::sqrt(energy / static_cast<double>(length) + 1e-12);

  const double ringSeconds = ring_ * std::clamp(std::sqrt(220.0 / hz), 0.35, 2.5);
  const double heldLoss = std::pow(0.001, period / (ringSeconds * SampleRate));
  const double releasedLoss = heldLoss * std::pow(0.001, period / (release_ * SampleRate));
  const std::size_t gate = secondsToFrames(note.length);
  const double gain = note.velocity * excitationGain;

  OnePole dcBlock;
  dcBlock.setLowpass(25.0);
  double previous = 0.0, allpassIn = 0.0, allpassOut = 0.0;
  std::size_t index = 0;
  constexpr double OnsetFrames = 48.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double current = line[index];
    const double loss = i < gate ? heldLoss : releasedLoss;
    const double averaged = 0.5 * (current + previous) * loss;
    previous = current;
    const double tuned = tuning * (averaged - allpassOut) + allpassIn;
    allpassIn = averaged;
    allpassOut = tuned;
    line[index] = tuned;
    if (++index == length) index = 0;
    const double x = static_cast<double>(i);
    const double onset = x < OnsetFrames ? 0.5 - 0.5 * std::cos(Pi * x / OnsetFrames) : 1.0;
    out[i] += static_cast<float>(gain * onset * dcBlock.highpass(current));
  }
}

void Ensemble::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  std::vector<Oscillator> saws;
  std::vector<double> detune;
  for (int v = 0; v < voices_; ++v) {
    saws.emplace_back(random.uniform());
    const double spread = voices_ > 1 ? 2.0 * v / (voices_ - 1) - 1.0 : 0.0;
    detune.push_back(centsToRatio(spread * detuneCents_ + random.uniform(-1.5, 1.5)));
  }
  const Vibrato vibrato(random, 5.2, 7.0, 0.5);
  Svf lowpass;
  const double cutoff = std::clamp(hz * (2.0 + 7.0 * brightness_), 300.0, 12000.0);
  const double norm = 0.6 / std::sqrt(static_cast<double>(voices_));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double env = envelope_.level(t, note.length);
    if (i % ControlInterval == 0) {
      const double f = hz * centsToRatio(vibrato.cents(t));
      for (std::size_t v = 0; v < saws.size(); ++v) saws[v].setFrequency(f * detune[v]);
      lowpass.set(cutoff * (0.55 + 0.45 * env), 0.7);
    }
    double sum = 0.0;
    for (Oscillator& saw : saws) sum += saw.saw();
    lowpass.process(sum);
    out[i] += static_cast<float>(lowpass.low() * norm * env * note.velocity);
  }
}

void Reed::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  Oscillator low(random.uniform());
  Oscillator high(random.uniform());
  low.setFrequency(hz);
  high.setFrequency(hz * centsToRatio(6.0));
  Svf tone;
  tone.set(std::min(hz * 9.0, 6500.0), 0.8);
  Svf presence;
  presence.set(1500.0, 1.5);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double env = envelope_.level(t, note.length);
    const double reeds = 0.6 * low.pulse(0.32) + 0.4 * high.pulse(0.44);
    tone.process(reeds);
    presence.process(tone.low());
    const double sound = tone.low() + 0.6 * presence.bandNormalised();
    out[i] += static_cast<float>(0.35 * sound * env * note.velocity);
  }
}

std::vector<Formant> Bowed::violinBody() {
  return {{290.0, 2.5, 1.0}, {1100.0, 2.0, 0.6}, {2900.0, 2.2, 0.8}, {4600.0, 3.0, 0.3}};
}

std::vector<Formant> Bowed::celloBody() {
  return {{110.0, 2.0, 1.0}, {300.0, 2.5, 0.9}, {850.0, 2.0, 0.5}, {2100.0, 2.5, 0.25}};
}

void Bowed::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  Oscillator saw(random.uniform());
  const Vibrato vibrato(random, 5.6, vibratoCents_, 0.15);
  std::vector<Svf> body = tunedFormants(body_);
  OnePole darken;
  darken.setLowpass(brightnessHz_);
  const bool swells = note.length > 0.6;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    if (i % ControlInterval == 0) saw.setFrequency(hz * centsToRatio(vibrato.cents(t)));
    const double env = envelope_.level(t, note.length);
    const double bowPressure =
        swells ? 0.82 + 0.18 * std::sin(Pi * std::min(t / note.length, 1.0)) : 1.0;
    const double excitation = saw.saw() + 0.08 * random.bipolar();
    const double resonant = formantBank(body, body_, excitation) + 0.3 * excitation;
    out[i] +=
        static_cast<float>(0.45 * darken.lowpass(resonant) * env * bowPressure * note.velocity);
  }
}

void Whistle::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  const Vibrato vibrato(random, 5.0, 11.0, 0.2);
  double phase = 0.0;
  Svf breath;
  breath.set(hz, 4.0);
  Svf chiff;
  chiff.set(std::min(hz * 2.5, 9000.0), 2.0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double scoop = -18.0 * std::exp(-t / 0.03);
    phase += hz * centsToRatio(vibrato.cents(t) + scoop) / SampleRate;
    phase -= std::floor(phase);
    const double angle = TwoPi * phase;
    const double tone =
        std::sin(angle) + 0.12 * std::sin(2.0 * angle) + 0.04 * std::sin(3.0 * angle);
    const double noise = random.bipolar();
    breath.process(noise);
    chiff.process(noise);
    const double env = envelope_.level(t, note.length);
    const double sound = (0.8 * tone + 0.35 * breath.bandNormalised()) * env +
                         0.35 * chiff.bandNormalised() * strikeEnvelope(t, 0.004, 0.03);
    out[i] += static_cast<float>(0.4 * sound * note.velocity);
  }
}

std::vector<Formant> Choir::vowelOo() {
  return {{320.0, 5.0, 1.0}, {800.0, 7.0, 0.35}, {2300.0, 9.0, 0.1}};
}

std::vector<Formant> Choir::vowelAh() {
  return {{730.0, 5.0, 1.0}, {1090.0, 7.0, 0.6}, {2440.0, 9.0, 0.25}, {3400.0, 10.0, 0.1}};
}

void Choir::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  constexpr std::array<double, 3> Detune{-9.0, 0.0, 8.0};
  std::vector<Oscillator> singers;
  std::vector<Vibrato> vibratos;
  for (std::size_t v = 0; v < Detune.size(); ++v) {
    singers.emplace_back(random.uniform());
    vibratos.emplace_back(random, 4.8, 14.0, 0.3);
  }
  std::vector<Svf> mouth = tunedFormants(vowel_);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    if (i % ControlInterval == 0) {
      for (std::size_t v = 0; v < singers.size(); ++v) {
        singers[v].setFrequency(hz * centsToRatio(Detune[v] + vibratos[v].cents(t)));
      }
    }
    double voices = 0.04 * random.bipolar();
    for (Oscillator& singer : singers) voices += singer.saw();
    const double env = envelope_.level(t, note.length);
    out[i] += static_cast<float>(0.5 * formantBank(mouth, vowel_, voices) * env * note.velocity);
  }
}

void Brass::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  Oscillator first(random.uniform());
  Oscillator second(random.uniform());
  Svf lowpass;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double env = envelope_.level(t, note.length);
    if (i % ControlInterval == 0) {
      const double f = hz * centsToRatio(-35.0 * std::exp(-t / 0.035));
      first.setFrequency(f * centsToRatio(-5.0));
      second.setFrequency(f * centsToRatio(5.0));
      const double blare = 0.35 + 0.65 * std::exp(-t / 0.28);
      lowpass.set(hz * (1.5 + 7.0 * blare * note.velocity * env), 0.9);
    }
    lowpass.process(first.saw() + second.saw());
    out[i] += static_cast<float>(0.3 * lowpass.low() * env * note.velocity);
  }
}

void PickedBass::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  Oscillator saw(random.uniform());
  Oscillator sub(0.0);
  saw.setFrequency(hz);
  sub.setFrequency(hz);
  Svf lowpass;
  const std::size_t gate = secondsToFrames(note.length);
  const double releaseFrames = tail() * SampleRate;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    if (i % ControlInterval == 0) lowpass.set(120.0 + hz * (2.0 + 10.0 * std::exp(-t / 0.08)), 1.1);
    lowpass.process(saw.saw());
    double env = strikeEnvelope(t, 0.003, decay_);
    if (i >= gate) {
      const double remaining = 1.0 - static_cast<double>(i - gate) / releaseFrames;
      env *= std::max(0.0, remaining * remaining);
    }
    out[i] += static_cast<float>((0.55 * lowpass.low() + 0.5 * sub.sine()) * env * note.velocity);
  }
}

void Bell::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  struct Partial {
    double ratio, amplitude, decay;
  };
  // Hum, prime, tierce, quint, nominal and upper partials of a cast bell.
  constexpr std::array<Partial, 10> Partials{{{0.5, 0.55, 1.0},
                                              {1.0, 1.0, 0.7},
                                              {1.19, 0.6, 0.5},
                                              {1.5, 0.3, 0.4},
                                              {2.0, 0.45, 0.32},
                                              {2.51, 0.22, 0.24},
                                              {2.66, 0.18, 0.2},
                                              {3.01, 0.15, 0.16},
                                              {4.1, 0.1, 0.1},
                                              {5.4, 0.06, 0.07}}};
  std::vector<double> sum(out.size(), 0.0);
  for (const Partial& partial : Partials) {
    const double f = hz * partial.ratio;
    if (f > 0.45 * SampleRate) continue;
    // Each partial is a close pair: the slight asymmetry of a real bell makes it beat.
    for (const double beat : {-0.35, 0.35}) {
      Phasor phasor(f + beat * partial.ratio, random.uniform(0.0, TwoPi));
      const double decay = decay_ * partial.decay;
      const double damping = std::exp(-1.0 / (decay * SampleRate));
      double level = 0.5 * partial.amplitude;
      for (std::size_t i = 0; i < out.size(); ++i) {
        sum[i] += level * phasor.next();
        level *= damping;
      }
    }
  }
  OnePole clank;
  clank.setLowpass(3000.0);
  // The hum outlasts everything: ease it out over the last fifth rather than cut it.
  const double fadeStart = 0.8 * static_cast<double>(out.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double onset = t < 0.002 ? 0.5 - 0.5 * std::cos(Pi * t / 0.002) : 1.0;
    const double x = std::max(
        0.0, (static_cast<double>(i) - fadeStart) / (0.2 * static_cast<double>(out.size())));
    const double strike = clank.highpass(random.bipolar()) * std::exp(-t / 0.005) * 0.3;
    out[i] += static_cast<float>(0.3 * (sum[i] + strike) * onset * (1.0 - x * x) * note.velocity);
  }
}

void Drum::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  const double v = note.velocity;
  Svf noiseFilter;
  Svf secondFilter;
  OnePole thump;
  double phase = 0.0;
  switch (kind_) {
    case DrumKind::Kick:
      noiseFilter.set(3000.0, 0.7);
      break;
    case DrumKind::Snare:
      noiseFilter.set(2800.0, 0.6);
      secondFilter.set(7000.0, 0.7);
      break;
    case DrumKind::ClosedHat:
    case DrumKind::OpenHat:
      noiseFilter.set(8000.0, 0.8);
      secondFilter.set(11000.0, 1.5);
      break;
    case DrumKind::Cymbal:
      noiseFilter.set(6000.0, 0.7);
      secondFilter.set(9000.0, 1.2);
      break;
    case DrumKind::Tom:
    case DrumKind::Timpani:
      thump.setLowpass(700.0);
      break;
    case DrumKind::FrameDrum:
      thump.setLowpass(1400.0);
      break;
  }
  // Inharmonic modes of a kettle drum's membrane, tuned so that the lowest sounds the note.
  constexpr std::array<double, 5> KettleModes{1.0, 1.5, 1.98, 2.44, 2.9};
  constexpr std::array<double, 5> KettleLevels{1.0, 0.55, 0.35, 0.22, 0.12};
  std::array<double, 5> kettlePhases{};
  // Square waves at clashing frequencies: the metallic shimmer of cymbals and hats.
  constexpr std::array<double, 6> MetalRatios{1.0, 1.48, 1.8, 2.55, 2.63, 3.9};
  std::vector<Oscillator> metal;
  for (const double ratio : MetalRatios) {
    metal.emplace_back(random.uniform());
    metal.back().setFrequency(317.0 * ratio);
  }
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double noise = random.bipolar();
    double sample = 0.0;
    switch (kind_) {
      case DrumKind::Kick: {
        phase += hz * (1.0 + 2.2 * std::exp(-t / 0.035)) / SampleRate;
        noiseFilter.process(noise);
        sample = std::sin(TwoPi * phase) * strikeEnvelope(t, 0.0015, decay_) +
                 0.25 * noiseFilter.high() * strikeEnvelope(t, 0.0008, 0.003);
        break;
      }
      case DrumKind::Snare: {
        const double tone = 0.6 * std::sin(TwoPi * 185.0 * t) + 0.4 * std::sin(TwoPi * 330.0 * t);
        noiseFilter.process(noise);
        secondFilter.process(noise);
        const double rattle = noiseFilter.bandNormalised() + 0.5 * secondFilter.high();
        sample = 0.5 * tone * strikeEnvelope(t, 0.001, 0.05) +
                 0.8 * rattle * strikeEnvelope(t, 0.001, decay_);
        break;
      }
      case DrumKind::ClosedHat:
      case DrumKind::OpenHat:
      case DrumKind::Cymbal: {
        double shimmer = 0.0;
        for (Oscillator& m : metal) shimmer += m.pulse(0.5);
        const double metallic = kind_ == DrumKind::Cymbal ? 0.12 : 0.06;
        noiseFilter.process(noise + metallic * shimmer);
        secondFilter.process(noise);
        sample = (noiseFilter.high() + 0.4 * secondFilter.bandNormalised()) *
                 strikeEnvelope(t, 0.001, decay_) * 0.6;
        break;
      }
      case DrumKind::Tom:
      case DrumKind::FrameDrum: {
        const double bend = kind_ == DrumKind::Tom ? 0.6 : 0.4;
        phase += hz * (1.0 + bend * std::exp(-t / 0.04)) / SampleRate;
        const double skin = std::sin(TwoPi * phase) +
                            0.3 * std::sin(TwoPi * 1.59 * phase) * std::exp(-t / (0.5 * decay_));
        const double slap = kind_ == DrumKind::Tom ? 0.3 : 0.55;
        sample = skin * strikeEnvelope(t, 0.0015, decay_) +
                 slap * thump.lowpass(noise) * 2.0 * strikeEnvelope(t, 0.001, 0.014);
        break;
      }
      case DrumKind::Timpani: {
        const double bend = 1.0 + 0.015 * std::exp(-t / 0.1);
        double membrane = 0.0;
        for (std::size_t m = 0; m < KettleModes.size(); ++m) {
          kettlePhases[m] += hz * KettleModes[m] * bend / SampleRate;
          membrane += KettleLevels[m] * std::sin(TwoPi * kettlePhases[m]) *
                      std::exp(-t / (decay_ / (1.0 + 0.7 * static_cast<double>(m))));
        }
        sample = 0.7 * membrane * strikeEnvelope(t, 0.002, 1e9) +
                 0.5 * thump.lowpass(noise) * 2.0 * strikeEnvelope(t, 0.001, 0.01);
        break;
      }
    }
    out[i] += static_cast<float>(0.8 * sample * v);
  }
}

void Wind::render(const Note& note, Random& random, std::vector<float>& out) const {
  const double hz = midiToHz(note.pitch);
  const double wanderPhase = random.uniform(0.0, TwoPi);
  const double flutterPhase = random.uniform(0.0, TwoPi);
  Svf howl;
  Svf rush;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    if (i % ControlInterval == 0) {
      const double wander = 0.2 * std::sin(TwoPi * 0.23 * t + wanderPhase) +
                            0.06 * std::sin(TwoPi * 0.9 * t + flutterPhase);
      howl.set(hz * (1.0 + wander), 9.0);
      rush.set(500.0 + 400.0 * wander, 0.6);
    }
    const double noise = random.bipolar();
    howl.process(noise);
    rush.process(noise);
    const double env = envelope_.level(t, note.length);
    out[i] += static_cast<float>((howl.bandNormalised() + 0.35 * rush.low()) * env * note.velocity);
  }
}

void NoiseRiser::render(const Note& note, Random& random, std::vector<float>& out) const {
  Svf band;
  const double releaseFrames = tail() * SampleRate;
  const std::size_t gate = secondsToFrames(note.length);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double x = std::min(1.0, static_cast<double>(i) / static_cast<double>(gate));
    if (i % ControlInterval == 0) band.set(300.0 * std::pow(20.0, x), 1.5);
    band.process(random.bipolar());
    double env = x * x;
    if (i >= gate) env *= std::max(0.0, 1.0 - static_cast<double>(i - gate) / releaseFrames);
    out[i] += static_cast<float>(0.5 * band.bandNormalised() * env * note.velocity);
  }
}

}  // namespace audio
