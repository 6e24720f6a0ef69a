// The race must not depend on how fast a machine draws: the same second of play at very
// different update rates ends with the boat, the camera and the bolts in the same places, and a
// long frame cannot carry the boat through an obstacle or fire a burst of strikes.
#include <cmath>
#include <cstdio>

#include <gtest/gtest.h>

#include "GameFixture.h"

namespace {

struct Outcome {
  glm::vec3 boatPos;
  glm::vec3 eye;
  float boatSpeed;
  float boltLifetime;
};

// A point where the swell slopes under the boat, so a still boat drifts.
const glm::vec3 SlopedStart(0.0f, 1.0f, 0.0f);
constexpr double StartClock = 10.0;

}  // namespace

class FrameRate : public GameTest {
 protected:
  // One second of play from the same start at `rate` updates a second, the clock advancing
  // with the updates as the frame loop's does.
  Outcome playOneSecond(int rate, bool accelerate, bool turn) {
    app->resetGame(810, 1080);
    app->gameState = Playing;
    app->boatPos = SlopedStart;
    app->camera.eye = SlopedStart + glm::vec3(0.0f, 1.5f, -5.0f);
    app->keyW = accelerate;
    app->keyA = turn;
    app->lightning1.strike(glm::vec3(0.0f, 100.0f, 50.0f), glm::vec3(10.0f, 0.0f, 60.0f),
                           app->camera.eye);
    glfwSetTime(StartClock);
    app->lastLightningTime = StartClock;
    const float dt = 1.0f / static_cast<float>(rate);
    for (int frame = 1; frame <= rate; ++frame) {
      glfwSetTime(StartClock + static_cast<double>(frame) / rate);
      app->update(dt);
    }
    return {app->boatPos, app->camera.eye, app->boatSpeed, app->lightning1.getLifetime()};
  }
};

TEST_F(FrameRate, OneSecondOfPlayEndsInTheSamePlaceAtAnyUpdateRate) {
  const struct {
    const char* name;
    bool accelerate;
    bool turn;
  } inputs[] = {{"idle", false, false}, {"W held", true, false}, {"W and A held", true, true}};
  for (const auto& input : inputs) {
    const Outcome reference = playOneSecond(60, input.accelerate, input.turn);
    const float travelled = glm::length(glm::vec2(reference.boatPos.x - SlopedStart.x,
                                                  reference.boatPos.z - SlopedStart.z));
    ASSERT_GT(travelled, 1.0f) << input.name;
    for (const int rate : {30, 144, 1000}) {
      const Outcome o = playOneSecond(rate, input.accelerate, input.turn);
      const float apart = glm::length(glm::vec2(o.boatPos.x - reference.boatPos.x,
                                                o.boatPos.z - reference.boatPos.z));
      std::printf("%-14s %4d/s: boat moved %.3f (60/s: %.3f)\n", input.name, rate,
                  glm::length(glm::vec2(o.boatPos.x - SlopedStart.x, o.boatPos.z - SlopedStart.z)),
                  travelled);
      EXPECT_LT(apart, 0.03f * travelled) << input.name << " at " << rate << "/s";
      EXPECT_NEAR(o.boatSpeed, reference.boatSpeed, 0.03f * 7.0f) << input.name << " " << rate;
      const float eyeApart = glm::length(glm::vec2(o.eye.x - reference.eye.x, o.eye.z - reference.eye.z));
      EXPECT_LT(eyeApart, 0.03f * travelled + 0.05f) << input.name << " camera at " << rate << "/s";
      EXPECT_NEAR(o.boltLifetime, reference.boltLifetime, 1e-3f) << rate;
    }
  }
}

TEST_F(FrameRate, ALongFrameCannotCarryTheBoatThroughAnObstacle) {
  // The boat at full speed, an obstacle seven units ahead, and one frame long enough to leap
  // past its contact radius.
  const struct {
    const char* name;
    bool rock;
    float frameSeconds;
  } cases[] = {{"rock, one second", true, 1.0f},
               {"rock, two seconds", true, 2.0f},
               {"tentacle, three quarters of a second", false, 0.75f},
               {"tentacle, two seconds", false, 2.0f}};
  for (const auto& c : cases) {
    app->resetGame(810, 1080);
    app->gameState = Playing;
    app->rockManager.getRocks()->clear();
    app->dummyManager.getDummies()->clear();
    app->boatPos = glm::vec3(0.0f, 1.0f, -100.0f);
    app->boatDir = glm::vec3(0.0f, 0.0f, 1.0f);
    app->boatSpeed = 15.0f;
    app->keyW = true;
    const glm::vec2 ahead(0.0f, -93.0f);
    if (c.rock) {
      Rock rock;
      rock.position = ahead;
      app->rockManager.getRocks()->push_back(rock);
    } else {
      Dummy tentacle;
      tentacle.position = ahead;
      tentacle.speed = 0.0f;
      app->dummyManager.getDummies()->push_back(tentacle);
    }
    app->update(c.frameSeconds);
    EXPECT_TRUE(app->gameOver) << c.name;
    EXPECT_LT(app->boatPos.z, ahead.y) << c.name << ": the wreck lies short of the obstacle";
    app->rockManager.getRocks()->clear();
    app->dummyManager.getDummies()->clear();
  }
}

TEST_F(FrameRate, AStallIsFollowedByOneStrikePairNotABurst) {
  startRun();
  const float frame = 1.0f / 60.0f;
  // The game stood still for ten seconds (a dragged window, a debugger).
  const double now = glfwGetTime();
  app->lastLightningTime = now - 10.0;
  app->update(10.0f);
  EXPECT_FLOAT_EQ(app->lightning1.getLifetime(), 1.0f) << "a pair struck after the stall";
  for (int i = 0; i < 5; ++i) {
    app->update(frame);
    EXPECT_LT(app->lightning1.getLifetime(), 1.0f) << "no second pair in frame " << i;
  }
  EXPECT_GT(app->lastLightningTime + static_cast<double>(2.2f), glfwGetTime())
      << "the next pair comes no later than one interval on";
  EXPECT_LE(app->lastLightningTime, glfwGetTime());
}
