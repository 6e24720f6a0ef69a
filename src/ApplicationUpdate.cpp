// The simulation step: the boat over the swell, the chase camera, the race timer, the obstacle
// pass, the win test and the lightning schedule. Everything here integrates seconds, so a race
// plays the same at 30 frames a second as at 1000.
#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "Application.h"
#include "ResourceNames.h"

namespace {

constexpr float ArenaEdge = 248.0f;
constexpr float CameraDistance = 5.0f;
// The camera closes this share of its lag each second, as exp(-rate * t).
constexpr float CameraFollowRate = 5.0f;
constexpr double LightningInterval = static_cast<double>(2.2f);
constexpr float SinkRate = 0.5f;
constexpr float CoastingDeceleration = 5.0f;
constexpr float TopSpeed = 15.0f;
constexpr float FastModeTopSpeed = 50.0f;
constexpr float FastModeAcceleration = 20.0f;
// Radians a second the rudder turns the heading.
constexpr float TurnRate = 1.0f;
// The swell's push was tuned as slope / 90 for each frame at 60 frames a second; as a rate it
// is that amount sixty times a second.
constexpr float SwellPushPerSecond = 60.0f / 90.0f;
// The loss sting after a collision takes the race music's place on its engine at this volume.
constexpr float CollisionStingVolume = 0.5f;

}  // namespace

void Application::update(float dt) {
  if (gameState != Playing) {
    return;
  }
  if (paused) {
    // The schedule runs on the wall clock; moving its mark on keeps the next strike as far
    // away as it was when the race stopped.
    lastLightningTime += static_cast<double>(dt);
    return;
  }
  if (std::isfinite(dt) && dt > 0.0f) {
    // A long frame is cut into equal steps no longer than a 60 Hz frame, so nothing moves
    // further between two contact tests than it does at 60 frames a second.
    const int steps = static_cast<int>(std::ceil(dt / MaxSimulationStep));
    const float step = dt / static_cast<float>(steps);
    for (int i = 0; i < steps; ++i) {
      simulateStep(step);
      lightning1.update(step);
      if (lightning1.getLifetime() <= 0.0f) {
        lightning2.update(step);
      }
    }
  }
  // After the fade, so a pair struck now is drawn at full strength in the next frame.
  scheduleLightning();
}

void Application::simulateStep(float dt) {
  if (!won && !gameOver) {
    moveBoat(dt);
    const glm::vec3 newCamPos = boatPos;
    const glm::vec3 oldCamPos = camera.getEye() + CameraDistance * boatDir;
    const float followFactor = 1.0f - std::exp(-CameraFollowRate * dt);
    const glm::vec3 camLag = glm::mix(oldCamPos, newCamPos, followFactor);
    camera.follow(camLag, boatDir);
  } else if (gameOver) {
    boatPos.y -= SinkRate * dt;
  }

  if (!fastMode && !won && !gameOver) {
    timeLeft -= static_cast<double>(dt);
    if (timeLeft <= 0.0) {
      endRun(RunEnd::TimeUp);
    }
  }

  if (!gameOver && !won) {
    const bool tentacleTouched = dummyManager.update(dt, boatPos.x, boatPos.z, fastMode);
    if (tentacleTouched || rockManager.touchesBoat(boatPos.x, boatPos.z, fastMode)) {
      endRun(RunEnd::Collision);
    }
  }

  // A lost run stays lost: reaching the lighthouse afterwards must not play the credits.
  if (!gameOver) {
    checkWin(boatPos);
  }
}

