// Which sounds each moment of a run starts and stops, so a lost run never also plays the
// win and the storm never plays twice at once.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "FrameTiming.h"
#include "GameFixture.h"
#include "ResourceNames.h"

namespace {

// Writes down every call instead of playing anything. A sound counts as playing from play2D to
// the next stopAllSounds, so isCurrentlyPlaying answers as a real engine would for looped sounds.
class RecordingEngine final : public sound::SoundEngine {
 public:
  ~RecordingEngine() override = default;

  void play2D(const char* soundFileName, bool playLooped) override {
    calls.push_back(std::string("play ") + resources::inResourceDir(soundFileName) +
                    (playLooped ? " looped" : " once"));
    int& count = playing[soundFileName];
    ++count;
    mostAtOnce[soundFileName] = std::max(mostAtOnce[soundFileName], count);
  }
  void stopAllSounds() override {
    calls.push_back("stop");
    playing.clear();
  }
  void setSoundVolume(float newVolume) override {
    volume = newVolume;
    std::ostringstream text;
    text << "volume " << newVolume;
    calls.push_back(text.str());
  }
  float getSoundVolume() const override { return volume; }
  bool isCurrentlyPlaying(const char* soundFileName) override {
    const auto found = playing.find(soundFileName);
    return found != playing.end() && found->second > 0;
  }
  void grab() override {}
  // The test owns the recorders; the application's release is only noted.
  bool drop() override { return false; }

  std::vector<std::string> calls;
  std::map<std::string, int> playing;
  std::map<std::string, int> mostAtOnce;
  float volume = 1.0f;
};

using Calls = std::vector<std::string>;

class SoundCues : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    for (sound::SoundEngine* engine : {app->musicEngine, app->ambienceEngine, app->effectsEngine}) {
      engine->drop();
    }
    app->musicEngine = &music;
    app->ambienceEngine = &ambience;
    app->effectsEngine = &effects;
    // No strikes during these frames: they make no sound and would only cost time.
    app->lastLightningTime = glfwGetTime() + 1000.0;
  }

  void clearCalls() {
    music.calls.clear();
    ambience.calls.clear();
    effects.calls.clear();
  }

  RecordingEngine music;
  RecordingEngine ambience;
  RecordingEngine effects;
};

constexpr float Frame = 1.0f / 60.0f;
const glm::vec3 AtTheLighthouse(0.0f, 1.0f, 212.0f);

