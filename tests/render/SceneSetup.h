#pragma once

// The camera, clock, uniform upload and window read-back shared by the tests that draw
// parts of the scene and look at the pixels.
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "Application.h"

// The camera and clock of one test frame, and what the frame's composition would upload.
struct TestFrame {
  glm::vec3 eye;
  glm::vec3 target;
  float time;
  glm::mat4 projection() const;
  glm::mat4 view() const;
  // Window pixel of a world point.
  glm::ivec2 toPixel(const glm::vec3& world) const;
};

// Uploads the per-frame uniforms (projection, view, lights, eye, time, swell) with the frame's
// own upload, for the test frame's camera and clock; no program is left bound.
void uploadFrameUniforms(const Application& app, const TestFrame& frame);
// Binds the window, clears it to black and sets the depth test as a scene pass has it.
void beginWindowPass();

// Colour of a window pixel, red, green, blue in 0..255.
glm::ivec3 pixelAt(const std::vector<unsigned char>& rgba, glm::ivec2 pixel);
std::vector<unsigned char> readWindow();
