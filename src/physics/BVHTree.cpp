// Inserting, removing and querying boxes in the bounding-volume tree.
#include "physics/BVHTree.h"

#include <algorithm>
#include <iostream>

BVHTree::BVHTree() {
  for (int i = 0; i < Capacity; ++i) {
    at(i).next = i + 1 < Capacity ? i + 1 : NullIndex;
    at(i).height = -1;
  }
}

int BVHTree::allocateNode() {
  const int index = freeList;
  Node& n = at(index);
  freeList = n.next;
  n.parent = n.left = n.right = n.next = NullIndex;
  n.height = 0;
  ++nodeCount;
  return index;
}

bool BVHTree::insert(const std::shared_ptr<AABB>& box) {
  // A leaf in a non-empty tree also needs a new inner node above it.
  const int needed = root == NullIndex ? 1 : 2;
  if (box == nullptr || nodeCount + needed > Capacity) {
    if (box != nullptr && !reportedFullPool) {
      std::cerr << "Collision tree is full (" << Capacity
                << " nodes); further obstacles are not added to it" << std::endl;
      reportedFullPool = true;
    }
    return false;
  }
  const int leaf = allocateNode();
  const glm::vec3 margin(LeafMargin);
  at(leaf).aabb = {box->min - margin, box->max + margin};
  insertLeaf(leaf);
  return true;
}

void BVHTree::replaceChild(int parent, int oldChild, int newChild) {
  if (parent == NullIndex) {
    root = newChild;
  } else if (at(parent).left == oldChild) {
    at(parent).left = newChild;
  } else {
    at(parent).right = newChild;
  }
}

void BVHTree::insertLeaf(int leaf) {
  if (root == NullIndex) {
    root = leaf;
    at(leaf).parent = NullIndex;
    return;
  }
  const int sibling = findBestSibling(leaf);
  const int oldParent = node(sibling).parent;
  const int newParent = allocateNode();
  Node& joined = at(newParent);
  joined.parent = oldParent;
  joined.aabb = merge(node(leaf).aabb, node(sibling).aabb);
  joined.height = node(sibling).height + 1;
  joined.left = sibling;
  joined.right = leaf;
  at(sibling).parent = newParent;
  at(leaf).parent = newParent;
  replaceChild(oldParent, sibling, newParent);

  for (int i = node(leaf).parent; i != NullIndex; i = node(i).parent) {
    i = balance(i);
    Node& n = at(i);
    n.height = 1 + std::max(heightOf(n.left), heightOf(n.right));
    n.aabb = merge(node(n.left).aabb, node(n.right).aabb);
  }
}

int BVHTree::findBestSibling(int leaf) const {
  const AABB& leafBox = node(leaf).aabb;
  int i = root;
  while (!node(i).isLeaf()) {
    const Node& n = node(i);
    const float area = surfaceArea(n.aabb);
    const float combined = surfaceArea(merge(n.aabb, leafBox));
    const float cost = 2.0f * combined;
    const float inheritance = 2.0f * (combined - area);
    const auto descentCost = [&](int child) {
      const float grown = surfaceArea(merge(leafBox, node(child).aabb));
      const float ownArea = node(child).isLeaf() ? 0.0f : surfaceArea(node(child).aabb);
      return grown - ownArea + inheritance;
    };
    const float costLeft = descentCost(n.left);
    const float costRight = descentCost(n.right);
    if (costLeft > cost && costRight > cost) {
      break;
    }
    i = costRight > costLeft ? n.left : n.right;
  }
  return i;
}

int BVHTree::balance(int index) {
  const int n = index;
  if (node(n).isLeaf() || heightOf(n) < 2) {
    return n;
  }
  const int l = node(n).left;
  const int r = node(n).right;
  const int skew = heightOf(r) - heightOf(l);

  // Lifts child c (the taller one) into n's place. n keeps its other child `stay` and takes the
  // lower of c's children; c keeps the higher one beside n. onRight says c was n's right child.
  const auto rotateUp = [&](int c, int stay, bool onRight) {
    const int cl = node(c).left;
    const int cr = node(c).right;
    const int parent = node(n).parent;
    at(c).left = n;
    at(c).parent = parent;
    at(n).parent = c;
    replaceChild(parent, n, c);
    const bool keepRight = heightOf(cl) <= heightOf(cr);
    const int kept = keepRight ? cr : cl;
    const int moved = keepRight ? cl : cr;
    at(c).right = kept;
    if (onRight) {
      at(n).right = moved;
    } else {
      at(n).left = moved;
    }
    at(moved).parent = n;
    at(n).aabb = merge(node(stay).aabb, node(moved).aabb);
    at(c).aabb = merge(node(n).aabb, node(kept).aabb);
    at(n).height = 1 + std::max(heightOf(stay), heightOf(moved));
    at(c).height = 1 + std::max(heightOf(n), heightOf(kept));
    return c;
  };

  if (skew > 1) {
    return rotateUp(r, l, true);
  }
  if (skew < -1) {
    return rotateUp(l, r, false);
  }
  return n;
}

template <typename Visit>
void BVHTree::forEachOverlap(const AABB& box, Visit visit) const {
  // Each step pops one node and pushes at most two, so the stack never holds more entries
  // than there are nodes.
  std::array<int, Capacity + 1> stack;
  int top = 0;
  stack[static_cast<size_t>(top++)] = root;
  while (top > 0) {
    const int i = stack[static_cast<size_t>(--top)];
    if (i == NullIndex) {
      continue;
    }
    const Node& n = node(i);
    if (!overlaps(n.aabb, box)) {
      continue;
    }
    if (n.isLeaf()) {
      if (!visit(i)) {
        return;
      }
    } else {
      stack[static_cast<size_t>(top++)] = n.left;
      stack[static_cast<size_t>(top++)] = n.right;
    }
  }
}

void BVHTree::query(const AABB& box, std::vector<int>& hits) const {
  hits.clear();
  forEachOverlap(box, [&hits](int leaf) {
    hits.push_back(leaf);
    return true;
  });
}

std::vector<int> BVHTree::query(const AABB* box) const {
  std::vector<int> hits;
  if (box != nullptr) {
    query(*box, hits);
  }
  return hits;
}

bool BVHTree::touchesAny(const AABB& box) const {
  bool found = false;
  forEachOverlap(box, [&found](int) {
    found = true;
    return false;
  });
  return found;
}
