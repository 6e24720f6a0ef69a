#pragma once

#include <glm/glm.hpp>

// One lightning bolt: struck anew every 2.2 s of play and then faded out.
class Lightning {
 public:
  void init();
  void strike(const glm::vec3& start, const glm::vec3& end, const glm::vec3& cameraPos);
  // Fades the bolt: the lifetime falls by 0.7 per second while it is positive.
  void update(float dt);
  void draw(const glm::mat4& projection, const glm::mat4& view) const;
  float getLifetime() const { return lifetime; }

 private:
  float lifetime = 1.0f;
};
