// The boat's handling over seconds of play: start, speed cap, turning, the arena edge, the
// swell, the timer and the win distance, so the race plays the same on every machine.
#include <cmath>

#include <gtest/gtest.h>

#include "GameFixture.h"

namespace {
constexpr float Frame = 1.0f / 60.0f;
}

using BoatPhysics = GameTest;

TEST_F(BoatPhysics, StartsAtTheSouthEdgeHeadingForTheLighthouse) {
  EXPECT_EQ(app->boatPos, glm::vec3(0.0f, 1.0f, -225.0f));
  EXPECT_EQ(app->boatDir, glm::vec3(0.0f, 0.0f, 1.0f));
  EXPECT_EQ(app->lighthousePos, glm::vec3(0.0f, -1.0f, 225.0f));
  EXPECT_EQ(app->timeLeft, 90.0);
}

TEST_F(BoatPhysics, HoldingWReachesTheCapInAboutTwoSeconds) {
  startRun();
  press(GLFW_KEY_W);
  float reachedAt = -1.0f;
  for (int frame = 1; frame <= 240; ++frame) {
    app->update(Frame);
    if (reachedAt < 0.0f && app->boatSpeed >= 15.0f) {
      reachedAt = static_cast<float>(frame) * Frame;
    }
  }
  EXPECT_NEAR(reachedAt, 15.0f / 7.0f, Frame);
  EXPECT_GE(app->boatSpeed, 15.0f);
  EXPECT_LE(app->boatSpeed, 15.0f + 7.0f * Frame);
}

TEST_F(BoatPhysics, SpeedRules) {
  const struct {
    const char* name;
    float startSpeed;
    bool w, s;
    bool fast;
    float seconds;
    float expected;
    float tolerance;
  } cases[] = {
      {"coasting forward decays at 5 per second", 10.0f, false, false, false, 1.0f, 5.0f, 1e-3f},
      {"coasting stops at zero", 2.0f, false, false, false, 1.0f, 0.0f, 0.0f},
      {"braking then reversing to the cap", 5.0f, false, true, false, 5.0f, -15.0f, 0.0f},
      {"releasing S while reversing stops at once", -8.0f, false, false, false, Frame, 0.0f, 0.0f},
      {"fast mode accelerates at 20 to 50", 0.0f, true, false, true, 1.0f, 20.0f, 0.05f},
      {"fast mode cap", 0.0f, true, false, true, 4.0f, 50.0f, 20.0f * Frame},
  };
  for (const auto& c : cases) {
    app->resetGame(810, 1080);
    app->gameState = Playing;
    app->fastMode = c.fast;
    app->boatSpeed = c.startSpeed;
    app->keyW = c.w;
    app->keyS = c.s;
    simulate(c.seconds, Frame);
    EXPECT_NEAR(app->boatSpeed, c.expected, c.tolerance) << c.name;
  }
}

TEST_F(BoatPhysics, TurningRotatesTheHeadingOnTheSeaPlane) {
  const struct {
    int key;
    float sign;
  } cases[] = {{GLFW_KEY_A, 1.0f}, {GLFW_KEY_D, -1.0f}};
  for (const auto& c : cases) {
    app->resetGame(810, 1080);
    app->gameState = Playing;
    press(c.key);
    simulate(0.5f, Frame);
    release(c.key);
    EXPECT_NEAR(glm::length(app->boatDir), 1.0f, 1e-5f);
    EXPECT_EQ(app->boatDir.y, 0.0f);
    EXPECT_GT(c.sign * app->boatDir.x, 0.3f) << c.key;
    EXPECT_NEAR(app->boatAngle, glm::degrees(std::atan2(app->boatDir.x, app->boatDir.z)), 0.5f);
  }
}

