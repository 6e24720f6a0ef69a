// The GLFW window: opening the OpenGL 3.3 core context and forwarding its events.
#include "WindowManager.h"

#include <malloc.h>

#include <iostream>

WindowManager* WindowManager::instance = nullptr;

namespace {

// A software rasteriser allocates its bins and vertex buffers afresh for every frame and frees
// them at its end. With the C library's defaults, blocks above a threshold that adapts at run
// time are mapped and unmapped each time, and the top of the heap is handed back to the system,
// so every frame pays again for zeroed pages: half a race frame's work for its first seconds,
// until the threshold happens to adapt. Fixed thresholds (the largest mapping threshold the
// library accepts) keep that memory for reuse from the first frame on.
void keepFreedMemoryForReuse() {
  constexpr int MappedFromBytes = 32 * 1024 * 1024;
  constexpr int ReturnedFromBytes = 512 * 1024 * 1024;
  if (mallopt(M_MMAP_THRESHOLD, MappedFromBytes) == 0 ||
      mallopt(M_TRIM_THRESHOLD, ReturnedFromBytes) == 0) {
    std::cerr << "Could not set the memory allocator's thresholds; frames may be slower."
              << std::endl;
  }
}

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
  keepFreedMemoryForReuse();
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
  glfwSetWindowFocusCallback(window, focus_callback);
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

void WindowManager::focus_callback(GLFWwindow* window, int focused) {
  if (EventCallbacks* target = receiver()) {
    target->focusCallback(window, focused);
  }
}

bool WindowManager::isFullscreen() const {
  return window != nullptr && glfwGetWindowMonitor(window) != nullptr;
}

void WindowManager::toggleFullscreen() {
  if (window == nullptr) {
    return;
  }
  if (isFullscreen()) {
    glfwSetWindowMonitor(window, nullptr, windowedX, windowedY, windowedWidth, windowedHeight,
                         GLFW_DONT_CARE);
    return;
  }
  glfwGetWindowPos(window, &windowedX, &windowedY);
  glfwGetWindowSize(window, &windowedWidth, &windowedHeight);
  // The monitor under the window's centre; the primary one when the centre is off every screen.
  const int centreX = windowedX + windowedWidth / 2;
  const int centreY = windowedY + windowedHeight / 2;
  GLFWmonitor* target = glfwGetPrimaryMonitor();
  int count = 0;
  GLFWmonitor** monitors = glfwGetMonitors(&count);
  for (int i = 0; i < count; ++i) {
    int x = 0;
    int y = 0;
    glfwGetMonitorPos(monitors[i], &x, &y);
    const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
    if (mode != nullptr && centreX >= x && centreX < x + mode->width && centreY >= y &&
        centreY < y + mode->height) {
      target = monitors[i];
      break;
    }
  }
  const GLFWvidmode* mode = target != nullptr ? glfwGetVideoMode(target) : nullptr;
  if (mode == nullptr) {
    return;
  }
  glfwSetWindowMonitor(window, target, 0, 0, mode->width, mode->height, mode->refreshRate);
}

void WindowManager::cursor_callback(GLFWwindow* window, double xpos, double ypos) {
  if (EventCallbacks* target = receiver()) {
    target->cursorCallback(window, xpos, ypos);
  }
}
