// Painting the rock texture and the night sky's faces, and writing them as JPEG and TGA.
#include "Images.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include <glm/common.hpp>
#include <glm/geometric.hpp>
#include <stb_image_write.h>

#include "Noise.h"

namespace assetgen {

namespace {

float smoothstep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

uint8_t toByte(float linear, float dither) {
  const float encoded = std::pow(std::clamp(linear, 0.0f, 1.0f), 1.0f / 2.2f);
  return static_cast<uint8_t>(std::clamp(encoded * 255.0f + dither, 0.0f, 255.0f));
}

// Dither of ±0.5 levels keeps the dark gradients from banding.
float ditherAt(uint32_t x, uint32_t y, uint32_t stream) {
  return static_cast<float>(latticeHash(static_cast<int32_t>(x), static_cast<int32_t>(y), 7,
                                        stream) >> 8) / 16777216.0f - 0.5f;
}

// Stars from a jittered 3D lattice: one candidate per cell, most too faint to see. Looked up
// by direction, so faces that meet at an edge agree.
float starLight(glm::vec3 direction) {
  constexpr float CellsPerUnit = 70.0f;
  const glm::vec3 p = direction * CellsPerUnit;
  const glm::ivec3 cell(glm::floor(p));
  float light = 0.0f;
  for (int dz = -1; dz <= 1; ++dz) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const glm::ivec3 c = cell + glm::ivec3(dx, dy, dz);
        const uint32_t h = latticeHash(c.x, c.y, c.z, 0x57A2u);
        const float brightness = static_cast<float>(h & 0xFFFFu) / 65535.0f;
        if (brightness < 0.82f) {
          continue;
        }
        const glm::vec3 jitter(static_cast<float>((h >> 16) & 0xFFu) / 255.0f,
                               static_cast<float>((h >> 24) & 0xFFu) / 255.0f,
                               static_cast<float>(latticeHash(c.x, c.y, c.z, 0x57A3u) & 0xFFu) /
                                   255.0f);
        const glm::vec3 star = glm::normalize(glm::vec3(c) + jitter);
        const float angle = glm::length(direction - star) * CellsPerUnit;
        const float strength = std::pow((brightness - 0.82f) / 0.18f, 3.0f);
        const float size = 0.035f + 0.05f * strength;
        light += strength * std::exp(-angle * angle / (size * size));
      }
    }
  }
  return light;
}

}  // namespace

glm::vec3 skyColour(glm::vec3 d) {
  const float elevation = d.y;
  // Base: near black overhead, a faint grey-blue glow along the horizon, haze below it.
  const glm::vec3 zenith(0.0025f, 0.0035f, 0.009f);
  const glm::vec3 horizon(0.028f, 0.033f, 0.048f);
  const glm::vec3 belowHorizon(0.014f, 0.017f, 0.025f);
  glm::vec3 colour = elevation > 0.0f
                         ? glm::mix(horizon, zenith, std::pow(elevation, 0.4f))
                         : glm::mix(horizon, belowHorizon, smoothstep(0.0f, 0.2f, -elevation));
  colour += glm::vec3(0.018f, 0.02f, 0.026f) * std::exp(-std::abs(elevation) / 0.035f);

  // Storm clouds: warped billows, heavier towards the horizon and torn open overhead.
  const glm::vec3 warp(fractalNoise(d * 1.2f, 3, 71), fractalNoise(d * 1.2f, 3, 79),
                       fractalNoise(d * 1.2f, 3, 83));
  const glm::vec3 q = d * 2.2f + warp * 0.85f;
  const auto densityAt = [](glm::vec3 p) {
    const float billow = 1.0f - std::abs(gradientNoise(p * 2.3f, 131));
    return 0.75f * fractalNoise(p, 6, 89) + 0.3f * (billow - 0.55f);
  };
  const float heaviness = 0.16f - 0.42f * std::clamp(elevation, 0.0f, 1.0f);
  const float shape = densityAt(q);
  const float density = shape + heaviness;
  const float cover = smoothstep(-0.06f, 0.16f, density) * smoothstep(-0.12f, 0.0f, elevation);
  const float thickness = smoothstep(0.05f, 0.5f, density);

  // Lightning far off on one side lights the cloud edges that face it and glows inside them.
  const glm::vec3 flashDir = glm::normalize(glm::vec3(-0.55f, 0.22f, 0.8f));
  const float towardsFlash = std::max(0.0f, glm::dot(d, flashDir));
  const float rim = smoothstep(0.0f, 0.18f, shape - densityAt(q + flashDir * 0.14f));
  glm::vec3 cloud = glm::mix(glm::vec3(0.05f, 0.055f, 0.072f), glm::vec3(0.006f, 0.007f, 0.011f),
                             thickness);
  cloud += glm::vec3(0.07f, 0.076f, 0.1f) * rim * (0.25f + 0.75f * towardsFlash);
  cloud += glm::vec3(0.22f, 0.24f, 0.36f) * std::pow(towardsFlash, 14.0f) * (1.0f - 0.6f * thickness);

  if (cover < 0.999f && elevation > -0.05f) {
    const float clear = (1.0f - cover) * smoothstep(-0.02f, 0.08f, elevation);
    // A faint band of nebula light, tinted violet and teal.
    const glm::vec3 bandAxis = glm::normalize(glm::vec3(0.35f, 0.55f, -0.75f));
    const float bandOffset = glm::dot(d, bandAxis) + 0.12f * fractalNoise(d * 2.5f, 4, 41);
    const float band = std::exp(-bandOffset * bandOffset / 0.05f);
    const float detail = 0.5f + 0.5f * fractalNoise(d * 5.0f + glm::vec3(3.1f), 5, 53);
    const glm::vec3 tint = glm::mix(glm::vec3(0.06f, 0.03f, 0.085f), glm::vec3(0.018f, 0.055f, 0.065f),
                                    smoothstep(-0.3f, 0.3f, gradientNoise(d * 1.6f, 61)));
    colour += tint * band * detail * detail * clear;
    const float warmth = gradientNoise(d * 40.0f, 97);
    colour += starLight(d) * clear * glm::vec3(0.8f + 0.2f * warmth, 0.85f, 1.0f - 0.2f * warmth);
  }
  return glm::mix(colour, cloud, cover);
}

