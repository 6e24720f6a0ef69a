#pragma once

#include <memory>

#include <glad/gl.h>
#include <glm/glm.hpp>

class Program;

// The depth framebuffer the boat, lighthouse and obstacles are drawn into from the light.
struct ShadowMap {
  GLuint depthMapFBO = 0;
  GLuint depthMap = 0;
  std::shared_ptr<Program> depthShader;
  glm::mat4 lightSpace{1.0f};
};
