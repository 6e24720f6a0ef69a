#pragma once

// Shadow mapping: the depth pass from the light and what the lit pass samples.

#include <memory>

#include <glad/gl.h>
#include <glm/glm.hpp>

class Program;
class Shape;

// The depth framebuffer the boat, lighthouse and obstacles are drawn into from the light, and the
// light's box, which also decides which casters are worth drawing at all.
class ShadowMap {
 public:
  // The light's orthographic box in its own view space: a 30 x 30 window, 1 to 100 units deep.
  static constexpr float HalfWidth = 15.0f;
  static constexpr float Near = 1.0f;
  static constexpr float Far = 100.0f;

  ShadowMap() = default;
  ~ShadowMap();
  ShadowMap(const ShadowMap&) = delete;
  ShadowMap& operator=(const ShadowMap&) = delete;

  // (Re)creates the framebuffer and depth texture; a size with a zero dimension (a minimised
  // window) keeps the previous ones.
  void init(int width, int height);
  void initShader();
  void beginPass(const glm::vec3& lightPos, const glm::vec3& lightTarget);
  // Draws a caster with model matrix M; one wholly outside the light's box is skipped.
  void drawShape(const glm::mat4& M, const std::shared_ptr<Shape>& shape) const;
  void endPass();
  void bindTexture(const std::shared_ptr<Program>& prog) const;
  void unbindTexture() const;

  // True when the world-space sphere lies wholly outside the light's box of the current pass, so
  // it can leave no mark in the depth map. False before the first pass.
  bool sphereOutsideLight(const glm::vec3& center, float radius) const;
  // False when the depth program failed to build; casters are then not drawn.
  bool canDrawCasters() const;

  int getWidth() const { return width; }
  int getHeight() const { return height; }

  GLuint depthMapFBO = 0;
  GLuint depthMap = 0;
  std::shared_ptr<Program> depthShader;
  glm::mat4 lightSpace{1.0f};

 private:
  glm::mat4 lightView{1.0f};
  bool lightPlaced = false;
  int width = 0;
  int height = 0;
};
