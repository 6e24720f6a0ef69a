// Extracting the view volume's planes and testing spheres against them.
#include "render/Frustum.h"

FrustumPlanes extractFrustumPlanes(const glm::mat4& P, const glm::mat4& V) {
  const glm::mat4 comp = P * V;
  // GLM stores columns, so row i of the clip matrix gathers element i of every column.
  const auto row = [&comp](int i) {
    return glm::vec4(comp[0][i], comp[1][i], comp[2][i], comp[3][i]);
  };
  FrustumPlanes planes{row(3) + row(0), row(3) - row(0), row(3) + row(1),
                       row(3) - row(1), row(3) + row(2), row(3) - row(2)};
  for (glm::vec4& plane : planes) {
    plane /= glm::length(glm::vec3(plane));
  }
  return planes;
}

bool sphereOutsideFrustum(const FrustumPlanes& planes, const glm::vec3& center, float radius) {
  for (const glm::vec4& plane : planes) {
    if (glm::dot(glm::vec3(plane), center) + plane.w < -radius) {
      return true;
    }
  }
  return false;
}

bool boxOutsideFrustum(const FrustumPlanes& planes, const glm::vec3& min, const glm::vec3& max) {
  for (const glm::vec4& plane : planes) {
    // The corner furthest along the plane's inward normal: if even it is outside, all are.
    const glm::vec3 furthest(plane.x >= 0.0f ? max.x : min.x, plane.y >= 0.0f ? max.y : min.y,
                             plane.z >= 0.0f ? max.z : min.z);
    if (glm::dot(glm::vec3(plane), furthest) + plane.w < 0.0f) {
      return true;
    }
  }
  return false;
}
