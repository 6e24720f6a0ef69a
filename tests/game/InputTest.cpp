// Keys, mouse and window events as the player sends them: held keys, toggles, phase
// changes, restarts and resizes, so no key sticks or acts twice and no event breaks a run.
#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "GameFixture.h"

using InputTest = GameTest;

TEST_F(InputTest, HeldKeysFollowPressAndReleaseAndIgnoreRepeats) {
  const struct {
    int key;
    bool Application::*flag;
  } bindings[] = {
      {GLFW_KEY_W, &Application::keyW}, {GLFW_KEY_S, &Application::keyS},
      {GLFW_KEY_A, &Application::keyA}, {GLFW_KEY_D, &Application::keyD},
      {GLFW_KEY_Q, &Application::showBoxes},
  };
  for (const auto& b : bindings) {
    press(b.key);
    EXPECT_TRUE(app->*b.flag) << b.key;
    app->keyCallback(window, b.key, 0, GLFW_REPEAT, 0);
    EXPECT_TRUE(app->*b.flag) << b.key;
    release(b.key);
    EXPECT_FALSE(app->*b.flag) << b.key;
    app->keyCallback(window, b.key, 0, GLFW_REPEAT, 0);
    EXPECT_FALSE(app->*b.flag) << b.key;
  }
}

TEST_F(InputTest, ToggleKeysActOnPressOnly) {
  press(GLFW_KEY_C);
  release(GLFW_KEY_C);
  app->keyCallback(window, GLFW_KEY_C, 0, GLFW_REPEAT, 0);
  EXPECT_TRUE(app->fastMode);
  press(GLFW_KEY_C);
  EXPECT_FALSE(app->fastMode);

  ASSERT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_DISABLED);
  press(GLFW_KEY_1);
  EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_NORMAL);
  press(GLFW_KEY_1);
  EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_DISABLED);

  press(GLFW_KEY_ESCAPE);
  EXPECT_TRUE(glfwWindowShouldClose(window));
  glfwSetWindowShouldClose(window, GLFW_FALSE);
}

TEST_F(InputTest, EnterWalksThroughThePhasesIntoARun) {
  EXPECT_EQ(app->gameState, StartPrompt);
  const int expected[] = {Intro, Title, Playing, Playing};
  for (const int phase : expected) {
    press(GLFW_KEY_ENTER);
    release(GLFW_KEY_ENTER);
    EXPECT_EQ(app->gameState, phase);
  }
  EXPECT_EQ(app->timeLeft, 90.0);
  EXPECT_FALSE(app->gameOver);
}

TEST_F(InputTest, XLosesAndROnlyRestartsAFinishedRunInEveryPhase) {
  for (const int phase : {StartPrompt, Intro, Title, Playing}) {
    app->gameState = phase;
    press(GLFW_KEY_R);
    EXPECT_FALSE(app->gameOver) << phase;
    app->timeLeft = 42.0;
    press(GLFW_KEY_R);
    EXPECT_EQ(app->timeLeft, 42.0) << "R restarts only a finished run";

    press(GLFW_KEY_X);
    EXPECT_TRUE(app->gameOver) << phase;
    app->boatPos = glm::vec3(10.0f, -3.0f, 10.0f);
    app->keyW = true;
    press(GLFW_KEY_R);
    EXPECT_FALSE(app->gameOver) << phase;
    EXPECT_EQ(app->gameState, phase);
    EXPECT_EQ(app->timeLeft, 90.0);
    EXPECT_EQ(app->boatPos, glm::vec3(0.0f, 1.0f, -225.0f));
    EXPECT_FALSE(app->keyW) << "a reset sees held keys as released";
  }
  app->won = true;
  press(GLFW_KEY_R);
  EXPECT_FALSE(app->won);
}

TEST_F(InputTest, FastModeSurvivesARestart) {
  press(GLFW_KEY_C);
  startRun();
  EXPECT_TRUE(app->fastMode);
  press(GLFW_KEY_X);
  press(GLFW_KEY_R);
  EXPECT_TRUE(app->fastMode);
}

TEST_F(InputTest, AZeroSizeResizeIsIgnoredUntilARealSizeReturns) {
  app->resizeCallback(window, 0, 0);
  app->resizeCallback(window, 1080, 0);
  GLint viewport[4] = {};
  app->resizeCallback(window, 640, 480);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
  app->resizeCallback(window, 0, 0);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 640);
  const glm::vec4 corner = app->textRenderer.projection * glm::vec4(640.0f, 480.0f, 0.0f, 1.0f);
  EXPECT_NEAR(corner.x, 1.0f, 1e-6f);
  EXPECT_NEAR(corner.y, 1.0f, 1e-6f);
}

TEST_F(InputTest, TheFirstCursorEventMeasuresFromTheWindowCentre) {
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(window, &width, &height);
  const float pitchBefore = app->camera.pitch;
  app->cursorCallback(window, width / 2.0, height / 2.0 - 240.0);
  EXPECT_FLOAT_EQ(app->camera.pitch, pitchBefore + 0.25f * 1.4137163f);
  EXPECT_FALSE(app->firstMouse);
  app->cursorCallback(window, width / 2.0, height / 2.0 - 240.0);
  EXPECT_FLOAT_EQ(app->camera.pitch, pitchBefore + 0.25f * 1.4137163f);

  CaptureStdout capturedStdout;
  app->scrollCallback(window, 0.0, -1.5);
  EXPECT_EQ(capturedStdout.stop(), "-1.5\n");
}
