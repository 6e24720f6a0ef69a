// The game's sound files as the game gets them: decoded and measured against what the game
// needs of each one.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <ostream>
#include <string>
#include <vector>

#include "ResourceNames.h"
#include "SoundMeasures.h"

namespace {

enum class Role { Music, Background };

struct ExpectedSound {
  const char* file;
  bool looped;
  double minSeconds;
  double maxSeconds;
  double gameVolume;  // the sound engine's volume when the game plays the file
  Role role;
  std::vector<int> scale;  // pitch classes of the key, C = 0; empty for noise
};

// Keys: D minor with its raised leading tone; D dorian with the A major turnaround; E minor
// with the B major dominant and the Phrygian F; the D minor lament over a chromatic bass; D
// major.
const std::vector<ExpectedSound>& expectedSounds() {
  static const std::vector<ExpectedSound> sounds{
      {resources::inResourceDir(resources::IntroMusic), true, 30.0, 40.0, 0.4, Role::Music, {2, 4, 5, 7, 9, 10, 0, 1}},
      {resources::inResourceDir(resources::TitleMusic), true, 15.0, 60.0, 0.2, Role::Music, {2, 4, 5, 7, 9, 11, 0, 1}},
      {resources::inResourceDir(resources::RaceMusic), true, 60.0, 120.0, 0.4, Role::Music, {4, 6, 7, 9, 11, 0, 2, 3, 5}},
      {resources::inResourceDir(resources::StormAmbience), true, 20.0, 120.0, 0.1, Role::Background, {}},
      {resources::inResourceDir(resources::LossSting), true, 6.0, 30.0, 0.4, Role::Music, {2, 4, 5, 7, 9, 10, 0, 1, 11}},
      {resources::inResourceDir(resources::WinMusic), false, 20.0, 40.0, 0.4, Role::Music, {2, 4, 6, 7, 9, 11, 1}},
      {resources::inResourceDir(resources::Thunder), false, 4.0, 8.0, 0.1, Role::Background, {}},
  };
  return sounds;
}

std::vector<ExpectedSound> soundsWhere(bool (*wanted)(const ExpectedSound&)) {
  std::vector<ExpectedSound> chosen;
  for (const ExpectedSound& expected : expectedSounds()) {
    if (wanted(expected)) chosen.push_back(expected);
  }
  return chosen;
}

// Each test process decodes only the files it looks at, once.
const DecodedSound& decoded(const std::string& file) {
  static std::map<std::string, DecodedSound> cache;
  const auto found = cache.find(file);
  if (found != cache.end()) return found->second;
  DecodedSound sound;
  std::string error;
  const std::string path = std::string(GALESKERRY_RESOURCE_DIR) + "/" + file;
  EXPECT_TRUE(decodeOggVorbis(path, sound, error)) << error;
  return cache.emplace(file, std::move(sound)).first->second;
}

std::size_t framesOf(const DecodedSound& sound, double seconds) {
  return static_cast<std::size_t>(std::lround(seconds * static_cast<double>(sound.rate)));
}

void PrintTo(const ExpectedSound& expected, std::ostream* out) { *out << expected.file; }

class SoundFileTest : public ::testing::TestWithParam<ExpectedSound> {};
class LoopTest : public ::testing::TestWithParam<ExpectedSound> {};
class MusicTest : public ::testing::TestWithParam<ExpectedSound> {};

std::string nameOf(const ::testing::TestParamInfo<ExpectedSound>& info) {
  std::string name = info.param.file;
  name = name.substr(0, name.find('.'));
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

TEST_P(SoundFileTest, DecodesAsStereoAt44kHzWithItsStatedLength) {
  const ExpectedSound& expected = GetParam();
  const DecodedSound& sound = decoded(expected.file);
  EXPECT_EQ(sound.channels, 2);
  EXPECT_EQ(sound.rate, 44100);
  // A loop must decode to exactly the length its stream declares: no padding at the seam.
  EXPECT_EQ(static_cast<long long>(sound.frames()), sound.declaredFrames);
  EXPECT_GE(sound.seconds(), expected.minSeconds);
  EXPECT_LE(sound.seconds(), expected.maxSeconds);
}

TEST_P(SoundFileTest, NeverClips) { EXPECT_LT(peakDb(decoded(GetParam().file)), -1.0); }

TEST_P(LoopTest, HasNoSilentStretch) {
  const ExpectedSound& expected = GetParam();
  const DecodedSound& sound = decoded(expected.file);
  const double overall = rmsDb(sound);
  const std::size_t window = framesOf(sound, 0.25);
  for (std::size_t start = 0; start + window <= sound.frames(); start += window) {
    EXPECT_GT(rmsDb(sound, start, window), overall - 24.0)
        << "quiet stretch at " << static_cast<double>(start) / sound.rate << " s";
  }
}

TEST_P(LoopTest, SeamIsContinuous) {
  const ExpectedSound& expected = GetParam();
  const DecodedSound& sound = decoded(expected.file);
  const std::size_t frames = sound.frames();
  const std::size_t near = framesOf(sound, 0.05);
  for (const std::vector<float>& channel : sound.samples) {
    // Typical step between neighbouring samples on both sides of the seam.
    double sum = 0.0;
    std::size_t steps = 0;
    for (std::size_t i = frames - near; i + 1 < frames; ++i, ++steps) {
      sum += std::pow(channel[i + 1] - channel[i], 2.0);
    }
    for (std::size_t i = 0; i + 1 < near; ++i, ++steps) {
      sum += std::pow(channel[i + 1] - channel[i], 2.0);
    }
    const double typicalStep = std::sqrt(sum / static_cast<double>(steps));
    const double seamStep = std::fabs(channel.front() - channel.back());
    EXPECT_LE(seamStep, 4.0 * typicalStep + 1e-4)
        << "last sample " << channel.back() << ", first " << channel.front();
  }
  // No gap or fade at the seam: both sides sound alike and like the rest.
  const std::size_t side = framesOf(sound, 0.1);
  const double end = rmsDb(sound, frames - side, side);
  const double start = rmsDb(sound, 0, side);
  EXPECT_NEAR(end, start, 12.0);
  EXPECT_GT(std::min(end, start), rmsDb(sound) - 24.0);
}

TEST_P(MusicTest, StaysInItsKey) {
  const ExpectedSound& expected = GetParam();
  EXPECT_GT(pitchClassShare(decoded(expected.file), expected.scale), 0.85);
}

INSTANTIATE_TEST_SUITE_P(EverySound, SoundFileTest, ::testing::ValuesIn(expectedSounds()), nameOf);
INSTANTIATE_TEST_SUITE_P(
    LoopedSounds, LoopTest,
    ::testing::ValuesIn(soundsWhere([](const ExpectedSound& s) { return s.looped; })), nameOf);
INSTANTIATE_TEST_SUITE_P(MusicalSounds, MusicTest,
                         ::testing::ValuesIn(soundsWhere([](const ExpectedSound& s) {
                           return !s.scale.empty();
                         })),
                         nameOf);

// Heard through the game's engine volumes, the music tracks sit together and the storm and the
// thunder bed lie clearly, but not far, beneath them.
TEST(SoundMix, LoudnessIsBalancedAtTheGameVolumes) {
  std::vector<double> music;
  std::map<std::string, double> background;
  for (const ExpectedSound& expected : expectedSounds()) {
    const double heard = rmsDb(decoded(expected.file)) + 20.0 * std::log10(expected.gameVolume);
    if (expected.role == Role::Music) {
      music.push_back(heard);
    } else {
      background[expected.file] = heard;
    }
  }
  const auto [quietest, loudest] = std::minmax_element(music.begin(), music.end());
  EXPECT_LE(*loudest - *quietest, 6.0);
  const double musicLevel =
      std::accumulate(music.begin(), music.end(), 0.0) / static_cast<double>(music.size());
  for (const auto& [file, heard] : background) {
    EXPECT_GT(musicLevel - heard, 4.0) << file << " would cover the music";
    EXPECT_LT(musicLevel - heard, 14.0) << file << " would be lost under the music";
  }
}

// First-difference RMS: a crude high-pass, so a measure of how bright a stretch sounds.
double brightnessDb(const DecodedSound& sound, std::size_t from, std::size_t count) {
  double sum = 0.0;
  std::size_t steps = 0;
  for (const std::vector<float>& channel : sound.samples) {
    for (std::size_t i = std::max<std::size_t>(from, 1); i < from + count; ++i, ++steps) {
      sum += std::pow(channel[i] - channel[i - 1], 2.0);
    }
  }
  return 10.0 * std::log10(sum / static_cast<double>(steps) + 1e-24);
}

TEST(SoundShape, ThunderCracksFirstThenRollsAwayIntoSilence) {
  const DecodedSound& thunder = decoded("Lightning.ogg");
  const auto range = [&](double from, double to) {
    return std::make_pair(framesOf(thunder, from), framesOf(thunder, to - from));
  };
  const auto level = [&](double from, double to) {
    const auto [start, count] = range(from, to);
    return rmsDb(thunder, start, count);
  };
  const auto brightness = [&](double from, double to) {
    const auto [start, count] = range(from, to);
    return brightnessDb(thunder, start, count);
  };
  // The crack: far brighter at the strike than in the roll.
  EXPECT_GT(brightness(0.0, 0.5), brightness(1.0, 3.0) + 10.0);
  EXPECT_GT(level(0.0, 1.0), level(1.0, 3.0));
  EXPECT_GT(level(1.0, 3.0), level(3.0, 5.0));
  // The roll is still heard seconds later.
  EXPECT_GT(level(3.0, 4.0), rmsDb(thunder) - 20.0);
  // Restarted whenever it ends: it must end and begin in silence.
  EXPECT_LT(level(thunder.seconds() - 0.01, thunder.seconds()), -50.0);
  for (const std::vector<float>& channel : thunder.samples)
    EXPECT_LT(std::fabs(channel.front()), 0.01);
}

TEST(SoundShape, CreditsStartAtOnceAndDieAwayAtTheEnd) {
  const DecodedSound& credits = decoded("credits.ogg");
  const double overall = rmsDb(credits);
  EXPECT_GT(rmsDb(credits, 0, framesOf(credits, 2.0)), overall - 15.0);
  EXPECT_LT(rmsDb(credits, credits.frames() - framesOf(credits, 0.05), framesOf(credits, 0.05)),
            -50.0);
  // No silent stretch between its first bars and its last chord.
  const std::size_t window = framesOf(credits, 0.25);
  for (std::size_t start = window; start + framesOf(credits, 3.0) < credits.frames();
       start += window) {
    EXPECT_GT(rmsDb(credits, start, window), overall - 24.0)
        << "quiet stretch at " << static_cast<double>(start) / credits.rate << " s";
  }
}

}  // namespace
