// The sound engine on a recorded or silent device: clips and loops are heard for their
// length, volume holds, voices are given back, and a bad file or no device is said once.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "sound/SoundEngine.h"
#include "sound/SoundSettings.h"
#include "SoundTestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

struct DropEngine {
  void operator()(sound::SoundEngine* engine) const { engine->drop(); }
};
using Engine = std::unique_ptr<sound::SoundEngine, DropEngine>;

Engine createEngine(const sound::SoundSettings& settings = {}) { return Engine(sound::createSoundDevice(settings)); }

void sleepFor(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Seconds until the engine no longer reports the file as playing.
double waitWhilePlaying(sound::SoundEngine& engine, const std::string& file, double timeout) {
  const Clock::time_point start = Clock::now();
  while (engine.isCurrentlyPlaying(file.c_str()) && secondsSince(start) < timeout) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return secondsSince(start);
}

std::size_t countOccurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
    ++count;
  }
  return count;
}

float peak(const std::vector<float>& samples, std::size_t begin, std::size_t end) {
  float largest = 0.0f;
  for (std::size_t i = begin; i < end; ++i) {
    largest = std::max(largest, std::fabs(samples[i]));
  }
  return largest;
}

// Anything the mixer writes above this is sound; with nothing playing it writes exact zeros.
constexpr float Audible = 0.01f;

// A short clip is normally decoded once and cached; with no cache allowance and small buffers the
// same clip streams and refills many times per second.
struct PlaybackPath {
  const char* name;
  sound::SoundSettings settings;
  int channels;
};

const sound::SoundSettings Cached{};
const sound::SoundSettings Streamed{0, 2048, 4};

const PlaybackPath Paths[] = {
    {"CachedMono", Cached, 1},
    {"StreamedStereo", Streamed, 2},
};

std::string pathName(const testing::TestParamInfo<PlaybackPath>& info) { return info.param.name; }
void PrintTo(const PlaybackPath& path, std::ostream* out) { *out << path.name; }

// Records everything the engines mix into a WAV file; the file is complete once every engine of
// the test has been dropped, which closes the device.
class RecordedOutput : public testing::Test {
 protected:
  void SetUp() override { useWaveOutput(dir.file("alsoft.conf"), wavePath); }

  TempDir dir;
  const std::string wavePath = dir.file("mix.wav");
};

class PlaybackTest : public RecordedOutput, public testing::WithParamInterface<PlaybackPath> {
 protected:
  std::string writeTone(const char* name, const Tone& tone) {
    Tone withChannels = tone;
    withChannels.channels = GetParam().channels;
    const std::string path = dir.file(name);
    writeToneOgg(path, withChannels);
    return path;
  }
};

TEST_P(PlaybackTest, OneShotIsHeardForItsLengthAndReportedUntilItEnds) {
  const std::string clip = writeTone("tone.ogg", {440.0, 0.3});
  double reportedFor = 0.0;
  {
    const Engine engine = createEngine(GetParam().settings);
    sleepFor(0.1);
    engine->play2D(clip.c_str(), false);
    EXPECT_TRUE(engine->isCurrentlyPlaying(clip.c_str()));
    reportedFor = waitWhilePlaying(*engine, clip, 3.0);
    sleepFor(0.1);
  }
  EXPECT_GT(reportedFor, 0.25);
  EXPECT_LT(reportedFor, 0.6);

  const Recording recording = readWave(wavePath);
  const Span heard = loudSpan(recording.samples, Audible);
  EXPECT_NEAR(recording.seconds(heard.length()), 0.3, 0.01);
  const std::size_t middleBegin = heard.begin + recording.at(0.05);
  const std::size_t middleEnd = heard.end - recording.at(0.05);
  EXPECT_GT(toneAmplitude(recording, middleBegin, middleEnd, 440.0), 0.2);
  EXPECT_LT(toneAmplitude(recording, middleBegin, middleEnd, 1000.0), 0.005);
}

