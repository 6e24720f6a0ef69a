// Drawing the rocks and tentacles: the rock program uses all its inputs, tentacle boxes
// stay fresh for the steering, and missing models or programs draw nothing.
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "Application.h"
#include "GLTestContext.h"
#include "ResourceNames.h"
#include "gl/MatrixStack.h"
#include "gl/Program.h"
#include "gl/Shape.h"

namespace {

std::shared_ptr<Shape> meshWithBounds(glm::vec3 min, glm::vec3 max) {
  auto mesh = std::make_shared<Shape>();
  mesh->min = min;
  mesh->max = max;
  return mesh;
}

class ObstacleDrawTest : public GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    setenv("ALSOFT_DRIVERS", "null", 0);
    app = std::make_unique<Application>();
    app->windowManager = windowManager;
  }

  std::unique_ptr<Application> app;
};

}  // namespace

// Every input of the rock program must reach the picture: a uniform or attribute the compiler
// drops would leave the rocks unlit, untextured or misplaced.
TEST_F(ObstacleDrawTest, RockProgramUsesAllItsInputs) {
  Program rocks;
  rocks.setVerbose(true);
  rocks.setShaderNames(std::string(GALESKERRY_RESOURCE_DIR) + resources::shaders::TexVert,
                       std::string(GALESKERRY_RESOURCE_DIR) + resources::shaders::TexFrag, " ");
  ASSERT_TRUE(rocks.init());
  for (const char* uniform : {"P", "V", "M", "lightPos", "lightDirection", "Texture0", "texID"}) {
    EXPECT_NE(glGetUniformLocation(rocks.getPID(), uniform), -1) << uniform;
  }
  for (const char* attribute : {"vertPos", "vertNor", "vertTex"}) {
    EXPECT_GE(glGetAttribLocation(rocks.getPID(), attribute), 0) << attribute;
  }
}

// The normal pass keeps every tentacle's box on its stance, whether it is in view or not and
// even when the tentacle cannot be drawn, since the steering relies on the boxes.
TEST_F(ObstacleDrawTest, NormalPassRefreshesEveryTentacleBox) {
  app->tentacleShape = meshWithBounds({-1.0f, 0.0f, -1.0f}, {3.0f, 5.0f, 0.0f});
  const float reach = std::sqrt(10.0f);
  for (const glm::vec2 place : {glm::vec2(0.0f, 0.0f), glm::vec2(230.0f, -230.0f)}) {
    Dummy d;
    d.position = place;
    d.phase = place.x;
    app->dummyManager.getDummies()->push_back(d);
  }
  app->drawTentacles(std::make_shared<MatrixStack>(), true, Pass::Lit);
  for (const Dummy& d : *app->dummyManager.getDummies()) {
    const AABB& box = *d.aabb;
    EXPECT_NEAR(box.max.y - box.min.y, 5.0f * TentacleHeightScale, 1e-4f);
    const float halfWidth = 0.5f * (box.max.x - box.min.x);
    EXPECT_GE(halfWidth, reach - 1e-4f);
    EXPECT_LE(halfWidth, 2.0f * reach + 1e-4f);
    EXPECT_NEAR(0.5f * (box.min.x + box.max.x), d.position.x, 1e-3f);
    EXPECT_NEAR(0.5f * (box.min.z + box.max.z), d.position.y, 1e-3f);
  }
}

// Missing models or programs that failed to build leave the obstacles undrawn, in every pass.
TEST_F(ObstacleDrawTest, MissingModelsAndProgramsDrawNothing) {
  Dummy d;
  app->dummyManager.getDummies()->push_back(d);
  app->rockManager.getRocks()->push_back(Rock{});
  app->showBoxes = true;
  const auto model = std::make_shared<MatrixStack>();
  const auto withoutPrograms = [&] {
    for (const Pass pass : {Pass::Shadow, Pass::Lit, Pass::Outline}) {
      app->drawTentacles(model, true, pass);
      app->drawRocks(model, true, pass);
      EXPECT_EQ(model->size(), 1u);
    }
  };
  withoutPrograms();
  app->tentacleShape = meshWithBounds(glm::vec3(-1.0f), glm::vec3(1.0f));
  app->rockShape = meshWithBounds(glm::vec3(-1.0f), glm::vec3(1.0f));
  app->texShader = std::make_shared<Program>();
  app->outlineShader = std::make_shared<Program>();
  for (const Pass pass : {Pass::Outline, Pass::Lit}) {
    app->drawTentacles(model, true, pass);
    app->drawRocks(model, true, pass);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
