#pragma once

// Repeatable noise and random draws for the generated assets.

#include <cstdint>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace assetgen {

// A small generator with a fixed random state chosen by the caller. Unlike the standard
// distributions it gives the same sequence with every compiler and library, so the assets
// come out byte-identical wherever they are built.
class FixedRandom {
 public:
  explicit FixedRandom(uint64_t initialState) : state(initialState) {}
  uint64_t next();
  // Uniform in [lo, hi).
  float uniform(float lo, float hi);

 private:
  uint64_t state;
};

// Gradient noise over 3D space, roughly in [-1, 1]; `stream` selects an independent field.
float gradientNoise(glm::vec3 p, uint32_t stream);

// Gradient noise on the plane whose lattice repeats every `period` units in x and y, so a
// texture sampled over one period tiles without seams.
float periodicNoise(glm::vec2 p, int period, uint32_t stream);

// Octave sums (each octave doubles the frequency and halves the amplitude), normalised to
// the range of a single octave.
float fractalNoise(glm::vec3 p, int octaves, uint32_t stream);
float periodicFractalNoise(glm::vec2 p, int period, int octaves, uint32_t stream);

// Cellular pattern with one feature point per lattice cell, repeating every `period` cells:
// returns the distances to the nearest (x) and second-nearest (y) feature points.
glm::vec2 periodicCellular(glm::vec2 p, int period, uint32_t stream);

// Well-mixed 32-bit hash of three lattice coordinates and a stream number.
uint32_t latticeHash(int32_t x, int32_t y, int32_t z, uint32_t stream);

}  // namespace assetgen
