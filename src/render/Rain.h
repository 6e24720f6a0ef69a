#pragma once

// Rain and bow spray: short streaks of falling water in a box that travels with the camera,
// and a burst of droplets thrown up where the bow meets a crest. Every streak's place is worked
// out on the GPU from its number and the clock, so nothing is uploaded per frame but a few
// uniforms and there is no vertex buffer at all.

#include <memory>
#include <string>

#include <glad/gl.h>
#include <glm/glm.hpp>

#include "ResourceNames.h"

class Program;

// What one frame of weather looks like: where the camera is, the wind, the lightning's flash
// and the spray at the bow.
struct RainFrame {
  glm::mat4 projection{1.0f};
  glm::mat4 view{1.0f};
  glm::vec3 eye{0.0f};
  float time = 0.0f;     // seconds
  float flash = 0.0f;    // 0..1, lights the drops
  glm::vec3 bow{0.0f};   // where spray is thrown up
  float spray = 0.0f;    // 0 (none) .. 1 (the bow buried in a crest)
};

class Rain {
 public:
  Rain() = default;
  ~Rain();
  Rain(const Rain&) = delete;
  Rain& operator=(const Rain&) = delete;

  // Builds the program and an empty vertex array; needs a current GL context.
  void init(const std::string& vertexShader, const std::string& fragmentShader);
  // Draws with alpha blending, without writing depth, so whatever is drawn afterwards (the boat,
  // the obstacles) covers the rain. Draws nothing without a working program.
  void draw(const RainFrame& frame) const;
  bool canDraw() const { return VAO != 0 && programReady; }

 private:
  GLuint VAO = 0;
  std::shared_ptr<Program> rainShader;
  bool programReady = false;
};

// The storm's wind over the sea, in world units per second along x and z. The rain drifts with
// it and the sea's streaks lie along it.
constexpr glm::vec2 StormWind{-6.0f, 4.0f};
