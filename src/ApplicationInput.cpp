// Input: the keyboard, mouse, scroll, resize and focus events the window forwards, and pausing
// a race.
#include <iostream>

#include <glm/gtc/matrix_transform.hpp>

#include "Application.h"
#include "Story.h"

void Application::keyCallback(GLFWwindow* window, int key, int /*scancode*/, int action,
                              int /*mods*/) {
  int width = 0;
  int height = 0;
  glfwGetWindowSize(window, &width, &height);
  const bool pressed = action == GLFW_PRESS;
  const bool released = action == GLFW_RELEASE;

  if (key == GLFW_KEY_ESCAPE && pressed) {
    glfwSetWindowShouldClose(window, GL_TRUE);
  }
  if (key == GLFW_KEY_1 && pressed) {
    GLFWwindow* handle = windowManager->getHandle();
    const bool captured = glfwGetInputMode(handle, GLFW_CURSOR) == GLFW_CURSOR_DISABLED;
    glfwSetInputMode(handle, GLFW_CURSOR, captured ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);
  }
  if (key == GLFW_KEY_Z && pressed) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  }
  if (key == GLFW_KEY_Z && released) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  }
  if (key == GLFW_KEY_C && pressed) {
    fastMode = !fastMode;
  }
  if (key == GLFW_KEY_X && pressed) {
    setPaused(false);
    endRun(RunEnd::GaveUp);
  }
  for (const auto& [boundKey, held] :
       {std::pair{GLFW_KEY_A, &keyA}, std::pair{GLFW_KEY_D, &keyD}, std::pair{GLFW_KEY_W, &keyW},
        std::pair{GLFW_KEY_S, &keyS}}) {
    if (key == boundKey && pressed) {
      *held = true;
    }
    if (key == boundKey && released) {
      *held = false;
    }
  }
  if (key == GLFW_KEY_R && pressed && (gameOver || won)) {
    resetGame(height, width);
  }
  if (key == GLFW_KEY_Q && pressed) {
    showBoxes = true;
  }
  if (key == GLFW_KEY_Q && released) {
    showBoxes = false;
  }
  if (key == GLFW_KEY_ENTER && pressed) {
    if (gameState == StartPrompt) {
      gameState = Intro;
    } else if (gameState == Intro) {
      startTitle();
    } else if (gameState == Title) {
      gameState = Playing;
      resetGame(height, width);
    } else if (paused) {
      setPaused(false);
    }
  }
  if (key == GLFW_KEY_P && pressed) {
    setPaused(!paused);
  }
  if (key == GLFW_KEY_F11 && pressed) {
    windowManager->toggleFullscreen();
  }
}

void Application::focusCallback(GLFWwindow* /*window*/, int focused) {
  if (focused == GLFW_FALSE) {
    setPaused(true);
  }
}

void Application::setPaused(bool pause) {
  constexpr float PausedMusicLevel = 0.35f;
  const bool racing = gameState == Playing && !gameOver && !won;
  if (pause && !paused && racing) {
    paused = true;
    musicVolumeBeforePause = musicEngine->getSoundVolume();
    musicEngine->setSoundVolume(PausedMusicLevel * musicVolumeBeforePause);
  } else if (!pause && paused) {
    paused = false;
    musicEngine->setSoundVolume(musicVolumeBeforePause);
  }
}

void Application::pollGamepad() {
  GLFWgamepadstate state{};
  bool connected = false;
  for (int pad = GLFW_JOYSTICK_1; pad <= GLFW_JOYSTICK_LAST && !connected; ++pad) {
    connected = glfwJoystickIsGamepad(pad) == GLFW_TRUE &&
                glfwGetGamepadState(pad, &state) == GLFW_TRUE;
  }
  if (!connected) {
    // A pad unplugged while a trigger was held lets go of its keys.
    state = GLFWgamepadstate{};
    state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = -1.0f;
    state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
  }
  GLFWwindow* window = windowManager->getHandle();
  const PadHeld held = padHeld(state);
  // Only changes are sent, so the keyboard keeps working beside the pad.
  const auto follow = [&](bool now, bool before, int key) {
    if (now != before) {
      keyCallback(window, key, 0, now ? GLFW_PRESS : GLFW_RELEASE, 0);
    }
  };
  follow(held.accelerate, padWasHeld.accelerate, GLFW_KEY_W);
  follow(held.brake, padWasHeld.brake, GLFW_KEY_S);
  follow(held.turnLeft, padWasHeld.turnLeft, GLFW_KEY_A);
  follow(held.turnRight, padWasHeld.turnRight, GLFW_KEY_D);
  padWasHeld = held;

  const PadPressed pressed = gamepadButtons.pressedSince(state);
  for (const auto& [wanted, key] : {std::pair{pressed.enter, GLFW_KEY_ENTER},
                                    std::pair{pressed.restart, GLFW_KEY_R},
                                    std::pair{pressed.pause, GLFW_KEY_P}}) {
    if (wanted) {
      keyCallback(window, key, 0, GLFW_PRESS, 0);
    }
  }
}

void Application::mouseCallback(GLFWwindow* window, int /*button*/, int action, int /*mods*/) {
  if (action == GLFW_PRESS) {
    double posX = 0.0;
    double posY = 0.0;
    glfwGetCursorPos(window, &posX, &posY);
  }
}

void Application::resizeCallback(GLFWwindow* /*window*/, int width, int height) {
  // A minimised window reports a zero size; the size-dependent resources are rebuilt when a real
  // size comes back.
  if (width <= 0 || height <= 0) {
    return;
  }
  glViewport(0, 0, width, height);
  textRenderer.projection =
      glm::ortho(0.0f, static_cast<float>(width), 0.0f, static_cast<float>(height));
  if (!gameOver && !won) {
    textRenderer.setTextWidth(RacingTitle, 0.8f * textScaleFor(width));
  }
  shadowMap.init(width, height);
  initFramebuffer();
}

void Application::scrollCallback(GLFWwindow* /*window*/, double /*deltaX*/, double deltaY) {
  std::cout << deltaY << std::endl;
}

void Application::cursorCallback(GLFWwindow* /*window*/, double xpos, double ypos) {
  if (firstMouse) {
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(windowManager->getHandle(), &width, &height);
    lastX = static_cast<float>(width) / 2.0f;
    lastY = static_cast<float>(height) / 2.0f;
    firstMouse = false;
  }
  const float dx = static_cast<float>(xpos) - lastX;
  const float dy = lastY - static_cast<float>(ypos);
  lastX = static_cast<float>(xpos);
  lastY = static_cast<float>(ypos);
  camera.mouseLook(dx, dy);
}
