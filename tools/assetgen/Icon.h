#pragma once

// The game's desktop icon.

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Tightly packed 8-bit RGBA with straight alpha, first row on top.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};

// The desktop icon: the lighthouse on its rock under a storm sky, its lamp lit and a bolt
// striking behind it, on a rounded square. Drawn anew for every size so that small icons stay
// crisp instead of being scaled down from a large one.
RgbaImage makeIcon(int size);

// The sizes a desktop theme looks for, in pixels.
constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool writePng(const std::string& path, const RgbaImage& image, std::string& error);

}  // namespace assetgen
