// Turning a gamepad's sticks, triggers and buttons into the keys they stand for.
#include "Gamepad.h"

PadHeld padHeld(const GLFWgamepadstate& state) {
  const float stickX = state.axes[GLFW_GAMEPAD_AXIS_LEFT_X];
  const float stickY = state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y];  // up is negative
  PadHeld held;
  held.accelerate = state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] > PadTriggerThreshold ||
                    stickY < -PadStickThreshold;
  held.brake = state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] > PadTriggerThreshold ||
               stickY > PadStickThreshold;
  held.turnLeft = stickX < -PadStickThreshold ||
                  state.buttons[GLFW_GAMEPAD_BUTTON_DPAD_LEFT] == GLFW_PRESS;
  held.turnRight = stickX > PadStickThreshold ||
                   state.buttons[GLFW_GAMEPAD_BUTTON_DPAD_RIGHT] == GLFW_PRESS;
  return held;
}

PadPressed GamepadButtons::pressedSince(const GLFWgamepadstate& state) {
  const auto wentDown = [&](int button) {
    return state.buttons[button] == GLFW_PRESS && previous[button] != GLFW_PRESS;
  };
  PadPressed pressed;
  pressed.enter = wentDown(GLFW_GAMEPAD_BUTTON_A);
  pressed.restart = wentDown(GLFW_GAMEPAD_BUTTON_B);
  pressed.pause = wentDown(GLFW_GAMEPAD_BUTTON_START);
  for (int button = 0; button <= GLFW_GAMEPAD_BUTTON_LAST; ++button) {
    previous[button] = state.buttons[button];
  }
  return pressed;
}
