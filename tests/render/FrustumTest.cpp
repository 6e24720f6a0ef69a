// The view volume's planes and the sphere test that culls with them: nothing in view may
// be culled and nothing wholly outside drawn.
#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "render/Frustum.h"

namespace {

// A camera at the origin looking down -z with a 90 degree view, near 1 and far 100: every plane
// is easy to place by hand.
FrustumPlanes rightAngledView() {
  const glm::mat4 P = glm::perspective(glm::radians(90.0f), 1.0f, 1.0f, 100.0f);
  const glm::mat4 V =
      glm::lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
  return extractFrustumPlanes(P, V);
}

}  // namespace

TEST(FrustumTest, PlanesHaveUnitNormalsFacingInside) {
  const FrustumPlanes planes = rightAngledView();
  const glm::vec3 inside(0.0f, 0.0f, -10.0f);
  for (const glm::vec4& plane : planes) {
    EXPECT_NEAR(glm::length(glm::vec3(plane)), 1.0f, 1e-5f);
    EXPECT_GT(glm::dot(glm::vec3(plane), inside) + plane.w, 0.0f);
  }
  // Near and far planes lie at distances 1 and 100 along the view.
  EXPECT_NEAR(glm::dot(glm::vec3(planes[4]), glm::vec3(0.0f, 0.0f, -1.0f)) + planes[4].w, 0.0f,
              1e-4f);
  EXPECT_NEAR(glm::dot(glm::vec3(planes[5]), glm::vec3(0.0f, 0.0f, -100.0f)) + planes[5].w, 0.0f,
              1e-3f);
}

TEST(FrustumTest, SphereIsOutsideOnlyWhenWhollyBeyondOnePlane) {
  struct Case {
    const char* where;
    glm::vec3 center;
    float radius;
    bool outside;
  };
  // At depth 10 the side planes stand at x = ±10 and y = ±10; a side plane's distance from a
  // point (x, 0, -10) is (10 - |x|) / sqrt(2).
  const Case cases[] = {
      {"straight ahead", {0.0f, 0.0f, -10.0f}, 1.0f, false},
      {"behind the camera", {0.0f, 0.0f, 5.0f}, 1.0f, true},
      {"behind but reaching past the near plane", {0.0f, 0.0f, 5.0f}, 7.0f, false},
      {"beyond the far plane", {0.0f, 0.0f, -110.0f}, 5.0f, true},
      {"far left", {-30.0f, 0.0f, -10.0f}, 1.0f, true},
      {"far right", {30.0f, 0.0f, -10.0f}, 1.0f, true},
      {"far below", {0.0f, -30.0f, -10.0f}, 1.0f, true},
      {"far above", {0.0f, 30.0f, -10.0f}, 1.0f, true},
      {"left but overlapping the edge", {-12.0f, 0.0f, -10.0f}, 2.0f, false},
      {"left, just clear of the edge", {-12.0f, 0.0f, -10.0f}, 1.3f, true},
  };
  const FrustumPlanes planes = rightAngledView();
  for (const Case& c : cases) {
    EXPECT_EQ(sphereOutsideFrustum(planes, c.center, c.radius), c.outside) << c.where;
  }
  // A sphere whose distance behind the near plane equals its radius just touches it: inside.
  const glm::vec3 behind(0.0f, 0.0f, 1.0f);
  const glm::vec4& nearPlane = planes[4];
  const float touching = -(glm::dot(glm::vec3(nearPlane), behind) + nearPlane.w);
  EXPECT_FALSE(sphereOutsideFrustum(planes, behind, touching));
  EXPECT_TRUE(sphereOutsideFrustum(planes, behind, touching * 0.99f));
}
