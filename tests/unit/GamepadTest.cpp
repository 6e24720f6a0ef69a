// Gamepad sticks, triggers and buttons map onto the driving keys and act once per press,
// so a pad drives the boat as the keyboard does.
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "Gamepad.h"

namespace {

GLFWgamepadstate restingPad() {
  GLFWgamepadstate state{};
  state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = -1.0f;
  state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
  return state;
}

struct HeldCase {
  const char* name;
  float stickX;
  float stickY;
  float leftTrigger;
  float rightTrigger;
  int button;  // held d-pad button, or -1
  PadHeld expected;
};

TEST(Gamepad, SticksTriggersAndPadHoldTheDrivingKeys) {
  const HeldCase cases[] = {
      {"resting", 0.0f, 0.0f, -1.0f, -1.0f, -1, {}},
      {"worn stick inside the dead zone", 0.3f, -0.3f, -1.0f, -1.0f, -1, {}},
      {"right trigger half way", 0.0f, 0.0f, -1.0f, 0.1f, -1, {true, false, false, false}},
      {"left trigger", 0.0f, 0.0f, 1.0f, -1.0f, -1, {false, true, false, false}},
      {"stick up", 0.0f, -0.9f, -1.0f, -1.0f, -1, {true, false, false, false}},
      {"stick down", 0.0f, 0.9f, -1.0f, -1.0f, -1, {false, true, false, false}},
      {"stick left", -0.8f, 0.0f, -1.0f, -1.0f, -1, {false, false, true, false}},
      {"stick right while driving", 0.8f, 0.0f, -1.0f, 1.0f, -1, {true, false, false, true}},
      {"d-pad left", 0.0f, 0.0f, -1.0f, -1.0f, GLFW_GAMEPAD_BUTTON_DPAD_LEFT,
       {false, false, true, false}},
      {"d-pad right", 0.0f, 0.0f, -1.0f, -1.0f, GLFW_GAMEPAD_BUTTON_DPAD_RIGHT,
       {false, false, false, true}},
  };
  for (const HeldCase& c : cases) {
    SCOPED_TRACE(c.name);
    GLFWgamepadstate state = restingPad();
    state.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = c.stickX;
    state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = c.stickY;
    state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = c.leftTrigger;
    state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = c.rightTrigger;
    if (c.button >= 0) {
      state.buttons[c.button] = GLFW_PRESS;
    }
    const PadHeld held = padHeld(state);
    EXPECT_EQ(held.accelerate, c.expected.accelerate);
    EXPECT_EQ(held.brake, c.expected.brake);
    EXPECT_EQ(held.turnLeft, c.expected.turnLeft);
    EXPECT_EQ(held.turnRight, c.expected.turnRight);
  }
}

TEST(Gamepad, ButtonsActOnceWhenTheyGoDown) {
  struct Step {
    int heldButton;  // -1 for none
    PadPressed expected;
  };
  const Step steps[] = {
      {GLFW_GAMEPAD_BUTTON_A, {true, false, false}},      // south: Enter
      {GLFW_GAMEPAD_BUTTON_A, {false, false, false}},     // still held: nothing more
      {-1, {false, false, false}},                        // released
      {GLFW_GAMEPAD_BUTTON_B, {false, true, false}},      // east: R
      {GLFW_GAMEPAD_BUTTON_START, {false, false, true}},  // Start: pause
      {GLFW_GAMEPAD_BUTTON_X, {false, false, false}},     // unbound
  };
  GamepadButtons buttons;
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    GLFWgamepadstate state = restingPad();
    if (steps[i].heldButton >= 0) {
      state.buttons[steps[i].heldButton] = GLFW_PRESS;
    }
    const PadPressed pressed = buttons.pressedSince(state);
    EXPECT_EQ(pressed.enter, steps[i].expected.enter);
    EXPECT_EQ(pressed.restart, steps[i].expected.restart);
    EXPECT_EQ(pressed.pause, steps[i].expected.pause);
  }
}

}  // namespace
