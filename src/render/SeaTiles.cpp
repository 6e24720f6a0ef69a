// Cutting the sea plane into tiles with boxes, and choosing the tiles a view volume can see.
#include "render/SeaTiles.h"

#include <algorithm>
#include <cmath>
#include <limits>

void SeaTiles::build(const std::vector<float>& positions, std::vector<unsigned int>& elements,
                     int tilesPerSide) {
  tiles.clear();
  const size_t vertexCount = positions.size() / 3;
  const size_t triangleCount = elements.size() / 3;
  if (tilesPerSide < 1 || vertexCount == 0 || triangleCount == 0) {
    return;
  }
  const auto corner = [&positions](unsigned int index) {
    return glm::vec3(positions[3 * index], positions[3 * index + 1], positions[3 * index + 2]);
  };
  glm::vec3 low(std::numeric_limits<float>::max());
  glm::vec3 high(std::numeric_limits<float>::lowest());
  for (size_t v = 0; v < vertexCount; ++v) {
    low = glm::min(low, corner(static_cast<unsigned int>(v)));
    high = glm::max(high, corner(static_cast<unsigned int>(v)));
  }
  const glm::vec2 extent(std::max(high.x - low.x, 1e-6f), std::max(high.z - low.z, 1e-6f));
  const auto cellOf = [&](float value, float start, float size) {
    const int cell = static_cast<int>((value - start) / size * static_cast<float>(tilesPerSide));
    return std::clamp(cell, 0, tilesPerSide - 1);
  };

  // Bucket the triangles, skipping any with an index past the vertex list.
  const size_t tileTotal = static_cast<size_t>(tilesPerSide) * static_cast<size_t>(tilesPerSide);
  std::vector<std::vector<unsigned int>> buckets(tileTotal);
  for (size_t t = 0; t < triangleCount; ++t) {
    const unsigned int a = elements[3 * t];
    const unsigned int b = elements[3 * t + 1];
    const unsigned int c = elements[3 * t + 2];
    if (a >= vertexCount || b >= vertexCount || c >= vertexCount) {
      continue;
    }
    const glm::vec3 centre = (corner(a) + corner(b) + corner(c)) / 3.0f;
    const int column = cellOf(centre.x, low.x, extent.x);
    const int row = cellOf(centre.z, low.z, extent.y);
    auto& bucket = buckets[static_cast<size_t>(row) * static_cast<size_t>(tilesPerSide) +
                           static_cast<size_t>(column)];
    bucket.insert(bucket.end(), {a, b, c});
  }

  std::vector<unsigned int> reordered;
  reordered.reserve(elements.size());
  for (const auto& bucket : buckets) {
    if (bucket.empty()) {
      continue;
    }
    Tile tile;
    tile.range = {static_cast<int>(reordered.size()), static_cast<int>(bucket.size())};
    tile.min = glm::vec3(std::numeric_limits<float>::max());
    tile.max = glm::vec3(std::numeric_limits<float>::lowest());
    for (const unsigned int index : bucket) {
      tile.min = glm::min(tile.min, corner(index));
      tile.max = glm::max(tile.max, corner(index));
    }
    reordered.insert(reordered.end(), bucket.begin(), bucket.end());
    tiles.push_back(tile);
  }
  elements = std::move(reordered);
  buildCoarseTiles(positions, elements, tilesPerSide, low, high);
}