TEST_P(PlaybackTest, LoopPlaysPastItsLengthWithoutGapUntilStopped) {
  // 132 whole periods, so the file's end meets its start without a step.
  const std::string clip = writeTone("loop.ogg", {440.0, 0.3});
  double playedFor = 0.0;
  {
    const Engine engine = createEngine(GetParam().settings);
    sleepFor(0.1);
    const Clock::time_point start = Clock::now();
    engine->play2D(clip.c_str(), true);
    sleepFor(1.2);
    EXPECT_TRUE(engine->isCurrentlyPlaying(clip.c_str()));
    playedFor = secondsSince(start);
    engine->stopAllSounds();
    EXPECT_FALSE(engine->isCurrentlyPlaying(clip.c_str()));
    sleepFor(0.3);
  }

  const Recording recording = readWave(wavePath);
  const Span heard = loudSpan(recording.samples, Audible);
  EXPECT_NEAR(recording.seconds(heard.length()), playedFor, 0.06);
  EXPECT_GE(recording.seconds(recording.samples.size() - heard.end), 0.2) << "still sounding after the stop";

  const std::size_t inner = recording.at(0.005);
  const float level = peak(recording.samples, heard.begin + inner, heard.end - inner);
  EXPECT_LT(longestQuietRun(recording.samples, heard.begin + inner, heard.end - inner, 0.05f * level), 10u)
      << "a silent stretch inside the loop";
  const float sineStep = static_cast<float>(2.0 * 3.14159265358979 * 440.0 / recording.sampleRate) * level;
  EXPECT_LT(largestStep(recording.samples, heard.begin + inner, heard.end - inner), 1.25f * sineStep)
      << "a click inside the loop";
}

TEST_P(PlaybackTest, VolumeScalesPlayingAndLaterSounds) {
  const std::string clip = writeTone("tone.ogg", {440.0, 0.3});
  {
    const Engine engine = createEngine(GetParam().settings);
    sleepFor(0.1);
    engine->play2D(clip.c_str(), false);
    waitWhilePlaying(*engine, clip, 3.0);
    sleepFor(0.15);
    engine->setSoundVolume(0.5f);
    engine->play2D(clip.c_str(), false);
    waitWhilePlaying(*engine, clip, 3.0);
    sleepFor(0.15);
    engine->play2D(clip.c_str(), true);
    sleepFor(0.4);
    engine->setSoundVolume(0.25f);
    sleepFor(0.4);
    engine->stopAllSounds();
    sleepFor(0.1);
  }

  const Recording recording = readWave(wavePath);
  const std::vector<Span> spans = loudSpans(recording.samples, 0.003f, recording.at(0.08));
  ASSERT_EQ(spans.size(), 3u);
  const auto level = [&](const Span& span, double fromFraction, double toFraction) {
    return rms(recording.samples, span.begin + static_cast<std::size_t>(fromFraction * span.length()),
               span.begin + static_cast<std::size_t>(toFraction * span.length()));
  };
  const double full = level(spans[0], 0.2, 0.8);
  ASSERT_GT(full, 0.1);
  EXPECT_NEAR(level(spans[1], 0.2, 0.8) / full, 0.5, 0.02) << "a sound started after the change";
  EXPECT_NEAR(level(spans[2], 0.1, 0.4) / full, 0.5, 0.02);
  EXPECT_NEAR(level(spans[2], 0.6, 0.9) / full, 0.25, 0.02) << "a sound playing during the change";
}

INSTANTIATE_TEST_SUITE_P(Paths, PlaybackTest, testing::ValuesIn(Paths), pathName);

