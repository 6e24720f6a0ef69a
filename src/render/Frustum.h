#pragma once

// The view volume the draws cull obstacles against.

#include <array>

#include <glm/glm.hpp>

// The six clip planes of a view volume (left, right, bottom, top, near, far), each (a, b, c, d)
// with a unit normal (a, b, c) facing the inside.
using FrustumPlanes = std::array<glm::vec4, 6>;

FrustumPlanes extractFrustumPlanes(const glm::mat4& P, const glm::mat4& V);
// True when the sphere lies wholly on the outer side of at least one plane.
bool sphereOutsideFrustum(const FrustumPlanes& planes, const glm::vec3& center, float radius);
// True when the axis-aligned box lies wholly on the outer side of at least one plane.
bool boxOutsideFrustum(const FrustumPlanes& planes, const glm::vec3& min, const glm::vec3& max);
