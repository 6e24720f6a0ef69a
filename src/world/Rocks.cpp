// Placing the rocks and testing the boat against them.
#include <algorithm>
#include <cmath>

#include "gl/Shape.h"
#include "physics/BVHTree.h"
#include "world/Obstacles.h"

RockManager::RockManager(char* grid_in, int gridSize_in)
    : grid(grid_in), gridSize(gridSize_in), rocks(std::make_shared<std::vector<Rock>>()) {}

bool RockManager::spawn(const std::shared_ptr<Shape>& mesh) {
  const std::optional<glm::ivec2> openCell = findOpenCell(grid, gridSize);
  if (!openCell) {
    return false;
  }
  grid[openCell->y * WorldGridSize + openCell->x] = RockCell;

  Rock rock;
  rock.cell = *openCell;
  rock.position = glm::vec2(cellToWorld(openCell->x, gridSize), cellToWorld(openCell->y, gridSize));
  rock.rotation = randomFloat(0.0f, 6.283184f);
  rock.updateBounds(mesh.get());
  if (bvh != nullptr) {
    bvh->insert(rock.aabb);
  }
  rocks->push_back(rock);
  return true;
}

void RockManager::spawnAll(const std::shared_ptr<Shape>& mesh) {
  for (int i = 0; i < RockCount; ++i) {
    spawn(mesh);
  }
}

bool RockManager::hitsBoat(const Rock& rock, float boatX, float boatZ) {
  return distance2D(rock.position.x, boatX, rock.position.y, boatZ) <= ContactRadius;
}

bool RockManager::touchesBoat(float boatX, float boatZ, bool noCollision) const {
  if (noCollision) {
    return false;
  }
  return std::any_of(rocks->begin(), rocks->end(),
                     [&](const Rock& rock) { return hitsBoat(rock, boatX, boatZ); });
}
