// The sea's tiles: every triangle kept in exactly one tile, and a tile drawn exactly when its
// box reaches into the view volume, the swell's rise included.
#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <vector>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "render/Frustum.h"
#include "render/SeaTiles.h"

namespace {

// A flat grid of quads at height y over [x0, x1] × [z0, z1], two triangles a quad.
struct Plane {
  std::vector<float> positions;
  std::vector<unsigned int> elements;
};

Plane gridPlane(float x0, float x1, float z0, float z1, float y, int quads) {
  Plane plane;
  for (int row = 0; row <= quads; ++row) {
    for (int column = 0; column <= quads; ++column) {
      const float u = static_cast<float>(column) / static_cast<float>(quads);
      const float v = static_cast<float>(row) / static_cast<float>(quads);
      plane.positions.insert(plane.positions.end(), {x0 + u * (x1 - x0), y, z0 + v * (z1 - z0)});
    }
  }
  const auto at = [quads](int row, int column) {
    return static_cast<unsigned int>(row * (quads + 1) + column);
  };
  for (int row = 0; row < quads; ++row) {
    for (int column = 0; column < quads; ++column) {
      plane.elements.insert(plane.elements.end(),
                            {at(row, column), at(row + 1, column), at(row, column + 1),
                             at(row, column + 1), at(row + 1, column), at(row + 1, column + 1)});
    }
  }
  return plane;
}

// A camera at the origin looking down -z with a 90 degree view, near 1 and far 100: at depth d
// the side planes stand at x = ±d and y = ±d.
FrustumPlanes rightAngledView() {
  const glm::mat4 P = glm::perspective(glm::radians(90.0f), 1.0f, 1.0f, 100.0f);
  const glm::mat4 V =
      glm::lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
  return extractFrustumPlanes(P, V);
}

int indicesIn(const std::vector<SeaTiles::Range>& ranges) {
  int total = 0;
  for (const SeaTiles::Range& range : ranges) {
    total += range.count;
  }
  return total;
}

constexpr float AllFine = std::numeric_limits<float>::infinity();

using Triangle = std::array<unsigned int, 3>;

std::multiset<Triangle> trianglesOf(const std::vector<unsigned int>& elements) {
  std::multiset<Triangle> triangles;
  for (size_t t = 0; t + 2 < elements.size(); t += 3) {
    triangles.insert({elements[t], elements[t + 1], elements[t + 2]});
  }
  return triangles;
}

}  // namespace

TEST(SeaTilesTest, EveryTriangleIsKeptOnceAndEachTileIsOneRun) {
  Plane plane = gridPlane(-1.0f, 1.0f, -1.0f, 1.0f, 0.0f, 12);
  const std::multiset<Triangle> before = trianglesOf(plane.elements);
  SeaTiles tiles;
  tiles.build(plane.positions, plane.elements, 4);
  EXPECT_EQ(tiles.tileCount(), 16);
  EXPECT_EQ(trianglesOf(plane.elements), before);
  const std::vector<SeaTiles::Range> all = tiles.allRanges();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all.front().first, 0);
  EXPECT_EQ(all.front().count, static_cast<int>(plane.elements.size()));
}

TEST(SeaTilesTest, TrianglesWithIndicesPastTheVerticesAreDropped) {
  Plane plane = gridPlane(-1.0f, 1.0f, -1.0f, 1.0f, 0.0f, 2);
  const size_t kept = plane.elements.size();
  plane.elements.insert(plane.elements.end(), {0u, 1u, 999u});
  SeaTiles tiles;
  tiles.build(plane.positions, plane.elements, 2);
  EXPECT_EQ(plane.elements.size(), kept);
}

TEST(SeaTilesTest, ATileIsDrawnExactlyWhenItReachesIntoTheView) {
  struct Case {
    const char* what;
    float x0, x1, z0, z1, y, rise;
    bool drawn;
  };
  // Each plane is a single tile; its box's corner nearest the view is 0.1 inside or outside.
  const Case cases[] = {
      {"just inside the left edge", -30.0f, -9.9f, -10.0f, -5.0f, 0.0f, 0.0f, true},
      {"just outside the left edge", -30.0f, -10.1f, -10.0f, -5.0f, 0.0f, 0.0f, false},
      {"just inside the right edge", 9.9f, 30.0f, -10.0f, -5.0f, 0.0f, 0.0f, true},
      {"just outside the right edge", 10.1f, 30.0f, -10.0f, -5.0f, 0.0f, 0.0f, false},
      {"just short of the far plane", -1.0f, 1.0f, -120.0f, -99.9f, 0.0f, 0.0f, true},
      {"just beyond the far plane", -1.0f, 1.0f, -120.0f, -100.1f, 0.0f, 0.0f, false},
      {"behind the camera", -10.0f, 10.0f, 0.5f, 10.0f, 0.0f, 0.0f, false},
      {"just below the bottom edge", -1.0f, 1.0f, -10.0f, -5.0f, -10.1f, 0.0f, false},
      {"below the edge but lifted into view by the swell", -1.0f, 1.0f, -10.0f, -5.0f, -10.1f,
       0.2f, true},
  };
  const FrustumPlanes planes = rightAngledView();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Plane plane = gridPlane(c.x0, c.x1, c.z0, c.z1, c.y, 3);
    SeaTiles tiles;
    tiles.build(plane.positions, plane.elements, 1);
    const int drawn = indicesIn(
        tiles.visibleRanges(planes, glm::mat4(1.0f), c.rise, glm::vec3(0.0f), AllFine));
    EXPECT_EQ(drawn, c.drawn ? static_cast<int>(plane.elements.size()) : 0);
  }
}

