// The world grid, open-cell search, tentacle poses and obstacle boxes.
#include "world/Obstacles.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "gl/Shape.h"

char grid[WorldGridSize * WorldGridSize];

namespace {

// Candidates stay this many cells away from every edge of the grid.
constexpr int EdgeMargin = 20;
// Cells around a candidate, in each of the eight directions, that must hold no rock.
constexpr int RockClearance = 2;
// Random candidates tried before the search falls back to a scan of the whole area.
constexpr int RandomTries = 500;
// A grid smaller than this leaves no room inside the edge margin.
constexpr int SmallestGrid = 2 * EdgeMargin;

bool isOpenCell(const char* cells, int gridSize, int column, int row) {
  const int centre = gridSize / 2;
  if (row == centre || column == centre) {
    return false;
  }
  constexpr int Directions[8][2] = {{1, 0}, {-1, 0},  {0, -1}, {0, 1},
                                    {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
  for (int d = 0; d <= RockClearance; ++d) {
    for (const auto& step : Directions) {
      const int r = row + d * step[0];
      const int c = column + d * step[1];
      if (cells[r * WorldGridSize + c] != FreeCell) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

float distance2D(float x1, float x2, float z1, float z2) {
  return std::sqrt((x1 - x2) * (x1 - x2) + (z1 - z2) * (z1 - z2));
}

std::optional<glm::ivec2> findOpenCell(const char* cells, int gridSize) {
  if (cells == nullptr || gridSize < SmallestGrid || gridSize > WorldGridSize) {
    return std::nullopt;
  }
  const int first = EdgeMargin;
  const int last = gridSize - EdgeMargin;
  for (int attempt = 0; attempt < RandomTries; ++attempt) {
    const int column = randomInt(first, last);
    const int row = randomInt(first, last);
    if (isOpenCell(cells, gridSize, column, row)) {
      return glm::ivec2(column, row);
    }
  }
  for (int row = first; row <= last; ++row) {
    for (int column = first; column <= last; ++column) {
      if (isOpenCell(cells, gridSize, column, row)) {
        return glm::ivec2(column, row);
      }
    }
  }
  return std::nullopt;
}

TentaclePose tentaclePose(float phase, double seconds) {
  const float c = std::cos(3.0f * static_cast<float>(seconds) + phase);
  return {-3.5f * c - 2.0f, 1.5f + c / 2.0f, 3.141592f * c};
}

AABB Dummy::boundsAt(const Shape* mesh, double seconds) const {
  const glm::vec3 foot(position.x, 0.0f, position.y);
  if (mesh == nullptr) {
    return {foot, foot};
  }
  const TentaclePose pose = tentaclePose(phase, seconds);
  // The farthest corner of the mesh's box from its upright axis bounds every yaw.
  float reach = 0.0f;
  for (const float x : {mesh->min.x, mesh->max.x}) {
    for (const float z : {mesh->min.z, mesh->max.z}) {
      reach = std::max(reach, std::sqrt(x * x + z * z));
    }
  }
  const float halfWidth = pose.girth * reach;
  return {glm::vec3(foot.x - halfWidth, pose.lift + TentacleHeightScale * mesh->min.y,
                    foot.z - halfWidth),
          glm::vec3(foot.x + halfWidth, pose.lift + TentacleHeightScale * mesh->max.y,
                    foot.z + halfWidth)};
}

void Rock::updateBounds(const Shape* mesh) {
  const glm::vec3 foot(position.x, 0.0f, position.y);
  if (mesh == nullptr) {
    *aabb = {foot, foot};
    return;
  }
  const glm::mat4 placement =
      glm::rotate(glm::translate(glm::mat4(1.0f), foot), rotation, glm::vec3(0.0f, 1.0f, 0.0f));
  AABB box{glm::vec3(placement * glm::vec4(mesh->min, 1.0f)),
           glm::vec3(placement * glm::vec4(mesh->min, 1.0f))};
  for (const float x : {mesh->min.x, mesh->max.x}) {
    for (const float y : {mesh->min.y, mesh->max.y}) {
      for (const float z : {mesh->min.z, mesh->max.z}) {
        const glm::vec3 corner(placement * glm::vec4(x, y, z, 1.0f));
        box.min = glm::min(box.min, corner);
        box.max = glm::max(box.max, corner);
      }
    }
  }
  *aabb = box;
}

