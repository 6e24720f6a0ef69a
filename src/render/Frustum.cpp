#include "render/Frustum.h"

FrustumPlanes extractFrustumPlanes(const glm::mat4& /*P*/, const glm::mat4& /*V*/) { return {}; }

bool sphereOutsideFrustum(const FrustumPlanes& /*planes*/, const glm::vec3& /*center*/,
                          float /*radius*/) {
  return false;
}
