// The bounding-volume tree the obstacles live in stays balanced with close boxes, finds
// exactly the overlapping leaves, and refuses leaves past its pool with one message.
#include <algorithm>
#include <random>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "physics/BVHTree.h"

namespace {

std::shared_ptr<AABB> box(glm::vec3 min, glm::vec3 max) {
  return std::make_shared<AABB>(AABB{min, max});
}

AABB grown(const AABB& b) {
  const glm::vec3 margin(BVHTree::LeafMargin);
  return {b.min - margin, b.max + margin};
}

// Every inner node holds both children, is one higher than the taller child, and its children
// point back at it; the walk reaches exactly the nodes in use.
void expectConsistent(const BVHTree& tree) {
  if (tree.getRoot() == BVHTree::NullIndex) {
    EXPECT_EQ(tree.getNodeCount(), 0);
    return;
  }
  EXPECT_EQ(tree.node(tree.getRoot()).parent, BVHTree::NullIndex);
  int reached = 0;
  std::vector<int> pending{tree.getRoot()};
  while (!pending.empty()) {
    const int i = pending.back();
    pending.pop_back();
    ++reached;
    const BVHTree::Node& n = tree.node(i);
    if (n.isLeaf()) {
      EXPECT_EQ(n.height, 0);
      EXPECT_EQ(n.left, BVHTree::NullIndex);
      continue;
    }
    const BVHTree::Node& l = tree.node(n.left);
    const BVHTree::Node& r = tree.node(n.right);
    EXPECT_EQ(l.parent, i);
    EXPECT_EQ(r.parent, i);
    EXPECT_EQ(n.height, 1 + std::max(l.height, r.height)) << "node " << i;
    EXPECT_LE(std::abs(l.height - r.height), 1) << "node " << i << " is out of balance";
    EXPECT_TRUE(encloses(n.aabb, l.aabb) && encloses(n.aabb, r.aabb)) << "node " << i;
    pending.push_back(n.left);
    pending.push_back(n.right);
  }
  EXPECT_EQ(reached, tree.getNodeCount());
}

}  // namespace

TEST(BVHTree, FirstLeafIsTheRootAndASecondGetsANewRootAboveBoth) {
  BVHTree tree;
  EXPECT_TRUE(tree.query(box(glm::vec3(-1e6f), glm::vec3(1e6f)).get()).empty());

  ASSERT_TRUE(tree.insert(box(glm::vec3(0.0f), glm::vec3(1.0f))));
  const int first = tree.getRoot();
  EXPECT_EQ(tree.node(first).parent, BVHTree::NullIndex);
  EXPECT_EQ(tree.node(first).height, 0);
  EXPECT_EQ(tree.getNodeCount(), 1);

  ASSERT_TRUE(tree.insert(box(glm::vec3(5.0f), glm::vec3(6.0f))));
  const BVHTree::Node& root = tree.node(tree.getRoot());
  EXPECT_EQ(tree.getNodeCount(), 3);
  EXPECT_EQ(root.left, first);
  EXPECT_EQ(root.height, 1);
  EXPECT_TRUE(tree.node(root.right).isLeaf());
  expectConsistent(tree);
}

// A leaf encloses its box with a small margin, wherever the box lies: a leaf pulled toward
// the origin would report rocks where there are none and miss the real ones.
TEST(BVHTree, EveryLeafEnclosesItsBoxClosely) {
  const AABB boxes[] = {
      {{148.0f, 0.0f, 148.0f}, {152.0f, 4.0f, 152.0f}},
      {{-152.0f, -1.0f, 96.0f}, {-148.0f, 4.0f, 101.0f}},
      {{-3.0f, 0.0f, -150.0f}, {2.0f, 3.0f, -146.0f}},
      {{10.0f, -2.0f, -10.0f}, {10.0f, -2.0f, -10.0f}},
  };
  for (const AABB& b : boxes) {
    BVHTree tree;
    ASSERT_TRUE(tree.insert(std::make_shared<AABB>(b)));
    const AABB& leaf = tree.node(tree.getRoot()).aabb;
    EXPECT_TRUE(encloses(leaf, b));
    EXPECT_TRUE(encloses(grown(b), leaf));
  }
}

TEST(BVHTree, QueryOnTheSeaPlane) {
  const AABB leaf{{0.0f, 0.0f, 0.0f}, {4.0f, 2.0f, 4.0f}};
  const float touch = 4.0f + BVHTree::LeafMargin;
  struct Case {
    const char* name;
    AABB probe;
    bool reported;
  };
  const Case cases[] = {
      {"inside", {{1.0f, 0.5f, 1.0f}, {2.0f, 1.0f, 2.0f}}, true},
      {"touching a face in x", {{touch, 0.0f, 1.0f}, {touch + 3.0f, 2.0f, 2.0f}}, true},
      {"touching a face in z", {{1.0f, 0.0f, touch}, {2.0f, 2.0f, touch + 1.0f}}, true},
      {"touching only a corner", {{touch, 0.0f, touch}, {touch + 1.0f, 1.0f, touch + 1.0f}}, true},
      {"far above", {{1.0f, 500.0f, 1.0f}, {2.0f, 501.0f, 2.0f}}, true},
      {"far below", {{1.0f, -500.0f, 1.0f}, {2.0f, -499.0f, 2.0f}}, true},
      {"just beyond in x", {{touch + 0.01f, 0.0f, 0.0f}, {touch + 1.0f, 2.0f, 4.0f}}, false},
      {"just beyond in -z", {{0.0f, 0.0f, -3.0f}, {4.0f, 2.0f, -0.06f}}, false},
      {"far away", {{200.0f, 0.0f, 200.0f}, {201.0f, 1.0f, 201.0f}}, false},
  };
  BVHTree tree;
  ASSERT_TRUE(tree.insert(std::make_shared<AABB>(leaf)));
  for (const Case& c : cases) {
    EXPECT_EQ(!tree.query(&c.probe).empty(), c.reported) << c.name;
    EXPECT_EQ(tree.touchesAny(c.probe), c.reported) << c.name;
  }
}

