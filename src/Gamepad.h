#pragma once

// Gamepad play through GLFW's standard gamepad mappings: the left stick and the triggers steer
// and drive like W, S, A and D; the south button acts as Enter, the east button as R and Start
// as P. The pad is read once per frame and turned into the same key events the keyboard sends,
// so both work together.

#include <glad/gl.h>
#include <GLFW/glfw3.h>

// The driving keys a pad holds down this frame.
struct PadHeld {
  bool accelerate = false;  // W
  bool brake = false;       // S
  bool turnLeft = false;    // A
  bool turnRight = false;   // D
};

// Buttons that act once, on the frame they go down.
struct PadPressed {
  bool enter = false;
  bool restart = false;
  bool pause = false;
};

// How far a stick or trigger must move before it counts, so a worn stick resting slightly off
// centre does not steer.
constexpr float PadStickThreshold = 0.35f;
constexpr float PadTriggerThreshold = 0.0f;  // triggers rest at -1 and reach 1

PadHeld padHeld(const GLFWgamepadstate& state);

// Remembers the last state to find the buttons that went down since.
class GamepadButtons {
 public:
  PadPressed pressedSince(const GLFWgamepadstate& state);

 private:
  unsigned char previous[GLFW_GAMEPAD_BUTTON_LAST + 1] = {};
};
