// The direction each texel of a sky box face looks in, as GL reads a cube map.
#include "CubeFaces.h"

namespace assetgen {

glm::vec3 cubeFaceDirection(int face, float s, float t) {
  // GL picks the face by the major axis ma and reads s = (sc/|ma| + 1)/2, t = (tc/|ma| + 1)/2;
  // this is that table solved for the direction.
  const float sc = 2.0f * s - 1.0f;
  const float tc = 2.0f * t - 1.0f;
  switch (face) {
    case 0:
      return {1.0f, -tc, -sc};
    case 1:
      return {-1.0f, -tc, sc};
    case 2:
      return {sc, 1.0f, tc};
    case 3:
      return {sc, -1.0f, -tc};
    case 4:
      return {sc, -tc, 1.0f};
    default:
      return {-sc, -tc, -1.0f};
  }
}

}  // namespace assetgen
