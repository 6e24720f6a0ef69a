// Frame composition: the off-screen target, the order of passes in one frame, the sky box and
// the post-processing pass to the window.
#include "Application.h"

void Application::initQuad() {}

void Application::initFramebuffer() {}

void Application::render() {
  int width = 0;
  int height = 0;
  glfwGetFramebufferSize(windowManager->getHandle(), &width, &height);
  glViewport(0, 0, width, height);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Application::drawSkybox(std::shared_ptr<MatrixStack> /*Model*/, const glm::mat4& /*View*/,
                             std::shared_ptr<MatrixStack> /*Projection*/) {}

void Application::drawPostProcess(GLuint /*texture*/, const glm::vec2& /*resolution*/) {}
