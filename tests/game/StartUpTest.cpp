// The whole start-up on the generated resources loads every model and the sky and starts
// the storm without a missing-file message.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "CaptureOutput.h"
#include "GameFixture.h"
#include "gl/ObjLoader.h"
#include "gl/Shape.h"
#include "ResourceNames.h"

using StartUpTest = GLTest;

// The whole start-up on the generated resources, as the game runs it from build/bin.
TEST_F(StartUpTest, LoadsEveryModelAndStartsTheStormAmbience) {
  setenv("ALSOFT_DRIVERS", "null", 0);
  const auto app = std::make_unique<Application>();
  CaptureStderr capturedStderr;
  CaptureStdout out;
  app->startUp(windowManager, "../resources");
  const std::string printed = out.stop();
  const std::string errors = capturedStderr.stop();

  std::vector<ObjShape> boat;
  std::vector<tinyobj::material_t> materials;
  std::string err;
  ASSERT_TRUE(loadObj(boat, materials, err, "../resources/models/boat/Ship_free.obj", nullptr));
  EXPECT_NE(printed.find("Number of parts of boat obj: " + std::to_string(boat.size()) + "\n"),
            std::string::npos)
      << printed;
  EXPECT_NE(printed.find(" creating cube map any errors : 0\n"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("failed to load"), std::string::npos) << printed;
  EXPECT_EQ(errors.find("Cannot open"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("not found"), std::string::npos) << errors;

  for (const auto& shape : {app->waterShape, app->whirlpoolShape, app->arrowShape, app->rockShape,
                            app->tentacleShape, app->lighthouseShape, app->cubeShape}) {
    EXPECT_NE(shape, nullptr);
  }
  EXPECT_EQ(app->boatParts.size(), boat.size());
  EXPECT_GE(boat.size(), 4u);
  EXPECT_NE(app->cubeMapTexture, 0u);
  EXPECT_EQ(app->boatPos, glm::vec3(0.0f, 1.0f, -225.0f));
  EXPECT_EQ(app->lighthousePos, glm::vec3(0.0f, -1.0f, 225.0f));

  EXPECT_TRUE(app->ambienceEngine->isCurrentlyPlaying(resources::StormAmbience));
  EXPECT_FALSE(app->musicEngine->isCurrentlyPlaying(resources::RaceMusic));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
