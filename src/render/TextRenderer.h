#pragma once

#include <memory>
#include <string>

#include <glm/glm.hpp>

class Program;

// Screen-space text in the game's font, measured and drawn in window pixels.
class TextRenderer {
 public:
  void init(const std::string& text, float scale);
  void setTextWidth(const std::string& text, float scale);
  float measureText(const std::string& text, float scale);
  void renderText(const std::shared_ptr<Program>& prog, const std::string& text, float x, float y,
                  float scale, const glm::vec3& color);

  glm::mat4 projection{1.0f};
  float textWidth = 0.0f;
};
