#include "Obstacles.h"

#include <random>

char grid[WorldGridSize * WorldGridSize];

DummyManager::DummyManager(char* grid_in, int gridSize_in)
    : grid(grid_in), gridSize(gridSize_in), dummies(std::make_shared<std::vector<Dummy>>()) {}

WhirlpoolManager::WhirlpoolManager(char* grid_in, int gridSize_in)
    : grid(grid_in), gridSize(gridSize_in) {}

RockManager::RockManager(char* grid_in, int gridSize_in)
    : grid(grid_in), gridSize(gridSize_in), rocks(std::make_shared<std::vector<Rock>>()) {}

int randomInt(int a, int b) {
  std::random_device device;
  std::mt19937 generator(device());
  std::uniform_int_distribution<int> distribution(a, b);
  return distribution(generator);
}

float randomFloat(float a, float b) {
  std::random_device device;
  std::mt19937 generator(device());
  std::uniform_real_distribution<double> distribution(a, b);
  return static_cast<float>(distribution(generator));
}
