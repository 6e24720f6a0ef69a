#pragma once

// Axis-aligned boxes: the collision shapes of rocks and tentacles.

#include <glm/glm.hpp>

// An axis-aligned box in world space, and the box arithmetic the bounding-volume tree needs.
struct AABB {
  glm::vec3 min{0.0f};
  glm::vec3 max{0.0f};
};

// The smallest box holding both boxes.
inline AABB merge(const AABB& a, const AABB& b) {
  return {glm::min(a.min, b.min), glm::max(a.max, b.max)};
}

inline float surfaceArea(const AABB& box) {
  const glm::vec3 d = box.max - box.min;
  return 2.0f * (d.x * d.y + d.y * d.z + d.z * d.x);
}

// Overlap on the sea plane: heights are ignored, and boxes that only touch overlap.
inline bool overlaps(const AABB& a, const AABB& b) {
  return a.max.x >= b.min.x && b.max.x >= a.min.x && a.max.z >= b.min.z && b.max.z >= a.min.z;
}

// True when inner lies wholly inside outer (touching faces included), in all three axes.
inline bool encloses(const AABB& outer, const AABB& inner) {
  return glm::all(glm::lessThanEqual(outer.min, inner.min)) &&
         glm::all(glm::greaterThanEqual(outer.max, inner.max));
}
