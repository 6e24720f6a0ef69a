#pragma once

#include <string>

#include <glm/glm.hpp>

// Screen-space text in the game's font, measured and drawn in window pixels.
class TextRenderer {
 public:
  void init(const std::string& text, float scale);

  glm::mat4 projection{1.0f};
  float textWidth = 0.0f;
};
