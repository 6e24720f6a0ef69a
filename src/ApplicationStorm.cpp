// The storm as the player sees it: the lightning's flash on sky, sea and boat, and the rain and
// bow spray of each race frame.
#include <algorithm>

#include <glm/gtc/type_ptr.hpp>

#include "Application.h"
#include "gl/Program.h"

namespace {

// The bow stands this far ahead of the boat's centre along its heading.
constexpr float BowReach = 1.4f;
// Spray flies where the sea at the bow stands above the boat's own height, the bow meeting
// the rising face of a crest, in full once it stands this much higher ...
constexpr float SprayRise = 0.15f;
// ... and at full strength once the boat makes this speed.
constexpr float SprayFullSpeed = 12.0f;

}  // namespace

StormLight Application::stormLight(const glm::vec3& eye) const {
  // The second bolt of a pair shows, and flashes, only once the first has faded.
  const Lightning& shown = lightning1.getLifetime() > 0.0f ? lightning1 : lightning2;
  const glm::vec3 towardsBolt = shown.getCentre() - eye;
  const float distance = glm::length(towardsBolt);
  const glm::vec3 direction =
      distance > 0.0f ? towardsBolt / distance : glm::vec3(0.0f, 1.0f, 0.0f);
  return {shown.flash(), direction};
}

float Application::bowSpray() const {
  const glm::vec3 bow = boatPos + BowReach * boatDir;
  const float crest = std::clamp((waveHeight(bow) - boatPos.y) / SprayRise, 0.0f, 1.0f);
  return crest * std::clamp(std::abs(boatSpeed) / SprayFullSpeed, 0.0f, 1.0f);
}

void Application::uploadStormLight(const StormLight& light) {
  for (const auto& program : {simpleShader, waveShader, cubeShader, texShader}) {
    if (!usable(program)) {
      continue;
    }
    program->bind();
    glUniform1f(program->getUniform("flash"), light.flash);
    glUniform3fv(program->getUniform("flashDir"), 1, glm::value_ptr(light.direction));
  }
  if (usable(waveShader)) {
    waveShader->bind();
    glUniform2fv(waveShader->getUniform("wind"), 1, glm::value_ptr(StormWind));
  }
}

void Application::drawRain(const glm::mat4& P, const glm::mat4& View, const StormLight& light) {
  RainFrame frame;
  frame.projection = P;
  frame.view = View;
  frame.eye = camera.getEye();
  frame.time = static_cast<float>(glfwGetTime());
  frame.flash = light.flash;
  frame.bow = boatPos + BowReach * boatDir;
  frame.spray = bowSpray();
  rain.draw(frame);
}
