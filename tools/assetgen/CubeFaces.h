#pragma once

// The sky box's faces, drawn by the generator and checked by the preview.

#include <array>
#include <string>

#include <glm/vec3.hpp>

namespace assetgen {

// Cube-map faces in GL target order: +X, -X, +Y, -Y, +Z, -Z.
constexpr int CubeFaceCount = 6;

// The direction a texel of a cube-map face looks along, for face coordinates s, t in [0, 1]
// (s across the columns, t down the rows, t = 0 on the first row the image loader returns),
// following GL's table of major axis and sc/tc per face. Not normalised.
glm::vec3 cubeFaceDirection(int face, float s, float t);

}  // namespace assetgen