std::array<Image, CubeFaceCount> makeSkyFaces(int size) {
  std::array<Image, CubeFaceCount> faces;
  std::vector<std::thread> workers;
  for (int face = 0; face < CubeFaceCount; ++face) {
    workers.emplace_back([face, size, &faces] {
      Image& image = faces[static_cast<size_t>(face)];
      image.width = size;
      image.height = size;
      image.rgb.resize(static_cast<size_t>(size) * static_cast<size_t>(size) * 3);
      const float texel = 1.0f / static_cast<float>(size);
      for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
          const glm::vec3 d = glm::normalize(cubeFaceDirection(
              face, (static_cast<float>(column) + 0.5f) * texel,
              (static_cast<float>(row) + 0.5f) * texel));
          const glm::vec3 colour = skyColour(d);
          const size_t at = (static_cast<size_t>(row) * static_cast<size_t>(size) +
                             static_cast<size_t>(column)) * 3;
          const uint32_t x = static_cast<uint32_t>(column);
          const uint32_t y = static_cast<uint32_t>(row) + static_cast<uint32_t>(face) * 65536u;
          for (int c = 0; c < 3; ++c) {
            image.rgb[at + static_cast<size_t>(c)] =
                toByte(colour[c], ditherAt(x, y, static_cast<uint32_t>(c)));
          }
        }
      }
    });
  }
  for (std::thread& worker : workers) {
    worker.join();
  }
  return faces;
}

