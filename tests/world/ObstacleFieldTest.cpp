// Placing the obstacle field: grid and world coordinates, open cells clear of rocks,
// fields with their counts and spacing, restarts, and the obstacle boxes round each model.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <utility>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "gl/Shape.h"
#include "physics/BVHTree.h"
#include "world/Obstacles.h"

namespace {

double fixedClock() { return 2.0; }

// A mesh known only by its bounds, which is all placement and boxes read.
std::shared_ptr<Shape> meshWithBounds(glm::vec3 min, glm::vec3 max) {
  auto mesh = std::make_shared<Shape>();
  mesh->min = min;
  mesh->max = max;
  return mesh;
}

// The rock and tentacle models' rough bounds: a boulder about its centre, and a tentacle that
// rises from its foot and curls off to one side.
std::shared_ptr<Shape> rockMesh() {
  return meshWithBounds({-5.3f, -4.2f, -4.9f}, {5.4f, 5.7f, 5.0f});
}
std::shared_ptr<Shape> tentacleMesh() {
  return meshWithBounds({-0.6f, 0.0f, -0.6f}, {3.1f, 5.0f, 1.8f});
}

// Within rounding of the box's faces.
bool holdsPoint(const AABB& box, glm::vec3 p) {
  return encloses(AABB{box.min - 1e-4f, box.max + 1e-4f}, AABB{p, p});
}

bool withinRockClearance(glm::ivec2 offset) {
  const int dx = std::abs(offset.x);
  const int dy = std::abs(offset.y);
  return std::max(dx, dy) <= 2 && (dx == 0 || dy == 0 || dx == dy);
}

class World : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(grid, FreeCell, sizeof grid);
    tree = std::make_shared<BVHTree>();
    rocks.setBVH(tree);
    dummies.setBVH(tree);
    dummies.setClock(fixedClock);
  }

  std::shared_ptr<BVHTree> tree;
  RockManager rocks{grid, WorldGridSize};
  DummyManager dummies{grid, WorldGridSize};
};

}  // namespace

TEST(ObstacleField, CellAndWorldCoordinates) {
  const std::pair<int, float> cellToWorldCases[] = {
      {20, -150.0f}, {50, 0.0f}, {80, 150.0f}, {51, 5.0f}};
  for (const auto& [cell, world] : cellToWorldCases) {
    EXPECT_FLOAT_EQ(cellToWorld(cell, WorldGridSize), world) << cell;
  }
  // Truncation toward zero: the cell about the origin is twice as wide as the others.
  const std::pair<float, int> worldToCellCases[] = {
      {7.2f, 51}, {-4.9f, 50}, {-7.2f, 49}, {-2.0f, 50}, {2.0f, 50}, {150.0f, 80}, {-150.0f, 20}};
  for (const auto& [world, cell] : worldToCellCases) {
    EXPECT_EQ(worldToCell(world, WorldGridSize), cell) << world;
  }
}

// The grid is all rock but for a 5 × 5 pocket round (40, 40), so (40, 40) is the only cell that
// could be given, and only while no rock stands in one of its eight directions within two.
TEST(ObstacleField, OpenCellKeepsClearOfRocksInEightDirections) {
  const glm::ivec2 centre(40, 40);
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      if (dx == 0 && dy == 0) {
        continue;
      }
      std::memset(grid, RockCell, sizeof grid);
      for (int r = -2; r <= 2; ++r) {
        std::memset(grid + (centre.y + r) * WorldGridSize + centre.x - 2, FreeCell, 5);
      }
      grid[(centre.y + dy) * WorldGridSize + centre.x + dx] = RockCell;
      const std::optional<glm::ivec2> cell = findOpenCell(grid, WorldGridSize);
      if (withinRockClearance({dx, dy})) {
        EXPECT_FALSE(cell.has_value()) << "rock at offset " << dx << ", " << dy;
      } else {
        ASSERT_TRUE(cell.has_value()) << "rock at offset " << dx << ", " << dy;
        EXPECT_EQ(*cell, centre);
      }
    }
  }
}

TEST(ObstacleField, OpenCellsLieInsideTheMarginAndOffTheCentreLines) {
  std::memset(grid, FreeCell, sizeof grid);
  for (int i = 0; i < 2000; ++i) {
    const std::optional<glm::ivec2> cell = findOpenCell(grid, WorldGridSize);
    ASSERT_TRUE(cell.has_value());
    for (const int k : {cell->x, cell->y}) {
      EXPECT_GE(k, 20);
      EXPECT_LE(k, 80);
      EXPECT_NE(k, 50);
    }
  }
}