TEST_F(RecordedOutput, EnginesKeepTheirOwnVolumeVoicesAndStop) {
  const std::string low = dir.file("low.ogg");
  const std::string high = dir.file("high.ogg");
  writeToneOgg(low, {440.0, 0.3});
  writeToneOgg(high, {660.0, 0.3});
  {
    const Engine music = createEngine();
    const Engine ambience = createEngine();
    sleepFor(0.1);
    music->play2D(low.c_str(), true);
    ambience->play2D(high.c_str(), true);
    EXPECT_FALSE(music->isCurrentlyPlaying(high.c_str()));
    EXPECT_FALSE(ambience->isCurrentlyPlaying(low.c_str()));
    sleepFor(0.3);
    music->setSoundVolume(0.25f);
    EXPECT_FLOAT_EQ(ambience->getSoundVolume(), 1.0f);
    sleepFor(0.3);
    music->stopAllSounds();
    EXPECT_FALSE(music->isCurrentlyPlaying(low.c_str()));
    EXPECT_TRUE(ambience->isCurrentlyPlaying(high.c_str()));
    sleepFor(0.3);
  }

  const Recording recording = readWave(wavePath);
  const Span heard = loudSpan(recording.samples, Audible);
  struct Window {
    const char* phase;
    double from;
    double lowShare;
  };
  const Window windows[] = {{"both at full volume", 0.05, 1.0},
                            {"music turned down", 0.35, 0.25},
                            {"music stopped", 0.65, 0.0}};
  const std::size_t length = recording.at(0.2);
  const double lowFull = toneAmplitude(recording, heard.begin + recording.at(0.05),
                                       heard.begin + recording.at(0.05) + length, 440.0);
  const double highFull = toneAmplitude(recording, heard.begin + recording.at(0.05),
                                        heard.begin + recording.at(0.05) + length, 660.0);
  ASSERT_GT(lowFull, 0.1);
  for (const Window& window : windows) {
    const std::size_t begin = heard.begin + recording.at(window.from);
    EXPECT_NEAR(toneAmplitude(recording, begin, begin + length, 440.0) / lowFull, window.lowShare, 0.03)
        << window.phase;
    EXPECT_NEAR(toneAmplitude(recording, begin, begin + length, 660.0) / highFull, 1.0, 0.03) << window.phase;
  }
}

// Mixes in real time like a sound card, into nothing.
class SilentOutput : public testing::Test {
 protected:
  void useOutput(const std::string& extraGeneral = "") { useNullOutput(dir.file("alsoft.conf"), extraGeneral); }

  TempDir dir;
};

class VoiceReuseTest : public SilentOutput, public testing::WithParamInterface<PlaybackPath> {};

// With room for only two voices in the whole device, every play below needs a voice given back
// by the one before it.
TEST_P(VoiceReuseTest, FinishedAndStoppedVoicesAreGivenBack) {
  useOutput("sources = 2");
  const std::string blip = dir.file("blip.ogg");
  writeToneOgg(blip, {880.0, 0.05, 0.5, GetParam().channels});
  const Engine effects = createEngine(GetParam().settings);
  for (int round = 0; round < 5; ++round) {
    effects->play2D(blip.c_str(), false);
    EXPECT_TRUE(effects->isCurrentlyPlaying(blip.c_str())) << "one-shot " << round;
    waitWhilePlaying(*effects, blip, 2.0);
  }
  for (int round = 0; round < 20; ++round) {
    effects->play2D(blip.c_str(), true);
    EXPECT_TRUE(effects->isCurrentlyPlaying(blip.c_str())) << "loop " << round;
    effects->stopAllSounds();
  }

  const std::string first = dir.file("first.ogg");
  const std::string second = dir.file("second.ogg");
  writeToneOgg(first, {440.0, 0.3});
  writeToneOgg(second, {660.0, 0.3});
  CaptureStderr capture;
  effects->play2D(first.c_str(), true);
  effects->play2D(second.c_str(), true);
  effects->play2D(blip.c_str(), true);
  const std::string printed = capture.stop();
  EXPECT_TRUE(effects->isCurrentlyPlaying(first.c_str()));
  EXPECT_TRUE(effects->isCurrentlyPlaying(second.c_str()));
  EXPECT_FALSE(effects->isCurrentlyPlaying(blip.c_str())) << "the device has room for two voices only";
  EXPECT_EQ(countOccurrences(printed, "no free voice"), 1u) << printed;
}

