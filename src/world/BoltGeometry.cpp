// Building a bolt's jagged channel and its branches.
#include "world/BoltGeometry.h"

#include <glm/gtc/matrix_transform.hpp>

#include "world/Random.h"

namespace {

constexpr float FirstOffset = 35.0f;
constexpr float BranchLength = 0.7f;
constexpr float BranchSpreadDegrees = 3.0f;
// Below this squared length a direction is treated as no direction at all.
constexpr float SmallestLength2 = 1e-12f;

glm::vec3 midPointOf(const glm::vec3& start, const glm::vec3& end) {
  return end + 0.5f * (start - end);
}

}  // namespace

glm::vec3 billboardNormalFor(const glm::vec3& midPoint, const glm::vec3& cameraPos) {
  const glm::vec3 towardCamera(cameraPos.x - midPoint.x, 0.0f, cameraPos.z - midPoint.z);
  if (glm::dot(towardCamera, towardCamera) < SmallestLength2) {
    return glm::vec3(1.0f, 0.0f, 0.0f);
  }
  return glm::normalize(towardCamera);
}

glm::vec3 sidewaysDirection(const glm::vec3& billboardNormal, const glm::vec3& midPoint) {
  const glm::vec3 across = glm::cross(billboardNormal, midPoint);
  if (glm::dot(across, across) < SmallestLength2) {
    // The billboard normal is horizontal and of unit length, so this is too.
    return glm::cross(billboardNormal, glm::vec3(0.0f, 1.0f, 0.0f));
  }
  return glm::normalize(across);
}

BoltGeometry::BoltGeometry() {
  current.reserve(SegmentCount);
  next.reserve(SegmentCount);
}

void BoltGeometry::generate(const glm::vec3& start, const glm::vec3& end,
                            const glm::vec3& cameraPos) {
  const glm::vec3 billboardNormal = billboardNormalFor(midPointOf(start, end), cameraPos);
  float offsetAmount = FirstOffset;
  int branchesLeft = BranchCount;

  current.clear();
  current.push_back(Line{start, end});
  for (int generation = 0; generation < Generations; ++generation) {
    next.clear();
    for (const Line& segment : current) {
      glm::vec3 midPoint = midPointOf(segment.start, segment.end);
      midPoint +=
          randomFloat(-offsetAmount, offsetAmount) * sidewaysDirection(billboardNormal, midPoint);
      next.push_back(Line{segment.start, midPoint});
      if (branchesLeft != 0) {
        const float angle = glm::radians(randomFloat(-BranchSpreadDegrees, BranchSpreadDegrees));
        const glm::mat4 turn = glm::rotate(glm::mat4(1.0f), angle, billboardNormal);
        const glm::vec3 splitEnd = BranchLength * glm::vec3(turn * glm::vec4(midPoint, 0.0f));
        next.push_back(Line{midPoint, splitEnd});
        --branchesLeft;
      }
      next.push_back(Line{midPoint, segment.end});
    }
    current.swap(next);
    offsetAmount *= 0.5f;
  }
}
