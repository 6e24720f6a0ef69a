#include "Images.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include <glm/common.hpp>
#include <glm/exponential.hpp>
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
  // Base: near black overhead, a faint grey-blue glow low down, dark haze below the horizon.
  const glm::vec3 zenith(0.004f, 0.005f, 0.011f);
  const glm::vec3 horizon(0.035f, 0.042f, 0.058f);
  const glm::vec3 belowHorizon(0.012f, 0.015f, 0.022f);
  glm::vec3 colour = elevation > 0.0f
                         ? glm::mix(horizon, zenith, std::pow(elevation, 0.45f))
                         : glm::mix(horizon, belowHorizon, smoothstep(0.0f, 0.25f, -elevation));

  // A faint band of nebula light across the sky, tinted violet and teal.
  const glm::vec3 bandAxis = glm::normalize(glm::vec3(0.35f, 0.55f, -0.75f));
  const float bandOffset = glm::dot(d, bandAxis) + 0.12f * fractalNoise(d * 2.5f, 4, 41);
  const float band = std::exp(-bandOffset * bandOffset / 0.045f);
  const float nebulaDetail = 0.5f + 0.5f * fractalNoise(d * 5.0f + glm::vec3(3.1f), 5, 53);
  const glm::vec3 nebulaTint = glm::mix(glm::vec3(0.05f, 0.025f, 0.07f),
                                        glm::vec3(0.015f, 0.045f, 0.055f),
                                        smoothstep(-0.3f, 0.3f, gradientNoise(d * 1.6f, 61)));
  const float nebula = band * nebulaDetail * nebulaDetail;

  // Storm clouds: heavier towards the horizon, broken overhead where the stars show through.
  const glm::vec3 warp(fractalNoise(d * 1.3f, 3, 71), fractalNoise(d * 1.3f, 3, 79),
                       fractalNoise(d * 1.3f, 3, 83));
  const glm::vec3 q = d * 2.4f + warp * 0.9f;
  const float density = fractalNoise(q, 6, 89);
  const float heaviness = 0.25f - 0.35f * std::clamp(elevation, 0.0f, 1.0f);
  const float cover = smoothstep(-0.12f, 0.22f, density + heaviness);
  // Cloud tops catch a little light from lightning far away on one side.
  const glm::vec3 glowDir = glm::normalize(glm::vec3(-0.6f, 0.25f, 0.75f));
  const float towardsGlow = std::max(0.0f, glm::dot(d, glowDir));
  const float rim = smoothstep(0.0f, 0.25f, density - fractalNoise(q + glowDir * 0.12f, 6, 89));
  const glm::vec3 cloudShadow(0.010f, 0.011f, 0.016f);
  const glm::vec3 cloudLit(0.075f, 0.082f, 0.11f);
  const glm::vec3 glowTint(0.10f, 0.11f, 0.17f);
  glm::vec3 cloud = glm::mix(cloudShadow, cloudLit, 0.25f + 0.75f * rim * (0.35f + 0.65f * towardsGlow));
  cloud += glowTint * std::pow(towardsGlow, 6.0f) * (0.4f + 0.6f * rim);

  const float above = smoothstep(-0.02f, 0.06f, elevation);
  colour += nebulaTint * nebula * (1.0f - 0.85f * cover) * above;
  const float stars = starLight(d) * above * (1.0f - cover);
  const float warmth = gradientNoise(d * 40.0f, 97);
  colour += stars * glm::vec3(0.8f + 0.2f * warmth, 0.85f, 1.0f - 0.2f * warmth);
  colour = glm::mix(colour, cloud, cover * smoothstep(-0.15f, 0.02f, elevation) * 0.92f);
  return colour;
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
  const glm::vec3 basalt(0.085f, 0.088f, 0.092f);
  const glm::vec3 umber(0.16f, 0.13f, 0.10f);
  const glm::vec3 lichen(0.16f, 0.17f, 0.085f);
  const glm::vec3 saltStain(0.30f, 0.31f, 0.30f);
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      // Every pattern below repeats over one texture width, so the texture tiles.
      const glm::vec2 uv((static_cast<float>(column) + 0.5f) / static_cast<float>(size),
                         (static_cast<float>(row) + 0.5f) / static_cast<float>(size));
      const glm::vec2 warp(periodicFractalNoise(uv * 6.0f, 6, 3, 11),
                           periodicFractalNoise(uv * 6.0f, 6, 3, 17));
      const float tone = periodicFractalNoise(uv * 8.0f, 8, 6, 23);
      const float mottling = periodicFractalNoise(uv * 4.0f + warp * 0.3f, 4, 4, 29);
      const glm::vec2 cells = periodicCellular(uv * 9.0f + warp * 0.6f, 9, 31);
      const glm::vec2 fineCells = periodicCellular(uv * 23.0f + warp * 1.2f, 23, 37);
      const float crack = 1.0f - smoothstep(0.0f, 0.07f, cells.y - cells.x);
      const float fineCrack = 1.0f - smoothstep(0.0f, 0.05f, fineCells.y - fineCells.x);
      const float grain = periodicFractalNoise(uv * 128.0f, 128, 2, 41);
      const float strata = std::sin(2.0f * 3.14159265f * (uv.y * 5.0f + 0.35f * warp.x));

      glm::vec3 colour = glm::mix(basalt, umber, smoothstep(-0.35f, 0.45f, mottling));
      colour *= 0.78f + 0.5f * tone + 0.05f * strata;
      const float lichenCover = smoothstep(0.28f, 0.42f, periodicFractalNoise(uv * 5.0f, 5, 5, 43));
      colour = glm::mix(colour, lichen * (0.8f + 0.4f * tone), lichenCover * 0.8f);
      const float salt = smoothstep(0.35f, 0.6f, periodicFractalNoise(uv * 3.0f + warp, 3, 4, 47));
      colour = glm::mix(colour, saltStain * (0.9f + 0.3f * grain), salt * 0.35f);
      colour *= 1.0f + 0.35f * grain;
      // Cracks hold water and shadow: dark with a faint wet sheen along their lips.
      colour *= 1.0f - 0.75f * crack - 0.4f * fineCrack;
      const float lip = smoothstep(0.07f, 0.11f, cells.y - cells.x) *
                        (1.0f - smoothstep(0.11f, 0.16f, cells.y - cells.x));
      colour += glm::vec3(0.035f, 0.04f, 0.05f) * lip;
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
