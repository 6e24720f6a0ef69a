// The swell and the chase camera: it starts behind the boat, trails it with lag, tilts
// with the sea and is never flung past the boat by a long frame or over the top by the mouse.
#include <cmath>

#include <gtest/gtest.h>

#include "GameFixture.h"

using CameraTest = GameTest;

TEST_F(CameraTest, WaveHeightFollowsTheClockAndIgnoresHeight) {
  const struct {
    double time;
    glm::vec3 point;
    float height;
  } cases[] = {
      {0.0, {0, 0, 0}, 0.75f},
      {0.0, {0, 100, 0}, 0.75f},
      {1.0, {0, 0, 0}, 0.75f},
      {2.0, {0, -7, 0}, -0.75f},
      {0.0, {0, 0, 15}, 0.75f * (std::sin(3.141592f / 2.0f) + 1.0f)},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(waveHeightAt(c.point, c.time, c.time), c.height, 1e-5f) << c.time;
  }
  glfwSetTime(2.0);
  EXPECT_NEAR(waveHeight(glm::vec3(0.0f)), -0.75f, 0.05f) << "the live swell reads the clock";
}

TEST_F(CameraTest, ResetPlacesTheCameraBehindTheStart) {
  const Camera camera;
  EXPECT_EQ(camera.eye, glm::vec3(0.0f, 2.5f, -225.0f));
  EXPECT_EQ(camera.lookAtPoint, glm::vec3(0.0f, 1.0f, 5.0f));
  EXPECT_NEAR(glm::length(camera.viewDir), 1.0f, 1e-6f);
  EXPECT_EQ(camera.yaw, 0.785398f);
}

TEST_F(CameraTest, FollowTrailsTheBoatWithLag) {
  startRun();
  app->boatSpeed = 15.0f;
  app->keyW = true;
  const float dt = 1.0f / 60.0f;
  app->update(dt);
  const glm::vec3 oldCam = glm::vec3(0.0f, 2.5f, -225.0f) + 5.0f * app->boatDir;
  // The camera closes its lag at a rate, exp(-5 t) of it left after t seconds.
  const glm::vec3 lag = glm::mix(oldCam, app->boatPos, 1.0f - std::exp(-5.0f * dt));
  EXPECT_NEAR(app->camera.eye.x, lag.x - 5.0f * app->boatDir.x, 1e-4f);
  EXPECT_NEAR(app->camera.eye.z, lag.z - 5.0f * app->boatDir.z, 1e-4f);
  EXPECT_EQ(app->camera.eye.y, 2.5f);
  EXPECT_NEAR(app->camera.lookAtPoint.z, lag.z, 1e-4f);
  EXPECT_EQ(app->camera.viewDir, app->boatDir);
}

TEST_F(CameraTest, ALongFrameDoesNotFlingTheCameraPastTheBoat) {
  startRun();
  app->boatSpeed = 15.0f;
  app->keyW = true;
  app->update(0.5f);
  const glm::vec3 lookAtToBoat = app->boatPos - app->camera.lookAtPoint;
  EXPECT_GE(glm::dot(lookAtToBoat, app->boatDir), 0.0f) << "the look-at point trails the boat";
  EXPECT_LT(glm::length(glm::vec2(lookAtToBoat.x, lookAtToBoat.z)), 5.0f);
  EXPECT_LT(app->camera.eye.z, app->boatPos.z);
}

TEST_F(CameraTest, TiltFollowsTheSwellUnderTheCamera) {
  Camera camera;
  const glm::vec3 c(30.0f, 0.0f, -40.0f);
  glfwSetTime(3.0);
  const float hF = waveHeight(c + glm::vec3(0, 0, 1));
  const float hB = waveHeight(c + glm::vec3(0, 0, -1));
  const float hR = waveHeight(c + glm::vec3(1, 0, 0));
  const float hL = waveHeight(c + glm::vec3(-1, 0, 0));
  camera.tiltToWaves(c);
  const glm::vec3 expected =
      glm::cross(glm::vec3(2.0f, 0.5f * (hR - hL), 0.0f), glm::vec3(0.0f, 0.5f * (hB - hF), -2.0f));
  // The clock runs on between the samples here and those tiltToWaves takes.
  EXPECT_NEAR(camera.up.x, expected.x, 1e-2f);
  EXPECT_NEAR(camera.up.z, expected.z, 1e-2f);
  EXPECT_EQ(camera.up.y, 4.0f);
}

TEST_F(CameraTest, MouseLookClampsThePitch) {
  const struct {
    float dy;
    float pitch;
  } cases[] = {
      {100000.0f, 1.4137163f},
      {-100000.0f, -0.785398f},
      {240.0f, 0.25f * 1.4137163f},
  };
  for (const auto& c : cases) {
    Camera camera;
    camera.mouseLook(0.0f, c.dy);
    EXPECT_FLOAT_EQ(camera.pitch, c.pitch) << c.dy;
    EXPECT_NEAR(glm::distance(camera.eye, camera.lookAtPoint), 5.0f, 1e-4f);
  }
  Camera turned;
  turned.mouseLook(320.0f, 0.0f);
  EXPECT_FLOAT_EQ(turned.yaw, 0.785398f + 0.25f * 3.141592f);
}
