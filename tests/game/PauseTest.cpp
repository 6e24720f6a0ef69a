// Pausing holds the whole race still, resumes it exactly where it stood, only happens
// during a race, and follows the window losing the focus.
#include <gtest/gtest.h>

#include "GameFixture.h"

using PauseTest = GameTest;

TEST_F(PauseTest, PauseHoldsTheRaceStillAndResumesExactly) {
  startRun();
  press(GLFW_KEY_W);
  press(GLFW_KEY_A);
  simulate(2.0f, 0.02f);
  const double timeLeft = app->timeLeft;
  const glm::vec3 boat = app->boatPos;
  const glm::vec3 eye = app->camera.getEye();
  const double strikeMark = app->lastLightningTime;
  const float lifetime = app->lightning1.getLifetime();
  const float musicLevel = app->musicEngine->getSoundVolume();

  press(GLFW_KEY_P);
  ASSERT_TRUE(app->paused);
  EXPECT_LT(app->musicEngine->getSoundVolume(), musicLevel) << "the music plays on, quieter";
  EXPECT_GT(app->musicEngine->getSoundVolume(), 0.0f);
  simulate(3.0f, 0.02f);
  EXPECT_EQ(app->timeLeft, timeLeft);
  EXPECT_EQ(app->boatPos, boat);
  EXPECT_EQ(app->camera.getEye(), eye);
  EXPECT_EQ(app->lightning1.getLifetime(), lifetime);
  EXPECT_NEAR(app->lastLightningTime - strikeMark, 3.0, 1e-6) << "the strikes wait too";

  press(GLFW_KEY_P);
  EXPECT_FALSE(app->paused);
  EXPECT_EQ(app->musicEngine->getSoundVolume(), musicLevel);
  simulate(1.0f, 0.02f);
  EXPECT_NEAR(app->timeLeft, timeLeft - 1.0, 1e-4) << "the timer goes on from where it stood";
  EXPECT_NE(app->boatPos, boat);
}

TEST_F(PauseTest, OnlyARaceInProgressPauses) {
  const struct {
    const char* name;
    int gameState;
    bool gameOver;
    bool won;
    bool pauses;
  } cases[] = {
      {"start prompt", StartPrompt, false, false, false},
      {"intro", Intro, false, false, false},
      {"title", Title, false, false, false},
      {"racing", Playing, false, false, true},
      {"lost", Playing, true, false, false},
      {"won", Playing, false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    app->paused = false;
    app->gameState = c.gameState;
    app->gameOver = c.gameOver;
    app->won = c.won;
    press(GLFW_KEY_P);
    EXPECT_EQ(app->paused, c.pauses);
    app->setPaused(false);
  }
}

TEST_F(PauseTest, LosingTheFocusPausesAndEnterOrXEndsThePause) {
  startRun();
  app->focusCallback(window, GLFW_FALSE);
  EXPECT_TRUE(app->paused);
  app->focusCallback(window, GLFW_TRUE);
  EXPECT_TRUE(app->paused) << "coming back to the window waits for the player";
  press(GLFW_KEY_ENTER);
  EXPECT_FALSE(app->paused);
  EXPECT_EQ(app->gameState, Playing);

  press(GLFW_KEY_P);
  press(GLFW_KEY_X);
  EXPECT_FALSE(app->paused);
  EXPECT_TRUE(app->gameOver);
  press(GLFW_KEY_R);
  EXPECT_FALSE(app->paused);
  EXPECT_FALSE(app->gameOver);
}
