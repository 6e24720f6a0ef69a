#pragma once

#include <memory>

#include <glad/gl.h>
#include <glm/glm.hpp>

class Program;
class Shape;

// The depth framebuffer the boat, lighthouse and obstacles are drawn into from the light.
class ShadowMap {
 public:
  ShadowMap() = default;
  ~ShadowMap();
  ShadowMap(const ShadowMap&) = delete;
  ShadowMap& operator=(const ShadowMap&) = delete;

  void init(int width, int height);
  void initShader();
  void beginPass(const glm::vec3& lightPos, const glm::vec3& lightTarget);
  void drawShape(const glm::mat4& M, const std::shared_ptr<Shape>& shape) const;
  void endPass();
  void bindTexture(const std::shared_ptr<Program>& prog) const;
  void unbindTexture() const;

  GLuint depthMapFBO = 0;
  GLuint depthMap = 0;
  std::shared_ptr<Program> depthShader;
  glm::mat4 lightSpace{1.0f};
};
