#pragma once

// Runs the real game in its own window the way its frame loop does, with key presses from a
// script instead of a player; the scene capture and the frame benchmark are built on it. Every
// session draws the same obstacle field and the same bolts.

#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "WindowManager.h"

// Where every scripted session's random sequence begins.
constexpr unsigned int ScriptedSessionSequence = 1853;

class GameSession {
 public:
  GameSession() = default;
  ~GameSession();
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // Opens the 1080 × 810 window and runs the game's start-up on resourceDir. Returns false,
  // having said why, when there is no window.
  bool open(const std::string& resourceDir);

  // The first half of a frame: the shadow pass and the frame itself, left in the back buffer.
  void drawFrame();
  // The second half: swap, event poll and a simulation step of dt seconds.
  void finishFrame(float dt);
  // A whole frame simulating dt seconds.
  void step(float dt);

  void press(int key);
  void release(int key);
  void tap(int key);

  // The back buffer as tightly packed RGB rows, bottom row first; width and height are set.
  std::vector<unsigned char> readBackBuffer(int& width, int& height) const;

  Application& game() { return *application; }
  GLFWwindow* window() const { return windowManager->getHandle(); }

 private:
  std::unique_ptr<WindowManager> windowManager;
  std::unique_ptr<Application> application;
};

// The game reads some files at paths relative to its bin directory; tools run from there too,
// wherever they were started. Returns false, having said why, when that is not possible.
bool enterExecutableDirectory();
