// Contact between the boat and the obstacles, and the tentacles' chase: contact radii,
// one contact per frame, turns at rocks and the edge, and fast mode that touches nothing.
#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "physics/BVHTree.h"
#include "world/Obstacles.h"

namespace {

double now = 0.0;
double testClock() { return now; }

class Collision : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(grid, FreeCell, sizeof grid);
    now = 100.0;
    tree = std::make_shared<BVHTree>();
    dummies.setBVH(tree);
    dummies.setClock(testClock);
    rocks.setBVH(tree);
  }

  // A tentacle with a 2 × 2 box about its position, heading along direction.
  Dummy& addTentacle(glm::vec2 position, glm::vec2 direction) {
    Dummy d;
    d.position = position;
    d.direction = direction;
    dummies.getDummies()->push_back(d);
    Dummy& added = dummies.getDummies()->back();
    fitBox(added);
    return added;
  }
  static void fitBox(Dummy& d) {
    const glm::vec3 centre(d.position.x, 0.0f, d.position.y);
    *d.aabb = {centre - glm::vec3(1.0f, 0.0f, 1.0f), centre + glm::vec3(1.0f, 5.0f, 1.0f)};
  }
  Rock& addRock(glm::vec2 position, float halfWidth) {
    Rock rock;
    rock.position = position;
    const glm::vec3 centre(position.x, 0.0f, position.y);
    *rock.aabb = {centre - glm::vec3(halfWidth, 0.0f, halfWidth),
                  centre + glm::vec3(halfWidth, 4.0f, halfWidth)};
    tree->insert(rock.aabb);
    rocks.getRocks()->push_back(rock);
    return rocks.getRocks()->back();
  }

  std::shared_ptr<BVHTree> tree;
  DummyManager dummies{grid, WorldGridSize};
  RockManager rocks{grid, WorldGridSize};

  // One obstacle pass as the race runs it: true when a tentacle or a rock touches the boat.
  bool pass(float dt, float boatX, float boatZ, bool noCollision = false) {
    const bool tentacleTouched = dummies.update(dt, boatX, boatZ, noCollision);
    return rocks.touchesBoat(boatX, boatZ, noCollision) || tentacleTouched;
  }
  bool gameOver = false;
};

}  // namespace

// Contact is at most the radius away on the sea plane, in every direction along the axes.
TEST_F(Collision, ContactRadiiOfTentaclesAndRocks) {
  struct Case {
    bool rock;
    float distance;
    bool contact;
  };
  const Case cases[] = {{false, 4.0f, true}, {false, 4.01f, false}, {false, 0.0f, true},
                        {true, 6.0f, true},  {true, 6.01f, false},  {true, 3.0f, true}};
  const glm::vec2 axes[] = {{1.0f, 0.0f}, {-1.0f, 0.0f}, {0.0f, 1.0f}, {0.0f, -1.0f}};
  const glm::vec2 obstacle(-37.0f, 52.0f);
  for (const Case& c : cases) {
    for (const glm::vec2& axis : axes) {
      SetUp();
      dummies.getDummies()->clear();
      rocks.getRocks()->clear();
      gameOver = false;
      if (c.rock) {
        addRock(obstacle, 2.0f);
      } else {
        addTentacle(obstacle, glm::vec2(1.0f, 0.0f));
      }
      const glm::vec2 boat = obstacle + c.distance * axis;
      gameOver = pass(0.0f, boat.x, boat.y);
      EXPECT_EQ(gameOver, c.contact) << (c.rock ? "rock" : "tentacle") << " at " << c.distance
                                     << " along (" << axis.x << ", " << axis.y << ")";
    }
  }
}

TEST_F(Collision, SeveralContactsInOneFrameAreOneContact) {
  addTentacle({10.0f, 0.0f}, {1.0f, 0.0f});
  addTentacle({10.0f, 2.0f}, {1.0f, 0.0f});
  addRock({12.0f, 0.0f}, 2.0f);
  EXPECT_TRUE(pass(0.016f, 11.0f, 1.0f));
  // Only the first tentacle to touch stays; the second moves on as the boat's run is over.
  EXPECT_EQ((*dummies.getDummies())[0].position, glm::vec2(10.0f, 0.0f));
  EXPECT_NE((*dummies.getDummies())[1].position, glm::vec2(10.0f, 2.0f));
}

TEST_F(Collision, ATentacleThatTouchesStaysAndTheOthersMove) {
  addTentacle({-100.0f, 0.0f}, {0.0f, 1.0f});
  addTentacle({3.0f, 0.0f}, {0.0f, 1.0f});
  addTentacle({100.0f, 0.0f}, {0.0f, 1.0f});
  ASSERT_TRUE(dummies.update(0.5f, 0.0f, 0.0f, false));
  const std::vector<Dummy>& list = *dummies.getDummies();
  EXPECT_EQ(list[1].position, glm::vec2(3.0f, 0.0f));
  // The other two head for the boat, 100 units off, and come 2.5 units closer.
  EXPECT_NEAR(list[0].position.x, -97.5f, 1e-4f);
  EXPECT_NEAR(list[2].position.x, 97.5f, 1e-4f);
  EXPECT_EQ(list[0].cell, glm::ivec2(worldToCell(list[0].position.x, WorldGridSize),
                                     worldToCell(list[0].position.y, WorldGridSize)));
}