INSTANTIATE_TEST_SUITE_P(Paths, VoiceReuseTest, testing::ValuesIn(Paths), pathName);

struct UnplayableFile {
  const char* name;
  const char* fileName;
  const char* contents;
  int channels;
};

class UnplayableFileTest : public SilentOutput, public testing::WithParamInterface<UnplayableFile> {
 protected:
  // Puts the broken file in place (or leaves it missing) and returns its path.
  std::string writeUnplayable(const UnplayableFile& broken) {
    const std::string path = dir.file(broken.fileName);
    if (broken.channels > 0) {
      writeToneOgg(path, {440.0, 0.1, 0.5, broken.channels});
    } else if (broken.contents != nullptr) {
      std::ofstream(path) << broken.contents;
    }
    return path;
  }
};

// The thunder bed asks for its file every frame, so a broken file must not flood the console.
TEST_P(UnplayableFileTest, SaysSoOnceAndPlaysNothing) {
  useOutput();
  const std::string path = writeUnplayable(GetParam());
  const std::string good = dir.file("good.ogg");
  writeToneOgg(good, {440.0, 0.3});

  const Engine effects = createEngine();
  CaptureStderr capture;
  for (int frame = 0; frame < 50; ++frame) {
    effects->play2D(path.c_str(), false);
    EXPECT_FALSE(effects->isCurrentlyPlaying(path.c_str()));
  }
  const std::string printed = capture.stop();
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
  EXPECT_NE(printed.find(path), std::string::npos) << printed;

  effects->play2D(good.c_str(), false);
  EXPECT_TRUE(effects->isCurrentlyPlaying(good.c_str()));
}

// Asking again every frame must not reopen the file either: once a file has failed, the engine
// no longer looks at the disk for it, so even a good file put there later stays unplayed by it.
TEST_P(UnplayableFileTest, IsNotOpenedAgainByTheEngineItFailedOn) {
  useOutput();
  const std::string path = writeUnplayable(GetParam());
  const Engine effects = createEngine();
  CaptureStderr capture;
  effects->play2D(path.c_str(), false);
  writeToneOgg(path, {440.0, 0.3});
  for (int frame = 0; frame < 5; ++frame) {
    effects->play2D(path.c_str(), false);
    EXPECT_FALSE(effects->isCurrentlyPlaying(path.c_str())) << "frame " << frame;
  }
  capture.stop();

  const Engine fresh = createEngine();
  fresh->play2D(path.c_str(), false);
  EXPECT_TRUE(fresh->isCurrentlyPlaying(path.c_str()));
}

const UnplayableFile UnplayableFiles[] = {
    {"Missing", "absent.ogg", nullptr, 0},
    {"Empty", "empty.ogg", "", 0},
    {"NotOgg", "text.ogg", "this is not an Ogg Vorbis file\n", 0},
    {"ThreeChannels", "surround.ogg", nullptr, 3},
};

std::string fileCaseName(const testing::TestParamInfo<UnplayableFile>& info) { return info.param.name; }
void PrintTo(const UnplayableFile& file, std::ostream* out) { *out << file.name; }

INSTANTIATE_TEST_SUITE_P(Files, UnplayableFileTest, testing::ValuesIn(UnplayableFiles), fileCaseName);

TEST_F(SilentOutput, VolumeStaysWithinZeroToOne) {
  useOutput();
  const Engine engine = createEngine();
  const struct {
    float requested;
    float kept;
  } cases[] = {{0.4f, 0.4f}, {1.5f, 1.0f}, {-0.2f, 0.0f}, {std::numeric_limits<float>::quiet_NaN(), 0.0f}};
  for (const auto& volume : cases) {
    engine->setSoundVolume(volume.requested);
    EXPECT_FLOAT_EQ(engine->getSoundVolume(), volume.kept) << volume.requested;
  }
}

