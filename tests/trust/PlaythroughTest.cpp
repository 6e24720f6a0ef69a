// A whole session of the real game, driven by scripted keys: every phase, every way a run ends,
// the debug keys, the window changes and the quit. It also runs in the sanitizer build, where
// any out-of-bounds access or undefined behaviour on these paths stops it.
#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "GameRun.h"

using Playthrough = GameRun;

namespace {
// What the game prints when something went wrong; a clean session prints none of it.
const char* const BadSigns[] = {"ERROR",      "Error",     "GL_INVALID", "not complete",
                                "ould not",   "failed",    "not found",  "must have",
                                "must be a",  "is not a"};
}  // namespace

TEST_F(Playthrough, AWholeSessionFromThePromptToEscape) {
  const std::string startUp = startGame();
  for (const char* bad : BadSigns) {
    EXPECT_EQ(startUp.find(bad), std::string::npos) << bad << " in:\n" << startUp;
  }
  watchOutput();

  // Start prompt, then the intro played to its end: it hands over to the title by itself.
  play(1.0f);
  ASSERT_EQ(app->gameState, StartPrompt);
  tap(GLFW_KEY_ENTER);
  ASSERT_EQ(app->gameState, Intro);
  // The intro's clock runs with drawn frames, so this part draws every one.
  play(6.0f, 1);
  EXPECT_EQ(app->gameState, Intro) << "the first story line is still showing";
  app->introTime = 32.3;
  play(0.5f, 1);
  ASSERT_EQ(app->gameState, Title) << "the intro ends in the title";

  // A race with steering, then X.
  tap(GLFW_KEY_ENTER);
  ASSERT_EQ(app->gameState, Playing);
  tap(GLFW_KEY_C);  // no hits: the field is random, the script is not
  press(GLFW_KEY_W);
  press(GLFW_KEY_A);
  play(2.0f);
  release(GLFW_KEY_A);
  press(GLFW_KEY_D);
  play(2.0f);
  release(GLFW_KEY_D);
  release(GLFW_KEY_W);
  EXPECT_GT(app->boatSpeed, 0.0f);
  tap(GLFW_KEY_C);
  tap(GLFW_KEY_X);
  EXPECT_TRUE(app->gameOver);
  play(1.0f);

  // Restart, then lose on a short clock.
  tap(GLFW_KEY_R);
  ASSERT_FALSE(app->gameOver);
  app->timeLeft = 1.0;
  play(1.5f);
  EXPECT_TRUE(app->gameOver) << "the timer ran out";
  EXPECT_FALSE(app->won);

  // Restart, and win next to the lighthouse.
  tap(GLFW_KEY_R);
  ASSERT_FALSE(app->gameOver);
  app->boatPos = app->lighthousePos + glm::vec3(0.0f, 0.0f, -15.0f);
  play(0.5f);
  EXPECT_TRUE(app->won);
  EXPECT_FALSE(app->gameOver);
  play(1.0f);

  // Another run through the title, with the intro skipped this time, and the debug keys held.
  tap(GLFW_KEY_R);
  app->gameState = StartPrompt;
  tap(GLFW_KEY_ENTER);
  tap(GLFW_KEY_ENTER);
  ASSERT_EQ(app->gameState, Title) << "Enter skips the intro";
  tap(GLFW_KEY_ENTER);
  ASSERT_EQ(app->gameState, Playing);
  tap(GLFW_KEY_C);
  press(GLFW_KEY_Q);
  press(GLFW_KEY_Z);
  play(1.0f, 2);
  release(GLFW_KEY_Z);
  release(GLFW_KEY_Q);
  tap(GLFW_KEY_1);
  tap(GLFW_KEY_1);
  EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_DISABLED);
  tap(GLFW_KEY_P);
  play(0.5f);
  tap(GLFW_KEY_P);

  // The window changes size, is minimised and comes back.
  glfwSetWindowSize(window, 800, 600);
  play(0.5f, 1);
  glfwSetWindowSize(window, 1080, 810);
  play(0.5f, 1);
  glfwIconifyWindow(window);
  play(0.5f, 1);
  glfwRestoreWindow(window);
  play(0.5f, 1);

  tap(GLFW_KEY_ESCAPE);
  EXPECT_TRUE(glfwWindowShouldClose(window));
  const std::string printed = stopWatching();
  for (const char* bad : BadSigns) {
    EXPECT_EQ(printed.find(bad), std::string::npos) << bad << " in:\n" << printed;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
