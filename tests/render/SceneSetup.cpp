// The camera and window read-back of the scene tests, and their use of the frame's own uniform
// upload.
#include "SceneSetup.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

constexpr int WindowWidth = 1080;
constexpr int WindowHeight = 810;

}  // namespace

glm::mat4 TestFrame::projection() const {
  return glm::perspective(1.0177f, static_cast<float>(WindowWidth) / WindowHeight, 0.01f, 1000.0f);
}

glm::mat4 TestFrame::view() const { return glm::lookAt(eye, target, glm::vec3(0.0f, 1.0f, 0.0f)); }

glm::ivec2 TestFrame::toPixel(const glm::vec3& world) const {
  const glm::vec4 clip = projection() * view() * glm::vec4(world, 1.0f);
  const glm::vec2 ndc = glm::vec2(clip) / clip.w;
  return glm::ivec2((ndc.x * 0.5f + 0.5f) * WindowWidth, (ndc.y * 0.5f + 0.5f) * WindowHeight);
}

void uploadFrameUniforms(const Application& app, const TestFrame& frame) {
  app.uploadFrameUniforms(frame.projection(), frame.view(), frame.eye, frame.time);
  // The upload leaves its last program bound; the draws under test start with none, so that
  // what they leave bound is their own doing.
  glUseProgram(0);
}

void beginWindowPass() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glViewport(0, 0, WindowWidth, WindowHeight);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

glm::ivec3 pixelAt(const std::vector<unsigned char>& rgba, glm::ivec2 pixel) {
  const size_t at = (static_cast<size_t>(pixel.y) * WindowWidth + pixel.x) * 4;
  return glm::ivec3(rgba[at], rgba[at + 1], rgba[at + 2]);
}

std::vector<unsigned char> readWindow() {
  glFinish();
  std::vector<unsigned char> pixels(static_cast<size_t>(WindowWidth) * WindowHeight * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, WindowWidth, WindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
