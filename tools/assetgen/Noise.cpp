// Gradient, fractal and cellular noise for the generated textures and shapes.
#include "Noise.h"

#include <cmath>

#include <glm/geometric.hpp>

namespace assetgen {

namespace {

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float lerp(float a, float b, float t) { return a + (b - a) * t; }

float unitFloat(uint32_t h) { return static_cast<float>(h >> 8) * (1.0f / 16777216.0f); }

int wrapIndex(int i, int period) {
  const int r = i % period;
  return r < 0 ? r + period : r;
}

// The twelve edge directions of a cube: no axis is favoured, so no grid pattern shows.
glm::vec3 latticeGradient3(int x, int y, int z, uint32_t stream) {
  static const glm::vec3 directions[12] = {
      {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1},
      {1, 0, -1}, {-1, 0, -1}, {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}};
  return directions[latticeHash(x, y, z, stream) % 12u];
}

glm::vec2 latticeGradient2(int x, int y, uint32_t stream) {
  const float angle = unitFloat(latticeHash(x, y, 0, stream)) * 6.28318531f;
  return {std::cos(angle), std::sin(angle)};
}

}  // namespace

uint64_t FixedRandom::next() {
  state += 0x9E3779B97F4A7C15ull;
  uint64_t z = state;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

float FixedRandom::uniform(float lo, float hi) {
  const float unit = static_cast<float>(next() >> 40) * (1.0f / 16777216.0f);
  return lo + (hi - lo) * unit;
}

uint32_t latticeHash(int32_t x, int32_t y, int32_t z, uint32_t stream) {
  uint32_t h = stream * 0x27D4EB2Du;
  h ^= static_cast<uint32_t>(x) * 0x8DA6B343u;
  h ^= static_cast<uint32_t>(y) * 0xD8163841u;
  h ^= static_cast<uint32_t>(z) * 0xCB1AB31Fu;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

float gradientNoise(glm::vec3 p, uint32_t stream) {
  const glm::vec3 cell = glm::floor(p);
  const glm::vec3 f = p - cell;
  const int x = static_cast<int>(cell.x);
  const int y = static_cast<int>(cell.y);
  const int z = static_cast<int>(cell.z);
  float corners[8];
  for (int i = 0; i < 8; ++i) {
    const glm::ivec3 o(i & 1, (i >> 1) & 1, (i >> 2) & 1);
    const glm::vec3 g = latticeGradient3(x + o.x, y + o.y, z + o.z, stream);
    corners[i] = glm::dot(g, f - glm::vec3(o));
  }
  const float u = fade(f.x);
  const float v = fade(f.y);
  const float w = fade(f.z);
  const float x00 = lerp(corners[0], corners[1], u);
  const float x10 = lerp(corners[2], corners[3], u);
  const float x01 = lerp(corners[4], corners[5], u);
  const float x11 = lerp(corners[6], corners[7], u);
  return lerp(lerp(x00, x10, v), lerp(x01, x11, v), w);
}

float periodicNoise(glm::vec2 p, int period, uint32_t stream) {
  const glm::vec2 cell = glm::floor(p);
  const glm::vec2 f = p - cell;
  const int x = static_cast<int>(cell.x);
  const int y = static_cast<int>(cell.y);
  float corners[4];
  for (int i = 0; i < 4; ++i) {
    const glm::ivec2 o(i & 1, (i >> 1) & 1);
    const glm::vec2 g =
        latticeGradient2(wrapIndex(x + o.x, period), wrapIndex(y + o.y, period), stream);
    corners[i] = glm::dot(g, f - glm::vec2(o));
  }
  const float u = fade(f.x);
  const float v = fade(f.y);
  // A unit gradient reaches at most sqrt(1/2); scale to about [-1, 1].
  return 1.41421356f * lerp(lerp(corners[0], corners[1], u), lerp(corners[2], corners[3], u), v);
}

float fractalNoise(glm::vec3 p, int octaves, uint32_t stream) {
  float sum = 0.0f;
  float amplitude = 1.0f;
  float total = 0.0f;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * gradientNoise(p, stream + static_cast<uint32_t>(i));
    total += amplitude;
    amplitude *= 0.5f;
    p *= 2.0f;
  }
  return sum / total;
}

float periodicFractalNoise(glm::vec2 p, int period, int octaves, uint32_t stream) {
  float sum = 0.0f;
  float amplitude = 1.0f;
  float total = 0.0f;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * periodicNoise(p, period, stream + static_cast<uint32_t>(i));
    total += amplitude;
    amplitude *= 0.5f;
    p *= 2.0f;
    period *= 2;
  }
  return sum / total;
}

glm::vec2 periodicCellular(glm::vec2 p, int period, uint32_t stream) {
  const glm::vec2 cell = glm::floor(p);
  const int x = static_cast<int>(cell.x);
  const int y = static_cast<int>(cell.y);
  float nearest = 1e9f;
  float second = 1e9f;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int wx = wrapIndex(x + dx, period);
      const int wy = wrapIndex(y + dy, period);
      const uint32_t h = latticeHash(wx, wy, 0, stream);
      const glm::vec2 feature = cell + glm::vec2(dx, dy) +
                                glm::vec2(unitFloat(h), unitFloat(latticeHash(wx, wy, 1, stream)));
      const float d = glm::distance(p, feature);
      if (d < nearest) {
        second = nearest;
        nearest = d;
      } else if (d < second) {
        second = d;
      }
    }
  }
  return {nearest, second};
}

}  // namespace assetgen
