// The shape of a lightning bolt: every segment from its start, finite and in the plane
// facing the camera, fresh each strike, and its fade over seconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>
#include <string>
#include <type_traits>

#include <glm/glm.hpp>

#include "render/Lightning.h"
#include "world/BoltGeometry.h"

namespace {

bool isFinite(const glm::vec3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

static_assert(!std::is_copy_constructible_v<Lightning>, "a bolt owns its buffers");
static_assert(!std::is_copy_assignable_v<Lightning>, "a bolt owns its buffers");

struct BoltCase {
  const char* name;
  glm::vec3 start;
  glm::vec3 end;
  glm::vec3 camera;
};

// Ordinary strikes and the cameras that leave no direction to normalise.
const BoltCase Bolts[] = {
    {"camera behind the play area",
     {120.0f, 100.0f, -40.0f},
     {90.0f, 0.0f, 5.0f},
     {0.0f, 2.5f, -225.0f}},
    {"camera straight above the middle",
     {10.0f, 100.0f, 20.0f},
     {30.0f, 0.0f, -20.0f},
     {20.0f, 400.0f, 0.0f}},
    {"camera at the middle itself",
     {10.0f, 100.0f, 20.0f},
     {30.0f, 0.0f, -20.0f},
     {20.0f, 50.0f, 0.0f}},
    {"middle parallel to the billboard normal",
     {0.0f, 0.0f, 0.0f},
     {20.0f, 0.0f, 0.0f},
     {100.0f, 5.0f, 0.0f}},
    {"a bolt of no length at the origin",
     {0.0f, 0.0f, 0.0f},
     {0.0f, 0.0f, 0.0f},
     {0.0f, 0.0f, 0.0f}},
};

void PrintTo(const BoltCase& bolt, std::ostream* out) { *out << bolt.name; }

class BoltShape : public testing::TestWithParam<BoltCase> {};

TEST_P(BoltShape, HasItsFullSegmentCountStartsAtTheStartAndStaysFinite) {
  const BoltCase& bolt = GetParam();
  BoltGeometry geometry;
  geometry.generate(bolt.start, bolt.end, bolt.camera);
  const auto& segments = geometry.segments();

  ASSERT_EQ(segments.size(), BoltGeometry::SegmentCount);
  EXPECT_EQ(segments.front().start, bolt.start);
  // The main channel still reaches the sea: its last piece ends exactly at the end point.
  EXPECT_TRUE(std::any_of(segments.begin(), segments.end(),
                          [&](const Line& line) { return line.end == bolt.end; }));
  for (const Line& line : segments) {
    ASSERT_TRUE(isFinite(line.start) && isFinite(line.end));
  }
}

std::string boltName(const testing::TestParamInfo<BoltCase>& info) {
  std::string name = info.param.name;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cameras, BoltShape, testing::ValuesIn(Bolts), boltName);

TEST(BoltGeometry, DisplacementStaysInThePlaneFacingTheCamera) {
  // With the camera due south of a vertical bolt through the origin, the billboard normal is -z:
  // midpoints are pushed across it and branches turn about it, so the bolt stays flat in z = 0.
  BoltGeometry geometry;
  geometry.generate({0.0f, 100.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 2.5f, -225.0f});
  for (const Line& line : geometry.segments()) {
    ASSERT_NEAR(line.start.z, 0.0f, 1e-3f);
    ASSERT_NEAR(line.end.z, 0.0f, 1e-3f);
  }
}

TEST(BoltGeometry, EachStrikeIsNewAndReusesTheSameStorage) {
  BoltGeometry geometry;
  // The two working buffers swap roles each round; after the ten rounds of a strike the segments
  // are back in the buffer they started in, unless a strike had to grow one.
  const Line* storage = geometry.segments().data();
  ASSERT_NE(storage, nullptr) << "nothing was reserved up front";
  const glm::vec3 start(0.0f, 100.0f, 50.0f);
  const glm::vec3 end(20.0f, 0.0f, 60.0f);
  const glm::vec3 camera(0.0f, 2.5f, -225.0f);
  geometry.generate(start, end, camera);
  const std::vector<Line> first = geometry.segments();
  EXPECT_EQ(geometry.segments().data(), storage);
  geometry.generate(start, end, camera);
  ASSERT_EQ(geometry.segments().size(), first.size());
  EXPECT_NE(geometry.segments()[1].end, first[1].end) << "two strikes drew the same offsets";
  EXPECT_EQ(geometry.segments().data(), storage);
}

TEST(BoltGeometry, FallbackDirectionsAreUnitAndPerpendicular) {
  const struct {
    const char* name;
    glm::vec3 midPoint;
    glm::vec3 camera;
  } cases[] = {
      {"camera above", {5.0f, 50.0f, 5.0f}, {5.0f, 300.0f, 5.0f}},
      {"parallel midpoint", {10.0f, 0.0f, 0.0f}, {100.0f, 0.0f, 0.0f}},
      {"origin", {0.0f, 0.0f, 0.0f}, {0.0f, 10.0f, 0.0f}},
      {"ordinary", {3.0f, 40.0f, -7.0f}, {0.0f, 2.5f, -225.0f}},
  };
  for (const auto& c : cases) {
    const glm::vec3 normal = billboardNormalFor(c.midPoint, c.camera);
    const glm::vec3 side = sidewaysDirection(normal, c.midPoint);
    EXPECT_NEAR(glm::length(normal), 1.0f, 1e-5f) << c.name;
    EXPECT_EQ(normal.y, 0.0f) << c.name;
    EXPECT_NEAR(glm::length(side), 1.0f, 1e-5f) << c.name;
    EXPECT_NEAR(glm::dot(side, normal), 0.0f, 1e-5f) << c.name;
  }
}

TEST(LightningFade, FallsBySevenTenthsPerSecondAndStopsBelowZero) {
  Lightning bolt;
  EXPECT_EQ(bolt.getLifetime(), 1.0f);
  for (int step = 0; step < 14; ++step) {
    bolt.update(0.1f);
  }
  EXPECT_NEAR(bolt.getLifetime(), 0.02f, 1e-4f);
  bolt.update(0.1f);
  EXPECT_NEAR(bolt.getLifetime(), -0.05f, 1e-4f);
  for (int step = 0; step < 10; ++step) {
    bolt.update(0.1f);
  }
  EXPECT_NEAR(bolt.getLifetime(), -0.05f, 1e-4f);

  // Striking a bolt that has not even been set up for drawing is safe and relights it.
  bolt.strike({0.0f, 100.0f, 0.0f}, {10.0f, 0.0f, 10.0f}, {0.0f, 2.5f, -225.0f});
  EXPECT_EQ(bolt.getLifetime(), 1.0f);
  EXPECT_EQ(bolt.getGeometry().segments().size(), BoltGeometry::SegmentCount);
  EXPECT_FALSE(bolt.canDraw());
  bolt.draw(glm::mat4(1.0f), glm::mat4(1.0f));
}

}  // namespace
