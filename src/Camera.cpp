// The chase camera: its lag behind the boat, its roll and pitch on the swell, mouse look and
// the view volume the obstacle draws cull against.
#include "Camera.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace {
constexpr float PitchUpLimit = 1.4137163f;     // 81 degrees
constexpr float PitchDownLimit = -0.785398f;   // -45 degrees
}  // namespace

void Camera::reset() {
  eye = glm::vec3(0.0f, 2.5f, -225.0f);
  lookAtPoint = glm::vec3(0.0f, 1.0f, 5.0f);
  up = glm::vec3(0.0f, 1.0f, 0.0f);
  yaw = 0.785398f;
  pitch = 0.0f;
  updateViewDir();
  updateRight();
}

void Camera::mouseLook(float dx, float dy) {
  yaw += 0.25f * (dx / 320.0f * swell::Pi);
  pitch += 0.25f * (dy / 240.0f * PitchUpLimit);
  if (pitch > PitchUpLimit) {
    pitch = PitchUpLimit;
  }
  if (pitch < PitchDownLimit) {
    pitch = PitchDownLimit;
  }
  lookAtPoint = glm::vec3(eye.x + 5.0f * std::cos(pitch) * std::cos(yaw),
                          eye.y + 5.0f * std::sin(pitch),
                          eye.z + 5.0f * std::cos(pitch) * std::cos(1.570796f - yaw));
  updateViewDir();
  updateRight();
  updateView();
}

void Camera::follow(const glm::vec3& camLag, const glm::vec3& dir) {
  eye.x = camLag.x - 5.0f * dir.x;
  eye.z = camLag.z - 5.0f * dir.z;
  lookAtPoint.x = camLag.x;
  lookAtPoint.z = camLag.z;
  viewDir = dir;
  updateRight();
  tiltToWaves(camLag);
  updateView();
}

void Camera::tiltToWaves(const glm::vec3& c) {
  const SwellSample h = sampleSwellAround(c);
  const glm::vec3 xVec =
      (c + glm::vec3(1.0f, 0.5f * h.posX, 0.0f)) - (c + glm::vec3(-1.0f, 0.5f * h.negX, 0.0f));
  const glm::vec3 zVec =
      (c + glm::vec3(0.0f, 0.5f * h.negZ, -1.0f)) - (c + glm::vec3(0.0f, 0.5f * h.posZ, 1.0f));
  const glm::vec3 newUp = glm::cross(xVec, zVec);
  up = newUp;
}

void Camera::updateViewDir() { viewDir = glm::normalize(lookAtPoint - eye); }

void Camera::updateRight() { right = glm::cross(viewDir, up); }

void Camera::updateView() { view = glm::lookAt(eye, lookAtPoint, up); }

void Camera::extractFrustumPlanes(const glm::mat4& P, const glm::mat4& V) {
  planes = ::extractFrustumPlanes(P, V);
}

bool Camera::sphereOutsideFrustum(const glm::vec3& center, float radius) const {
  return ::sphereOutsideFrustum(planes, center, radius);
}
