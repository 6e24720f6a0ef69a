// Meshes uploaded to the GPU: they draw where expected, get normals when the file has
// none, report their true bounds and upload texture coordinates only where asked.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "GLTestContext.h"
#include "gl/ObjLoader.h"
#include "gl/Program.h"
#include "gl/Shape.h"

namespace {

const std::string Fixtures = GALESKERRY_TEST_FIXTURES;

std::vector<ObjShape> loadFixture(const std::string& name) {
  std::vector<ObjShape> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string err;
  EXPECT_TRUE(loadObj(shapes, materials, err, Fixtures + "/" + name, nullptr)) << err;
  return shapes;
}

std::shared_ptr<Shape> uploadedShape(const ObjShape& objShape) {
  auto shape = std::make_shared<Shape>();
  shape->setFromObjShape(objShape);
  shape->computeBounds();
  shape->init();
  return shape;
}

constexpr int TargetSize = 64;

}  // namespace

using ShapeTest = GLTest;

TEST_F(ShapeTest, DrawsAnUploadedMeshIntoAFramebuffer) {
  const std::vector<ObjShape> objShapes = loadFixture("quad_shared.obj");
  ASSERT_EQ(objShapes.size(), 1u);
  const auto quad = uploadedShape(objShapes[0]);

  auto program = std::make_shared<Program>();
  program->setShaderNames(Fixtures + "/shaders/flat_vert.glsl",
                          Fixtures + "/shaders/flat_frag.glsl", " ");
  ASSERT_TRUE(program->init());
  program->addAttribute("vertPos");
  program->addAttribute("vertNor");
  program->addUniform("M");
  program->addUniform("color");

  OffscreenTarget target(TargetSize);
  ASSERT_TRUE(target.complete());
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);

  // The quad lies flat; stand it up to face the viewer at half the clip-space size.
  const glm::mat4 M = glm::scale(glm::rotate(glm::mat4(1.0f), glm::radians(-90.0f),
                                             glm::vec3(1.0f, 0.0f, 0.0f)),
                                 glm::vec3(0.5f));
  program->bind();
  glUniformMatrix4fv(program->getUniform("M"), 1, GL_FALSE, glm::value_ptr(M));
  glUniform3f(program->getUniform("color"), 1.0f, 0.5f, 0.0f);
  quad->draw(program, false);
  program->unbind();
  glFinish();

  const int mid = TargetSize / 2;
  const std::vector<unsigned char> centre = readPixels(mid, mid, 1, 1);
  EXPECT_EQ(centre[0], 255);
  EXPECT_NEAR(centre[1], 128, 1);
  EXPECT_EQ(centre[2], 0);
  const std::vector<unsigned char> corner = readPixels(2, 2, 1, 1);
  EXPECT_EQ(corner[0], 0);
  EXPECT_EQ(corner[1], 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShapeTest, ComputesUnitNormalsOnlyWhenTheFileHasNone) {
  const auto tetra = uploadedShape(loadFixture("no_normals.obj").at(0));
  const std::vector<float>& normals = tetra->getNormals();
  ASSERT_EQ(normals.size(), tetra->getPositions().size());
  for (size_t v = 0; v < normals.size() / 3; ++v) {
    const glm::vec3 n(normals[3 * v], normals[3 * v + 1], normals[3 * v + 2]);
    const glm::vec3 p(tetra->getPositions()[3 * v], tetra->getPositions()[3 * v + 1],
                      tetra->getPositions()[3 * v + 2]);
    EXPECT_NEAR(glm::length(n), 1.0f, 1e-5f) << v;
    // A tetrahedron around the origin: every vertex normal points away from the centre.
    EXPECT_GT(glm::dot(n, p), 0.0f) << v;
  }

  const auto quad = uploadedShape(loadFixture("quad_shared.obj").at(0));
  for (size_t v = 0; v < quad->getNormals().size() / 3; ++v) {
    EXPECT_EQ(quad->getNormals()[3 * v + 1], 1.0f);
  }
}

TEST_F(ShapeTest, BoundsAreTheTrueExtremes) {
  const struct {
    const char* file;
    glm::vec3 min;
    glm::vec3 max;
  } cases[] = {
      {"three_parts.obj", {2, 3, 4}, {3, 4, 4}},
      {"no_normals.obj", {-1, -1, -1}, {1, 1, 1}},
      {"quad_shared.obj", {-1, 0, -1}, {1, 0, 1}},
  };
  for (const auto& c : cases) {
    const auto shape = uploadedShape(loadFixture(c.file).at(0));
    EXPECT_EQ(shape->min, c.min) << c.file;
    EXPECT_EQ(shape->max, c.max) << c.file;
  }
}

TEST_F(ShapeTest, OnlyListedSubObjectNamesUploadTextureCoordinates) {
  const struct {
    const char* file;
    bool textured;
  } cases[] = {
      {"quad_shared.obj", true},            // "rock"
      {"seam.obj", true},                   // "Box001"
      {"quad_untextured_name.obj", false},  // "Rock": letter case matters
      {"three_parts.obj", false},           // no texture coordinates at all
  };
  for (const auto& c : cases) {
    const auto shape = uploadedShape(loadFixture(c.file).at(0));
    EXPECT_EQ(shape->hasTexCoordBuffer(), c.textured) << c.file;
  }
  for (const char* name : {"car", "wheel", "wheel003", "car_door", "wheel001", "wheel002",
                           "Object001", "street_lamp", "Box001", "rock", "plane.004"}) {
    EXPECT_TRUE(isTexturedObjName(name)) << name;
  }
  for (const char* name : {"", "ROCK", "rock ", "hull", "wheel004"}) {
    EXPECT_FALSE(isTexturedObjName(name)) << name;
  }
}
