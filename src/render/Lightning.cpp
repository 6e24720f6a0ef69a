#include "render/Lightning.h"

void Lightning::init() {}

void Lightning::strike(const glm::vec3& /*start*/, const glm::vec3& /*end*/,
                       const glm::vec3& /*cameraPos*/) {
  lifetime = 1.0f;
}

void Lightning::update(float dt) {
  if (lifetime > 0.0f) {
    lifetime -= 0.7f * dt;
  }
}

void Lightning::draw(const glm::mat4& /*projection*/, const glm::mat4& /*view*/) const {}
