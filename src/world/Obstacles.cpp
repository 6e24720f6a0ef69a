#include "world/Obstacles.h"

#include <cmath>

#include "physics/BVHTree.h"

char grid[WorldGridSize * WorldGridSize];

float distance2D(float x1, float x2, float z1, float z2) {
  return std::sqrt((x1 - x2) * (x1 - x2) + (z1 - z2) * (z1 - z2));
}

void Dummy::updateBounds(const std::shared_ptr<Shape>& /*mesh*/) {}

void Rock::updateBounds(const std::shared_ptr<Shape>& /*mesh*/) {}

DummyManager::DummyManager(char* grid_in, int gridSize_in)
    : grid(grid_in), gridSize(gridSize_in), dummies(std::make_shared<std::vector<Dummy>>()) {}

bool DummyManager::spawn(const std::shared_ptr<Shape>& /*mesh*/) { return false; }

void DummyManager::spawnAll(const std::shared_ptr<Shape>& /*mesh*/) {}

void DummyManager::update(float /*dt*/, float /*boatX*/, float /*boatZ*/, bool* /*gameOver*/,
                          sound::SoundEngine* /*engine*/, bool /*noCollision*/) {}

RockManager::RockManager(char* grid_in, int gridSize_in)
    : grid(grid_in), gridSize(gridSize_in), rocks(std::make_shared<std::vector<Rock>>()) {}

bool RockManager::spawn(const std::shared_ptr<Shape>& /*mesh*/) { return false; }

void RockManager::spawnAll(const std::shared_ptr<Shape>& /*mesh*/) {}

void RockManager::update(float /*dt*/, float /*boatX*/, float /*boatZ*/, bool* /*gameOver*/,
                         sound::SoundEngine* /*engine*/, bool /*noCollision*/) {}
