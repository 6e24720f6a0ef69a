#include "Lightning.h"

void Lightning::strike(const glm::vec3& /*start*/, const glm::vec3& /*end*/,
                       const glm::vec3& /*cameraPos*/) {
  lifetime = 1.0f;
}

void Lightning::update(float dt) {
  if (lifetime > 0.0f) {
    lifetime -= 0.7f * dt;
  }
}