void Application::scheduleLightning() {
  const double now = glfwGetTime();
  if (now - lastLightningTime < LightningInterval) {
    return;
  }
  for (Lightning* bolt : {&lightning1, &lightning2}) {
    const float r1 = randomFloat(-200.0f, 200.0f);
    const float r2 = randomFloat(-200.0f, 200.0f);
    const glm::vec3 start(r2, 100.0f, r1);
    const float s1 = randomFloat(-50.0f, 50.0f);
    const float s2 = randomFloat(-50.0f, 50.0f);
    const glm::vec3 end(start.x + s2, 0.0f, start.z + s1);
    bolt->strike(start, end, camera.getEye());
  }
  // Advancing by the interval keeps the beat steady; after a stall the beat starts afresh
  // instead of striking pair after pair to catch up.
  lastLightningTime += LightningInterval;
  if (now - lastLightningTime >= LightningInterval) {
    lastLightningTime = now;
  }
}

void Application::moveBoat(float dt) {
  float maxSpeed = TopSpeed;
  if (fastMode) {
    maxSpeed = FastModeTopSpeed;
    boatAccel = FastModeAcceleration;
  }
  boatRight = glm::normalize(glm::cross(boatDir, boatUp));
  const float speedBefore = boatSpeed;

  // Accelerating stops at the cap rather than one step past it; a boat already above it (fast
  // mode just switched off) keeps its speed.
  if (keyW && maxSpeed >= boatSpeed) {
    boatSpeed = std::min(boatSpeed + dt * boatAccel, maxSpeed);
  }
  if (keyS && boatSpeed > -maxSpeed) {
    boatSpeed -= dt * boatAccel;
  }
  // The heading turns by an angle, so the rate is the same however the second is divided.
  float turn = 0.0f;
  if (keyA) {
    turn -= TurnRate * dt;
  }
  if (keyD) {
    turn += TurnRate * dt;
  }
  boatDir = std::cos(turn) * boatDir + std::sin(turn) * boatRight;
  boatAngle = std::atan2(boatDir.x, boatDir.z) * 57.29578f;

  if (!keyW && !keyS) {
    boatSpeed -= CoastingDeceleration * dt;
    if (boatSpeed < 0.0f) {
      boatSpeed = 0.0f;
    }
  }
  if (boatSpeed < -maxSpeed) {
    boatSpeed = -maxSpeed;
  }

  const SwellSample sea = sampleSwellAround(boatPos);
  // The swell pushes the boat down its slope, even at rest.
  const glm::vec3 drift =
      dt * SwellPushPerSecond * glm::vec3(-sea.leanAboutZ(), 0.0f, -sea.leanAboutX());

  boatDir = glm::normalize(boatDir);
  // The step's mean speed makes the distance exact under steady acceleration, however the
  // second is divided.
  const float meanSpeed = 0.5f * (speedBefore + boatSpeed);
  boatPos += dt * (meanSpeed * boatDir) + drift;
  boatPos.x = std::clamp(boatPos.x, -ArenaEdge, ArenaEdge);
  boatPos.z = std::clamp(boatPos.z, -ArenaEdge, ArenaEdge);
  boatPos.y = sea.meanHeight();
}

void Application::endRun(RunEnd cause) {
  // A collision plays the sting in place of the race music; the timer and giving up play it
  // over the effects, and giving up silences the music as well.
  sound::SoundEngine* engine = cause == RunEnd::Collision ? musicEngine : effectsEngine;
  if (engine != nullptr) {
    engine->stopAllSounds();
    engine->play2D(resources::LossSting, true);
    engine->setSoundVolume(cause == RunEnd::Collision ? CollisionStingVolume : musicVolume);
  }
  if (cause == RunEnd::GaveUp && musicEngine != nullptr) {
    musicEngine->stopAllSounds();
  }
  gameOver = true;
}

void Application::checkWin(const glm::vec3& pos) {
  const float dx = pos.x - lighthousePos.x;
  const float dz = pos.z - lighthousePos.z;
  const float distance = std::sqrt(dx * dx + dz * dz);
  if (boatRadius + lighthouseRadius >= distance && !won) {
    won = true;
    musicEngine->stopAllSounds();
    ambienceEngine->stopAllSounds();
    effectsEngine->play2D(resources::WinMusic, false);
    effectsEngine->setSoundVolume(musicVolume);
  }
}
