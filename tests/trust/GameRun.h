#pragma once

// The fixture of the whole-game tests: the real game started and played frame by frame,
// with its output, voices and memory watched.
#include <memory>
#include <string>

#include "Application.h"
#include "CaptureOutput.h"
#include "GLTestContext.h"

// The real game in the test window, started as its entry point starts it and stepped frame by
// frame through the entry point's loop, with keys delivered as GLFW delivers them.
class GameRun : public GLTest {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Start-up from the resource directory; returns what it printed on both streams.
  std::string startGame(const std::string& resourceDir = "../resources");
  // One turn of the frame loop with a frame time of dt seconds.
  void frame(float dt = 1.0f / 30.0f);
  // Game time in steps of dt, drawing every drawEvery-th step (drawing is what costs).
  void play(float seconds, int drawEvery = 6, float dt = 1.0f / 30.0f);
  void tap(int key);
  void press(int key);
  void release(int key);
  // Collects what the game prints from here on; a failing test shows it (and gtest's own report,
  // which lands in the same streams) when it ends.
  void watchOutput();
  std::string stopWatching();

  GLFWwindow* window = nullptr;
  std::unique_ptr<Application> app;

 private:
  std::unique_ptr<CaptureStdout> watchedOut;
  std::unique_ptr<CaptureStderr> watchedErr;
};

// Live OpenAL sources: one per voice that is playing or waiting to be reclaimed.
int liveSoundSources();
// Resident memory of this process in kilobytes.
long residentKilobytes();
// Memory the process has allocated and not given back, in kilobytes.
long allocatedKilobytes();
