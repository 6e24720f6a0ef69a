// The swell's height, and the four-point sample of it under the boat and the camera.
#include "Swell.h"

#include <cmath>

#include <GLFW/glfw3.h>

namespace {
// Degrees of lean for each radian of the sample's slope angle.
constexpr float LeanPerRadian = 50.0f;
}  // namespace

float waveHeightAt(const glm::vec3& p, double firstTermTime, double secondTermTime) {
  const float a = p.x / swell::Scale;
  const float b = p.z / swell::Scale + a;
  const double twoPi = 2.0 * static_cast<double>(swell::Pi);
  const auto speed = static_cast<double>(swell::CyclesPerSecond);
  const float alongB = static_cast<float>(twoPi * (swell::FirstTrainWaves * b + speed * firstTermTime));
  const float fiveA = (0.5f * a) / swell::WaveLength;
  const float alongA = static_cast<float>(twoPi * (fiveA + speed * secondTermTime));
  return 0.5f * swell::Amplitude * (std::sin(alongB) + std::cos(alongA));
}

float waveHeight(const glm::vec3& p) {
  const double firstTermTime = glfwGetTime();
  const double secondTermTime = glfwGetTime();
  return waveHeightAt(p, firstTermTime, secondTermTime);
}

SwellSample sampleSwellAround(const glm::vec3& p) {
  SwellSample sample{};
  sample.posZ = waveHeight(p + glm::vec3(0.0f, 0.0f, 1.0f));
  sample.negZ = waveHeight(p + glm::vec3(0.0f, 0.0f, -1.0f));
  sample.posX = waveHeight(p + glm::vec3(1.0f, 0.0f, 0.0f));
  sample.negX = waveHeight(p + glm::vec3(-1.0f, 0.0f, 0.0f));
  return sample;
}

float SwellSample::leanAboutX() const { return LeanPerRadian * std::atan((negZ - posZ) / 2.0f); }

float SwellSample::leanAboutZ() const { return LeanPerRadian * std::atan((posX - negX) / 2.0f); }

float SwellSample::meanHeight() const {
  return glm::mix(glm::mix(posZ, negZ, 0.5f), glm::mix(posX, negX, 0.5f), 0.5f);
}
