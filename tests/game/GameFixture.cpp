// Sets up the shared game fixture: a fresh Application on the test window, silent sound,
// and helpers that start a run, press keys and step the simulation.
#include "GameFixture.h"

#include <cstdlib>

#include "CaptureOutput.h"

void GameTest::SetUpTestSuite() {
  setenv("ALSOFT_DRIVERS", "null", 0);
  GLTest::SetUpTestSuite();
}

void GameTest::SetUp() {
  GLTest::SetUp();
  window = windowManager->getHandle();
  glfwSetWindowShouldClose(window, GLFW_FALSE);
  app = new Application();
  app->windowManager = windowManager;
  app->resetGame(810, 1080);
  app->lighthouseCell = glm::vec3(50.0f, 0.0f, 95.0f);
  app->lighthousePos = lighthouseWorldPosition(app->lighthouseCell);
}

void GameTest::TearDown() {
  delete app;
  app = nullptr;
}

void GameTest::startRun() {
  app->gameState = Title;
  press(GLFW_KEY_ENTER);
  release(GLFW_KEY_ENTER);
}

void GameTest::simulate(float seconds, float dt) {
  const int frames = static_cast<int>(seconds / dt + 0.5f);
  for (int i = 0; i < frames; ++i) {
    app->update(dt);
  }
}

void GameTest::buildScene() {
  CaptureStdout quiet;
  app->initShadowMap();
  app->initGeom(GALESKERRY_RESOURCE_DIR);
  app->initShaders(GALESKERRY_RESOURCE_DIR);
}

void GameTest::press(int key) { app->keyCallback(window, key, 0, GLFW_PRESS, 0); }

void GameTest::release(int key) { app->keyCallback(window, key, 0, GLFW_RELEASE, 0); }
