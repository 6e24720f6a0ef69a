#include "physics/BVHTree.h"

void BVHTree::insert(const std::shared_ptr<AABB>& /*box*/) {}

std::vector<int> BVHTree::query(const AABB* /*box*/) const { return {}; }
