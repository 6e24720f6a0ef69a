#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "Application.h"
#include "ResourceNames.h"

namespace {

constexpr float ArenaEdge = 248.0f;
constexpr float CameraDistance = 5.0f;
constexpr float CameraFollowRate = 5.0f;
constexpr double LightningInterval = static_cast<double>(2.2f);

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

  if (!won && !gameOver) {
    moveBoat(dt);
    const glm::vec3 newCamPos = boatPos;
    const glm::vec3 oldCamPos = camera.getEye() + CameraDistance * boatDir;
    // Clamped so that one long frame cannot fling the camera past the boat.
    const float followFactor = std::min(CameraFollowRate * dt, 1.0f);
    const glm::vec3 camLag = glm::mix(oldCamPos, newCamPos, followFactor);
    camera.follow(camLag, boatDir);
  } else if (gameOver) {
    boatPos.y -= 0.5f * dt;
  }

  if (!fastMode && !won && !gameOver) {
    timeLeft -= static_cast<double>(dt);
    if (timeLeft <= 0.0) {
      effectsEngine->stopAllSounds();
      effectsEngine->play2D(resources::LossSting, true);
      effectsEngine->setSoundVolume(musicVolume);
      gameOver = true;
    }
  }

  if (!gameOver && !won) {
    dummyManager.update(dt, boatPos.x, boatPos.z, &gameOver, musicEngine, fastMode);
    rockManager.update(dt, boatPos.x, boatPos.z, &gameOver, musicEngine, fastMode);
  }

  // A lost run stays lost: reaching the lighthouse afterwards must not play the credits.
  if (!gameOver) {
    checkWin(boatPos);
  }

  const double now = glfwGetTime();
  if (now - lastLightningTime >= LightningInterval) {
    for (Lightning* bolt : {&lightning1, &lightning2}) {
      const float r1 = randomFloat(-200.0f, 200.0f);
      const float r2 = randomFloat(-200.0f, 200.0f);
      const glm::vec3 start(r2, 100.0f, r1);
      const float s1 = randomFloat(-50.0f, 50.0f);
      const float s2 = randomFloat(-50.0f, 50.0f);
      const glm::vec3 end(start.x + s2, 0.0f, start.z + s1);
      bolt->strike(start, end, camera.getEye());
    }
    lastLightningTime += LightningInterval;
  }

  lightning1.update(dt);
  if (lightning1.getLifetime() <= 0.0f) {
    lightning2.update(dt);
  }
}

void Application::moveBoat(float dt) {
  float maxSpeed = 15.0f;
  if (fastMode) {
    maxSpeed = 50.0f;
    boatAccel = 20.0f;
  }
  boatRight = glm::normalize(glm::cross(boatDir, boatUp));

  if (keyW && maxSpeed >= boatSpeed) {
    boatSpeed += dt * boatAccel;
  }
  if (keyS && boatSpeed > -maxSpeed) {
    boatSpeed -= dt * boatAccel;
  }
  if (keyA) {
    boatDir -= dt * boatRight;
  }
  if (keyD) {
    boatDir += dt * boatRight;
  }
  boatAngle = std::atan2(boatDir.x, boatDir.z) * 57.29578f;

  if (!keyW && !keyS) {
    boatSpeed -= 5.0f * dt;
    if (boatSpeed < 0.0f) {
      boatSpeed = 0.0f;
    }
  }
  if (boatSpeed < -maxSpeed) {
    boatSpeed = -maxSpeed;
  }

  const float hF = waveHeight(boatPos + glm::vec3(0.0f, 0.0f, 1.0f));
  const float hB = waveHeight(boatPos + glm::vec3(0.0f, 0.0f, -1.0f));
  const float hR = waveHeight(boatPos + glm::vec3(1.0f, 0.0f, 0.0f));
  const float hL = waveHeight(boatPos + glm::vec3(-1.0f, 0.0f, 0.0f));
  const float slopeZ = 50.0f * std::atan((hB - hF) / 2.0f);
  const float slopeX = 50.0f * std::atan((hR - hL) / 2.0f);
  // The slope pushes the boat a fixed amount per frame, not per second.
  const glm::vec3 drift(-slopeX / 90.0f, 0.0f, -slopeZ / 90.0f);

  boatDir = glm::normalize(boatDir);
  boatPos += dt * (boatSpeed * boatDir) + drift;
  boatPos.x = std::clamp(boatPos.x, -ArenaEdge, ArenaEdge);
  boatPos.z = std::clamp(boatPos.z, -ArenaEdge, ArenaEdge);
  boatPos.y = glm::mix(glm::mix(hF, hB, 0.5f), glm::mix(hR, hL, 0.5f), 0.5f);
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