// Engines dropped in the middle of streaming must join their threads and free their voices; the
// sanitizer builds check that nothing leaks or races.
TEST_F(SilentOutput, ReleasingReferencesWhileStreamingShutsDownCleanly) {
  useOutput();
  const std::string loop = dir.file("loop.ogg");
  const std::string blip = dir.file("blip.ogg");
  writeToneOgg(loop, {440.0, 0.3, 0.5, 2});
  writeToneOgg(blip, {880.0, 0.05});
  for (int generation = 0; generation < 2; ++generation) {
    std::vector<sound::SoundEngine*> engines;
    for (const sound::SoundSettings& settings : {Streamed, Cached, Streamed}) {
      engines.push_back(sound::createSoundDevice(settings));
      engines.back()->play2D(loop.c_str(), true);
      engines.back()->play2D(blip.c_str(), false);
    }
    sleepFor(0.15);
    engines[0]->grab();
    EXPECT_FALSE(engines[0]->drop());
    EXPECT_TRUE(engines[0]->isCurrentlyPlaying(loop.c_str())) << "generation " << generation;
    for (sound::SoundEngine* engine : engines) {
      EXPECT_TRUE(engine->drop());
    }
  }
}

// A process whose audio backend cannot open any device.
TEST(NoDevice, EveryOperationIsSafeAndTheSilenceIsSaidOnce) {
  const TempDir dir;
  std::ofstream(dir.file("alsoft.conf")) << "";
  setenv("ALSOFT_CONF", dir.file("alsoft.conf").c_str(), 1);
  setenv("ALSOFT_DRIVERS", "no-such-backend", 1);
  const std::string clip = dir.file("tone.ogg");
  writeToneOgg(clip, {440.0, 0.3});

  CaptureStderr capture;
  for (int round = 0; round < 2; ++round) {
    std::vector<sound::SoundEngine*> engines;
    for (int i = 0; i < 3; ++i) {
      engines.push_back(sound::createSoundDevice());
      ASSERT_NE(engines.back(), nullptr);
    }
    for (sound::SoundEngine* engine : engines) {
      engine->play2D(clip.c_str(), true);
      engine->play2D(dir.file("absent.ogg").c_str(), false);
      engine->play2D(nullptr, false);
      EXPECT_FALSE(engine->isCurrentlyPlaying(clip.c_str()));
      EXPECT_FALSE(engine->isCurrentlyPlaying(nullptr));
      engine->setSoundVolume(0.4f);
      EXPECT_FLOAT_EQ(engine->getSoundVolume(), 0.4f);
      engine->stopAllSounds();
      engine->grab();
      EXPECT_FALSE(engine->drop());
      EXPECT_TRUE(engine->drop());
    }
  }
  const std::string printed = capture.stop();
  EXPECT_EQ(countOccurrences(printed, "[sound]"), 1u) << printed;
  EXPECT_EQ(countOccurrences(printed, "without sound"), 1u) << printed;
}

// ALSA present but its card missing, as on a server or a machine whose card is taken: the audio
// libraries would print their own errors for every engine; only the game's one line is shown.
TEST(NoDevice, AMissingCardGivesOnlyTheGamesOwnLine) {
  const TempDir dir;
  std::ofstream(dir.file("alsoft.conf")) << "";
  std::ofstream(dir.file("asound.conf")) << "pcm.!default { type hw card 99 }\n";
  setenv("ALSOFT_CONF", dir.file("alsoft.conf").c_str(), 1);
  setenv("ALSOFT_DRIVERS", "alsa", 1);
  setenv("ALSA_CONFIG_PATH", dir.file("asound.conf").c_str(), 1);

  CaptureStderr capture;
  std::vector<sound::SoundEngine*> engines;
  for (int i = 0; i < 3; ++i) {
    engines.push_back(sound::createSoundDevice());
  }
  for (sound::SoundEngine* engine : engines) {
    engine->play2D(nullptr, false);
    engine->drop();
  }
  const std::string printed = capture.stop();
  EXPECT_EQ(printed,
            "[sound] No audio output device could be opened; the game runs without sound.\n");
}

}  // namespace