TEST(ObstacleField, GridsWithoutRoomGiveNoCell) {
  std::memset(grid, FreeCell, sizeof grid);
  for (const int gridSize : {0, 39, WorldGridSize + 1, -100}) {
    EXPECT_FALSE(findOpenCell(grid, gridSize).has_value()) << gridSize;
  }
  EXPECT_FALSE(findOpenCell(nullptr, WorldGridSize).has_value());
}

TEST_F(World, ARockWithNowhereToGoChangesNothing) {
  std::memset(grid, RockCell, sizeof grid);
  grid[0] = FreeCell;
  EXPECT_FALSE(rocks.spawn(rockMesh()));
  EXPECT_FALSE(dummies.spawn(tentacleMesh()));
  EXPECT_TRUE(rocks.getRocks()->empty());
  EXPECT_TRUE(dummies.getDummies()->empty());
  EXPECT_EQ(tree->getNodeCount(), 0);
  EXPECT_EQ(grid[0], FreeCell);
  EXPECT_EQ(std::count(grid, grid + sizeof grid, RockCell), WorldGridSize * WorldGridSize - 1);
}

TEST_F(World, ManyWorldsKeepTheirCountsCellsAndSpacing) {
  for (int world = 0; world < 25; ++world) {
    SetUp();
    rocks.getRocks()->clear();
    rocks.spawnAll(rockMesh());
    dummies.spawnAll(tentacleMesh());
    const std::vector<Rock>& placedRocks = *rocks.getRocks();
    const std::vector<Dummy>& placedDummies = *dummies.getDummies();
    ASSERT_EQ(placedRocks.size(), 100u);
    ASSERT_EQ(placedDummies.size(), 49u);
    EXPECT_EQ(tree->getNodeCount(), 199);
    EXPECT_EQ(std::count(grid, grid + sizeof grid, RockCell), 100);

    for (size_t i = 0; i < placedRocks.size(); ++i) {
      const Rock& rock = placedRocks[i];
      EXPECT_EQ(grid[rock.cell.y * WorldGridSize + rock.cell.x], RockCell);
      EXPECT_FLOAT_EQ(rock.position.x, cellToWorld(rock.cell.x, WorldGridSize));
      EXPECT_FLOAT_EQ(rock.position.y, cellToWorld(rock.cell.y, WorldGridSize));
      for (const float w : {rock.position.x, rock.position.y}) {
        EXPECT_LE(std::abs(w), 150.0f);
        EXPECT_NE(w, 0.0f);
      }
      for (size_t j = 0; j < i; ++j) {
        EXPECT_FALSE(withinRockClearance(rock.cell - placedRocks[j].cell))
            << "rocks " << i << " and " << j << " crowd each other";
      }
      // The leaf that reports this rock encloses the rock's own box.
      std::vector<int> hits;
      tree->query(*rock.aabb, hits);
      EXPECT_TRUE(
          std::any_of(hits.begin(), hits.end(),
                      [&](int leaf) { return encloses(tree->node(leaf).aabb, *rock.aabb); }))
          << "rock " << i;
    }
    for (const Dummy& d : placedDummies) {
      for (const Rock& rock : placedRocks) {
        EXPECT_FALSE(withinRockClearance(d.cell - rock.cell));
      }
      EXPECT_FLOAT_EQ(glm::length(d.direction), 1.0f);
      EXPECT_TRUE(std::abs(d.direction.x) < 1e-6f || std::abs(d.direction.y) < 1e-6f ||
                  std::abs(std::abs(d.direction.x) - std::abs(d.direction.y)) < 1e-6f);
      EXPECT_GE(d.phase, 0.0f);
      EXPECT_LT(d.phase, 6.283184f);
      EXPECT_EQ(d.speed, 5.0f);
    }
  }
}

TEST_F(World, ARestartKeepsTheRocksAndRaisesNewTentacles) {
  rocks.spawnAll(rockMesh());
  dummies.spawnAll(tentacleMesh());
  std::vector<glm::vec2> rockPlaces;
  for (const Rock& rock : *rocks.getRocks()) {
    rockPlaces.push_back(rock.position);
  }
  std::vector<glm::vec2> firstTentacles;
  for (const Dummy& d : *dummies.getDummies()) {
    firstTentacles.push_back(d.position);
  }

  dummies.spawnAll(tentacleMesh());

  ASSERT_EQ(rocks.getRocks()->size(), 100u);
  for (size_t i = 0; i < rockPlaces.size(); ++i) {
    EXPECT_EQ((*rocks.getRocks())[i].position, rockPlaces[i]);
  }
  EXPECT_EQ(tree->getNodeCount(), 199);
  ASSERT_EQ(dummies.getDummies()->size(), 49u);
  std::vector<glm::vec2> secondTentacles;
  for (const Dummy& d : *dummies.getDummies()) {
    secondTentacles.push_back(d.position);
  }
  EXPECT_NE(secondTentacles, firstTentacles);
}

