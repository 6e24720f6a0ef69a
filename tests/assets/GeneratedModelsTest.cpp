// Checks each generated model loads with well-formed, outward-facing parts at the size and
// heading the game places it at, so nothing is drawn inside out, sunk or turned away.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glm/glm.hpp>

#include "ResourceNames.h"
#include "gl/ObjLoader.h"

namespace {

const std::string ResourceDir = GALESKERRY_RESOURCE_DIR;

std::vector<ObjShape> loadModel(const std::string& relative) {
  std::vector<ObjShape> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string error;
  const bool loaded = loadObj(shapes, materials, error, ResourceDir + "/" + relative, nullptr);
  EXPECT_TRUE(loaded) << relative << ": " << error;
  return shapes;
}

glm::vec3 position(const ObjMesh& mesh, size_t vertex) {
  return {mesh.positions[3 * vertex], mesh.positions[3 * vertex + 1],
          mesh.positions[3 * vertex + 2]};
}

glm::vec3 normal(const ObjMesh& mesh, size_t vertex) {
  return {mesh.normals[3 * vertex], mesh.normals[3 * vertex + 1], mesh.normals[3 * vertex + 2]};
}

size_t vertexCount(const ObjMesh& mesh) { return mesh.positions.size() / 3; }

struct Bounds {
  glm::vec3 min{1e30f};
  glm::vec3 max{-1e30f};
  glm::vec3 size() const { return max - min; }
};

Bounds boundsOf(const std::vector<const ObjMesh*>& meshes) {
  Bounds bounds;
  for (const ObjMesh* mesh : meshes) {
    for (size_t v = 0; v < vertexCount(*mesh); ++v) {
      bounds.min = glm::min(bounds.min, position(*mesh, v));
      bounds.max = glm::max(bounds.max, position(*mesh, v));
    }
  }
  return bounds;
}

Bounds boundsOf(const ObjMesh& mesh) { return boundsOf(std::vector<const ObjMesh*>{&mesh}); }

// Volume enclosed by the triangles, positive when they wind counter-clockwise seen from outside.
// Only meaningful for surfaces that close.
double signedVolume(const std::vector<const ObjMesh*>& meshes) {
  double volume = 0.0;
  for (const ObjMesh* mesh : meshes) {
    for (size_t i = 0; i + 2 < mesh->indices.size(); i += 3) {
      const glm::dvec3 a(position(*mesh, mesh->indices[i]));
      const glm::dvec3 b(position(*mesh, mesh->indices[i + 1]));
      const glm::dvec3 c(position(*mesh, mesh->indices[i + 2]));
      volume += glm::dot(a, glm::cross(b, c)) / 6.0;
    }
  }
  return volume;
}

// Structure every mesh of the game must have, whatever its shape.
void expectWellFormed(const ObjShape& shape, bool needsTexcoords) {
  SCOPED_TRACE("sub-object " + shape.name);
  const ObjMesh& mesh = shape.mesh;
  ASSERT_GT(mesh.indices.size(), 0u);
  ASSERT_EQ(mesh.indices.size() % 3, 0u);
  ASSERT_EQ(mesh.normals.size(), mesh.positions.size()) << "every corner needs a normal";
  for (const unsigned int index : mesh.indices) {
    ASSERT_LT(index, vertexCount(mesh));
  }
  for (size_t v = 0; v < vertexCount(mesh); ++v) {
    const glm::vec3 p = position(mesh, v);
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << "vertex " << v;
    ASSERT_NEAR(glm::length(normal(mesh, v)), 1.0f, 2e-3f) << "normal of vertex " << v;
  }
  if (needsTexcoords) {
    ASSERT_EQ(mesh.texcoords.size() / 2, vertexCount(mesh));
    for (const float t : mesh.texcoords) {
      ASSERT_GE(t, 0.0f);
      ASSERT_LE(t, 1.0f);
    }
  }
  // Counter-clockwise front faces: each triangle's winding agrees with its corners' normals.
  size_t agreeing = 0;
  size_t counted = 0;
  for (size_t i = 0; i < mesh.indices.size(); i += 3) {
    const glm::vec3 a = position(mesh, mesh.indices[i]);
    const glm::vec3 face = glm::cross(position(mesh, mesh.indices[i + 1]) - a,
                                      position(mesh, mesh.indices[i + 2]) - a);
    if (glm::length(face) < 1e-9f) {
      continue;
    }
    const glm::vec3 corners = normal(mesh, mesh.indices[i]) + normal(mesh, mesh.indices[i + 1]) +
                              normal(mesh, mesh.indices[i + 2]);
    ++counted;
    agreeing += glm::dot(face, corners) > 0.0f ? 1 : 0;
  }
  EXPECT_GE(static_cast<double>(agreeing), 0.995 * static_cast<double>(counted))
      << agreeing << " of " << counted << " triangles wind with their normals";
}

struct ModelCase {
  const char* file;
  std::vector<std::string> names;  // sub-objects in file order
  bool textured;
  bool closed;  // every sub-object is a closed surface on its own
};

void PrintTo(const ModelCase& model, std::ostream* out) { *out << model.file; }

std::string caseName(const ::testing::TestParamInfo<ModelCase>& param) {
  std::string name = param.param.names.front();
  name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  return name;
}

class GeneratedModel : public ::testing::TestWithParam<ModelCase> {};

TEST_P(GeneratedModel, LoadsWithNamedWellFormedOutwardFacingParts) {
  const ModelCase& model = GetParam();
  const std::vector<ObjShape> shapes = loadModel(model.file);
  std::vector<std::string> names;
  for (const ObjShape& shape : shapes) {
    names.push_back(shape.name);
    expectWellFormed(shape, model.textured);
    if (model.closed) {
      EXPECT_GT(signedVolume({&shape.mesh}), 0.0) << shape.name << " faces inward";
    }
  }
  EXPECT_EQ(names, model.names);
}

INSTANTIATE_TEST_SUITE_P(
    AllModels, GeneratedModel,
    ::testing::Values(
        ModelCase{resources::inResourceDir(resources::CubeModel), {"cube"}, false, true},
        ModelCase{resources::inResourceDir(resources::WaterModel), {"plane"}, false, false},
        ModelCase{resources::inResourceDir(resources::RockModel), {"rock"}, true, true},
        ModelCase{resources::inResourceDir(resources::TentacleModel), {"tentacle"}, false, true},
        ModelCase{resources::inResourceDir(resources::LighthouseModel), {"lighthouse"}, false, true},
        ModelCase{resources::inResourceDir(resources::ArrowModel), {"arrow"}, false, true},
        ModelCase{resources::inResourceDir(resources::WhirlpoolModel), {"whirlpool"}, false, false},
        ModelCase{resources::inResourceDir(resources::BoatModel),
                  {"hull", "deck", "cabin", "keel", "rudder", "mast", "boom", "sail", "jib",
                   "rigging"},
                  false, false}),
    caseName);

TEST(GeneratedModels, CubeSpansOneUnitWithAxisNormals) {
  const std::vector<ObjShape> shapes = loadModel(resources::inResourceDir(resources::CubeModel));
  ASSERT_EQ(shapes.size(), 1u);
  const ObjMesh& mesh = shapes[0].mesh;
  const Bounds bounds = boundsOf(mesh);
  EXPECT_EQ(bounds.min, glm::vec3(-0.5f));
  EXPECT_EQ(bounds.max, glm::vec3(0.5f));
  // Flat faces: each corner lies on the face its normal points out of.
  for (size_t v = 0; v < vertexCount(mesh); ++v) {
    EXPECT_FLOAT_EQ(glm::dot(normal(mesh, v), position(mesh, v)), 0.5f) << "vertex " << v;
  }
}

TEST(GeneratedModels, WaterPlaneIsFlatUpFacingAndFineEnoughAtGameScale) {
  const std::vector<ObjShape> shapes = loadModel(resources::inResourceDir(resources::WaterModel));
  ASSERT_EQ(shapes.size(), 1u);
  const ObjMesh& mesh = shapes[0].mesh;
  const Bounds bounds = boundsOf(mesh);
  EXPECT_EQ(bounds.min, glm::vec3(-1.0f, 0.0f, -1.0f));
  EXPECT_EQ(bounds.max, glm::vec3(1.0f, 0.0f, 1.0f));
  std::set<float> xs;
  std::set<float> zs;
  for (size_t v = 0; v < vertexCount(mesh); ++v) {
    EXPECT_EQ(normal(mesh, v), glm::vec3(0, 1, 0));
    xs.insert(position(mesh, v).x);
    zs.insert(position(mesh, v).z);
  }
  // The game scales the plane by 300; a vertex at least every 3.2 units keeps the drawn surface
  // within 0.05 of the swell's height between vertices.
  for (const std::set<float>* axis : {&xs, &zs}) {
    float widestGap = 0.0f;
    for (auto it = std::next(axis->begin()); it != axis->end(); ++it) {
      widestGap = std::max(widestGap, *it - *std::prev(it));
    }
    EXPECT_LE(widestGap * 300.0f, 3.2f);
  }
  for (size_t i = 0; i < mesh.indices.size(); i += 3) {
    const glm::vec3 a = position(mesh, mesh.indices[i]);
    const glm::vec3 face = glm::cross(position(mesh, mesh.indices[i + 1]) - a,
                                      position(mesh, mesh.indices[i + 2]) - a);
    ASSERT_GT(face.y, 0.0f) << "triangle " << i / 3 << " is wound clockwise seen from above";
  }
}

TEST(GeneratedModels, RockIsABoulderStandingInTheSea) {
  const std::vector<ObjShape> shapes = loadModel(resources::inResourceDir(resources::RockModel));
  ASSERT_FALSE(shapes.empty());
  const Bounds bounds = boundsOf(shapes[0].mesh);
  for (const float across : {bounds.size().x, bounds.size().z}) {
    EXPECT_GE(across, 8.0f);
    EXPECT_LE(across, 12.0f);
  }
  EXPECT_GE(bounds.max.y, 3.0f);
  EXPECT_LT(bounds.min.y, -2.0f);
}

TEST(GeneratedModels, TentacleStandsOnTheSeaWithItsBaseRadius) {
  const std::vector<ObjShape> shapes = loadModel(resources::inResourceDir(resources::TentacleModel));
  ASSERT_FALSE(shapes.empty());
  const ObjMesh& mesh = shapes[0].mesh;
  const Bounds bounds = boundsOf(mesh);
  EXPECT_NEAR(bounds.min.y, 0.0f, 1e-3f);
  EXPECT_GE(bounds.size().y, 4.0f);
  EXPECT_LE(bounds.size().y, 6.0f);
  float baseRadius = 0.0f;
  for (size_t v = 0; v < vertexCount(mesh); ++v) {
    const glm::vec3 p = position(mesh, v);
    if (p.y < 0.01f) {
      baseRadius = std::max(baseRadius, glm::length(glm::vec2(p.x, p.z)));
    }
  }
  EXPECT_NEAR(baseRadius, 0.6f, 0.1f);
}

TEST(GeneratedModels, LighthouseIsOneTallTower) {
  const std::vector<ObjShape> shapes = loadModel(resources::inResourceDir(resources::LighthouseModel));
  ASSERT_EQ(shapes.size(), 1u) << "the game draws only the first sub-object";
  const Bounds bounds = boundsOf(shapes[0].mesh);
  EXPECT_GE(bounds.size().y, 60.0f);
  EXPECT_LE(bounds.size().y, 80.0f);
  EXPECT_LT(bounds.size().x, bounds.size().y / 2.0f);
  EXPECT_LT(bounds.size().z, bounds.size().y / 2.0f);
}

TEST(GeneratedModels, ArrowPointsAlongPositiveZ) {
  const std::vector<ObjShape> shapes = loadModel(resources::inResourceDir(resources::ArrowModel));
  ASSERT_EQ(shapes.size(), 1u);
  const ObjMesh& mesh = shapes[0].mesh;
  const Bounds bounds = boundsOf(mesh);
  EXPECT_GE(bounds.size().z, 10.0f);
  EXPECT_LE(bounds.size().z, 20.0f);
  // The tip is a point on the axis at the +z end; the widest part (the head) is in front.
  float widestZ = 0.0f;
  float widest = 0.0f;
  for (size_t v = 0; v < vertexCount(mesh); ++v) {
    const glm::vec3 p = position(mesh, v);
    const float radius = glm::length(glm::vec2(p.x, p.y));
    if (p.z == bounds.max.z) {
      EXPECT_LT(radius, 0.05f * bounds.size().x);
    }
    if (radius > widest) {
      widest = radius;
      widestZ = p.z;
    }
  }
  EXPECT_GT(widestZ, 0.5f * (bounds.min.z + bounds.max.z));
}

TEST(GeneratedModels, BoatIsAKeelBoatWithItsBowAlongPositiveZ) {
  const std::vector<ObjShape> shapes = loadModel(resources::inResourceDir(resources::BoatModel));
  std::vector<const ObjMesh*> all;
  const ObjMesh* hull = nullptr;
  const ObjMesh* deck = nullptr;
  for (const ObjShape& shape : shapes) {
    all.push_back(&shape.mesh);
    hull = shape.name == "hull" ? &shape.mesh : hull;
    deck = shape.name == "deck" ? &shape.mesh : deck;
    if (shape.name != "hull" && shape.name != "deck") {
      EXPECT_GT(signedVolume({&shape.mesh}), 0.0) << shape.name << " faces inward";
    }
  }
  ASSERT_NE(hull, nullptr);
  ASSERT_NE(deck, nullptr);
  // Hull and deck close each other.
  EXPECT_GT(signedVolume({hull, deck}), 0.0);

  const Bounds bounds = boundsOf(all);
  EXPECT_GE(bounds.size().z, 300.0f);
  EXPECT_LE(bounds.size().z, 400.0f);
  EXPECT_LT(bounds.min.y, 0.0f);
  EXPECT_GT(bounds.size().z, bounds.size().x);
  // The game floats the arrow, 0.29 units in radius, 4 units above the boat drawn at 1/100.
  EXPECT_LT(bounds.max.y, 360.0f) << "the masthead would touch the arrow";

  // The bow is the pointed end: near the +z end the hull is far narrower than at the stern.
  const Bounds hullBounds = boundsOf(*hull);
  const float length = hullBounds.size().z;
  float beamNearBow = 0.0f;
  float beamNearStern = 0.0f;
  for (size_t v = 0; v < vertexCount(*hull); ++v) {
    const glm::vec3 p = position(*hull, v);
    if (p.z > hullBounds.max.z - 0.03f * length) {
      beamNearBow = std::max(beamNearBow, std::abs(p.x));
    }
    if (p.z < hullBounds.min.z + 0.03f * length) {
      beamNearStern = std::max(beamNearStern, std::abs(p.x));
    }
  }
  EXPECT_LT(beamNearBow, 0.5f * beamNearStern);
}

}  // namespace
