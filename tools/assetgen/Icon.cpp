// Drawing the desktop icon at each size.
#include "Icon.h"

#include <algorithm>
#include <cmath>

#include <glm/glm.hpp>
#include <stb_image_write.h>

namespace assetgen {

namespace {

// Icon space: u across, v down, both 0..1 over the whole image.
constexpr float TowerCentre = 0.56f;
const glm::vec2 Lamp{TowerCentre, 0.205f};

float smoothstep01(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// Signed distance to a rounded square with the given margin and corner radius (negative inside).
float badgeDistance(glm::vec2 p, float margin, float radius) {
  const glm::vec2 half(0.5f - margin - radius);
  const glm::vec2 q = glm::abs(p - glm::vec2(0.5f)) - half;
  return glm::length(glm::max(q, glm::vec2(0.0f))) + std::min(std::max(q.x, q.y), 0.0f) - radius;
}

float segmentDistance(glm::vec2 p, glm::vec2 a, glm::vec2 b) {
  const glm::vec2 ab = b - a;
  const float t = std::clamp(glm::dot(p - a, ab) / glm::dot(ab, ab), 0.0f, 1.0f);
  return glm::length(p - (a + t * ab));
}

float boltDistance(glm::vec2 p) {
  static const glm::vec2 points[] = {{0.20f, 0.06f}, {0.27f, 0.24f}, {0.21f, 0.29f},
                                     {0.31f, 0.48f}, {0.26f, 0.52f}, {0.33f, 0.68f}};
  float distance = 1.0f;
  for (size_t i = 0; i + 1 < std::size(points); ++i) {
    distance = std::min(distance, segmentDistance(p, points[i], points[i + 1]));
  }
  return distance;
}

// Brightness of the two lamp beams sweeping out to either side, slightly downward.
float beamLight(glm::vec2 p) {
  const glm::vec2 d = p - Lamp;
  const float distance = glm::length(d);
  if (distance < 1e-4f) {
    return 1.0f;
  }
  const float angle = std::atan2(d.y, d.x);
  const float toRight = std::abs(angle - 0.12f);
  const float toLeft = std::abs(std::abs(angle) - (3.14159265f - 0.12f));
  const float width = 0.05f + 0.12f * distance;
  const float beam = std::max(1.0f - smoothstep01(0.0f, width, toRight * distance * 4.0f),
                              1.0f - smoothstep01(0.0f, width, toLeft * distance * 4.0f));
  return beam * std::exp(-1.8f * distance);
}

glm::vec3 sceneColour(glm::vec2 p) {
  constexpr float Horizon = 0.70f;
  glm::vec3 colour;
  if (p.y < Horizon) {
    // Night sky, lighter toward the horizon, with a torn band of cloud.
    const float t = p.y / Horizon;
    colour = glm::mix(glm::vec3(0.04f, 0.05f, 0.11f), glm::vec3(0.18f, 0.22f, 0.31f), t * t);
    const float cloud = 0.5f + 0.5f * std::sin(18.0f * p.x + 5.0f * std::sin(7.0f * p.y));
    colour += 0.06f * cloud * smoothstep01(0.25f, 0.45f, p.y) * (1.0f - smoothstep01(0.5f, 0.7f, p.y));
  } else {
    // Dark sea with a few crests catching the lamp.
    const float t = (p.y - Horizon) / (1.0f - Horizon);
    colour = glm::mix(glm::vec3(0.05f, 0.14f, 0.18f), glm::vec3(0.01f, 0.04f, 0.06f), t);
    const float crest = std::pow(0.5f + 0.5f * std::sin(60.0f * p.y + 9.0f * p.x), 8.0f);
    colour += glm::vec3(0.10f, 0.16f, 0.18f) * crest * (1.0f - t);
  }

  const glm::vec3 lampColour(1.0f, 0.86f, 0.50f);
  const float glow = std::exp(-glm::dot(p - Lamp, p - Lamp) / 0.012f);
  colour += lampColour * (0.55f * glow + 0.55f * beamLight(p));

  const float bolt = boltDistance(p);
  colour += glm::vec3(0.55f, 0.62f, 0.90f) * std::exp(-bolt * bolt / 0.0012f) * 0.6f;
  if (bolt < 0.011f) {
    colour = glm::vec3(0.92f, 0.95f, 1.0f);
  }

  // The rock the lighthouse stands on.
  const glm::vec2 rock = (p - glm::vec2(TowerCentre, 0.79f)) / glm::vec2(0.25f, 0.10f);
  if (glm::dot(rock, rock) < 1.0f && p.y < 0.85f) {
    colour = glm::mix(glm::vec3(0.16f, 0.14f, 0.13f), glm::vec3(0.06f, 0.05f, 0.05f),
                      std::clamp(0.5f + rock.x, 0.0f, 1.0f));
  }

  // The tower, narrowing upward, white with two red bands, lit from the left.
  if (p.y > 0.28f && p.y < 0.76f) {
    const float t = (p.y - 0.28f) / 0.48f;
    const float halfWidth = glm::mix(0.055f, 0.085f, t);
    const float across = (p.x - TowerCentre) / halfWidth;
    if (std::abs(across) < 1.0f) {
      const bool band = (p.y > 0.40f && p.y < 0.47f) || (p.y > 0.56f && p.y < 0.63f);
      const glm::vec3 paint = band ? glm::vec3(0.72f, 0.12f, 0.10f) : glm::vec3(0.90f, 0.89f, 0.85f);
      colour = paint * (0.95f - 0.45f * smoothstep01(-0.6f, 1.0f, across));
    }
  }
  // Gallery, lantern and roof.
  if (p.y > 0.255f && p.y <= 0.28f && std::abs(p.x - TowerCentre) < 0.075f) {
    colour = glm::vec3(0.14f, 0.14f, 0.16f);
  }
  if (p.y > 0.16f && p.y <= 0.255f && std::abs(p.x - TowerCentre) < 0.045f) {
    colour = glm::vec3(1.0f, 0.93f, 0.62f);
  }
  if (p.y > 0.10f && p.y <= 0.16f &&
      std::abs(p.x - TowerCentre) < 0.06f * (p.y - 0.10f) / 0.06f) {
    colour = glm::vec3(0.48f, 0.09f, 0.07f);
  }
  return colour;
}

}  // namespace

RgbaImage makeIcon(int size) {
  constexpr int Samples = 4;
  constexpr float Margin = 0.03f;
  constexpr float CornerRadius = 0.17f;
  RgbaImage image;
  image.width = size;
  image.height = size;
  image.rgba.resize(static_cast<size_t>(size) * static_cast<size_t>(size) * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      glm::vec3 sum(0.0f);
      float coverage = 0.0f;
      for (int sy = 0; sy < Samples; ++sy) {
        for (int sx = 0; sx < Samples; ++sx) {
          const glm::vec2 p((static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / Samples) /
                                static_cast<float>(size),
                            (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / Samples) /
                                static_cast<float>(size));
          const float edge = badgeDistance(p, Margin, CornerRadius);
          if (edge > 0.0f) {
            continue;
          }
          glm::vec3 colour = sceneColour(p);
          // A thin dark rim keeps the badge apart from any background.
          if (edge > -0.012f) {
            colour *= 0.35f;
          }
          sum += colour;
          coverage += 1.0f;
        }
      }
      uint8_t* out = &image.rgba[(static_cast<size_t>(y) * static_cast<size_t>(size) +
                                  static_cast<size_t>(x)) * 4];
      const glm::vec3 colour = coverage > 0.0f ? sum / coverage : glm::vec3(0.0f);
      for (int c = 0; c < 3; ++c) {
        // The scene is built in linear light; the file holds sRGB-like gamma 2.2 values.
        const float encoded = std::pow(std::clamp(colour[c], 0.0f, 1.0f), 1.0f / 2.2f);
        out[c] = static_cast<uint8_t>(std::lround(encoded * 255.0f));
      }
      out[3] = static_cast<uint8_t>(std::lround(coverage / (Samples * Samples) * 255.0f));
    }
  }
  return image;
}

bool writePng(const std::string& path, const RgbaImage& image, std::string& error) {
  if (stbi_write_png(path.c_str(), image.width, image.height, 4, image.rgba.data(),
                     image.width * 4) == 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace assetgen
