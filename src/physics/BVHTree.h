#pragma once

#include <memory>
#include <vector>

#include "physics/AABB.h"

// A bounding-volume tree over the rocks' boxes, asked once per tentacle and frame which rocks a
// box touches on the sea plane.
class BVHTree {
 public:
  void insert(const std::shared_ptr<AABB>& box);
  // Indices of the leaves whose boxes overlap *box on the sea plane (x and z).
  std::vector<int> query(const AABB* box) const;
};
