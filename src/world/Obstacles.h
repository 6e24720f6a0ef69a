#pragma once

#include <memory>
#include <vector>

#include <glm/glm.hpp>

#include "physics/AABB.h"
#include "world/Random.h"

class BVHTree;
class Shape;
namespace sound {
class SoundEngine;
}

// Side length of the world grid; one cell is 5 × 5 world units.
constexpr int WorldGridSize = 100;

// The one world grid of obstacle marks, row after row: '-' free, 'r' rock.
extern char grid[WorldGridSize * WorldGridSize];

float distance2D(float x1, float x2, float z1, float z2);

// One tentacle.
struct Dummy {
  glm::ivec2 cell{0};
  glm::vec2 position{0.0f};
  float phase = 0.0f;
  float speed = 5.0f;
  glm::vec2 direction{0.0f};
  double lastTurnTime = 0.0;
  std::shared_ptr<AABB> aabb = std::make_shared<AABB>();

  void updateBounds(const std::shared_ptr<Shape>& mesh);
};

struct Rock {
  glm::ivec2 cell{0};
  glm::vec2 position{0.0f};
  float scaleJitter = 0.0f;
  float rotation = 0.0f;
  std::shared_ptr<AABB> aabb = std::make_shared<AABB>();

  void updateBounds(const std::shared_ptr<Shape>& mesh);
};

// Owner of the tentacles that rise from the sea and chase the boat.
class DummyManager {
 public:
  DummyManager(char* grid, int gridSize);
  void setBVH(std::shared_ptr<BVHTree> tree) { bvh = std::move(tree); }
  bool spawn(const std::shared_ptr<Shape>& mesh);
  void spawnAll(const std::shared_ptr<Shape>& mesh);
  void update(float dt, float boatX, float boatZ, bool* gameOver, sound::SoundEngine* engine,
              bool noCollision);
  const std::shared_ptr<std::vector<Dummy>>& getDummies() const { return dummies; }

 private:
  char* grid;
  int gridSize;
  std::shared_ptr<BVHTree> bvh;
  std::shared_ptr<std::vector<Dummy>> dummies;
};

// Owner of the rocks that stand in the sea for the whole session.
class RockManager {
 public:
  RockManager(char* grid, int gridSize);
  void setBVH(std::shared_ptr<BVHTree> tree) { bvh = std::move(tree); }
  bool spawn(const std::shared_ptr<Shape>& mesh);
  void spawnAll(const std::shared_ptr<Shape>& mesh);
  void update(float dt, float boatX, float boatZ, bool* gameOver, sound::SoundEngine* engine,
              bool noCollision);
  const std::shared_ptr<std::vector<Rock>>& getRocks() const { return rocks; }

 private:
  char* grid;
  int gridSize;
  std::shared_ptr<std::vector<Rock>> rocks;
  std::shared_ptr<BVHTree> bvh;
};
