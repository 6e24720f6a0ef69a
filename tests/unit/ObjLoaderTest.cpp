// The OBJ loader on small fixture files: shared corners, split texture coordinates,
// sub-object order and a clear reason for each failure.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gl/ObjLoader.h"

namespace {

struct LoadedObj {
  bool ok = false;
  std::vector<ObjShape> shapes;
  std::string err;
};

LoadedObj loadFixture(const std::string& name) {
  LoadedObj result;
  std::vector<tinyobj::material_t> materials;
  result.ok = loadObj(result.shapes, materials, result.err,
                      std::string(GALESKERRY_TEST_FIXTURES) + "/" + name, nullptr);
  return result;
}

}  // namespace

TEST(ObjLoader, SharedCornersBecomeOneVertex) {
  const LoadedObj obj = loadFixture("quad_shared.obj");
  ASSERT_TRUE(obj.ok) << obj.err;
  ASSERT_EQ(obj.shapes.size(), 1u);
  const ObjShape& quad = obj.shapes[0];
  EXPECT_EQ(quad.name, "rock");
  EXPECT_EQ(quad.mesh.positions.size(), 4u * 3);
  EXPECT_EQ(quad.mesh.normals.size(), 4u * 3);
  EXPECT_EQ(quad.mesh.texcoords.size(), 4u * 2);
  EXPECT_EQ(quad.mesh.indices, (std::vector<unsigned int>{0, 1, 2, 0, 3, 1}));
  // Vertex 1 is the file's corner 3 with its own texture coordinate.
  EXPECT_EQ(quad.mesh.positions[3], 1.0f);
  EXPECT_EQ(quad.mesh.positions[5], 1.0f);
  EXPECT_EQ(quad.mesh.texcoords[2], 1.0f);
  EXPECT_EQ(quad.mesh.texcoords[3], 1.0f);
}

TEST(ObjLoader, APositionWithTwoTextureCoordinatesBecomesTwoVertices) {
  const LoadedObj obj = loadFixture("seam.obj");
  ASSERT_TRUE(obj.ok) << obj.err;
  const ObjMesh& mesh = obj.shapes.at(0).mesh;
  EXPECT_EQ(mesh.positions.size() / 3, 5u);
  EXPECT_TRUE(mesh.normals.empty());
  ASSERT_EQ(mesh.indices.size(), 6u);
  const unsigned int first = mesh.indices[1];
  const unsigned int second = mesh.indices[3];
  EXPECT_NE(first, second);
  EXPECT_EQ(mesh.positions[3 * first], mesh.positions[3 * second]);
  EXPECT_NE(mesh.texcoords[2 * first], mesh.texcoords[2 * second]);
}

TEST(ObjLoader, KeepsEverySubObjectInFileOrder) {
  const LoadedObj obj = loadFixture("three_parts.obj");
  ASSERT_TRUE(obj.ok) << obj.err;
  ASSERT_EQ(obj.shapes.size(), 3u);
  const char* names[] = {"first", "second", "third"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(obj.shapes[i].name, names[i]);
    EXPECT_EQ(obj.shapes[i].mesh.indices, (std::vector<unsigned int>{0, 1, 2}));
    EXPECT_TRUE(obj.shapes[i].mesh.texcoords.empty());
  }
  EXPECT_EQ(obj.shapes[1].mesh.positions[0], 0.0f);
  EXPECT_EQ(obj.shapes[2].mesh.positions[0], 5.0f);
}

TEST(ObjLoader, FailuresReportTheReasonInErrStr) {
  const struct {
    const char* file;
    const char* message;
  } cases[] = {
      {"does_not_exist.obj", "does_not_exist.obj"},
      {"bad_index.obj", "out of range"},
  };
  for (const auto& c : cases) {
    const LoadedObj obj = loadFixture(c.file);
    EXPECT_FALSE(obj.ok) << c.file;
    EXPECT_TRUE(obj.shapes.empty()) << c.file;
    EXPECT_NE(obj.err.find(c.message), std::string::npos) << c.file << ": " << obj.err;
  }
}
