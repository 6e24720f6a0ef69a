#pragma once

// The obstacle field: the world grid, the rock and tentacle records with their collision boxes,
// and the two owners that place them, move the tentacles and test them against the boat.

#include <memory>
#include <optional>
#include <vector>

#include <glm/glm.hpp>

#include "physics/AABB.h"
#include "world/Random.h"

class BVHTree;
class Shape;

// Side length of the world grid, and its row stride whatever a manager's size says.
constexpr int WorldGridSize = 100;
// World units along one side of a grid cell.
constexpr float CellSize = 5.0f;
constexpr char FreeCell = '-';
constexpr char RockCell = 'r';

// The one world grid of obstacle marks, row after row (row = z index, column = x index).
extern char grid[WorldGridSize * WorldGridSize];

// Distance on the sea plane; both x values come first.
float distance2D(float x1, float x2, float z1, float z2);

// World coordinate of the centre line of cell index k.
inline float cellToWorld(int k, int gridSize) {
  return CellSize * (static_cast<float>(k) - static_cast<float>(gridSize) / 2.0f);
}
// Cell index of world coordinate w; truncates toward zero, so -4.9 and 4.9 share cell 50.
inline int worldToCell(float w, int gridSize) {
  return static_cast<int>(w) / static_cast<int>(CellSize) + gridSize / 2;
}

// A random free cell (column, row) at least 20 cells from every edge, off the centre lines and
// with no rock within two cells in any of the eight directions. Random tries are bounded; after
// them every candidate is scanned, and when none is left there is no cell to give.
std::optional<glm::ivec2> findOpenCell(const char* grid, int gridSize);

// The animated stance of a tentacle at one moment: it rises and sinks, thickens as it sinks
// and twists back and forth.
struct TentaclePose {
  float lift;   // height of the mesh origin above the sea
  float girth;  // horizontal scale
  float twist;  // yaw in radians
};
constexpr float TentacleHeightScale = 1.5f;
TentaclePose tentaclePose(float phase, double seconds);

// One tentacle.
struct Dummy {
  glm::ivec2 cell{0};
  glm::vec2 position{0.0f};
  float phase = 0.0f;
  float speed = 5.0f;
  glm::vec2 direction{0.0f};
  double lastTurnTime = 0.0;
  // Shared with every copy of the record, so the drawing's refresh reaches the steering.
  std::shared_ptr<AABB> aabb = std::make_shared<AABB>();

  // The box of the mesh as drawn at the given clock time: the twist may turn any side of the
  // mesh outward, so the box spans the mesh's reach around its axis. A missing mesh gives a
  // box of no size at the tentacle's position.
  AABB boundsAt(const Shape* mesh, double seconds) const;
  void updateBounds(const Shape* mesh, double seconds) { *aabb = boundsAt(mesh, seconds); }
};

// One rock; it never moves.
struct Rock {
  glm::ivec2 cell{0};
  glm::vec2 position{0.0f};
  float rotation = 0.0f;  // yaw in radians
  std::shared_ptr<AABB> aabb = std::make_shared<AABB>();

  // The box of the mesh as drawn: turned by the rock's yaw and standing at its position. A
  // missing mesh gives a box of no size at the rock's position.
  void updateBounds(const Shape* mesh);
};

// Owner of the tentacles that rise from the sea and chase the boat.
class DummyManager {
 public:
  static constexpr size_t MaxTentacles = 49;
  static constexpr float ContactRadius = 4.0f;
  static constexpr float ChaseRange = 200.0f;
  static constexpr float ArenaHalfWidth = 240.0f;
  static constexpr double TurnCooldown = 1.0;
  static constexpr float StepBack = 1.0f;

  // The clock that times turns and the bobbing of new tentacles' boxes; GLFW's by default.
  using Clock = double (*)();

  DummyManager(char* grid, int gridSize);
  void setBVH(std::shared_ptr<BVHTree> tree) { bvh = std::move(tree); }
  void setClock(Clock c) { clock = c; }

  // Places one tentacle; false at the cap or when the grid has no open cell.
  bool spawn(const std::shared_ptr<Shape>& mesh);
  // Replaces every tentacle with a new set.
  void spawnAll(const std::shared_ptr<Shape>& mesh);
  // One frame: true when a tentacle touches the boat (never with noCollision); that one stays
  // where it is, the others steer and move.
  bool update(float dt, float boatX, float boatZ, bool noCollision);
  // Turns back at rocks and at the arena's edge, otherwise heads for a boat within range.
  void steer(Dummy& d, float boatX, float boatZ) const;
  static bool hitsBoat(const Dummy& d, float boatX, float boatZ);

  const std::shared_ptr<std::vector<Dummy>>& getDummies() const { return dummies; }

 private:
  char* grid;
  int gridSize;
  std::shared_ptr<BVHTree> bvh;
  std::shared_ptr<std::vector<Dummy>> dummies;
  Clock clock;
};

// Owner of the rocks that stand in the sea for the whole session.
class RockManager {
 public:
  static constexpr int RockCount = 100;
  static constexpr float ContactRadius = 6.0f;

  RockManager(char* grid, int gridSize);
  void setBVH(std::shared_ptr<BVHTree> tree) { bvh = std::move(tree); }
  // Places one rock, marks its cell and enters its box in the tree; false when the grid has no
  // open cell, in which case nothing changes.
  bool spawn(const std::shared_ptr<Shape>& mesh);
  // Adds RockCount rocks to those already placed.
  void spawnAll(const std::shared_ptr<Shape>& mesh);
  // True when a rock touches the boat (never with noCollision).
  bool touchesBoat(float boatX, float boatZ, bool noCollision) const;
  static bool hitsBoat(const Rock& rock, float boatX, float boatZ);

  const std::shared_ptr<std::vector<Rock>>& getRocks() const { return rocks; }

 private:
  char* grid;
  int gridSize;
  std::shared_ptr<std::vector<Rock>> rocks;
  std::shared_ptr<BVHTree> bvh;
};
