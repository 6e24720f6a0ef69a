// Driving the real game in a hidden window with scripted frames, for the capture and the frame
// benchmark.
#include "GameSession.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "FrameTiming.h"
#include "world/Random.h"

GameSession::~GameSession() {
  // The application releases GL objects, so it goes while the context still exists.
  application.reset();
  if (windowManager) {
    windowManager->shutdown();
  }
}

bool GameSession::open(const std::string& resourceDir) {
  // Every scripted session meets the same obstacle field and bolts, so two benchmark runs or
  // two sets of pictures can be compared.
  replayRandomSequence(ScriptedSessionSequence);
  application = std::make_unique<Application>();
  windowManager = std::make_unique<WindowManager>();
  if (!windowManager->init(1080, 810)) {
    std::cerr << "No OpenGL 3.3 window could be opened; is DISPLAY set?" << std::endl;
    application.reset();
    windowManager.reset();
    return false;
  }
  application->startUp(windowManager.get(), resourceDir);
  // A scripted session goes on whichever window has the focus; losing it must not pause the race.
  glfwSetWindowFocusCallback(windowManager->getHandle(), nullptr);
  return true;
}

void GameSession::drawFrame() {
  application->renderDepthPass();
  application->render();
}

void GameSession::finishFrame(float dt) {
  glfwSwapBuffers(window());
  glfwPollEvents();
  application->update(dt);
  *deltaTime = dt;
}

void GameSession::step(float dt) {
  drawFrame();
  finishFrame(dt);
}

void GameSession::press(int key) { application->keyCallback(window(), key, 0, GLFW_PRESS, 0); }

void GameSession::release(int key) { application->keyCallback(window(), key, 0, GLFW_RELEASE, 0); }

void GameSession::tap(int key) {
  press(key);
  release(key);
}

std::vector<unsigned char> GameSession::readBackBuffer(int& width, int& height) const {
  glfwGetFramebufferSize(window(), &width, &height);
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

bool enterExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    std::filesystem::current_path(executable.parent_path(), error);
  }
  if (error) {
    std::cerr << "Cannot run from the executable's directory: " << error.message() << std::endl;
    return false;
  }
  return true;
}
