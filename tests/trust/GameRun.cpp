// Drives the real game through its frame loop for the whole-game tests, and measures the
// sound voices and memory a run leaves behind.
#include "GameRun.h"

#include <AL/al.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "CaptureOutput.h"
#include "FrameTiming.h"

void GameRun::SetUpTestSuite() {
  setenv("ALSOFT_DRIVERS", "null", 0);
  GLTest::SetUpTestSuite();
}

void GameRun::SetUp() {
  GLTest::SetUp();
  window = windowManager->getHandle();
  glfwSetWindowShouldClose(window, GLFW_FALSE);
}

void GameRun::TearDown() {
  const std::string printed = stopWatching();
  if (HasFailure()) {
    std::fputs(printed.c_str(), stdout);
  }
  windowManager->setEventCallbacks(nullptr);
  app.reset();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glfwSetWindowShouldClose(window, GLFW_FALSE);
}

std::string GameRun::startGame(const std::string& resourceDir) {
  app = std::make_unique<Application>();
  CaptureStderr errors;
  CaptureStdout out;
  app->startUp(windowManager, resourceDir);
  // Other test windows come and go beside this one; a scripted race must not pause when they
  // take the focus.
  glfwSetWindowFocusCallback(window, nullptr);
  const std::string printed = out.stop();
  return printed + errors.stop();
}

void GameRun::frame(float dt) {
  app->renderDepthPass();
  app->render();
  glfwSwapBuffers(window);
  glfwPollEvents();
  app->pollGamepad();
  app->update(dt);
  *deltaTime = static_cast<double>(dt);
}

void GameRun::play(float seconds, int drawEvery, float dt) {
  const int steps = static_cast<int>(seconds / dt + 0.5f);
  for (int i = 0; i < steps; ++i) {
    if (i % drawEvery == 0) {
      frame(dt);
    } else {
      glfwPollEvents();
      app->update(dt);
      *deltaTime = static_cast<double>(dt);
    }
  }
}

void GameRun::press(int key) { app->keyCallback(window, key, 0, GLFW_PRESS, 0); }

void GameRun::release(int key) { app->keyCallback(window, key, 0, GLFW_RELEASE, 0); }

void GameRun::tap(int key) {
  press(key);
  release(key);
}

void GameRun::watchOutput() {
  watchedOut = std::make_unique<CaptureStdout>();
  watchedErr = std::make_unique<CaptureStderr>();
}

std::string GameRun::stopWatching() {
  std::string printed;
  if (watchedErr) {
    printed += watchedErr->stop();
  }
  if (watchedOut) {
    printed = watchedOut->stop() + printed;
  }
  watchedOut.reset();
  watchedErr.reset();
  return printed;
}

int liveSoundSources() {
  int live = 0;
  for (ALuint name = 1; name < 4096; ++name) {
    live += alIsSource(name) == AL_TRUE ? 1 : 0;
  }
  return live;
}

long allocatedKilobytes() {
  const struct mallinfo2 heap = mallinfo2();
  return static_cast<long>((heap.uordblks + heap.hblkhd) / 1024);
}

long residentKilobytes() {
  std::ifstream status("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  status >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE) / 1024;
}
