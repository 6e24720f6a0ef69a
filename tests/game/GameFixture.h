#pragma once

// The fixture the game tests share, so each starts from a fresh run without repeating the
// start-up steps.
#include "Application.h"
#include "GLTestContext.h"

// A fresh Application on the shared test window, placed at the start of a run in phase 3.
// The sound engines use OpenAL Soft's silent null device.
class GameTest : public GLTest {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Starts a run as Enter on the title screen does.
  void startRun();
  // Runs update() for the given time in frames of dt seconds.
  void simulate(float seconds, float dt);
  // The shadow map, the models and the shader programs, built as start-up builds them, with
  // start-up's console lines kept out of the test output.
  void buildScene();
  void press(int key);
  void release(int key);

  Application* app = nullptr;
  GLFWwindow* window = nullptr;
};