void SeaTiles::buildCoarseTiles(const std::vector<float>& positions,
                                std::vector<unsigned int>& elements, int tilesPerSide,
                                const glm::vec3& low, const glm::vec3& high) {
  // The grid's vertices by row and column, if the plane is a square grid whose tiles hold an
  // even number of quads a side.
  const size_t vertexCount = positions.size() / 3;
  const int side = static_cast<int>(std::lround(std::sqrt(static_cast<double>(vertexCount))));
  const int quadsPerTile = side > 1 ? (side - 1) / tilesPerSide : 0;
  const size_t tileTotal = static_cast<size_t>(tilesPerSide) * static_cast<size_t>(tilesPerSide);
  if (static_cast<size_t>(side) * static_cast<size_t>(side) != vertexCount || quadsPerTile < 2 ||
      quadsPerTile % 2 != 0 || quadsPerTile * tilesPerSide != side - 1 ||
      tiles.size() != tileTotal || elements.size() < 3) {
    return;
  }
  constexpr unsigned int Unset = std::numeric_limits<unsigned int>::max();
  std::vector<unsigned int> gridIndex(vertexCount, Unset);
  const float steps = static_cast<float>(side - 1);
  for (size_t v = 0; v < vertexCount; ++v) {
    const float u = (positions[3 * v] - low.x) / (high.x - low.x) * steps;
    const float w = (positions[3 * v + 2] - low.z) / (high.z - low.z) * steps;
    const long column = std::lround(u);
    const long row = std::lround(w);
    if (std::abs(u - static_cast<float>(column)) > 0.01f ||
        std::abs(w - static_cast<float>(row)) > 0.01f) {
      return;
    }
    unsigned int& slot = gridIndex[static_cast<size_t>(row) * static_cast<size_t>(side) +
                                   static_cast<size_t>(column)];
    if (slot != Unset) {
      return;
    }
    slot = static_cast<unsigned int>(v);
  }
  const auto vertex = [&](int row, int column) {
    return gridIndex[static_cast<size_t>(row) * static_cast<size_t>(side) +
                     static_cast<size_t>(column)];
  };
  const auto point = [&positions](unsigned int index) {
    return glm::vec3(positions[3 * index], positions[3 * index + 1], positions[3 * index + 2]);
  };
  // New triangles face the way the plane's own do, so back-face culling treats them alike.
  const auto facing = [&](unsigned int a, unsigned int b, unsigned int c) {
    return glm::cross(point(b) - point(a), point(c) - point(a)).y;
  };
  const bool upward = facing(elements[0], elements[1], elements[2]) > 0.0f;
  const auto addTriangle = [&](unsigned int a, unsigned int b, unsigned int c) {
    if ((facing(a, b, c) > 0.0f) == upward) {
      elements.insert(elements.end(), {a, b, c});
    } else {
      elements.insert(elements.end(), {a, c, b});
    }
  };

  const int cellsPerTile = quadsPerTile / 2;
  for (int tileRow = 0; tileRow < tilesPerSide; ++tileRow) {
    for (int tileColumn = 0; tileColumn < tilesPerSide; ++tileColumn) {
      Tile& tile = tiles[static_cast<size_t>(tileRow) * static_cast<size_t>(tilesPerSide) +
                         static_cast<size_t>(tileColumn)];
      const int first = static_cast<int>(elements.size());
      for (int cellRow = 0; cellRow < cellsPerTile; ++cellRow) {
        for (int cellColumn = 0; cellColumn < cellsPerTile; ++cellColumn) {
          // A cell of 2 × 2 quads; on the tile's edge it keeps the edge's middle vertex, and is
          // then drawn as a fan around its centre.
          const int r = tileRow * quadsPerTile + 2 * cellRow;
          const int c = tileColumn * quadsPerTile + 2 * cellColumn;
          const bool bottom = cellRow == 0;
          const bool top = cellRow == cellsPerTile - 1;
          const bool left = cellColumn == 0;
          const bool right = cellColumn == cellsPerTile - 1;
          if (!bottom && !top && !left && !right) {
            addTriangle(vertex(r, c), vertex(r, c + 2), vertex(r + 2, c + 2));
            addTriangle(vertex(r, c), vertex(r + 2, c + 2), vertex(r + 2, c));
            continue;
          }
          std::vector<unsigned int> rim{vertex(r, c)};
          if (bottom) {
            rim.push_back(vertex(r, c + 1));
          }
          rim.push_back(vertex(r, c + 2));
          if (right) {
            rim.push_back(vertex(r + 1, c + 2));
          }
          rim.push_back(vertex(r + 2, c + 2));
          if (top) {
            rim.push_back(vertex(r + 2, c + 1));
          }
          rim.push_back(vertex(r + 2, c));
          if (left) {
            rim.push_back(vertex(r + 1, c));
          }
          const unsigned int centre = vertex(r + 1, c + 1);
          for (size_t i = 0; i < rim.size(); ++i) {
            addTriangle(centre, rim[i], rim[(i + 1) % rim.size()]);
          }
        }
      }
      tile.coarse = {first, static_cast<int>(elements.size()) - first};
    }
  }
}

const std::vector<SeaTiles::Range>& SeaTiles::visibleRanges(const FrustumPlanes& planes,
                                                            const glm::mat4& model, float rise,
                                                            const glm::vec3& eye,
                                                            float fineWithin) {
  ranges.clear();
  for (const Tile& tile : tiles) {
    // The box's corners taken to the world; a plane model may scale and move but not turn it
    // much, and the box of the moved corners holds the moved tile whatever it does.
    glm::vec3 low(std::numeric_limits<float>::max());
    glm::vec3 high(std::numeric_limits<float>::lowest());
    for (int i = 0; i < 8; ++i) {
      const glm::vec3 local((i & 1) != 0 ? tile.max.x : tile.min.x,
                            (i & 2) != 0 ? tile.max.y : tile.min.y,
                            (i & 4) != 0 ? tile.max.z : tile.min.z);
      const glm::vec3 world(model * glm::vec4(local, 1.0f));
      low = glm::min(low, world);
      high = glm::max(high, world);
    }
    low.y -= rise;
    high.y += rise;
    if (boxOutsideFrustum(planes, low, high)) {
      continue;
    }
    const glm::vec3 nearest = glm::clamp(eye, low, high);
    const bool far = glm::length(nearest - eye) > fineWithin;
    const Range& range = far && tile.coarse.count > 0 ? tile.coarse : tile.range;
    if (!ranges.empty() && ranges.back().first + ranges.back().count == range.first) {
      ranges.back().count += range.count;
    } else {
      ranges.push_back(range);
    }
  }
  return ranges;
}

const std::vector<SeaTiles::Range>& SeaTiles::allRanges() {
  ranges.clear();
  if (!tiles.empty()) {
    // The fine tiles come first in the element list, one after another.
    const Range& last = tiles.back().range;
    ranges.push_back({0, last.first + last.count});
  }
  return ranges;
}
