#pragma once

// The shape of one lightning bolt, built on the processor: a jagged main channel from the sky to
// the sea with three short side branches, flattened into the plane that faces the camera.

#include <array>
#include <cstddef>
#include <vector>

#include <glm/glm.hpp>

// One straight piece of a bolt, in world space.
struct Line {
  glm::vec3 start;
  glm::vec3 end;
};
// The segments go to the GPU as they are: six floats each, start then end.
static_assert(sizeof(Line) == 6 * sizeof(float), "a Line must be six tightly packed floats");

class BoltGeometry {
 public:
  // Ten rounds of halving turn one segment into 2048: the first round makes three pieces (one a
  // branch), the second eight (two more branches), and every later round doubles them.
  static constexpr int Generations = 10;
  static constexpr int BranchCount = 3;
  static constexpr std::size_t SegmentCount = std::size_t{8} << (Generations - 2);
  static constexpr std::size_t FloatCount = 6 * SegmentCount;

  // Reserves both working buffers at their final size, so a strike never allocates.
  BoltGeometry();

  // Builds a new bolt from start to end. Each round splits every segment at its middle and
  // pushes the middle sideways within the plane facing cameraPos, by half as much as the round
  // before; the first three splits also grow a branch. Segments are kept in the order they were
  // made, so the first one always starts at `start`.
  void generate(const glm::vec3& start, const glm::vec3& end, const glm::vec3& cameraPos);

  const std::vector<Line>& segments() const { return current; }

 private:
  std::vector<Line> current;
  std::vector<Line> next;
};

// The horizontal unit vector from a bolt's middle towards the camera. A camera straight above or
// below the middle gives no horizontal direction; the bolt then faces +x.
glm::vec3 billboardNormalFor(const glm::vec3& midPoint, const glm::vec3& cameraPos);

// The unit direction in which a midpoint is pushed: across both the billboard normal and the
// point's position vector. Where those are parallel (or the point is the origin) the push goes
// along the horizontal perpendicular of the billboard normal instead, so no zero vector is ever
// normalised.
glm::vec3 sidewaysDirection(const glm::vec3& billboardNormal, const glm::vec3& midPoint);