TEST_F(World, WithoutModelsObstaclesGetBoxesOfNoSizeWhereTheyStand) {
  rocks.spawnAll(nullptr);
  dummies.spawnAll(nullptr);
  ASSERT_EQ(rocks.getRocks()->size(), 100u);
  ASSERT_EQ(dummies.getDummies()->size(), 49u);
  for (const Rock& rock : *rocks.getRocks()) {
    const glm::vec3 foot(rock.position.x, 0.0f, rock.position.y);
    EXPECT_EQ(rock.aabb->min, foot);
    EXPECT_EQ(rock.aabb->max, foot);
  }
  for (const Dummy& d : *dummies.getDummies()) {
    EXPECT_EQ(d.aabb->min, d.aabb->max);
    EXPECT_EQ(d.aabb->min.x, d.position.x);
  }
}

// The box of a rock holds its model's box as drawn, turned by the rock's yaw.
TEST(ObstacleBoxes, RockBoxEnclosesTheTurnedModel) {
  const auto mesh = meshWithBounds({1.0f, -1.0f, -2.0f}, {4.0f, 3.0f, 0.5f});
  for (const float yaw : {0.0f, 0.7853982f, 1.5707964f, 2.5f, 5.9f}) {
    Rock rock;
    rock.position = glm::vec2(-120.0f, 85.0f);
    rock.rotation = yaw;
    rock.updateBounds(mesh.get());
    const glm::mat4 drawn =
        glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(-120.0f, 0.0f, 85.0f)), yaw,
                    glm::vec3(0.0f, 1.0f, 0.0f));
    for (int corner = 0; corner < 8; ++corner) {
      const glm::vec3 local((corner & 1) ? mesh->max.x : mesh->min.x,
                            (corner & 2) ? mesh->max.y : mesh->min.y,
                            (corner & 4) ? mesh->max.z : mesh->min.z);
      const glm::vec3 world(drawn * glm::vec4(local, 1.0f));
      EXPECT_TRUE(holdsPoint(*rock.aabb, world)) << "yaw " << yaw << ", corner " << corner;
    }
    EXPECT_NEAR(rock.aabb->min.y, -1.0f, 1e-5f);
  }
}

// The tentacle's box follows its stance: at every moment it holds the model as drawn, lifted,
// scaled and twisted.
TEST(ObstacleBoxes, TentacleBoxEnclosesTheSwayingModel) {
  const auto mesh = tentacleMesh();
  Dummy d;
  d.position = glm::vec2(33.0f, -71.0f);
  for (const float phase : {0.0f, 1.0f, 3.14159f}) {
    d.phase = phase;
    for (const double seconds : {0.0, 0.3, 0.7, 1.1, 1.6, 2.05}) {
      d.updateBounds(mesh.get(), seconds);
      const TentaclePose pose = tentaclePose(phase, seconds);
      glm::mat4 drawn = glm::translate(glm::mat4(1.0f), glm::vec3(33.0f, pose.lift, -71.0f));
      drawn = glm::scale(drawn, glm::vec3(pose.girth, TentacleHeightScale, pose.girth));
      drawn = glm::rotate(drawn, pose.twist, glm::vec3(0.0f, 1.0f, 0.0f));
      for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 local((corner & 1) ? mesh->max.x : mesh->min.x,
                              (corner & 2) ? mesh->max.y : mesh->min.y,
                              (corner & 4) ? mesh->max.z : mesh->min.z);
        const glm::vec3 world(drawn * glm::vec4(local, 1.0f));
        EXPECT_TRUE(holdsPoint(*d.aabb, world))
            << "phase " << phase << ", time " << seconds << ", corner " << corner;
      }
    }
  }
}

TEST(ObstacleBoxes, TentacleStanceAtItsExtremes) {
  struct Case {
    float c;
    float lift;
    float girth;
    float twist;
  };
  const Case cases[] = {
      {1.0f, -5.5f, 2.0f, 3.141592f}, {-1.0f, 1.5f, 1.0f, -3.141592f}, {0.0f, -2.0f, 1.5f, 0.0f}};
  for (const Case& c : cases) {
    // cos(3t + phase) = c at t = 0 with phase = acos(c).
    const TentaclePose pose = tentaclePose(std::acos(c.c), 0.0);
    EXPECT_NEAR(pose.lift, c.lift, 1e-5f) << c.c;
    EXPECT_NEAR(pose.girth, c.girth, 1e-5f) << c.c;
    EXPECT_NEAR(pose.twist, c.twist, 1e-5f) << c.c;
  }
}