TEST(SeaTilesTest, TheModelMatrixPlacesTheTilesAndNeighbouringRunsMerge) {
  // A unit plane scaled to ±300 as the sea is: of 4 × 4 tiles 150 units wide, the camera sees
  // the two middle columns' tiles ahead of it (x in -150..150, z < 0) and nothing else.
  Plane plane = gridPlane(-1.0f, 1.0f, -1.0f, 1.0f, 0.0f, 8);
  const int perTile = static_cast<int>(plane.elements.size()) / 16;
  SeaTiles tiles;
  tiles.build(plane.positions, plane.elements, 4);
  const glm::mat4 model = glm::scale(glm::mat4(1.0f), glm::vec3(300.0f, 1.0f, 300.0f));
  const glm::mat4 P = glm::perspective(glm::radians(30.0f), 1.0f, 1.0f, 1000.0f);
  const glm::mat4 V =
      glm::lookAt(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(0.0f, 1.0f, -1.0f), glm::vec3(0, 1, 0));
  const std::vector<SeaTiles::Range> ranges =
      tiles.visibleRanges(extractFrustumPlanes(P, V), model, 1.5f, glm::vec3(0.0f), AllFine);
  EXPECT_EQ(indicesIn(ranges), 4 * perTile);
  // Rows run along x, so each row's two middle tiles are one run.
  EXPECT_EQ(ranges.size(), 2u);
}

// Far tiles drawn coarse: each covers exactly its fine tile's ground, faces the same way, and
// keeps every vertex of its edge, so it meets a fine or coarse neighbour without a crack.
TEST(SeaTilesTest, CoarseTilesCoverTheirGroundAndKeepTheirEdges) {
  constexpr int Quads = 16;
  constexpr int TilesPerSide = 2;
  Plane plane = gridPlane(-1.0f, 1.0f, -1.0f, 1.0f, 0.0f, Quads);
  const size_t fineIndices = plane.elements.size();
  SeaTiles tiles;
  tiles.build(plane.positions, plane.elements, TilesPerSide);
  ASSERT_TRUE(tiles.hasCoarseTiles());
  const auto at = [&plane](unsigned int index) {
    return glm::vec3(plane.positions[3 * index], plane.positions[3 * index + 1],
                     plane.positions[3 * index + 2]);
  };
  const auto signedArea = [&](size_t t) {
    const glm::vec3 a = at(plane.elements[t]);
    return 0.5f * glm::cross(at(plane.elements[t + 1]) - a, at(plane.elements[t + 2]) - a).y;
  };
  const float fineFacing = signedArea(0);
  // The coarse triangles follow the fine ones, one tile after another.
  size_t start = fineIndices;
  const float tileSide = 2.0f / TilesPerSide;
  for (int tile = 0; tile < TilesPerSide * TilesPerSide; ++tile) {
    SCOPED_TRACE(tile);
    float area = 0.0f;
    std::set<unsigned int> used;
    size_t t = start;
    for (; t < plane.elements.size() && area < tileSide * tileSide - 1e-4f; t += 3) {
      const float triangleArea = signedArea(t);
      EXPECT_GT(triangleArea * fineFacing, 0.0f) << "faces the fine triangles' way";
      area += std::abs(triangleArea);
      used.insert({plane.elements[t], plane.elements[t + 1], plane.elements[t + 2]});
    }
    EXPECT_NEAR(area, tileSide * tileSide, 1e-4f);
    const size_t fineTriangles = 2 * (Quads / TilesPerSide) * (Quads / TilesPerSide);
    EXPECT_LT((t - start) / 3, fineTriangles * 2 / 3);
    // Every grid vertex on the tile's edge is a corner of some coarse triangle.
    const int first = (tile % TilesPerSide) * (Quads / TilesPerSide);
    const int firstRow = (tile / TilesPerSide) * (Quads / TilesPerSide);
    for (int i = 0; i <= Quads / TilesPerSide; ++i) {
      for (const auto& [row, column] :
           {std::pair{firstRow, first + i}, std::pair{firstRow + Quads / TilesPerSide, first + i},
            std::pair{firstRow + i, first}, std::pair{firstRow + i, first + Quads / TilesPerSide}}) {
        EXPECT_EQ(used.count(static_cast<unsigned int>(row * (Quads + 1) + column)), 1u)
            << "edge vertex at row " << row << ", column " << column;
      }
    }
    start = t;
  }
  EXPECT_EQ(start, plane.elements.size());

  // Seen from beside the plane, the near tiles are fine and the far ones coarse.
  const glm::mat4 P = glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 100.0f);
  const glm::vec3 eye(0.0f, 1.0f, 3.0f);
  const FrustumPlanes planes = extractFrustumPlanes(P, glm::lookAt(eye, glm::vec3(0.0f), glm::vec3(0, 1, 0)));
  const int allFine = indicesIn(tiles.visibleRanges(planes, glm::mat4(1.0f), 0.0f, eye, AllFine));
  const int farCoarse = indicesIn(tiles.visibleRanges(planes, glm::mat4(1.0f), 0.0f, eye, 3.0f));
  const int allCoarse = indicesIn(tiles.visibleRanges(planes, glm::mat4(1.0f), 0.0f, eye, 0.0f));
  EXPECT_EQ(allFine, static_cast<int>(fineIndices));
  EXPECT_LT(farCoarse, allFine);
  EXPECT_LT(allCoarse, farCoarse);
}
