// Placing the tentacles, steering them around rocks and the arena's edge toward the boat, and
// testing the boat against them.
#include <cmath>

#include "gl/Shape.h"

#include <GLFW/glfw3.h>

#include "physics/BVHTree.h"
#include "world/Obstacles.h"

namespace {

// Headings a new tentacle may start with: the four axes and the four diagonals.
constexpr float StartHeadings[8][2] = {{0, 1},  {1, 0},  {0, -1}, {-1, 0},
                                       {-1, 1}, {1, -1}, {1, 1},  {-1, -1}};

bool outsideArena(const glm::vec2& p) {
  return p.x < -DummyManager::ArenaHalfWidth || p.x > DummyManager::ArenaHalfWidth ||
         p.y < -DummyManager::ArenaHalfWidth || p.y > DummyManager::ArenaHalfWidth;
}

}  // namespace

DummyManager::DummyManager(char* grid_in, int gridSize_in)
    : grid(grid_in),
      gridSize(gridSize_in),
      dummies(std::make_shared<std::vector<Dummy>>()),
      clock(glfwGetTime) {}

bool DummyManager::spawn(const std::shared_ptr<Shape>& mesh) {
  if (dummies->size() >= MaxTentacles) {
    return false;
  }
  // Tentacles leave no mark in the grid: several may rise in one cell.
  const std::optional<glm::ivec2> openCell = findOpenCell(grid, gridSize);
  if (!openCell) {
    return false;
  }
  Dummy d;
  d.cell = *openCell;
  d.position = glm::vec2(cellToWorld(openCell->x, gridSize), cellToWorld(openCell->y, gridSize));
  d.speed = 5.0f;
  const auto& heading = StartHeadings[randomInt(0, 7)];
  d.direction = glm::normalize(glm::vec2(heading[0], heading[1]));
  d.phase = randomFloat(0.0f, 6.283184f);
  d.updateBounds(mesh.get(), clock());
  dummies->push_back(d);
  return true;
}

void DummyManager::spawnAll(const std::shared_ptr<Shape>& mesh) {
  dummies->clear();
  for (size_t i = 0; i < MaxTentacles; ++i) {
    spawn(mesh);
  }
}

bool DummyManager::hitsBoat(const Dummy& d, float boatX, float boatZ) {
  return distance2D(d.position.x, boatX, d.position.y, boatZ) <= ContactRadius;
}

void DummyManager::steer(Dummy& d, float boatX, float boatZ) const {
  const bool touchesRock = bvh != nullptr && bvh->touchesAny(*d.aabb);
  if (touchesRock || outsideArena(d.position)) {
    // The cool-down lets a tentacle that has turned get clear before it may turn again.
    const double now = clock();
    if (now - d.lastTurnTime > TurnCooldown) {
      d.position -= StepBack * d.direction;
      d.direction = -d.direction;
      d.lastTurnTime = now;
    }
    return;
  }
  const glm::vec2 toBoat = glm::vec2(boatX, boatZ) - d.position;
  const float distance = glm::length(toBoat);
  // A tentacle right on the boat has no heading to take; it keeps the one it has.
  if (distance <= ChaseRange && distance > 0.0f) {
    d.direction = toBoat / distance;
  }
}

bool DummyManager::update(float dt, float boatX, float boatZ, bool noCollision) {
  bool touched = false;
  for (Dummy& d : *dummies) {
    if (!noCollision && !touched && hitsBoat(d, boatX, boatZ)) {
      touched = true;
      continue;
    }
    steer(d, boatX, boatZ);
    d.position.y += dt * d.speed * d.direction.y;
    d.cell.y = worldToCell(d.position.y, gridSize);
    d.position.x += dt * d.speed * d.direction.x;
    d.cell.x = worldToCell(d.position.x, gridSize);
  }
  return touched;
}