TEST_F(Collision, FastModeTouchesNothingButTentaclesStillHunt) {
  addTentacle({2.0f, 0.0f}, {1.0f, 0.0f});
  addRock({0.0f, 6.0f}, 2.0f);
  EXPECT_FALSE(pass(0.1f, 0.0f, 0.0f, true));
  EXPECT_NEAR(dummies.getDummies()->front().position.x, 1.5f, 1e-5f);
}

TEST_F(Collision, ChaseRange) {
  struct Case {
    float distance;
    bool chases;
  };
  for (const Case& c : {Case{200.0f, true}, Case{150.0f, true}, Case{200.5f, false}}) {
    Dummy d;
    d.position = glm::vec2(0.0f, 0.0f);
    d.direction = glm::vec2(0.0f, 1.0f);
    *d.aabb = {glm::vec3(-1.0f), glm::vec3(1.0f)};
    dummies.steer(d, -c.distance, 0.0f);
    EXPECT_EQ(d.direction, c.chases ? glm::vec2(-1.0f, 0.0f) : glm::vec2(0.0f, 1.0f)) << c.distance;
  }
}

TEST_F(Collision, TurnsBackAtARockThenWaitsOutTheCooldown) {
  addRock({20.0f, 0.0f}, 3.0f);
  Dummy d;
  d.position = glm::vec2(16.5f, 0.0f);
  d.direction = glm::vec2(1.0f, 0.0f);
  fitBox(d);
  const float farBoat = 1000.0f;

  dummies.steer(d, farBoat, 0.0f);
  EXPECT_EQ(d.position, glm::vec2(15.5f, 0.0f));
  EXPECT_EQ(d.direction, glm::vec2(-1.0f, 0.0f));
  EXPECT_EQ(d.lastTurnTime, now);

  // Still touching half a second later: it keeps its new heading and place.
  now += 0.5;
  dummies.steer(d, farBoat, 0.0f);
  EXPECT_EQ(d.position, glm::vec2(15.5f, 0.0f));
  EXPECT_EQ(d.direction, glm::vec2(-1.0f, 0.0f));

  now += 0.6;
  dummies.steer(d, farBoat, 0.0f);
  EXPECT_EQ(d.direction, glm::vec2(1.0f, 0.0f));
  EXPECT_EQ(d.position, glm::vec2(16.5f, 0.0f));

  // Clear of the rock, the boat within range draws it again.
  d.position = glm::vec2(-30.0f, 0.0f);
  fitBox(d);
  now += 5.0;
  dummies.steer(d, -30.0f, 50.0f);
  EXPECT_EQ(d.direction, glm::vec2(0.0f, 1.0f));
}

TEST_F(Collision, TurnsBackAtTheArenaEdge) {
  struct Case {
    glm::vec2 position;
    glm::vec2 heading;
    glm::vec2 afterTurn;
  };
  const Case cases[] = {
      {{240.2f, 10.0f}, {1.0f, 0.0f}, {239.2f, 10.0f}},
      {{-240.5f, 10.0f}, {-1.0f, 0.0f}, {-239.5f, 10.0f}},
      {{30.0f, 241.0f}, {0.0f, 1.0f}, {30.0f, 240.0f}},
      {{30.0f, -240.25f}, {0.0f, -1.0f}, {30.0f, -239.25f}},
  };
  for (const Case& c : cases) {
    Dummy d;
    d.position = c.position;
    d.direction = c.heading;
    fitBox(d);
    dummies.steer(d, 0.0f, 0.0f);
    EXPECT_NEAR(d.position.x, c.afterTurn.x, 1e-4f);
    EXPECT_NEAR(d.position.y, c.afterTurn.y, 1e-4f);
    EXPECT_EQ(d.direction, -c.heading);
  }
}

// With nothing to stop them, tentacles reach the boat and hover on it; their headings and
// places must stay numbers however often they land exactly on it.
TEST_F(Collision, ALongFastModeChaseStaysFinite) {
  addTentacle({10.0f, 0.0f}, {1.0f, 0.0f});
  addTentacle({0.0f, 0.0f}, {0.0f, 1.0f});
  addTentacle({-3.0f, 4.0f}, {1.0f, 0.0f});
  const float dt = 1.0f / 60.0f;
  for (int frame = 0; frame < 60 * 120; ++frame) {
    now += dt;
    gameOver = dummies.update(dt, 0.0f, 0.0f, true) || gameOver;
    for (Dummy& d : *dummies.getDummies()) {
      ASSERT_TRUE(std::isfinite(d.position.x) && std::isfinite(d.position.y)) << frame;
      ASSERT_TRUE(std::isfinite(d.direction.x) && std::isfinite(d.direction.y)) << frame;
      fitBox(d);
    }
  }
  for (const Dummy& d : *dummies.getDummies()) {
    EXPECT_LT(glm::length(d.position), 1.0f);
    EXPECT_NEAR(glm::length(d.direction), 1.0f, 1e-4f);
  }
  EXPECT_FALSE(gameOver);
}
