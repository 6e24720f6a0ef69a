#include "WindowManager.h"

#include <iostream>

WindowManager* WindowManager::instance = nullptr;

namespace {
void error_callback(int /*error*/, const char* description) { std::cerr << description << std::endl; }
}  // namespace

WindowManager::WindowManager() {
  if (instance != nullptr) {
    std::cerr << "One instance of WindowManager has already been created, event callbacks of new "
                 "instance will not work."
              << std::endl;
  } else {
    instance = this;
  }
}

WindowManager::~WindowManager() {
  if (instance == this) {
    instance = nullptr;
  }
}

bool WindowManager::init(int width, int height) {
  glfwSetErrorCallback(error_callback);
  if (!glfwInit()) {
    return false;
  }
  glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GL_TRUE);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);

  window = glfwCreateWindow(width, height, "Galeskerry", nullptr, nullptr);
  if (window == nullptr) {
    glfwTerminate();
    return false;
  }
  glfwMakeContextCurrent(window);

  if (!gladLoaderLoadGL()) {
    std::cerr << "Failed to initialize GLAD" << std::endl;
    return false;
  }
  std::cout << "OpenGL version: " << glGetString(GL_VERSION) << std::endl;
  std::cout << "GLSL version: " << glGetString(GL_SHADING_LANGUAGE_VERSION) << std::endl;

  glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);

  glfwSetKeyCallback(window, key_callback);
  glfwSetMouseButtonCallback(window, mouse_callback);
  glfwSetFramebufferSizeCallback(window, resize_callback);
  glfwSetScrollCallback(window, scroll_callback);
  glfwSetCursorPosCallback(window, cursor_callback);
  return true;
}

void WindowManager::shutdown() {
  glfwDestroyWindow(window);
  window = nullptr;
  glfwTerminate();
}

void WindowManager::setEventCallbacks(EventCallbacks* callbacks_in) { callbacks = callbacks_in; }

EventCallbacks* WindowManager::receiver() {
  return instance != nullptr ? instance->callbacks : nullptr;
}

void WindowManager::key_callback(GLFWwindow* window, int key, int scancode, int action, int mods) {
  if (EventCallbacks* target = receiver()) {
    target->keyCallback(window, key, scancode, action, mods);
  }
}

void WindowManager::mouse_callback(GLFWwindow* window, int button, int action, int mods) {
  if (EventCallbacks* target = receiver()) {
    target->mouseCallback(window, button, action, mods);
  }
}

void WindowManager::resize_callback(GLFWwindow* window, int width, int height) {
  if (EventCallbacks* target = receiver()) {
    target->resizeCallback(window, width, height);
  }
}

void WindowManager::scroll_callback(GLFWwindow* window, double deltaX, double deltaY) {
  if (EventCallbacks* target = receiver()) {
    target->scrollCallback(window, deltaX, deltaY);
  }
}

void WindowManager::cursor_callback(GLFWwindow* window, double xpos, double ypos) {
  if (EventCallbacks* target = receiver()) {
    target->cursorCallback(window, xpos, ypos);
  }
}
