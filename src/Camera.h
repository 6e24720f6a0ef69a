#pragma once

// The chase camera that trails the boat and the view volume it sees.

#include <array>

#include <glm/glm.hpp>

#include "Swell.h"
#include "render/Frustum.h"

// The chase camera: trails the boat with lag, rolls and pitches with the swell under it, and
// turns with mouse look.
class Camera {
 public:
  Camera() { reset(); }

  void reset();
  void mouseLook(float dx, float dy);
  void follow(const glm::vec3& camLag, const glm::vec3& dir);
  void tiltToWaves(const glm::vec3& camLag);
  void updateViewDir();
  void updateRight();
  void updateView();
  // Refreshes planes from the frame's projection and view; the obstacle draws cull against them.
  void extractFrustumPlanes(const glm::mat4& P, const glm::mat4& V);
  bool sphereOutsideFrustum(const glm::vec3& center, float radius) const;

  const glm::vec3& getEye() const { return eye; }
  const glm::vec3& getLookAtPoint() const { return lookAtPoint; }
  const glm::vec3& getUp() const { return up; }
  const glm::vec3& getViewDir() const { return viewDir; }
  const glm::mat4& getView() const { return view; }

  glm::vec3 eye{0.0f};
  glm::vec3 lookAtPoint{0.0f};
  glm::vec3 up{0.0f};
  glm::vec3 viewDir{0.0f};
  glm::vec3 right{0.0f};
  float yaw = 0.0f;
  float pitch = 0.0f;
  glm::mat4 view{1.0f};
  FrustumPlanes planes{};
};
