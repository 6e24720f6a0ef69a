#pragma once

// The rock texture and the sky box faces the generator paints.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "CubeFaces.h"

namespace assetgen {

// Tightly packed 8-bit RGB, first row on top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// Weathered wet stone that tiles seamlessly in both directions.
Image makeRockTexture(int size);

// Linear colour of the stormy night sky seen along a unit direction (y up).
glm::vec3 skyColour(glm::vec3 direction);

// The six cube-map faces of the sky, in GL target order, each size × size.
std::array<Image, CubeFaceCount> makeSkyFaces(int size);

bool writeJpeg(const std::string& path, const Image& image, int quality, std::string& error);
bool writeTga(const std::string& path, const Image& image, std::string& error);

}  // namespace assetgen