Image makeRockTexture(int size) {
  Image image;
  image.width = size;
  image.height = size;
  image.rgb.resize(static_cast<size_t>(size) * static_cast<size_t>(size) * 3);
  const glm::vec3 basalt(0.062f, 0.066f, 0.072f);
  const glm::vec3 umber(0.12f, 0.098f, 0.078f);
  const glm::vec3 greyGreen(0.085f, 0.095f, 0.08f);
  const glm::vec3 lichen(0.17f, 0.16f, 0.07f);
  const glm::vec3 rust(0.2f, 0.1f, 0.045f);
  const glm::vec3 salt(0.26f, 0.27f, 0.27f);
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      // Every pattern below repeats over one texture width, so the texture tiles.
      const glm::vec2 uv((static_cast<float>(column) + 0.5f) / static_cast<float>(size),
                         (static_cast<float>(row) + 0.5f) / static_cast<float>(size));
      const glm::vec2 warp(periodicFractalNoise(uv * 5.0f, 5, 4, 11),
                           periodicFractalNoise(uv * 5.0f, 5, 4, 17));
      const float tone = periodicFractalNoise(uv * 6.0f + warp * 0.4f, 6, 6, 23);
      const float mottling = periodicFractalNoise(uv * 3.0f + warp * 0.5f, 3, 5, 29);
      const float grain = periodicFractalNoise(uv * 96.0f, 96, 2, 41);
      const float speckle = periodicNoise(uv * 256.0f, 256, 43);

      glm::vec3 colour = glm::mix(basalt, umber, smoothstep(-0.4f, 0.5f, mottling));
      colour = glm::mix(colour, greyGreen, smoothstep(0.1f, 0.5f, -mottling) * 0.6f);
      colour *= 0.75f + 0.6f * tone + 0.3f * grain;
      // Crystals in the stone: pale and dark flecks.
      colour += glm::vec3(0.05f) * smoothstep(0.45f, 0.7f, speckle);
      colour *= 1.0f - 0.35f * smoothstep(0.45f, 0.7f, -speckle);

      // A few large fissures, fading in and out along their length, and fine crazing.
      const glm::vec2 cells = periodicCellular(uv * 4.0f + warp * 0.45f, 4, 31);
      const float fissureStrength = smoothstep(-0.1f, 0.3f, periodicFractalNoise(uv * 4.0f, 4, 3, 53));
      const float fissure = (1.0f - smoothstep(0.0f, 0.035f, cells.y - cells.x)) * fissureStrength;
      const glm::vec2 fine = periodicCellular(uv * 14.0f + warp * 1.1f, 14, 37);
      const float crazing = (1.0f - smoothstep(0.0f, 0.05f, fine.y - fine.x)) *
                            smoothstep(0.0f, 0.4f, periodicFractalNoise(uv * 7.0f, 7, 3, 59));
      // Weathering pits where soft grains have washed out.
      const glm::vec2 pits = periodicCellular(uv * 40.0f, 40, 61);
      const float pit = (1.0f - smoothstep(0.06f, 0.16f, pits.x)) *
                        smoothstep(0.2f, 0.5f, periodicFractalNoise(uv * 8.0f, 8, 2, 67));

      // Crusts of lichen and rust-coloured algae, and dried salt where spray evaporates.
      const float lichenCover =
          smoothstep(0.3f, 0.42f, periodicFractalNoise(uv * 6.0f + warp * 0.3f, 6, 5, 71));
      colour = glm::mix(colour, lichen * (0.7f + 0.6f * tone + 0.3f * grain), lichenCover * 0.85f);
      const float rustCover = smoothstep(0.36f, 0.46f, periodicFractalNoise(uv * 5.0f, 5, 5, 73));
      colour = glm::mix(colour, rust * (0.8f + 0.5f * grain), rustCover * 0.7f);
      const float saltCover =
          smoothstep(0.2f, 0.6f, periodicFractalNoise(uv * 4.0f + warp, 4, 5, 79)) *
          (0.5f + 0.5f * grain);
      colour = glm::mix(colour, salt, saltCover * 0.3f);

      // Water runs down the face in faint dark streaks.
      const float streak = periodicFractalNoise(glm::vec2(uv.x * 32.0f + warp.x * 2.0f, 0.5f), 32, 3, 83);
      colour *= 1.0f - 0.25f * smoothstep(0.1f, 0.5f, streak) *
                           smoothstep(-0.2f, 0.4f, periodicFractalNoise(uv * 3.0f, 3, 2, 89));

      colour *= 1.0f - 0.85f * fissure - 0.45f * crazing - 0.5f * pit;
      // Wet lips along the fissures catch a little sky light.
      const float lip = fissureStrength * smoothstep(0.035f, 0.06f, cells.y - cells.x) *
                        (1.0f - smoothstep(0.06f, 0.1f, cells.y - cells.x));
      colour += glm::vec3(0.03f, 0.035f, 0.045f) * lip;

      const size_t at = (static_cast<size_t>(row) * static_cast<size_t>(size) +
                         static_cast<size_t>(column)) * 3;
      for (int c = 0; c < 3; ++c) {
        image.rgb[at + static_cast<size_t>(c)] = toByte(colour[c], 0.0f);
      }
    }
  }
  return image;
}

bool writeJpeg(const std::string& path, const Image& image, int quality, std::string& error) {
  if (stbi_write_jpg(path.c_str(), image.width, image.height, 3, image.rgb.data(), quality) == 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

bool writeTga(const std::string& path, const Image& image, std::string& error) {
  if (stbi_write_tga(path.c_str(), image.width, image.height, 3, image.rgb.data()) == 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace assetgen
