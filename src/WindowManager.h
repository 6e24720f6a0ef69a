#pragma once

// The game's one window and the receiver its events are forwarded to.

#include <glad/gl.h>
#include <GLFW/glfw3.h>

// Receives the window's events. There is deliberately no virtual destructor: implementers are
// always deleted through their own type.
class EventCallbacks {
 public:
  virtual void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods) = 0;
  virtual void mouseCallback(GLFWwindow* window, int button, int action, int mods) = 0;
  virtual void resizeCallback(GLFWwindow* window, int width, int height) = 0;
  virtual void scrollCallback(GLFWwindow* window, double deltaX, double deltaY) = 0;
  virtual void cursorCallback(GLFWwindow* window, double xpos, double ypos) = 0;
  // The window gained (focused 1) or lost (0) the keyboard focus.
  virtual void focusCallback(GLFWwindow* /*window*/, int /*focused*/) {}
};

// Owns the one GLFW window and its GL context, and forwards GLFW's plain-function callbacks to
// one EventCallbacks receiver. Only the first live instance receives events.
class WindowManager {
 public:
  WindowManager();
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  bool init(int width, int height);
  void shutdown();
  void setEventCallbacks(EventCallbacks* callbacks_in);
  GLFWwindow* getHandle() const { return window; }
  // Between the window and fullscreen on the monitor the window stands on; the framebuffer size
  // event follows, as for any resize.
  void toggleFullscreen();
  bool isFullscreen() const;

  static WindowManager* getInstance() { return instance; }

  // GLFW's entry points; public so that event delivery can be exercised without a display.
  static void key_callback(GLFWwindow* window, int key, int scancode, int action, int mods);
  static void mouse_callback(GLFWwindow* window, int button, int action, int mods);
  static void resize_callback(GLFWwindow* window, int width, int height);
  static void scroll_callback(GLFWwindow* window, double deltaX, double deltaY);
  static void cursor_callback(GLFWwindow* window, double xpos, double ypos);
  static void focus_callback(GLFWwindow* window, int focused);

 private:
  static EventCallbacks* receiver();

  GLFWwindow* window = nullptr;
  EventCallbacks* callbacks = nullptr;
  // Where the window stood before it went fullscreen, to put it back.
  int windowedX = 0;
  int windowedY = 0;
  int windowedWidth = 0;
  int windowedHeight = 0;

  static WindowManager* instance;
};
