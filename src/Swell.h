#pragma once

// The one swell of the sea: its constants, its height at a point and the four-point sample the
// boat and the camera lean with. The boat, the chase camera, the boat's draw and the wave
// program's uniforms all take it from here.

#include <glm/glm.hpp>

namespace swell {

// The swell is defined with this rounded pi; the wave program uses the same, and the sea tests
// check that the drawn surface is the one waveHeight gives.
constexpr float Pi = 3.141592f;
// World units per unit of the swell's phase coordinates.
constexpr float Scale = 300.0f;
// The greatest height of the sea, both wave trains at a crest; each train has half of it. The
// wave program gets it as waveAmp.
constexpr float Amplitude = 1.5f;
// The second train's wavelength in phase units; the wave program gets it as waveLen.
constexpr float WaveLength = 0.1f;
// Waves of the first train per phase unit, and wave cycles a second of both trains.
constexpr float FirstTrainWaves = 5.0f;
constexpr float CyclesPerSecond = 0.25f;

}  // namespace swell

// The sea height at p's x and z at the current clock time; p.y is ignored.
float waveHeight(const glm::vec3& p);
// The same swell at chosen times, one for each of its two wave trains.
float waveHeightAt(const glm::vec3& p, double firstTermTime, double secondTermTime);

// The sea heights one unit away from a point along the world axes, taken now.
struct SwellSample {
  float posZ;
  float negZ;
  float posX;
  float negX;

  // The lean of a hull on this sample, in degrees: about the x axis and about the z axis. The
  // factor 50 (rather than 180/pi) softens it.
  float leanAboutX() const;
  float leanAboutZ() const;
  // The height the hull rides at: the mean of the four samples.
  float meanHeight() const;
};
SwellSample sampleSwellAround(const glm::vec3& p);
