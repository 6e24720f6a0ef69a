#pragma once

#include <memory>
#include <vector>

#include <glm/glm.hpp>

class BVHTree;
struct AABB;

// Side length of the world grid; one cell is 5 × 5 world units.
constexpr int WorldGridSize = 100;

// The one world grid of obstacle marks, row after row: '-' free, 'r' rock.
extern char grid[WorldGridSize * WorldGridSize];

// Each draw seeds a fresh generator from the system, so no two sessions place or strike alike.
int randomInt(int a, int b);
float randomFloat(float a, float b);

struct Dummy {
  glm::ivec2 cell{0};
  glm::vec2 position{0.0f};
  float phase = 0.0f;
  float speed = 5.0f;
  glm::vec2 direction{0.0f};
  double lastTurnTime = 0.0;
  std::shared_ptr<AABB> aabb;
};

struct Rock {
  glm::ivec2 cell{0};
  glm::vec2 position{0.0f};
  float scaleJitter = 0.0f;
  float rotation = 0.0f;
  std::shared_ptr<AABB> aabb;
};

// Owner of the tentacles that rise from the sea and chase the boat.
class DummyManager {
 public:
  DummyManager(char* grid, int gridSize);
  void setBVH(std::shared_ptr<BVHTree> tree) { bvh = std::move(tree); }
  const std::shared_ptr<std::vector<Dummy>>& getDummies() const { return dummies; }

 private:
  char* grid;
  int gridSize;
  std::shared_ptr<BVHTree> bvh;
  std::shared_ptr<std::vector<Dummy>> dummies;
};

// Owner of the whirlpools; the sea has none yet.
class WhirlpoolManager {
 public:
  WhirlpoolManager(char* grid, int gridSize);

 private:
  char* grid;
  int gridSize;
};

// Owner of the rocks that stand in the sea for the whole session.
class RockManager {
 public:
  RockManager(char* grid, int gridSize);
  void setBVH(std::shared_ptr<BVHTree> tree) { bvh = std::move(tree); }
  const std::shared_ptr<std::vector<Rock>>& getRocks() const { return rocks; }

 private:
  char* grid;
  int gridSize;
  std::shared_ptr<std::vector<Rock>> rocks;
  std::shared_ptr<BVHTree> bvh;
};