TEST_F(BoatPhysics, TheArenaEdgeStopsTheBoat) {
  const glm::vec3 headings[] = {{1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
  for (const glm::vec3& heading : headings) {
    app->resetGame(810, 1080);
    app->gameState = Playing;
    app->boatPos = heading * 246.0f + glm::vec3(0.0f, 1.0f, 0.0f);
    app->boatDir = heading;
    app->boatSpeed = 15.0f;
    app->keyW = true;
    simulate(1.0f, Frame);
    EXPECT_EQ(glm::dot(app->boatPos, heading), 248.0f) << heading.x << "," << heading.z;
  }
}

TEST_F(BoatPhysics, TheSwellPushesAStillBoatDownhillAtARate) {
  // The clock keeps running between the samples taken here and those moveBoat takes, so the
  // tolerances allow for a few milliseconds of a busy machine.
  constexpr float ClockSlack = 3e-3f;

  // At x = 0, z = 15 and t = 0 both wave terms are at a crest or trough: no slope, no drift.
  app->boatSpeed = 0.0f;
  app->boatPos = glm::vec3(0.0f, 1.0f, 15.0f);
  glfwSetTime(0.0);
  app->moveBoat(Frame);
  EXPECT_NEAR(app->boatPos.x, 0.0f, ClockSlack);
  EXPECT_NEAR(app->boatPos.z, 15.0f, ClockSlack);

  // At the origin the sea slopes. The push is a rate: the boat slides downhill, as far in one
  // 60 Hz frame as in two half frames, and it sits at the sea's height under it.
  const glm::vec3 origin(0.0f, 1.0f, 0.0f);
  glm::vec2 perSecondAtSixtyHertz(0.0f);
  for (const float dt : {Frame, 0.002f, Frame / 2.0f}) {
    app->boatSpeed = 0.0f;
    app->boatPos = origin;
    glfwSetTime(0.0);
    app->moveBoat(dt);
    const glm::vec2 moved(app->boatPos.x, app->boatPos.z);
    if (dt == Frame) {
      perSecondAtSixtyHertz = moved / dt;
      EXPECT_GT(glm::length(moved), 0.01f) << "a still boat on a slope drifts";
    }
    EXPECT_NEAR(moved.x, perSecondAtSixtyHertz.x * dt, ClockSlack) << dt;
    EXPECT_NEAR(moved.y, perSecondAtSixtyHertz.y * dt, ClockSlack) << dt;
    EXPECT_LT(waveHeightAt(glm::vec3(moved.x, 0.0f, moved.y), 0.0, 0.0),
              waveHeightAt(origin, 0.0, 0.0))
        << "downhill at " << dt;
    EXPECT_NEAR(app->boatPos.y, waveHeightAt(origin, 0.0, 0.0), 0.05f)
        << "the hull rides on the sea at " << dt;
  }
}

TEST_F(BoatPhysics, ALostBoatSinksWithoutLimitAndAWonOneFreezes) {
  startRun();
  press(GLFW_KEY_X);
  const glm::vec3 wreck = app->boatPos;
  simulate(10.0f, Frame);
  EXPECT_NEAR(app->boatPos.y, wreck.y - 5.0f, 1e-3f);
  EXPECT_EQ(app->boatPos.x, wreck.x);

  press(GLFW_KEY_R);
  EXPECT_FALSE(app->gameOver);
  app->won = true;
  const glm::vec3 moored = app->boatPos;
  const glm::vec3 eye = app->camera.eye;
  press(GLFW_KEY_W);
  simulate(1.0f, Frame);
  EXPECT_EQ(app->boatPos, moored);
  EXPECT_EQ(app->camera.eye, eye);
}

TEST_F(BoatPhysics, TheTimerLosesTheRunAtZeroUnlessFastModeIsOn) {
  startRun();
  simulate(1.0f, 0.25f);
  EXPECT_NEAR(app->timeLeft, 89.0, 1e-5);
  app->timeLeft = 0.2;
  app->update(0.1f);
  EXPECT_FALSE(app->gameOver);
  app->update(0.1f);
  EXPECT_TRUE(app->gameOver);
  const double frozen = app->timeLeft;
  simulate(1.0f, Frame);
  EXPECT_EQ(app->timeLeft, frozen);

  press(GLFW_KEY_R);
  press(GLFW_KEY_C);
  simulate(100.0f, 0.5f);
  EXPECT_FALSE(app->gameOver);
  EXPECT_EQ(app->timeLeft, 90.0);
}

TEST_F(BoatPhysics, ReachingWithinTwentyOneUnitsOfTheLighthouseWins) {
  const struct {
    glm::vec3 position;
    bool wins;
  } cases[] = {
      {{0.0f, 0.0f, 204.5f}, true},
      {{20.9f, 0.0f, 225.0f}, true},
      {{-14.8f, 5.0f, 239.8f}, true},
      {{0.0f, 0.0f, 203.9f}, false},
      {{21.2f, 0.0f, 225.0f}, false},
  };
  for (const auto& c : cases) {
    app->won = false;
    app->checkWin(c.position);
    EXPECT_EQ(app->won, c.wins) << c.position.x << "," << c.position.z;
  }
}

TEST_F(BoatPhysics, NothingMovesOutsideThePlayingPhase) {
  for (const int phase : {StartPrompt, Intro, Title}) {
    app->gameState = phase;
    app->keyW = true;
    simulate(1.0f, Frame);
    EXPECT_EQ(app->boatSpeed, 0.0f) << phase;
    EXPECT_EQ(app->timeLeft, 90.0) << phase;
  }
}

TEST_F(BoatPhysics, SprayFliesWhereTheBowDrivesFastUpTheFaceOfASwell) {
  // At t = 0 the sea at the origin rises steepest along the diagonal (1, 1) and is level across
  // it; the bow is put on the origin.
  const glm::vec3 uphill = glm::normalize(glm::vec3(1.0f, 0.0f, 1.0f));
  const glm::vec3 alongTheCrest = glm::normalize(glm::vec3(1.0f, 0.0f, -1.0f));
  const struct {
    const char* name;
    glm::vec3 heading;
    float speed;
    float least;
    float most;
  } cases[] = {
      {"full speed up the face", uphill, 15.0f, 1.0f, 1.0f},
      {"slowly up the face", uphill, 3.0f, 0.01f, 0.5f},
      {"lying still on the face", uphill, 0.0f, 0.0f, 0.0f},
      {"full speed down the back", -uphill, 15.0f, 0.0f, 0.0f},
      {"full speed along the crest", alongTheCrest, 15.0f, 0.0f, 0.0f},
      {"reversing up the face", uphill, -7.0f, 0.0f, 0.0f},
  };
  for (const auto& c : cases) {
    app->boatDir = c.heading;
    app->boatSpeed = c.speed;
    app->boatPos = -1.4f * c.heading;
    glfwSetTime(0.0);
    const float spray = app->bowSpray();
    EXPECT_GE(spray, c.least) << c.name;
    EXPECT_LE(spray, c.most) << c.name;
  }
}