TEST_F(SoundCues, EachTriggerMakesItsCallsOnItsEngine) {
  struct Case {
    const char* trigger;
    std::function<void()> prepare;
    std::function<void()> act;
    Calls music;
    Calls ambience;
    Calls effects;
  };
  const auto nothing = [] {};
  const Case cases[] = {
      {"the first reset, on the start prompt",
       nothing,
       [this] { app->resetGame(810, 1080); },
       {},
       {"play OceanStorm.ogg looped", "volume 0.1"},
       {"stop"}},
      {"X then R on the start prompt while the storm plays",
       [this] { ambience.play2D(resources::StormAmbience, true); },
       [this] {
         press(GLFW_KEY_X);
         press(GLFW_KEY_R);
       },
       {"stop"},
       {"volume 0.1"},
       {"stop", "play doom.ogg looped", "volume 0.4", "stop"}},
      {"Enter on the title starts a run",
       [this] { app->gameState = Title; },
       [this] { press(GLFW_KEY_ENTER); },
       {"stop", "play winter-cold.ogg looped", "volume 0.4"},
       {"stop", "play OceanStorm.ogg looped", "volume 0.1"},
       {"stop"}},
      {"R after a lost run restarts it",
       [this] {
         app->gameState = Playing;
         app->gameOver = true;
       },
       [this] { press(GLFW_KEY_R); },
       {"stop", "play winter-cold.ogg looped", "volume 0.4"},
       {"stop", "play OceanStorm.ogg looped", "volume 0.1"},
       {"stop"}},
      {"the intro's first frame",
       [this] { app->gameState = Intro; },
       [this] { app->intro(1080, 810); },
       {"stop", "play intro.ogg looped", "volume 0.4"},
       {"stop"},
       {}},
      {"Enter during the intro",
       [this] { app->gameState = Intro; },
       [this] { press(GLFW_KEY_ENTER); },
       {"stop", "play title.ogg looped", "volume 0.2"},
       {},
       {}},
      {"the intro's end",
       [this] {
         app->gameState = Intro;
         app->introTime = 32.51;
       },
       [this] { app->intro(1080, 810); },
       {"stop", "play title.ogg looped", "volume 0.2"},
       {},
       {}},
      {"the timer runs out",
       [this] {
         startRun();
         app->timeLeft = 0.01;
       },
       [this] { app->update(Frame); },
       {},
       {},
       {"stop", "play doom.ogg looped", "volume 0.4"}},
      {"X during a race",
       [this] { startRun(); },
       [this] { press(GLFW_KEY_X); },
       {"stop"},
       {},
       {"stop", "play doom.ogg looped", "volume 0.4"}},
      {"a tentacle and a rock touch the boat in one frame",
       [this] {
         startRun();
         app->boatPos = glm::vec3(0.0f, 1.0f, -100.0f);
         Dummy tentacle;
         tentacle.position = glm::vec2(0.0f, -101.0f);
         app->dummyManager.getDummies()->assign(1, tentacle);
         Rock rock;
         rock.position = glm::vec2(1.0f, -100.0f);
         app->rockManager.getRocks()->assign(1, rock);
       },
       [this] { app->update(Frame); },
       {"stop", "play doom.ogg looped", "volume 0.5"},
       {},
       {}},
      {"the boat reaches the lighthouse",
       [this] {
         startRun();
         app->boatPos = AtTheLighthouse;
       },
       [this] { app->update(Frame); },
       {"stop"},
       {"stop"},
       {"play credits.ogg once", "volume 0.4"}},
      {"the boat drifts to the lighthouse after a loss",
       [this] {
         startRun();
         app->gameOver = true;
         app->boatPos = AtTheLighthouse;
       },
       [this] { app->update(Frame); },
       {},
       {},
       {}},
      {"the timer runs out as the boat reaches the lighthouse",
       [this] {
         startRun();
         app->timeLeft = 0.01;
         app->boatPos = AtTheLighthouse;
       },
       [this] { app->update(Frame); },
       {},
       {},
       {"stop", "play doom.ogg looped", "volume 0.4"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trigger);
    TearDown();
    SetUp();
    c.prepare();
    clearCalls();
    c.act();
    EXPECT_EQ(music.calls, c.music);
    EXPECT_EQ(ambience.calls, c.ambience);
    EXPECT_EQ(effects.calls, c.effects);
  }
}

TEST_F(SoundCues, ALostRunCannotAlsoBeWon) {
  startRun();
  app->boatPos = AtTheLighthouse;
  app->timeLeft = 0.01;
  app->update(Frame);
  EXPECT_TRUE(app->gameOver);
  EXPECT_FALSE(app->won);

  press(GLFW_KEY_R);
  press(GLFW_KEY_X);
  app->boatPos = AtTheLighthouse;
  simulate(1.0f, Frame);
  EXPECT_TRUE(app->gameOver);
  EXPECT_FALSE(app->won);
}

TEST_F(SoundCues, TheStormNeverPlaysTwiceAtOnce) {
  const std::string storm = resources::StormAmbience;
  app->gameState = StartPrompt;
  app->resetGame(810, 1080);
  const auto loseAndRestart = [this] {
    for (int round = 0; round < 5; ++round) {
      press(GLFW_KEY_X);
      press(GLFW_KEY_R);
    }
  };
  loseAndRestart();
  press(GLFW_KEY_ENTER);
  loseAndRestart();
  *deltaTime = Frame;
  app->intro(1080, 810);  // the intro's music replaces the storm
  loseAndRestart();
  press(GLFW_KEY_ENTER);
  loseAndRestart();
  press(GLFW_KEY_ENTER);
  loseAndRestart();

  EXPECT_EQ(app->gameState, Playing);
  EXPECT_TRUE(ambience.isCurrentlyPlaying(storm.c_str()));
  EXPECT_EQ(ambience.mostAtOnce[storm], 1);
}

}  // namespace
