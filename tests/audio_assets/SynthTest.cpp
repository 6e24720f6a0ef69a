// The synthesizer's parts whose faults would not show in the finished files' measurements:
// tuning, the written score's checks, chord voicing, the limiter's gain and exact-length
// encoding.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Dsp.h"
#include "Instruments.h"
#include "Mastering.h"
#include "OggVorbis.h"
#include "Score.h"
#include "SoundMeasures.h"

namespace {

using namespace audio;

// Fundamental from the autocorrelation peak near the expected period, refined by a parabola.
double measuredHz(const std::vector<float>& signal, std::size_t from, double expectedHz) {
  constexpr std::size_t Span = 8192;
  const auto correlation = [&](std::size_t lag) {
    double sum = 0.0;
    for (std::size_t i = from; i < from + Span; ++i) {
      sum += static_cast<double>(signal[i]) * signal[i + lag];
    }
    return sum;
  };
  const double period = SampleRate / expectedHz;
  std::size_t best = 0;
  double bestValue = -1e300;
  for (auto lag = static_cast<std::size_t>(period * 0.8);
       lag <= static_cast<std::size_t>(period * 1.25); ++lag) {
    const double value = correlation(lag);
    if (value > bestValue) {
      bestValue = value;
      best = lag;
    }
  }
  const double before = correlation(best - 1);
  const double after = correlation(best + 1);
  const double shift = 0.5 * (before - after) / (before - 2.0 * bestValue + after);
  return SampleRate / (static_cast<double>(best) + shift);
}

struct TuningCase {
  const char* name;
  std::shared_ptr<const Instrument> instrument;
  double pitch;
  double toleranceCents;  // wider for instruments with vibrato or detuned voices
};

class InstrumentTuning : public ::testing::TestWithParam<TuningCase> {};

TEST_P(InstrumentTuning, SoundsTheNoteItIsGiven) {
  const TuningCase& tuning = GetParam();
  const std::shared_ptr<const Instrument>& instrument = tuning.instrument;
  Random random(11);
  Note note;
  note.length = 1.0;
  note.pitch = tuning.pitch;
  note.velocity = 0.8;
  std::vector<float> out(secondsToFrames(note.length + instrument->tail()) + 4096, 0.0f);
  instrument->render(note, random, out);
  const double expected = midiToHz(tuning.pitch);
  const double cents =
      1200.0 * std::log2(measuredHz(out, secondsToFrames(0.25), expected) / expected);
  EXPECT_NEAR(cents, 0.0, tuning.toleranceCents);
}

// Plucked strings are tuned by a fractional delay, the part most easily got wrong, so they are
// checked from the bass to the top of the harp.
const Adsr Held{0.05, 0.3, 0.85, 0.2};

INSTANTIATE_TEST_SUITE_P(
    Instruments, InstrumentTuning,
    ::testing::Values(
        TuningCase{"PluckLowD", std::make_shared<Pluck>(0.25, 1.6, 0.15, 0.3), 38, 3},
        TuningCase{"PluckA4", std::make_shared<Pluck>(0.45, 3.0, 0.6, 0.18), 69, 3},
        TuningCase{"PluckHighC", std::make_shared<Pluck>(0.45, 3.0, 0.6, 0.18), 84, 3},
        TuningCase{"PluckTopFSharp", std::make_shared<Pluck>(0.6, 1.2, 0.12, 0.13), 90, 3},
        TuningCase{"Reed", std::make_shared<Reed>(Held), 69, 5},
        TuningCase{"Whistle", std::make_shared<Whistle>(Held), 81, 8},
        TuningCase{"Brass", std::make_shared<Brass>(Held), 64, 5},
        TuningCase{"Strings", std::make_shared<Ensemble>(Held, 4, 9.0, 0.3), 57, 8},
        TuningCase{"Choir", std::make_shared<Choir>(Held, Choir::vowelOo()), 57, 10},
        TuningCase{"Fiddle", std::make_shared<Bowed>(Held, Bowed::violinBody(), 16.0, 6000.0), 69,
                   10},
        TuningCase{"PickedBass", std::make_shared<PickedBass>(0.5), 40, 5}),
    [](const ::testing::TestParamInfo<TuningCase>& tuning) {
      return std::string(tuning.param.name);
    });

// A step in an envelope is a click somewhere in the music that no level measurement finds.
TEST(Envelope, RisesAndFallsWithoutSteps) {
  struct Case {
    const char* what;
    Adsr envelope;
    double gate;
  };
  const Case cases[] = {
      {"held past its decay", {0.02, 0.2, 0.6, 0.3}, 1.0},
      {"released during the attack", {0.5, 0.2, 0.8, 0.4}, 0.1},
      {"released during the decay", {0.01, 1.0, 0.3, 0.2}, 0.3},
      {"full sustain", {0.004, 0.12, 1.0, 0.05}, 0.12},
  };
  for (const Case& c : cases) {
    const Adsr& envelope = c.envelope;
    const std::size_t frames = secondsToFrames(envelope.length(c.gate)) + 10;
    double previous = envelope.level(0.0, c.gate);
    EXPECT_EQ(previous, 0.0) << c.what;
    double largestStep = 0.0;
    for (std::size_t i = 1; i < frames; ++i) {
      const double level = envelope.level(static_cast<double>(i) / SampleRate, c.gate);
      EXPECT_GE(level, 0.0) << c.what;
      EXPECT_LE(level, 1.0) << c.what;
      largestStep = std::max(largestStep, std::fabs(level - previous));
      previous = level;
    }
    // The fastest envelope here rises in 4 ms: about 0.009 per frame at its steepest.
    EXPECT_LT(largestStep, 0.01) << c.what;
    EXPECT_EQ(previous, 0.0) << c.what << " does not end";
  }
}

TEST(PitchNames, ReadAsMidiNotes) {
  const std::pair<const char*, int> names[] = {{"C4", 60},  {"A4", 69},  {"Bb3", 58}, {"F#5", 78},
                                               {"Cb4", 59}, {"B#3", 60}, {"D2", 38},  {"C#6", 85}};
  for (const auto& [name, midi] : names) {
    int pitch = 0;
    EXPECT_TRUE(parsePitch(name, pitch)) << name;
    EXPECT_EQ(pitch, midi) << name;
  }
  int ignored = 0;
  for (const char* bad : {"H4", "C", "4", "Dx3", ""}) EXPECT_FALSE(parsePitch(bad, ignored)) << bad;
}

TEST(SheetChecks, ReportWhatDoesNotAddUp) {
  struct Case {
    const char* what;
    std::function<void(Sheet&)> write;
    bool fine;
  };
  const Case cases[] = {
      {"whole bars", [](Sheet& s) { s.melody(0, "D4:1 E4:2 | F4:3 |", 1.0); }, true},
      {"bar lines need no spaces", [](Sheet& s) { s.melody(0, "D4:3|F4:3|", 1.0); }, true},
      {"a pickup bar", [](Sheet& s) { s.melody(0.0 + 2.0 / 3.0, "A3:1 | D4:3 |", 1.0); }, true},
      {"a short bar", [](Sheet& s) { s.melody(0, "D4:1 E4:1 | F4:3 |", 1.0); }, false},
      {"an unreadable pitch", [](Sheet& s) { s.melody(0, "H4:3 |", 1.0); }, false},
      {"a missing length", [](Sheet& s) { s.melody(0, "D4 |", 1.0); }, false},
      {"chords in whole bars", [](Sheet& s) { s.chords(0, "Dm:3 | Bb:2 A7:1 | F/C:3 |"); }, true},
      {"an unknown chord", [](Sheet& s) { s.chords(0, "Dq:3 |"); }, false},
      {"a long chord bar", [](Sheet& s) { s.chords(0, "Dm:4 | A:3 |"); }, false},
      {"a rhythm filling bars", [](Sheet& s) { s.rhythm(0, 2, "x.o", 1.0, 40, 1.0); }, true},
      {"a rhythm not filling bars", [](Sheet& s) { s.rhythm(0, 2, "x.o.", 1.0, 40, 1.0); }, false},
  };
  for (const Case& c : cases) {
    Sheet sheet(3.0);
    c.write(sheet);
    EXPECT_EQ(sheet.problems().empty(), c.fine) << c.what;
  }
}

TEST(SheetChecks, NotesFallWhereTheyAreWritten) {
  Sheet sheet(6.0);
  const std::vector<ScoreNote> notes = sheet.melody(1, "A4:2 r:1 D5:1! E5:2'", 0.5, 0.9);
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_DOUBLE_EQ(notes[0].beat, 6.0);
  EXPECT_DOUBLE_EQ(notes[1].beat, 9.0);
  EXPECT_DOUBLE_EQ(notes[2].beat, 10.0);
  EXPECT_DOUBLE_EQ(notes[0].beats, 1.8);
  EXPECT_GT(notes[1].velocity, notes[0].velocity);  // accented
  EXPECT_LT(notes[2].beats, 1.0);                   // played short
}

TEST(ChordVoicing, StaysInRangeKeepsEveryToneAndMovesLittle) {
  Sheet sheet(4.0);
  const std::vector<Chord> chords = sheet.chords(
      0, "Dm:4 | Bb:4 | C:4 | A:4 | Gm:4 | F/C:4 | Em7:4 | A7:4 | D:4 | G/B:4 | Asus4:4 |");
  ASSERT_TRUE(sheet.problems().empty());
  for (const std::size_t voices : {3u, 4u}) {
    const auto voicings = voiceChords(chords, 55, 72, voices);
    ASSERT_EQ(voicings.size(), chords.size());
    for (std::size_t c = 0; c < chords.size(); ++c) {
      const std::vector<int>& voicing = voicings[c];
      ASSERT_EQ(voicing.size(), voices);
      std::set<int> sounding;
      for (const int pitch : voicing) {
        EXPECT_GE(pitch, 55);
        EXPECT_LE(pitch, 72);
        sounding.insert(pitch % 12);
      }
      // Every tone but a dropped fifth sounds.
      std::set<int> wanted;
      for (const int interval : chords[c].intervals) {
        wanted.insert((chords[c].root + interval) % 12);
      }
      for (const int tone : wanted) {
        const bool fifth = tone == (chords[c].root + 7) % 12;
        EXPECT_TRUE(sounding.count(tone) > 0 || (fifth && wanted.size() > voices))
            << "chord " << c << " lacks pitch class " << tone;
      }
      if (c > 0) {
        int moved = 0;
        for (std::size_t v = 0; v < voices; ++v) moved += std::abs(voicing[v] - voicings[c - 1][v]);
        EXPECT_LE(moved, 3 * static_cast<int>(voices)) << "chord " << c << " leaps";
      }
    }
  }
}

// A steady level with loud bursts at its very start and end, so that a loop's seam lies
// between two of them; it never crosses zero, so the applied gain can be read at every frame.
Stereo burstyLevel() {
  Stereo signal(secondsToFrames(1.0));
  for (std::size_t i = 0; i < signal.frames(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double level = (t < 0.05 || t > 0.95) ? 1.2 : 0.3 + 0.1 * std::sin(TwoPi * 3.0 * t);
    signal.left[i] = static_cast<float>(level);
    signal.right[i] = static_cast<float>(-level);
  }
  return signal;
}

TEST(Limiter, HoldsTheCeilingWithoutSteppingTheGain) {
  for (const bool looped : {false, true}) {
    const Stereo original = burstyLevel();
    Stereo limited = original;
    limit(limited, -6.0, looped);
    EXPECT_LE(peakDb(limited), -6.0 + 1e-4) << (looped ? "looped" : "once");
    std::vector<double> gain(original.frames());
    for (std::size_t i = 0; i < gain.size(); ++i) gain[i] = limited.left[i] / original.left[i];
    double largestStep = 0.0;
    for (std::size_t i = 1; i < gain.size(); ++i) {
      largestStep = std::max(largestStep, std::fabs(gain[i] - gain[i - 1]));
    }
    EXPECT_LT(largestStep, 0.02) << (looped ? "looped" : "once");
    // By the quiet middle the gain has all but recovered.
    EXPECT_GT(gain[gain.size() / 2], 0.97);
    if (looped) {
      // Around the seam the gain carries on from the end into the start.
      EXPECT_NEAR(gain.front(), gain.back(), 0.02);
    }
  }
}

TEST(OggVorbisWriter, EncodesExactlyTheFramesItIsGiven) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "galeskerry_ogg_test";
  std::filesystem::create_directories(dir);
  for (const std::size_t frames : {1u, 1000u, 44101u, 100003u}) {
    Stereo tone(frames);
    for (std::size_t i = 0; i < frames; ++i) {
      tone.left[i] =
          static_cast<float>(0.5 * std::sin(TwoPi * 440.0 * static_cast<double>(i) / SampleRate));
      tone.right[i] =
          static_cast<float>(0.5 * std::sin(TwoPi * 660.0 * static_cast<double>(i) / SampleRate));
    }
    const std::string path = (dir / ("tone" + std::to_string(frames) + ".ogg")).string();
    std::string error;
    ASSERT_TRUE(writeOggVorbis(path, tone, 0.35f, error)) << error;
    DecodedSound sound;
    ASSERT_TRUE(decodeOggVorbis(path, sound, error)) << error;
    EXPECT_EQ(sound.frames(), frames);
    EXPECT_EQ(sound.declaredFrames, static_cast<long long>(frames));
    if (frames > 10000) {
      // The right sound in the right channel, not just the right length.
      double error2 = 0.0;
      double signal2 = 0.0;
      for (std::size_t i = 0; i < frames; ++i) {
        error2 += std::pow(sound.samples[1][i] - tone.right[i], 2.0);
        signal2 += std::pow(tone.right[i], 2.0);
      }
      EXPECT_LT(10.0 * std::log10(error2 / signal2), -25.0) << frames;
    }
    std::filesystem::remove(path);
  }
}

}  // namespace
