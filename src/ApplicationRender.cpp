#include "Application.h"

void Application::initShadowMap() {}

void Application::initQuad() {}

void Application::initFramebuffer() {}

void Application::renderDepthPass() {}

void Application::render() {
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(windowManager->getHandle(), &width, &height);
  glViewport(0, 0, width, height);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
