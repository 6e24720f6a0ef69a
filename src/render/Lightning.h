#pragma once

// One lightning bolt: struck anew between a point in the sky and one on the sea, uploaded once
// per strike into a vertex buffer of fixed size, then drawn as lines that fade out.

#include <memory>
#include <string>

#include <glad/gl.h>
#include <glm/glm.hpp>

#include "ResourceNames.h"
#include "world/BoltGeometry.h"

class Program;

// The brightness of a strike's flash the given seconds after it: a sharp peak that dies away
// within a few tenths of a second, with a weaker second stroke down the same channel.
float strikeFlash(float secondsSinceStrike);

class Lightning {
 public:
  Lightning() = default;
  ~Lightning();
  // A bolt owns its GL buffers and its program.
  Lightning(const Lightning&) = delete;
  Lightning& operator=(const Lightning&) = delete;

  // Creates the vertex buffer and builds the bolt's program; needs a current GL context.
  void init(const std::string& vertexShader = resources::shaders::LightningVert,
            const std::string& fragmentShader = resources::shaders::LightningFrag);
  // Builds a new bolt facing the camera and restores full brightness. Before init the shape is
  // built but there is nothing to upload it to.
  void strike(const glm::vec3& start, const glm::vec3& end, const glm::vec3& cameraPos);
  // Fades the bolt: the lifetime falls by 0.7 per second while it is positive.
  void update(float dt);
  // Draws with additive blending, then restores the usual alpha blending. A bolt without a
  // working program draws nothing.
  void draw(const glm::mat4& projection, const glm::mat4& view) const;

  float getLifetime() const { return lifetime; }
  // How strongly the strike lights sky and sea: about 1 the moment the bolt appears, nothing a
  // few tenths of a second later, and nothing before the first strike. Follows the lifetime,
  // so it fades with the seconds simulated, not with frames.
  float flash() const;
  // The middle of the bolt: halfway between where it left the sky and where it met the sea.
  const glm::vec3& getCentre() const { return centre; }
  const BoltGeometry& getGeometry() const { return geometry; }
  GLuint getVertexBuffer() const { return VBO; }
  bool canDraw() const;

 private:
  BoltGeometry geometry;
  float lifetime = 1.0f;
  glm::vec3 centre{0.0f};
  GLuint VAO = 0;
  GLuint VBO = 0;
  std::shared_ptr<Program> lightningShader;
  // Set only when the program compiled and linked.
  bool programReady = false;
};
