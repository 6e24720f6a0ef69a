#pragma once

// The bounding-volume tree the tentacles ask which rocks are in their way.

#include <array>
#include <memory>
#include <vector>

#include "physics/AABB.h"

// A dynamic bounding-volume tree over the rocks' boxes in a fixed pool of nodes: leaves are
// placed by the smallest growth of surface area and the tree is kept balanced by rotations.
// It answers, once per tentacle and frame, which rocks a box touches on the sea plane.
class BVHTree {
 public:
  static constexpr int Capacity = 300;
  // Index meaning "no node"; -1 is taken by the height of a free node.
  static constexpr int NullIndex = -2;
  // Every leaf is its box grown by this much on each side, so touching counts for sure.
  static constexpr float LeafMargin = 0.05f;

  struct Node {
    AABB aabb;
    int height = -1;
    int parent = NullIndex;
    int next = NullIndex;
    int left = NullIndex;
    int right = NullIndex;

    bool isLeaf() const { return right == NullIndex; }
  };

  BVHTree();

  // Adds one leaf enclosing *box. When the pool cannot hold another leaf nothing changes, the
  // call returns false and the first such refusal is reported on the console.
  bool insert(const std::shared_ptr<AABB>& box);

  // Leaf indices whose boxes overlap *box on the sea plane, right subtrees first. The first
  // form reuses the caller's list and allocates only when it must grow.
  void query(const AABB& box, std::vector<int>& hits) const;
  std::vector<int> query(const AABB* box) const;
  // Whether any leaf overlaps box; stops at the first one and allocates nothing.
  bool touchesAny(const AABB& box) const;

  int getRoot() const { return root; }
  int getNodeCount() const { return nodeCount; }
  const Node& node(int index) const { return nodes[static_cast<size_t>(index)]; }

 private:
  int allocateNode();
  void insertLeaf(int leaf);
  int findBestSibling(int leaf) const;
  int balance(int index);
  Node& at(int index) { return nodes[static_cast<size_t>(index)]; }
  int heightOf(int index) const { return node(index).height; }
  void replaceChild(int parent, int oldChild, int newChild);

  // Walks the nodes whose boxes overlap box, depth first, and hands each overlapping leaf to
  // visit; visit returns false to stop the walk.
  template <typename Visit>
  void forEachOverlap(const AABB& box, Visit visit) const;

  std::array<Node, Capacity> nodes;
  int nodeCount = 0;
  int root = NullIndex;
  int freeList = 0;
  bool reportedFullPool = false;
};