// Random fields of boxes, some touching, some stacked far apart in height, against a check of
// every box.
TEST(BVHTree, QueryFindsExactlyTheOverlappingLeaves) {
  std::mt19937 random(12345u);
  std::uniform_real_distribution<float> coordinate(-150.0f, 150.0f);
  std::uniform_real_distribution<float> size(0.0f, 12.0f);
  std::uniform_real_distribution<float> height(-300.0f, 300.0f);
  for (const int leaves : {1, 2, 7, 100, 150}) {
    BVHTree tree;
    std::vector<AABB> inserted;
    for (int i = 0; i < leaves; ++i) {
      AABB b;
      if (i > 0 && i % 4 == 0) {
        // Butting onto the previous box along x, exactly.
        const AABB& previous = inserted.back();
        b.min =
            glm::vec3(previous.max.x + 2.0f * BVHTree::LeafMargin, height(random), previous.min.z);
      } else {
        b.min = glm::vec3(coordinate(random), height(random), coordinate(random));
      }
      b.max = b.min + glm::vec3(size(random), size(random), size(random));
      ASSERT_TRUE(tree.insert(std::make_shared<AABB>(b)));
      inserted.push_back(b);
    }
    EXPECT_EQ(tree.getNodeCount(), 2 * leaves - 1);
    expectConsistent(tree);

    // Each leaf encloses one inserted box; leaves map one to one onto boxes.
    std::set<int> leafOfBox;
    for (const AABB& b : inserted) {
      std::vector<int> hits;
      tree.query(b, hits);
      int owner = -1;
      for (const int hit : hits) {
        if (encloses(tree.node(hit).aabb, b) && encloses(grown(b), tree.node(hit).aabb)) {
          owner = hit;
        }
      }
      ASSERT_NE(owner, -1);
      leafOfBox.insert(owner);
    }
    EXPECT_EQ(leafOfBox.size(), inserted.size());

    std::vector<int> hits;
    for (int q = 0; q < 300; ++q) {
      AABB probe;
      probe.min = glm::vec3(coordinate(random), height(random), coordinate(random));
      probe.max = probe.min + glm::vec3(size(random), size(random), size(random));
      int expected = 0;
      for (const AABB& b : inserted) {
        expected += overlaps(grown(b), probe) ? 1 : 0;
      }
      tree.query(probe, hits);
      EXPECT_EQ(static_cast<int>(hits.size()), expected) << leaves << " leaves, probe " << q;
      EXPECT_EQ(std::set<int>(hits.begin(), hits.end()).size(), hits.size());
      for (const int hit : hits) {
        EXPECT_TRUE(tree.node(hit).isLeaf());
        EXPECT_TRUE(overlaps(tree.node(hit).aabb, probe));
      }
      EXPECT_EQ(tree.touchesAny(probe), expected > 0);
    }
  }
}

TEST(BVHTree, AFullPoolRefusesMoreLeavesAndSaysSoOnce) {
  BVHTree tree;
  const int leavesThatFit = (BVHTree::Capacity + 1) / 2;
  for (int i = 0; i < leavesThatFit; ++i) {
    const glm::vec3 corner(static_cast<float>(i % 12) * 10.0f, 0.0f,
                           static_cast<float>(i / 12) * 10.0f);
    ASSERT_TRUE(tree.insert(box(corner, corner + glm::vec3(4.0f))));
  }
  const int fullCount = tree.getNodeCount();
  EXPECT_EQ(fullCount, 2 * leavesThatFit - 1);

  CaptureStderr capture;
  const auto extra = box(glm::vec3(-500.0f), glm::vec3(-490.0f));
  EXPECT_FALSE(tree.insert(extra));
  EXPECT_FALSE(tree.insert(extra));
  const std::string said = capture.stop();

  EXPECT_EQ(tree.getNodeCount(), fullCount);
  EXPECT_FALSE(tree.touchesAny(*extra));
  EXPECT_TRUE(tree.touchesAny(AABB{glm::vec3(1.0f), glm::vec3(2.0f)}));
  expectConsistent(tree);
  EXPECT_NE(said.find("full"), std::string::npos) << said;
  EXPECT_EQ(said.find("full"), said.rfind("full")) << "reported more than once: " << said;
}
