// Coarsening a mesh for far drawing keeps only whole, valid triangles inside the mesh and
// drops indices past its vertices.
#include <gtest/gtest.h>
#include <algorithm>

#include <glm/glm.hpp>

#include "world/FarMesh.h"

namespace {

// A flat n × n grid of quads over [0, 1]², two triangles each, with texture coordinates.
ObjShape grid(int n) {
  ObjShape shape;
  shape.name = "rock";
  for (int row = 0; row <= n; ++row) {
    for (int column = 0; column <= n; ++column) {
      const float u = static_cast<float>(column) / static_cast<float>(n);
      const float v = static_cast<float>(row) / static_cast<float>(n);
      shape.mesh.positions.insert(shape.mesh.positions.end(), {u, 0.0f, v});
      shape.mesh.texcoords.insert(shape.mesh.texcoords.end(), {u, v});
    }
  }
  const auto at = [n](int column, int row) {
    return static_cast<unsigned>(row * (n + 1) + column);
  };
  for (int row = 0; row < n; ++row) {
    for (int column = 0; column < n; ++column) {
      shape.mesh.indices.insert(
          shape.mesh.indices.end(),
          {at(column, row), at(column, row + 1), at(column + 1, row), at(column + 1, row),
           at(column, row + 1), at(column + 1, row + 1)});
    }
  }
  return shape;
}

}  // namespace

TEST(FarMesh, CoarsensWithinTheMeshAndKeepsOnlyWholeTriangles) {
  struct Case {
    int quads;
    float cellSize;
    size_t mostTriangles;
    size_t fewestTriangles;
  };
  const Case cases[] = {
      {12, 0.001f, 288, 288},  // cells finer than the vertices: nothing changes
      {12, 0.26f, 60, 2},      // a few cells across
      {12, 4.0f, 0, 0},        // one cell holds the whole mesh: nothing is left to draw
  };
  for (const Case& c : cases) {
    const ObjShape fine = grid(c.quads);
    const ObjShape coarse = coarsenMesh(fine, c.cellSize);
    const size_t vertices = coarse.mesh.positions.size() / 3;
    const size_t triangles = coarse.mesh.indices.size() / 3;
    EXPECT_EQ(coarse.name, fine.name);
    EXPECT_GE(triangles, c.fewestTriangles) << c.cellSize;
    EXPECT_LE(triangles, c.mostTriangles) << c.cellSize;
    EXPECT_TRUE(coarse.mesh.normals.empty());
    EXPECT_EQ(coarse.mesh.texcoords.size(), 2 * vertices);
    for (size_t i = 0; i < coarse.mesh.indices.size(); i += 3) {
      const unsigned a = coarse.mesh.indices[i];
      const unsigned b = coarse.mesh.indices[i + 1];
      const unsigned d = coarse.mesh.indices[i + 2];
      ASSERT_LT(std::max({a, b, d}), vertices);
      EXPECT_TRUE(a != b && b != d && a != d) << "collapsed triangle kept";
    }
    for (size_t v = 0; v < vertices; ++v) {
      for (int axis = 0; axis < 3; ++axis) {
        const float p = coarse.mesh.positions[3 * v + static_cast<size_t>(axis)];
        EXPECT_GE(p, 0.0f);
        EXPECT_LE(p, 1.0f);
      }
    }
  }
}

TEST(FarMesh, IndicesPastTheVerticesAreDropped) {
  ObjShape broken = grid(2);
  broken.mesh.indices.insert(broken.mesh.indices.end(), {0u, 1u, 999u});
  const ObjShape coarse = coarsenMesh(broken, 0.001f);
  EXPECT_EQ(coarse.mesh.indices.size(), grid(2).mesh.indices.size());
}
